#pragma once

#include <QString>
#include <QVariant>

class HtmlPane;

// Looks into an HTML pane the way the program does: in the program's own script world, which
// runs even though the page's scripts are off.
namespace paneprobe {

// The script's value, or an invalid value when the renderer does not answer. In the page's
// own world (MainWorld) nothing runs while the page's scripts are off: no value either.
QVariant evaluate(HtmlPane *pane, const QString &script, bool inPagesWorld = false);
// The text a user reads in the pane, frames included (a frame it may not look into reads
// "FOREIGN FRAME").
QString visibleText(HtmlPane *pane);
// Clicks the middle of the element with this id, as a user does with the mouse.
bool clickElement(HtmlPane *pane, const QString &id);

} // namespace paneprobe
