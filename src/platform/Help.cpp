#include "Help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

namespace help {
namespace {
std::function<void(const QUrl &)> &opener() {
    static std::function<void(const QUrl &)> replaced;
    return replaced;
}
} // namespace

QString contentsPath() {
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../" TESSELLAR_INSTALLED_DATA "/help/index.html");
    if (QFileInfo::exists(installed))
        return QFileInfo(installed).canonicalFilePath();
    return QStringLiteral(TESSELLAR_HELP_DIR "/index.html");
}

void openContents() {
    const QUrl url = QUrl::fromLocalFile(contentsPath());
    if (opener())
        opener()(url);
    else
        QDesktopServices::openUrl(url);
}

void setOpener(std::function<void(const QUrl &)> replacement) {
    opener() = std::move(replacement);
}

} // namespace help
