#include "Help.h"

#include "Desktop.h"

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
    desktop::openUrl(QUrl::fromLocalFile(contentsPath()));
}

} // namespace help
