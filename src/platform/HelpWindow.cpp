#include "HelpWindow.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace helpwindow {

QTextBrowser *show(const QString &path) {
    static QPointer<QTextBrowser> window;
    if (!window) {
        window = new QTextBrowser;
        window->setObjectName(QStringLiteral("helpWindow"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QString::fromUtf8("Tessellar ヘルプ"));
        window->setOpenLinks(true); // pages of the help itself
        window->setOpenExternalLinks(false);
        window->resize(720, 640);
    }
    window->setSource(QUrl::fromLocalFile(path));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace helpwindow
