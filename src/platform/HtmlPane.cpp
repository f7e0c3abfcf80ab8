#include "HtmlPane.h"

#include "Design.h"
#include "Desktop.h"
#include "Fonts.h"
#include "GuardedPage.h"
#include "MessageBox.h"
#include "PaintReport.h"
#include "PictureGate.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include <csignal>
#include <sys/types.h>

namespace {
// The program's own call gets its answer within a few seconds unless the renderer hangs.
constexpr int kAnswerTimeout = 5000;
// A fresh renderer on a busy machine takes longer to load its first document.
constexpr int kLoadTimeout = 20000;
// A page that takes down this many renderers in a row is not shown again.
constexpr int kAttempts = 3;
constexpr qsizetype kLongestAddressShown = 300;
// The rule that hides furigana: it stands in the program's own style element in the head,
// which the page's body, set as inner HTML, cannot reach; a rule of the page's own beats it
// only by marking itself as important too.
constexpr char kHiddenRubyText[] = "rt, rp { display: none !important; }";

// The page as a JavaScript string literal.
QString scriptLiteral(const QString &text) {
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.sliced(1, json.size() - 2));
}

// Pages without fonts of their own read in a Japanese Gothic, as they always have.
// The families are looked up once for every renderer to come.
void useGothicFonts(QWebEngineSettings *settings) {
    static const QString gothic = fonts::installedFamily(fonts::proportionalGothic(12));
    static const QString fixedGothic = fonts::installedFamily(fonts::fixedGothic(12));
    settings->setFontFamily(QWebEngineSettings::StandardFont, gothic);
    settings->setFontFamily(QWebEngineSettings::SansSerifFont, gothic);
    settings->setFontFamily(QWebEngineSettings::FixedFont, fixedGothic);
}

// The question for a link the desktop can open, or an empty text for any other link.
QString linkQuestion(const QUrl &url) {
    const QString scheme = url.scheme();
    QString question;
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        question = design::uiText("次のアドレスをブラウザーで開きますか？");
    else if (scheme == QLatin1String("mailto"))
        question = design::uiText("次のアドレスをメールソフトで開きますか？");
    else
        return QString();
    QString address = url.toDisplayString();
    if (address.size() > kLongestAddressShown)
        address = address.left(kLongestAddressShown) + QChar(0x2026);
    return question + QStringLiteral("\r\n") + address;
}

// The off-the-record profile the panes' first renderers share, for as long as one uses it:
// creating a profile holds up the window's start.
std::weak_ptr<QWebEngineProfile> &sharedProfileSlot() {
    static std::weak_ptr<QWebEngineProfile> shared;
    return shared;
}

std::shared_ptr<QWebEngineProfile> sharedProfile() {
    std::shared_ptr<QWebEngineProfile> profile = sharedProfileSlot().lock();
    if (!profile) {
        profile = std::make_shared<QWebEngineProfile>();
        sharedProfileSlot() = profile;
    }
    return profile;
}

// A profile whose renderer died or stopped is given to no new pane: it could land there too.
void stopSharing(const std::shared_ptr<QWebEngineProfile> &profile) {
    if (sharedProfileSlot().lock() == profile)
        sharedProfileSlot().reset();
}
} // namespace

// One renderer: a guarded page in an off-the-record profile. Pages of one profile may share a
// renderer process (always, once Chromium's process limit is reached), so a renderer that
// replaces a dead or stopped one gets a fresh profile of its own, the only way to be sure of
// a new process.
class HtmlPane::Renderer : public QObject {
public:
    Renderer(std::shared_ptr<const PictureFolder> folder, bool replacement, QObject *parent)
        : QObject(parent),
          profile(replacement ? std::make_shared<QWebEngineProfile>() : sharedProfile()),
          gate(std::make_unique<PictureGate>(std::move(folder))),
          page(std::make_unique<GuardedPage>(profile.get())) {
        page->setUrlRequestInterceptor(gate.get());
        useGothicFonts(page->settings());
    }
    // From now on nothing the page reports reaches the pane, not even the empty answers it
    // hands to waiting calls when it is deleted.
    void retire(QObject *pane) {
        retired = true;
        page->disconnect(pane);
    }

    std::shared_ptr<QWebEngineProfile> profile;
    std::unique_ptr<PictureGate> gate;
    std::unique_ptr<GuardedPage> page; // deleted first: a profile outlives its pages
    bool retired = false;
};

HtmlPane::HtmlPane(QWidget *parent)
    : QWebEngineView(parent), m_folder(std::make_shared<PictureFolder>()),
      m_watchdog(new QTimer(this)) {
    m_watchdog->setSingleShot(true);
    connect(m_watchdog, &QTimer::timeout, this, &HtmlPane::replaceStalledRenderer);
    startRenderer(false);
    // The focus lands on the renderer's own child widget; report it as the pane's.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && (now == this || isAncestorOf(now)))
            emit gotFocus();
    });
}

// The renderers are deleted with the children, after this object's members.
HtmlPane::~HtmlPane() {
    m_renderer->retire(this);
}

void HtmlPane::startRenderer(bool replacement) {
    m_renderer = new Renderer(m_folder, replacement, this);
    GuardedPage *page = m_renderer->page.get();
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok) // a refused navigation finishes with false
            blankLoaded();
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this, &HtmlPane::replaceRenderer);
    // Asked once the renderer's call has returned, not inside it.
    connect(page, &GuardedPage::linkClicked, this, &HtmlPane::offerLink, Qt::QueuedConnection);
    setPage(page);
    loadBlank();
}

// A renderer that stopped answering is ended, not only left: a pane sharing its process then
// learns that it is gone and starts afresh too, and a stopped process does not linger.
void HtmlPane::replaceStalledRenderer() {
    if (const qint64 pid = m_renderer->page->renderProcessPid(); pid > 0)
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    replaceRenderer();
}

void HtmlPane::replaceRenderer() {
    m_watchdog->stop();
    stopSharing(m_renderer->profile);
    m_renderer->retire(this);
    m_renderer->deleteLater(); // it may be the one calling
    if (++m_lostRenderers >= kAttempts)
        m_pending.clear();
    m_applied = m_pending.isEmpty(); // the new renderer shows the latest page again
    startRenderer(true);
}

void HtmlPane::expectAnswerWithin(int milliseconds) {
    m_watchdog->start(milliseconds << std::min(m_lostRenderers, 2));
}

void HtmlPane::loadBlank() {
    m_ready = false;
    // The document is named as the pane is, so a screen reader says which pane it is in.
    m_renderer->page->setHtml(
        QStringLiteral("<html><head><title>%1</title><style></style></head><body></body></html>")
            .arg(accessibleName().toHtmlEscaped()),
        QUrl(QStringLiteral("file:///")));
    if (!m_applied)
        expectAnswerWithin(kLoadTimeout);
}

void HtmlPane::navigateBlank() {
    m_pending.clear();
    m_applied = true;
    ++m_generation;
    m_lostRenderers = 0;
    m_watchdog->stop();
    loadBlank();
}

void HtmlPane::blankLoaded() {
    m_ready = true;
    m_renderer->page->setZoomFactor(m_zoomFactor); // a new document starts at its own size
    applyRubyRule();                               // before the page it applies to
    if (!m_applied) {
        applyPendingBody();
        return;
    }
    m_watchdog->stop();
    if (const QString report = paintreport::frameScript(this); !report.isEmpty())
        page()->runJavaScript(report, QWebEngineScript::ApplicationWorld);
}

void HtmlPane::setBodyHtml(const QString &page) {
    m_pending = page;
    m_applied = false;
    ++m_generation;
    m_lostRenderers = 0;
    if (m_ready)
        applyPendingBody();
    else if (!m_watchdog->isActive())
        expectAnswerWithin(kLoadTimeout);
}

void HtmlPane::setQuizFolder(const QString &folder) {
    m_folder->setFolder(folder);
}

void HtmlPane::setZoom(int percent) {
    m_zoomFactor = percent / 100.0;
    m_renderer->page->setZoomFactor(m_zoomFactor);
}

void HtmlPane::setRubyTextHidden(bool hidden) {
    m_rubyTextHidden = hidden;
    if (m_ready) // else the blank page applies it once it has loaded
        applyRubyRule();
}

void HtmlPane::applyRubyRule() {
    const QString rule = m_rubyTextHidden ? QLatin1String(kHiddenRubyText) : QString();
    m_renderer->page->runJavaScript(
        QStringLiteral("document.head.querySelector('style').textContent = %1;")
            .arg(scriptLiteral(rule)),
        QWebEngineScript::ApplicationWorld);
}

void HtmlPane::applyPendingBody() {
    const quint64 generation = m_generation;
    const Renderer *renderer = m_renderer;
    renderer->page->runJavaScript(
        QStringLiteral("document.body.innerHTML = %1; %2 true;")
            .arg(scriptLiteral(m_pending), paintreport::frameScript(this)),
        QWebEngineScript::ApplicationWorld, [this, renderer, generation](const QVariant &answer) {
            if (!renderer->retired && answer.toBool())
                answered(generation);
        });
    expectAnswerWithin(kAnswerTimeout);
}

void HtmlPane::answered(quint64 generation) {
    if (generation != m_generation) {
        // The renderer is alive; the latest page is still on its way.
        if (m_ready && !m_applied)
            expectAnswerWithin(kAnswerTimeout);
        return;
    }
    m_watchdog->stop();
    m_applied = true;
    emit contentApplied();
}

void HtmlPane::scrollPage(int direction) {
    m_renderer->page->runJavaScript(
        QStringLiteral("window.scrollBy(0, %1 * window.innerHeight * 0.9);").arg(direction),
        QWebEngineScript::ApplicationWorld);
}

void HtmlPane::readBodyHtml(const std::function<void(const QString &)> &done) {
    const Renderer *renderer = m_renderer;
    renderer->page->runJavaScript(QStringLiteral("document.body ? document.body.innerHTML : ''"),
                                  QWebEngineScript::ApplicationWorld,
                                  [renderer, done](const QVariant &value) {
                                      if (!renderer->retired)
                                          done(value.toString());
                                  });
}

void HtmlPane::offerLink(const QUrl &url) {
    const QString question = linkQuestion(url);
    if (question.isEmpty())
        return;
    if (messagebox::show(window(), question, design::uiText("確認"), messagebox::Buttons::YesNo) ==
        messagebox::Answer::Yes)
        desktop::openUrl(url);
}
