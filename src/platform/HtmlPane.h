#pragma once

#include <QString>
#include <QWebEngineView>

#include <functional>
#include <memory>

class PictureFolder;
class QTimer;

// An HTML renderer pane that shows a page by setting its body's inner HTML, as the quiz
// windows always have; the pane's address stays the blank page. The pages come from quiz
// files, which travel by mail and USB stick: their scripts do not run, they cannot leave the
// blank page or open windows and dialogs, and they read no file but the quiz folder's
// pictures. A renderer that dies or hangs is replaced and the page shown again.
class HtmlPane : public QWebEngineView {
    Q_OBJECT
public:
    explicit HtmlPane(QWidget *parent = nullptr);
    ~HtmlPane() override;

    // "about:Blank": an empty document whose base is file:///, so local pictures load.
    void navigateBlank();
    // document.body.innerHTML = page. While the blank page is still loading the latest page
    // waits and is applied when the document is ready.
    void setBodyHtml(const QString &page);
    // Pages show pictures from this folder and its subfolders only; before it is set, none.
    void setQuizFolder(const QString &folder);
    // Shows every page at this size, in percent; a new renderer keeps it.
    void setZoom(int percent);
    // Hides the reading over the text of ruby mark-up (furigana) on every page from now on,
    // or shows it as the page has it; a new renderer keeps it.
    void setRubyTextHidden(bool hidden);
    // Scrolls the page by most of a screenful, down (+1) or up (-1): a zoomed page is read
    // from the keyboard while the keys a window steps with stay its own.
    void scrollPage(int direction);

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
    class Renderer;

    void startRenderer(bool replacement);
    void replaceRenderer();
    void replaceStalledRenderer();
    void loadBlank();
    void blankLoaded();
    void applyPendingBody();
    void applyRubyRule();
    void answered(quint64 generation);
    void offerLink(const QUrl &url);
    void expectAnswerWithin(int milliseconds);

    std::shared_ptr<PictureFolder> m_folder;
    Renderer *m_renderer = nullptr;
    QTimer *m_watchdog = nullptr; // runs while the renderer owes the program an answer
    QString m_pending;
    bool m_ready = false;
    bool m_applied = true;
    quint64 m_generation = 0;
    int m_lostRenderers = 0; // renderers lost while showing the latest page
    qreal m_zoomFactor = 1.0;
    bool m_rubyTextHidden = false;
};
