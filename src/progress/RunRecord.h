#pragma once

#include "History.h"

#include <QDateTime>

class QuizState;
class QWidget;

namespace progress {

// The history entry of the run in the shared state, finished at when: the figures the
// results window shows, the section of the quiz file and the time on the run's clock.
history::Entry entryOfRun(const QuizState &state, history::RunKind kind, const QDateTime &when);

// The line a results window adds to the history for the run it shows. The window that starts
// a retry sets the kind before the results window is shown.
class RunRecord {
public:
    history::RunKind kind = history::RunKind::Full;

    // Appends the run's line the first time it is called, unless no quiz file was loaded; a
    // failure is told in a message box over window.
    void appendOnce(QWidget *window, const QuizState &state);

private:
    bool m_done = false;
};

} // namespace progress
