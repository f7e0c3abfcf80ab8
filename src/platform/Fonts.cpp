#include "Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <fontconfig/fontconfig.h>

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

QString installedFamily(const QFont &font) {
    for (const QString &family : font.families())
        if (QFontDatabase::hasFamily(family))
            return family;
    return QFontInfo(font).family();
}

std::jthread loadEarly() {
    return std::jthread([] {
        FcInit(); // safe beside Qt's own call: fontconfig keeps whichever finishes first
        // Qt lists every font next; listing them here brings the lists' pages into memory.
        FcPattern *any = FcPatternCreate();
        FcObjectSet *fields = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_CHARSET, FC_LANG,
                                               static_cast<char *>(nullptr));
        FcFontSetDestroy(FcFontList(nullptr, any, fields));
        FcObjectSetDestroy(fields);
        FcPatternDestroy(any);
    });
}

} // namespace fonts
