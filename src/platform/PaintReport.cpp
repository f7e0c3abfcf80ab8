#include "PaintReport.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <chrono>
#include <cstdio>

namespace {
// The frame usually reaches the view after the callback's word; should it come first, it is
// reported once this long has passed without another.
constexpr int kFrameBeforeWordMs = 2000;

bool reporting() {
    static const bool on = qEnvironmentVariableIsSet("TESSELLAR_PAINT_REPORT");
    return on;
}

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Watches one view: the callback's word arrives as the page's title, and the view's render
// surface repainted after it is the new frame on screen.
class Reporter : public QObject {
public:
    explicit Reporter(QWebEngineView *view) : QObject(view), m_view(view) { setObjectName(name()); }
    static QString name() { return QStringLiteral("paintReporter"); }

    QString arm() {
        if (m_page != m_view->page()) {
            m_page = m_view->page();
            connect(m_page, &QWebEnginePage::titleChanged, this, &Reporter::titleChanged);
        }
        if (m_surface != m_view->focusProxy()) {
            m_surface = m_view->focusProxy();
            if (m_surface)
                m_surface->installEventFilter(this);
        }
        m_frameStarted = false;
        m_armedNs = nowNs();
        ++m_token;
        return QStringLiteral("requestAnimationFrame(function () { document.title = '%1'; });")
            .arg(token());
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        // Queued: runs once the window's repaint, flush included, has returned.
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, &Reporter::flushed);
        return false;
    }

private:
    QString token() const { return QStringLiteral("painted %1").arg(m_token); }

    void titleChanged(const QString &title) {
        if (title != token())
            return;
        m_frameStarted = true;
        QTimer::singleShot(kFrameBeforeWordMs, this, [this, token = m_token] {
            if (m_frameStarted && token == m_token && m_flushedNs > m_armedNs)
                print(m_flushedNs);
        });
    }

    void flushed() {
        m_flushedNs = nowNs();
        if (m_frameStarted)
            print(m_flushedNs);
    }

    void print(qint64 ns) {
        m_frameStarted = false;
        const QPoint at = m_view->mapTo(m_view->window(), QPoint(0, 0));
        const QSize window = m_view->window()->size();
        std::printf("painted %s %lld %d,%d %dx%d in %dx%d\n", qPrintable(m_view->objectName()),
                    static_cast<long long>(ns), at.x(), at.y(), m_view->width(), m_view->height(),
                    window.width(), window.height());
        std::fflush(stdout);
    }

    QWebEngineView *m_view;
    QPointer<QWebEnginePage> m_page;
    QPointer<QWidget> m_surface;
    quint64 m_token = 0;
    qint64 m_armedNs = 0;
    qint64 m_flushedNs = 0;
    bool m_frameStarted = false;
};
} // namespace

namespace paintreport {

QString frameScript(QWebEngineView *view) {
    if (!reporting())
        return QString();
    auto *reporter = static_cast<Reporter *>(
        view->findChild<QObject *>(Reporter::name(), Qt::FindDirectChildrenOnly));
    if (!reporter)
        reporter = new Reporter(view);
    return reporter->arm();
}

} // namespace paintreport
