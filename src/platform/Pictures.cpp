#include "Pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

#include <dlfcn.h>

namespace pictures {

QPixmap load(const QString &path) {
    if (!QFileInfo(path).isFile())
        return {};
    return QPixmap(path);
}

void loadFormatPluginsEarly() {
    const QDir folder(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                      QStringLiteral("/imageformats"));
    // Opened as Qt opens plugins and left open as Qt leaves them: Qt's own load of each then
    // finds it ready.
    for (const QFileInfo &plugin : folder.entryInfoList({QStringLiteral("*.so")}, QDir::Files))
        dlopen(QFile::encodeName(plugin.absoluteFilePath()).constData(), RTLD_LAZY | RTLD_LOCAL);
}

} // namespace pictures
