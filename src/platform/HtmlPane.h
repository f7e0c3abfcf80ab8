#pragma once

#include <QString>
#include <QWebEngineView>

#include <functional>

// An HTML renderer pane that shows a page by setting its body's inner HTML, as the quiz
// windows always have; the pane's address stays the blank page.
class HtmlPane : public QWebEngineView {
    Q_OBJECT
public:
    explicit HtmlPane(QWidget *parent = nullptr);

    // "about:Blank": an empty document whose base is file:///, so local pictures load.
    void navigateBlank();
    // document.body.innerHTML = page. While the blank page is still loading the latest page
    // waits and is applied when the document is ready.
    void setBodyHtml(const QString &page);

    // True once the blank page has loaded.
    bool isReady() const { return m_ready; }
    // True when the latest page given has reached the renderer.
    bool isApplied() const { return m_applied; }
    // Reads document.body.innerHTML back from the renderer (for checks).
    void readBodyHtml(const std::function<void(const QString &)> &done);

signals:
    void gotFocus();
    void contentApplied();

private:
    void apply();

    QString m_pending;
    bool m_ready = false;
    bool m_applied = true;
    quint64 m_generation = 0;
};
