#include "Design.h"

#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace design {

void keepCaptionsWhole(const QList<QWidget *> &row) {
    int left = 0;
    for (QWidget *control : row) {
        left = std::max(left, control->x());
        const int width = std::max(control->width(), control->sizeHint().width());
        control->setGeometry(left, control->y(), width, control->height());
        left += width;
    }
}

namespace {
QMargins frameMargins(const QWidget *window) {
    return window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
}
} // namespace

// From the window manager's frame extents: the difference of the frame and client
// geometries can be taken between a resize and its answer, and then means nothing.
QSize frameExtra(const QWidget *window) {
    const QMargins margins = frameMargins(window);
    return {margins.left() + margins.right(), margins.top() + margins.bottom()};
}

QRect outerGeometry(const QWidget *window) {
    return window->geometry().marginsAdded(frameMargins(window));
}

void setOuterGeometry(QWidget *window, const QRect &outer) {
    window->setGeometry(outer.marginsRemoved(frameMargins(window)));
}

void keepOnScreen(QWidget *window) {
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect outer = outerGeometry(window);
    QRect fitted(outer.topLeft(), outer.size().boundedTo(area.size()));
    fitted.moveTo(std::clamp(fitted.x(), area.left(), area.right() + 1 - fitted.width()),
                  std::clamp(fitted.y(), area.top(), area.bottom() + 1 - fitted.height()));
    if (fitted != outer)
        setOuterGeometry(window, fitted);
}

void resizeWithinScreen(QWidget *window, QSize size) {
    const QScreen *screen = window->screen();
    if (screen)
        size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 80));
    window->resize(size);
}

void resizeOuter(QWidget *window, int width, int height) {
    window->resize(QSize(twips::toPixels(width), twips::toPixels(height)) - frameExtra(window));
}

bool keepMinimumOuterSize(QWidget *window, int minWidth, int minHeight) {
    // On a screen smaller than the design's minimum (a large scale factor, say) the window
    // may be as small as the screen, so that it opens whole on it.
    if (const QScreen *screen = window->screen()) {
        minWidth = std::min(minWidth, twips::fromPixels(screen->availableGeometry().width()));
        minHeight = std::min(minHeight, twips::fromPixels(screen->availableGeometry().height()));
    }
    window->setMinimumSize(QSize(twips::toPixels(minWidth), twips::toPixels(minHeight)) -
                           frameExtra(window));
    const QSize outer = outerGeometry(window).size();
    const int width = std::max(twips::fromPixels(outer.width()), minWidth);
    const int height = std::max(twips::fromPixels(outer.height()), minHeight);
    if (width == twips::fromPixels(outer.width()) && height == twips::fromPixels(outer.height()))
        return false;
    resizeOuter(window, width, height);
    return true;
}

// Until the window manager publishes the frame's extents, Qt works them out from the window
// tree, and while the frame is being built that can come out wrong: the whole difference in
// size counted as the right and bottom borders, or negative borders. Placed by those, the
// window opened 20 pixels off, or twice its size. So done runs on the first plausible
// borders, at once as a user expects, and again whenever they read differently over the next
// two seconds.
void whenFramed(QWidget *window, const std::function<void()> &done) {
    auto *watch = new QTimer(window);
    watch->setInterval(50);
    int ticks = 0;
    QMargins used;
    QObject::connect(watch, &QTimer::timeout, window, [=]() mutable {
        const QMargins margins = frameMargins(window);
        const bool plausible = !margins.isNull() && margins.left() >= 0 && margins.top() >= 0 &&
                               margins.right() >= 0 && margins.bottom() >= 0;
        if (plausible && margins != used) {
            used = margins;
            done();
        }
        if (++ticks < 40)
            return;
        watch->deleteLater();
        if (used.isNull()) // never framed (offscreen, say)
            done();
    });
    watch->start();
}

} // namespace design
