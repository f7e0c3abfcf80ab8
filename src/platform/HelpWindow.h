#pragma once

#include <QString>

class QTextBrowser;

// The program's own window for its help, for desktops where no launcher can open the help
// file in a browser. One window, brought forward when asked for again.
namespace helpwindow {

QTextBrowser *show(const QString &path);

} // namespace helpwindow
