#include "HelpWindow.h"

#include "Design.h"

#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace helpwindow {
namespace {
// A window of its own (a screen reader meets a window, then the text it reads), closed with
// Esc or Ctrl+W as other secondary windows, and within the screen it opens on.
QWidget *createWindow() {
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(QStringLiteral("helpWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QString::fromUtf8("Tessellar ヘルプ"));
    auto *text = new QTextBrowser(window);
    text->setObjectName(QStringLiteral("helpText"));
    text->setAccessibleName(QString::fromUtf8("ヘルプ"));
    text->setOpenLinks(true); // pages of the help itself
    text->setOpenExternalLinks(false);
    auto *column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(text);
    for (const QKeySequence &close :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        QObject::connect(new QShortcut(close, window), &QShortcut::activated, window,
                         &QWidget::close);
    design::resizeWithinScreen(window, QSize(720, 640));
    return window;
}
} // namespace

QTextBrowser *show(const QString &path) {
    static QPointer<QWidget> window;
    if (!window)
        window = createWindow();
    auto *text = window->findChild<QTextBrowser *>();
    text->setSource(QUrl::fromLocalFile(path));
    window->show();
    window->raise();
    window->activateWindow();
    text->setFocus();
    return text;
}

} // namespace helpwindow
