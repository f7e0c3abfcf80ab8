#include "Design.h"

namespace design {

QSize frameExtra(const QWidget *window) {
    return window->frameGeometry().size() - window->geometry().size();
}

void resizeOuter(QWidget *window, int width, int height) {
    window->resize(QSize(twips::toPixels(width), twips::toPixels(height)) - frameExtra(window));
}

bool keepMinimumOuterSize(QWidget *window, int minWidth, int minHeight) {
    window->setMinimumSize(QSize(twips::toPixels(minWidth), twips::toPixels(minHeight)) -
                           frameExtra(window));
    const QSize outer = window->frameGeometry().size();
    const int width = std::max(twips::fromPixels(outer.width()), minWidth);
    const int height = std::max(twips::fromPixels(outer.height()), minHeight);
    if (width == twips::fromPixels(outer.width()) && height == twips::fromPixels(outer.height()))
        return false;
    resizeOuter(window, width, height);
    return true;
}

} // namespace design
