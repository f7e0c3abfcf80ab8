#include "Icons.h"

#include <QImageReader>
#include <QPixmap>

namespace icons {
namespace {
// Read as the PNGs they are: left free to guess, Qt loads every image format plugin to ask it.
QIcon fromSizes(const QString &pattern, std::initializer_list<int> sizes) {
    QIcon icon;
    for (const int size : sizes) {
        QImageReader reader(pattern.arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImageReader(&reader));
    }
    return icon;
}

// Without a theme of its own Qt searches hicolor, which holds programs' icons and no action
// icons, and that fruitless search costs some 9 ms of the window's start.
bool desktopHasIconTheme() {
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QLatin1String("hicolor");
}
} // namespace

QIcon themedOrOwn(const char *themeName, const char *own) {
    const QIcon ownIcon = fromSizes(QStringLiteral(":/icons/toolbar-") + QLatin1String(own) +
                                        QStringLiteral("-%1.png"),
                                    {16, 32});
    return *themeName && desktopHasIconTheme() ? QIcon::fromTheme(QLatin1String(themeName), ownIcon)
                                               : ownIcon;
}

QIcon windowIcon() {
    return fromSizes(QStringLiteral(":/icons/tessellar-%1.png"), {16, 32, 48, 64});
}
} // namespace icons
