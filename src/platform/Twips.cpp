#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace twips {
namespace {
double dotsPerInch() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}
} // namespace

int toPixels(int twips) {
    return static_cast<int>(std::lround(twips * dotsPerInch() / 1440.0));
}

int fromPixels(int pixels) {
    return static_cast<int>(std::lround(pixels * 1440.0 / dotsPerInch()));
}

QRect toPixels(int left, int top, int width, int height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace twips
