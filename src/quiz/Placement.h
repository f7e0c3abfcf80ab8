#pragma once

#include <QList>
#include <QRect>

// Where the main window may open: saved placements come from a settings file that anyone
// may have edited, or from a desktop that had other screens.
namespace placement {

// How much of the caption must stay on a screen for the user to drag the window.
inline constexpr int kCaptionGrip = 100;
inline constexpr int kCaptionHeight = 30;

// The saved outer rectangle (pixels) moved and shrunk so that it fits the screen that holds
// its caption and the caption can be reached; a caption on no screen puts the window at
// fallbackTopLeft on the first screen. screens are the screens' available areas.
QRect fitOnScreens(const QRect &saved, const QList<QRect> &screens, const QPoint &fallbackTopLeft);

} // namespace placement
