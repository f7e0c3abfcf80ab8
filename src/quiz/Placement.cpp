#include "Placement.h"

#include <algorithm>

namespace placement {
namespace {

// The screen that shows enough of the caption strip to grab it, if any.
const QRect *screenHoldingCaption(const QRect &saved, const QList<QRect> &screens) {
    const QRect caption(saved.x(), saved.y(), std::max(saved.width(), 1), kCaptionHeight);
    for (const QRect &screen : screens) {
        const QRect shown = caption.intersected(screen);
        if (shown.width() >= std::min(kCaptionGrip, caption.width()) && shown.height() > 0)
            return &screen;
    }
    return nullptr;
}

int clampInto(int value, int low, int high) {
    return std::clamp(value, low, std::max(low, high));
}

} // namespace

QRect fitOnScreens(const QRect &saved, const QList<QRect> &screens, const QPoint &fallbackTopLeft) {
    if (screens.isEmpty())
        return saved;
    const QRect *held = screenHoldingCaption(saved, screens);
    const QRect &screen = held ? *held : screens.first();
    const QPoint topLeft = held ? saved.topLeft() : fallbackTopLeft;
    const int width = std::clamp(saved.width(), 1, screen.width());
    const int height = std::clamp(saved.height(), 1, screen.height());
    const int x = clampInto(topLeft.x(), screen.left(), screen.right() + 1 - width);
    const int y = clampInto(topLeft.y(), screen.top(), screen.bottom() + 1 - height);
    return {x, y, width, height};
}

} // namespace placement
