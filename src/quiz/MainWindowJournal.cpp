// The main window's runs beyond the first: resuming an interrupted run from its journal,
// retrying the questions a run missed, and the report of the last run.
#include "Design.h"
#include "EditorWindow.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "ResultWindow.h"
#include "RunJournal.h"
#include "RunModel.h"
#include "SessionEnd.h"
#include "StudyOptions.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>

using design::uiText;

void MainWindow::showElapsed(double elapsedSeconds, bool paused) {
    showClock(quizrun::formatElapsed(elapsedSeconds) +
              (paused ? uiText(" 一時停止中") : QString()));
}

// The end of time is a step past the last question.
void MainWindow::endAtTimeLimit() {
    questionNumberBox->setText(QString::number(m_state.questionCount + 1));
}

void MainWindow::tick() {
    m_run->tick();
}

// A run of the questions now in the shared state: every answer cleared, the clock from zero.
void MainWindow::startRun() {
    setRunOver(false);
    {
        // A shorter quiz clamps the bar; that is no step of the learner's to record.
        const QSignalBlocker quiet(questionScrollBar);
        questionScrollBar->setMaximum(m_state.questionCount + 1);
    }
    m_run->setPractice(studyoptions::practiceMode());
    m_run->setClassFolder(studyoptions::learnerName(), studyoptions::classFolder());
    m_run->start(editorOpen());
    placePictureArea(m_pictureArea);
    showPracticeMark(questionIndexOnShow(), false);
    showPlace();
}

// The clock stands still while the learner is away (the editor, the Pause key), and says so.
void MainWindow::pauseClock() {
    m_run->pause();
}

// A journal of this quiz file as it is now offers to go on where the last run stopped, in its
// order and of its kind. True when the learner went on.
bool MainWindow::offerResume() {
    m_run->stopJournal();
    // As loaded, unless the editor made the file since (a section that could not be loaded).
    const runjournal::QuizIdentity quiz =
        m_loadedIdentity.path == QFileInfo(m_state.currentQuizFile).absoluteFilePath()
            ? m_loadedIdentity
            : runjournal::identify(m_state.currentQuizFile);
    const std::optional<runjournal::Journal> journal =
        runjournal::find(quiz, m_state.answerTexts.size());
    // A run in another order is kept for when the editor, which has the quiz in its order, is
    // closed.
    if (journal && !journal->order.isEmpty() && editorOpen())
        return false;
    const bool resume =
        journal && messagebox::show(this, uiText("前回の続きから再開しますか？"), uiText("確認"),
                                    messagebox::Buttons::YesNo) == messagebox::Answer::Yes;
    if (resume) {
        m_run->resumeFrom(*journal);
        {
            const QSignalBlocker quiet(questionScrollBar); // its questions may be fewer
            questionScrollBar->setMaximum(m_state.questionCount + 1);
        }
        showRunKind();
        placePictureArea(m_pictureArea);
        const int question = std::clamp(journal->questionOnShow, 1, int(m_state.questionCount));
        questionNumberBox->setText(QString::number(question));
        showQuestionFromNumberBox();
    } else if (!sessionend::ending()) { // a box dismissed by a logout is no answer
        runjournal::drop(quiz.path);
    }
    if (!sessionend::ending()) // the journal kept stays as it is for the next start
        m_run->journalTo(quiz);
    return resume;
}

// Said once a run, in the status bar rather than a box in the middle of a timed run.
void MainWindow::tellJournalFailure(const QString &problem) {
    const QString told = uiText("途中経過を保存できません: 中断すると再開できません。"
                                "ディスクの空きを確かめてください。（%1）")
                             .arg(problem);
    statusPanels.text->setText(told);
    statusPanels.text->setToolTip(told); // the panel may be too narrow for all of it
}

// After the results: another try at the questions the report listed, or after a retry the
// whole quiz back. A shuffled run or a review stays to be looked through with its answers.
void MainWindow::afterResults(const ResultWindow &results) {
    m_lastRun = m_state;
    m_lastRunSection = sectionBox->currentText();
    filePrintPreviewAction->setEnabled(true);
    if (!results.retryRequested()) {
        if (m_run->kind() == history::RunKind::Retry)
            backToWholeQuiz();
        setRunOver(true);
        return;
    }
    if (!editorLetGoOfQuiz()) {
        backToWholeQuiz();
        setRunOver(true);
        return;
    }
    m_run->retry(results.listedQuestions());
    startRunOfTakenQuestions();
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
    if (over)
        m_run->finish();
    answerBox->setReadOnly(over);
    answerList->setEnabled(!over);
    if (over)
        statusPanels.text->setText(
            uiText("この回は終わりました。もう一度解くには［読み込み］を押してください。"));
}

bool MainWindow::isRunUnderWay() const {
    return m_run->isUnderWay();
}

// The whole quiz in the shared state again, as the editor and a save must see it.
void MainWindow::backToWholeQuiz() {
    if (!m_run->wholeQuizBack())
        return;
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
