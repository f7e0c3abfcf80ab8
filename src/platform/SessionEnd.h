#pragma once

#include <functional>

// The program being ended from outside: SIGTERM, SIGINT or SIGHUP (a shutdown, a kill, a
// closed terminal) or the desktop session's logout. The handler runs on the user-interface
// thread, from the event loop, once per request; a later call replaces the handler.
namespace sessionend {

// Before the handler runs, every modal dialog and message box open is dismissed, as its
// Esc would, so that the program does not wait for a user who has gone.
void onRequest(std::function<void()> handler);

// From the first request on: a box asked for is not shown, it gets its Esc answer at once,
// and work that a No would throw away (a run's journal, say) is kept.
bool ending();
void forgetRequestForTesting();

} // namespace sessionend
