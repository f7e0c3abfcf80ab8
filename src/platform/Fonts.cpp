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

// The first of the families installed here, or an empty text. Looked up by name among the
// installed families: QFontDatabase::hasFamily has fontconfig resolve each name as an alias
// first, 0.2 ms a name on the window's start, and the lists here name the installed fonts
// an alias would stand for after the names of the Windows fonts.
QString firstInstalled(const QStringList &families) {
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : families)
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    return QString();
}

// The first of the families installed here alone, or all of them for Qt to choose from. For
// a font of several families Qt sorts every font here to find fallbacks, some 3 ms a font;
// one Japanese family needs no fallback at all.
QStringList installedOrAll(const QStringList &families) {
    const QString installed = firstInstalled(families);
    return installed.isEmpty() ? families : QStringList{installed};
}
} // namespace

QFont proportionalGothic(double points) {
    static const QStringList families =
        installedOrAll({QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                        QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    return withFamilies(families, points, QFont::SansSerif);
}

QFont fixedGothic(double points) {
    static const QStringList families =
        installedOrAll({QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                        QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    return withFamilies(families, points, QFont::Monospace);
}

QString installedFamily(const QFont &font) {
    const QString installed = firstInstalled(font.families());
    return installed.isEmpty() ? QFontInfo(font).family() : installed;
}

void loadEarly() {
    FcInit(); // safe beside Qt's own call: fontconfig keeps whichever finishes first
    // Qt lists every font next; listing them here brings the lists' pages into memory.
    FcPattern *any = FcPatternCreate();
    FcObjectSet *fields = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_CHARSET, FC_LANG,
                                           static_cast<char *>(nullptr));
    FcFontSetDestroy(FcFontList(nullptr, any, fields));
    FcObjectSetDestroy(fields);
    FcPatternDestroy(any);
}

} // namespace fonts
