#pragma once

#include <QRect>

// Lengths in twips (1440 to the inch), converted with the screen's logical DPI: 15 twips to
// a pixel at 96 dpi.
namespace twips {

int toPixels(int twips);
int fromPixels(int pixels);
QRect toPixels(int left, int top, int width, int height);

} // namespace twips
