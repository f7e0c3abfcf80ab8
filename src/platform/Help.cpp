#include "Help.h"

#include "Desktop.h"
#include "HelpWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

namespace help {

QString contentsPath() {
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../" TESSELLAR_INSTALLED_DATA "/help/index.html");
    if (QFileInfo::exists(installed))
        return QFileInfo(installed).canonicalFilePath();
    return QStringLiteral(TESSELLAR_HELP_DIR "/index.html");
}

void openContents() {
    const QString path = contentsPath();
    desktop::openUrl(QUrl::fromLocalFile(path), [path] { helpwindow::show(path); });
}

} // namespace help
