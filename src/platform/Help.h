#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// The program's own Japanese HTML help.
namespace help {

// The start page: installed beside the program, or in the source tree when run from a build.
QString contentsPath();
// Opens the start page in the desktop's browser.
void openContents();

// Testing: receives the address instead of opening it; an empty function restores.
void setOpener(std::function<void(const QUrl &)> opener);

} // namespace help
