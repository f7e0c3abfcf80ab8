#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Qt WebEngine, which draws the quiz pages, keeps its renderers in a sandbox that refuses to
// start for root: the web engine then ends the program with no more than a line on its log.
namespace websandbox {

// Whether the web engine would refuse: run as root, and the sandbox not turned off by
// --no-sandbox (on the command line or in QTWEBENGINE_CHROMIUM_FLAGS) or by
// QTWEBENGINE_DISABLE_SANDBOX.
bool refusesToStart(bool root, const QByteArray &chromiumFlags, bool disabledByVariable,
                    const QStringList &arguments);
// The same for this process.
bool refusesToStart();
// What the user is told instead, and what to do.
QString explanation();

} // namespace websandbox
