#pragma once

#include "Twips.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QWidget>

#include <functional>

// What every window needs to build itself from its design: controls placed by their design
// rectangle in twips, and the window's outer size kept at a minimum.
namespace design {

// The program's own texts are written in UTF-8.
inline QString uiText(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// Names the control (its objectName) and places it at its design rectangle.
template <typename Widget>
Widget *placeTwips(Widget *widget, const QString &name, int left, int top, int width, int height) {
    widget->setObjectName(name);
    widget->setGeometry(twips::toPixels(left, top, width, height));
    return widget;
}
template <typename Widget>
Widget *placeTwips(Widget *widget, const char *name, int left, int top, int width, int height) {
    return placeTwips(widget, QString::fromLatin1(name), left, top, width, height);
}

// Keeps the captions of a row of controls (given left to right) whole where the fonts here
// run wider than the design's: each is widened to its text and moved right, clear of the one
// before it, never left of its design place.
void keepCaptionsWhole(const QList<QWidget *> &row);

// The frame (caption and borders) around the window's client area, in pixels.
QSize frameExtra(const QWidget *window);
// The window's frame rectangle, caption and borders included, in pixels.
QRect outerGeometry(const QWidget *window);
// Places the window so that its frame covers outer (pixels): the client area is placed
// inside the frame the window manager reports, which Qt's own move may not know yet.
void setOuterGeometry(QWidget *window, const QRect &outer);
// Moves the window, and shrinks it if need be, so that its frame lies on its screen.
void keepOnScreen(QWidget *window);
// Resizes a window not yet shown to size (pixels), or less on a screen too small for it,
// leaving room for the frame the window manager will add (a large scale factor, say).
void resizeWithinScreen(QWidget *window, QSize size);
// Resizes the window so that its outer size is this many twips.
void resizeOuter(QWidget *window, int width, int height);
// Keeps the outer size at least at the minimum (twips): the window cannot be dragged
// smaller, and one that is smaller is resized. True when it had to be resized.
bool keepMinimumOuterSize(QWidget *window, int minWidth, int minHeight);

// Calls done once the window manager has framed the shown window: it adds the frame some
// time after the window is shown, without telling the window. Called again whenever the
// frame's borders read differently in the two seconds after. Without a frame to come
// (offscreen, say) done is called after two seconds.
void whenFramed(QWidget *window, const std::function<void()> &done);

} // namespace design
