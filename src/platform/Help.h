#pragma once

#include <QString>

// The program's own Japanese HTML help.
namespace help {

// The start page: installed beside the program, or in the source tree when run from a build.
QString contentsPath();
// Opens the start page in the desktop's browser, or in a window of the program's own where
// no browser can be started.
void openContents();

} // namespace help
