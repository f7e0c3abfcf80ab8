#pragma once

#include <functional>

// The program being ended from outside: SIGTERM, SIGINT or SIGHUP (a shutdown, a kill, a
// closed terminal) or the desktop session's logout. The handler runs on the user-interface
// thread, from the event loop, once per request; a later call replaces the handler.
namespace sessionend {

void onRequest(std::function<void()> handler);

} // namespace sessionend
