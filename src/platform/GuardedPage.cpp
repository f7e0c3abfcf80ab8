#include "GuardedPage.h"

#include <QWebEngineNewWindowRequest>
#include <QWebEngineSettings>

namespace {
void lockDown(QWebEngineSettings *settings) {
    using S = QWebEngineSettings;
    settings->setAttribute(S::JavascriptEnabled, false);
    settings->setAttribute(S::JavascriptCanOpenWindows, false);
    settings->setAttribute(S::JavascriptCanAccessClipboard, false);
    settings->setAttribute(S::LocalContentCanAccessRemoteUrls, false);
    // Pictures of the quiz folder are file: addresses; the request gate decides which load.
    settings->setAttribute(S::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(S::AutoLoadIconsForPage, false); // no request for file:///favicon.ico
    settings->setAttribute(S::PluginsEnabled, false);
    settings->setAttribute(S::PdfViewerEnabled, false);
    settings->setAttribute(S::NavigateOnDropEnabled, false);
    settings->setAttribute(S::ErrorPageEnabled, false);
}
} // namespace

GuardedPage::GuardedPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent) {
    lockDown(settings());
    // A link meant for a new window (target="_blank", a middle click) is a link click too.
    connect(this, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest &request) {
                if (request.isUserInitiated())
                    emit linkClicked(request.requestedUrl());
            });
}

bool GuardedPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) {
    // Only the program itself loads "typed": the blank document, as a data: address. Links,
    // forms, refreshes, history steps and every sub-frame stay where they are.
    if (isMainFrame && type == NavigationTypeTyped && url.scheme() == QLatin1String("data"))
        return true;
    if (isMainFrame && type == NavigationTypeLinkClicked)
        emit linkClicked(url);
    return false;
}
