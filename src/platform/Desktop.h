#pragma once

#include <QUrl>

#include <functional>

// Addresses handed to the desktop: its web browser, its mail program, its HTML viewer.
namespace desktop {

// Opens the address with the desktop's own program for it. failed runs when no program can
// be started for it, or the desktop's launcher reports that it could not open it.
void openUrl(const QUrl &url, const std::function<void()> &failed = {});

// Testing: receives the address instead of opening it; an empty function restores.
void setUrlOpener(std::function<void(const QUrl &)> opener);

} // namespace desktop
