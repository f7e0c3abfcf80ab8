// The main window's runs beyond the first: resuming an interrupted run from its journal,
// retrying the questions a run missed, and the report of the last run.
#include "Clock.h"
#include "Design.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "ResultWindow.h"
#include "RunJournal.h"
#include "SessionEnd.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>

using design::text;

// A run of the questions now in the shared state: every answer cleared, the clock from zero.
void MainWindow::startRun() {
    setRunOver(false);
    m_journalFailureTold = false;
    std::fill(m_state.answerMarks.begin(), m_state.answerMarks.end(), quizrun::kUnanswered);
    std::fill(m_state.answerTexts.begin(), m_state.answerTexts.end(), QString());
    {
        // A shorter quiz clamps the bar; that is no step of the learner's to record.
        const QSignalBlocker quiet(questionScrollBar);
        questionScrollBar->setMaximum(m_state.questionCount + 1);
    }
    if (!editorOpen())
        clockTimer->start();
    m_state.quizStartSeconds = clockreading::secondsSinceMidnight();
    m_state.quizNowSeconds = m_state.quizStartSeconds;
    showElapsed(quizrun::elapsedSeconds(m_state.quizStartSeconds, m_state.quizNowSeconds));
    showPlace();
}

// The clock stands still while the learner is away (the editor, the Pause key), and says so.
void MainWindow::pauseClock() {
    clockTimer->stop();
    if (!clockLabel->text().isEmpty())
        showClock(quizrun::formatElapsed(
                      quizrun::elapsedSeconds(m_state.quizStartSeconds, m_state.quizNowSeconds)) +
                  text(" 一時停止中"));
}

// A journal of this quiz file as it is now offers to go on where the last run stopped.
void MainWindow::offerResume() {
    m_journaling = false;
    // As loaded, unless the editor made the file since (a section that could not be loaded).
    const runjournal::QuizIdentity quiz =
        m_loadedIdentity.path == QFileInfo(m_state.currentQuizFile).absoluteFilePath()
            ? m_loadedIdentity
            : runjournal::identify(m_state.currentQuizFile);
    const std::optional<runjournal::Journal> journal =
        runjournal::find(quiz, m_state.answerTexts.size());
    if (journal && messagebox::show(this, text("前回の続きから再開しますか？"), text("確認"),
                                    messagebox::Buttons::YesNo) == messagebox::Answer::Yes) {
        m_state.answerTexts = journal->answerTexts;
        markAnswersAgain(); // the journal's own marks are not trusted
        m_state.quizNowSeconds = clockreading::secondsSinceMidnight();
        m_state.quizStartSeconds = m_state.quizNowSeconds - journal->elapsedSeconds;
        showElapsed(quizrun::elapsedSeconds(m_state.quizStartSeconds, m_state.quizNowSeconds));
        const int question = std::clamp(journal->questionOnShow, 1, int(m_state.questionCount));
        questionNumberBox->setText(QString::number(question));
        showQuestionFromNumberBox();
    } else if (!sessionend::ending()) { // a box dismissed by a logout is no answer
        runjournal::drop(quiz.path);
    }
    m_journalIdentity = quiz;
    m_journaling = m_journalIdentity.size >= 0;
    m_lastJournaled = {};
}

// Every answer marked against the quiz, as recording it would have.
void MainWindow::markAnswersAgain() {
    for (qsizetype i = 0; i < m_state.answerMarks.size(); ++i) {
        const QString given = m_state.answerTexts.value(i);
        m_state.answerMarks[i] = given.isEmpty() || i >= m_state.questions.size()
                                     ? quizrun::kUnanswered
                                     : quizrun::markFor(given, m_state.questions[i].Answer);
    }
}

// Kept at once when an answer changed, otherwise (the question on show, the time) soon.
void MainWindow::keepJournal() {
    if (!m_journaling || m_journalDeferred)
        return;
    const bool answersChanged = m_lastJournaled.answerTexts != m_state.answerTexts ||
                                m_lastJournaled.answerMarks != m_state.answerMarks;
    if (!answersChanged) {
        if (!m_journalTimer.isActive())
            m_journalTimer.start();
        return;
    }
    writeJournal();
}

void MainWindow::writeJournal() {
    if (!m_journaling)
        return;
    m_journalTimer.stop();
    runjournal::Journal journal;
    journal.quiz = m_journalIdentity;
    journal.answerTexts = m_state.answerTexts;
    journal.answerMarks = m_state.answerMarks;
    journal.questionOnShow = std::max(1, questionIndexOnShow() + 1);
    journal.elapsedSeconds = std::clamp(
        quizrun::elapsedSeconds(m_state.quizStartSeconds, clockreading::secondsSinceMidnight()),
        0.0, quizrun::kTimeLimitSeconds);
    // A journal that cannot be written costs only the resuming: the run goes on, and the
    // learner is told once, in the status bar rather than a box in the middle of the run.
    const QString problem = runjournal::write(journal);
    if (problem.isEmpty()) {
        m_lastJournaled = journal;
    } else if (!m_journalFailureTold) {
        m_journalFailureTold = true;
        const QString told = text("途中経過を保存できません: 中断すると再開できません。"
                                  "ディスクの空きを確かめてください。（%1）")
                                 .arg(problem);
        statusPanels.text->setText(told);
        statusPanels.text->setToolTip(told); // the panel may be too narrow for all of it
    }
}

void MainWindow::endJournal() {
    if (m_journaling)
        runjournal::drop(m_state.currentQuizFile);
    m_journaling = false;
    m_journalTimer.stop();
}

// After the results: another try at the questions the report listed, or the whole quiz back.
void MainWindow::afterResults(const ResultWindow &results) {
    m_lastRun = m_state;
    m_lastRunSection = sectionBox->currentText();
    filePrintPreviewAction->setEnabled(true);
    if (!results.retryRequested()) {
        endRetry();
        setRunOver(true);
        return;
    }
    QList<QuizRecord> missed;
    for (qsizetype i : results.listedQuestions())
        missed.append(m_state.questions.value(i));
    if (!m_wholeQuiz)
        m_wholeQuiz = m_state.questions;
    m_state.replaceQuiz(missed);
    startRun();
    statusPanels.text->setText(text("再挑戦: %1問").arg(missed.size()));
    showFirstQuestion();
}

// Question 1 of the questions now in the state. The scroll bar is set without recording an
// answer: the boxes still hold the last question of the run that ended.
void MainWindow::showFirstQuestion() {
    {
        const QSignalBlocker quiet(questionScrollBar);
        questionScrollBar->setMaximum(m_state.questionCount + 1);
        questionScrollBar->setValue(1);
    }
    questionNumberBox->setText(QStringLiteral("1"));
    showQuestionFromNumberBox();
}

// A run whose results were shown is over: its questions and answers stay to be looked
// through, but nothing more is answered or marked, and the end is not asked again (the
// history has its one line). Loading the section starts a new run.
void MainWindow::setRunOver(bool over) {
    m_runOver = over;
    answerBox->setReadOnly(over);
    answerList->setEnabled(!over);
    if (over)
        statusPanels.text->setText(
            text("この回は終わりました。もう一度解くには［読み込み］を押してください。"));
}

bool MainWindow::isRunUnderWay() const {
    return !m_runOver && !clockLabel->text().isEmpty();
}

// The whole quiz in the shared state again, as the editor and a save must see it.
void MainWindow::endRetry() {
    if (!m_wholeQuiz)
        return;
    m_state.replaceQuiz(*std::exchange(m_wholeQuiz, std::nullopt));
    clockTimer->stop();
    showClock(QString());
    statusPanels.text->setText(m_state.currentQuizFile);
    showFirstQuestion();
}

void MainWindow::previewLastReport() {
    if (!m_lastRun)
        return;
    ResultWindow results(*m_lastRun, m_lastRunSection, this);
    results.previewReport();
}
