#include "RunRecord.h"

#include "MessageBox.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "Report.h"
#include "Sections.h"

#include <QTimer>
#include <QWidget>

#include <cmath>

namespace progress {

history::Entry entryOfRun(const QuizState &state, history::RunKind kind, const QDateTime &when) {
    history::Entry e;
    e.when = when.addMSecs(-when.time().msec());
    e.section = sections::sectionOfFile(state.currentQuizFile);
    e.kind = kind;
    const report::Counts c = report::evaluate(state, e.section).counts;
    e.questions = state.questionCount;
    e.correct = c.totalCorrect();
    e.fourChoiceCorrect = c.fourChoiceCorrect;
    e.trueFalseCorrect = c.trueFalseCorrect;
    e.unanswered = c.unanswered();
    e.score = c.score();
    e.maxScore = c.maxScore();
    e.elapsedSeconds = static_cast<qint32>(
        std::floor(quizrun::elapsedSeconds(state.quizStartSeconds, state.quizNowSeconds)));
    return e;
}

void RunRecord::appendOnce(QWidget *window, const QuizState &state) {
    if (m_done || state.currentQuizFile.isEmpty())
        return;
    m_done = true;
    const QString error = history::append(entryOfRun(state, kind, QDateTime::currentDateTime()));
    if (error.isEmpty())
        return;
    // Told once the window is up: the message box must not run inside its show.
    QTimer::singleShot(0, window, [window, error] {
        messagebox::show(window,
                         QString::fromUtf8("成績の記録を保存できませんでした。\r\n") + error,
                         messagebox::applicationTitle());
    });
}

} // namespace progress
