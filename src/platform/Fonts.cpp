#include "Fonts.h"

#include <QStringList>

namespace fonts {
namespace {
QFont withFamilies(const QStringList &families, double points, QFont::StyleHint hint) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    return font;
}
} // namespace

QFont proportionalGothic(double points) {
    return withFamilies({QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                         QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")},
                        points, QFont::SansSerif);
}

QFont fixedGothic(double points) {
    return withFamilies({QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                         QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")},
                        points, QFont::Monospace);
}

} // namespace fonts
