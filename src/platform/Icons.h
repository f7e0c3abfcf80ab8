#pragma once

#include <QIcon>

namespace icons {
// The desktop theme's icon `themeName` where the desktop has an icon theme, and otherwise the
// program's own picture `own` (":/icons/toolbar-<own>-16.png" and its 32-pixel twin). An empty
// `themeName` (no theme draws the thing) always gives the program's own.
QIcon themedOrOwn(const char *themeName, const char *own);

// The program's icon in the sizes window managers show: the window sends each size to the X
// server, so the large launcher picture stays out.
QIcon windowIcon();
} // namespace icons
