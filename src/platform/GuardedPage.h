#pragma once

#include <QUrl>
#include <QWebEnginePage>

// A page for untrusted mark-up: its own scripts never run (the program's calls run in the
// application's world), it opens no window, dialog or frame, and it never leaves the blank
// document the program loads into it. A link the user clicks is reported, not followed.
class GuardedPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit GuardedPage(QWebEngineProfile *profile, QObject *parent = nullptr);

signals:
    void linkClicked(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override {
        return false;
    }
};
