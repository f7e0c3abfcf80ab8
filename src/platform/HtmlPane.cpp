#include "HtmlPane.h"

#include "Fonts.h"

#include <QApplication>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>

namespace {
// The page as a JavaScript string literal.
QString scriptLiteral(const QString &text) {
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.sliced(1, json.size() - 2));
}
} // namespace

HtmlPane::HtmlPane(QWidget *parent) : QWebEngineView(parent) {
    // Pages without fonts of their own read in a Japanese Gothic, as they always have.
    const QString gothic = QFontInfo(fonts::proportionalGothic(12)).family();
    settings()->setFontFamily(QWebEngineSettings::StandardFont, gothic);
    settings()->setFontFamily(QWebEngineSettings::SansSerifFont, gothic);
    settings()->setFontFamily(QWebEngineSettings::FixedFont,
                              QFontInfo(fonts::fixedGothic(12)).family());
    connect(this, &QWebEngineView::loadFinished, this, [this](bool) {
        m_ready = true;
        if (!m_applied)
            apply();
    });
    // The focus lands on the renderer's own child widget; report it as the pane's.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && (now == this || isAncestorOf(now)))
            emit gotFocus();
    });
}

void HtmlPane::navigateBlank() {
    m_ready = false;
    m_pending.clear();
    m_applied = true;
    ++m_generation;
    setHtml(QStringLiteral("<html><body></body></html>"), QUrl(QStringLiteral("file:///")));
}

void HtmlPane::setBodyHtml(const QString &page) {
    m_pending = page;
    m_applied = false;
    ++m_generation;
    if (m_ready)
        apply();
}

void HtmlPane::apply() {
    const quint64 generation = m_generation;
    page()->runJavaScript(
        QStringLiteral("document.body.innerHTML = %1; true;").arg(scriptLiteral(m_pending)),
        [this, generation](const QVariant &) {
            if (generation != m_generation)
                return; // a newer page is on its way
            m_applied = true;
            emit contentApplied();
        });
}

void HtmlPane::readBodyHtml(const std::function<void(const QString &)> &done) {
    page()->runJavaScript(QStringLiteral("document.body ? document.body.innerHTML : ''"),
                          [done](const QVariant &value) { done(value.toString()); });
}
