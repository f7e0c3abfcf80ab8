// The quiz run of the main window: loading a section, showing questions, taking answers.
#include "Clock.h"
#include "Design.h"
#include "EditorWindow.h"
#include "FileDialog.h"
#include "HtmlPane.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "QuestionPages.h"
#include "QuizFile.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "ResultWindow.h"
#include "RunJournal.h"
#include "RunModel.h"
#include "Sections.h"

#include <QEventLoop>

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

#include <future>

using messagebox::Answer;
using messagebox::Buttons;

using design::placeTwips;
using design::uiText;

namespace {
const char *const kConfirm = "確認";

// Reads the quiz file at path once: a run's journal names the quiz by the very bytes loaded,
// digested on another core while this one parses (afterwards where no thread can be had).
quizfile::ReadResult readQuiz(const QString &path, runjournal::QuizIdentity &identity) {
    identity = {};
    const wholefile::ReadResult file = quizfile::readBytes(path);
    if (!file.ok()) {
        quizfile::ReadResult failed;
        failed.error = file.error;
        failed.failure = file.failure;
        return failed;
    }
    std::future<runjournal::QuizIdentity> digest =
        std::async(std::launch::async | std::launch::deferred,
                   [path, bytes = file.bytes] { return runjournal::identify(path, bytes); });
    quizfile::ReadResult quiz = quizfile::parse(file.bytes);
    if (quiz.ok)
        identity = digest.get();
    return quiz;
}
} // namespace

// Reads the quiz file into the shared state; on failure nothing changes. A quiz too long
// for the question scroll bar is refused here, with its own message.
MainWindow::QuizRead MainWindow::readQuizIntoState(const QString &path, QString &error) {
    const quizfile::ReadResult quiz = readQuiz(path, m_loadedIdentity);
    if (!quiz.ok) {
        error = quiz.failure == wholefile::Failure::Missing ? uiText("ファイルがありません。")
                                                            : quiz.error;
        return QuizRead::Unreadable;
    }
    if (quiz.records.size() > quizrun::kMaxQuestionCount) {
        messagebox::show(this,
                         uiText("%1 には問題が %2 問あり，読み込めません。\r\n"
                                "読み込めるのは %3 問までです。")
                             .arg(path)
                             .arg(quiz.records.size())
                             .arg(quizrun::kMaxQuestionCount),
                         messagebox::applicationTitle());
        return QuizRead::Refused;
    }
    m_state.replaceQuiz(quiz.records);
    m_run->forgetWholeQuiz();
    m_run->stopJournal(); // until a run of this quiz starts
    return QuizRead::Ok;
}

void MainWindow::loadQuizSection(const QString &path) {
    quizLoaded = true;
    if (path.isEmpty())
        m_state.currentQuizFile =
            sections::quizFilePath(m_state.quizFolder, sectionBox->currentText());
    QString error;
    switch (readQuizIntoState(path.isEmpty() ? m_state.currentQuizFile : path, error)) {
    case QuizRead::Ok:
        statusPanels.text->setText(m_state.currentQuizFile);
        questionNumberBox->setText(QStringLiteral("1"));
        showQuestionFromNumberBox();
        return;
    case QuizRead::Refused:
        quizLoaded = false;
        return;
    case QuizRead::Unreadable:
        break;
    }
    const Answer create =
        messagebox::show(this, uiText("ファイルがないようです｡新規に作成しますか？"),
                         uiText(kConfirm), Buttons::YesNo);
    if (create == Answer::No)
        quizLoaded = false;
    else
        showEditor(true);
}

void MainWindow::loadSection() {
    loadQuizSection(QString());
    if (!quizLoaded)
        return;
    startRun();
    if (!offerResume())
        shuffleIfChosen();
}

// The index of the question the number box names (rounded, halves to even), or -1.
int MainWindow::questionIndexOnShow() const {
    double n = 0;
    if (!parseDecimal(questionNumberBox->text(), n))
        return -1;
    const WholeNumber index = toInt32(QString::number(n - 1, 'f', 6));
    return index.ok() ? static_cast<int>(index.value) : -1;
}

void MainWindow::showQuestionFromNumberBox() {
    m_state.currentImageFile.clear();
    double n = 0;
    if (!parseDecimal(questionNumberBox->text(), n))
        return;
    if (n >= m_state.questionCount + 1.0) {
        endOfQuiz();
        return;
    }
    const int i = questionIndexOnShow();
    if (i >= 0 && i < m_state.questions.size())
        showQuestion(i);
    if (i >= 0 && i < m_state.answerTexts.size())
        answerBox->setText(m_state.answerTexts[i]);
    // Moving the scroll bar records the answer box for this question (showQuestionFromScrollBar).
    const WholeNumber value = toInt16(questionNumberBox->text());
    if (value.ok())
        setScrollValue(static_cast<int>(value.value));
    showPlace();
}

// "3 / 10問　未解答 7": where the learner is, and what is left before the results.
void MainWindow::showPlace() {
    const int i = questionIndexOnShow();
    // No run (nothing loaded, the editor's new quiz): no panel rather than an empty one.
    const bool shown = !clockLabel->text().isEmpty() && i >= 0 && i < m_state.questionCount &&
                       m_state.answerTexts.size() >= m_state.questionCount;
    statusPanels.place->setVisible(shown);
    if (!shown)
        return;
    const auto unanswered = std::count_if(m_state.answerTexts.cbegin(),
                                          m_state.answerTexts.cbegin() + m_state.questionCount,
                                          [](const QString &given) { return given.isEmpty(); });
    statusPanels.place->setText(
        uiText("%1 / %2問　未解答 %3").arg(i + 1).arg(m_state.questionCount).arg(unanswered));
}

void MainWindow::showQuestion(int index) {
    const QuizRecord &question = m_state.questions[index];
    questionpages::showPages(*questionPane, *choicesPane, question, m_state.quizFolder);
    // A question without a picture of its own shows the last one named.
    if (!question.imageFile.isEmpty())
        m_state.currentImageFile = sections::picturePath(m_state.quizFolder, question.imageFile);
    questionpages::showPicture(*pictureLabel, m_state.currentImageFile);
    ruleLabel->setText(quizrun::ruleText(question.answer));
    sayQuestion(index);
    showPracticeMark(index, false);
}

void MainWindow::recordAnswer() {
    markAnswerOnShow();
    m_run->keepJournal();
    showPracticeMark(questionIndexOnShow(), true);
}

// The answer box marked as the answer to the question the number box names.
void MainWindow::markAnswerOnShow() {
    if (m_run->isOver())
        return;
    const WholeNumber a = toInt32(questionNumberBox->text());
    int error = a.error;
    const qint64 i = a.value - 1;
    if (!error && (i < 0 || i >= m_state.answerTexts.size() || i >= m_state.answerMarks.size()))
        error = errors::kSubscriptOutOfRange;
    const QString given = answerBox->text();
    // Only an empty answer can be marked without the question's record.
    if (!error && !given.isEmpty() && i >= m_state.questions.size())
        error = errors::kSubscriptOutOfRange;
    if (error) {
        messagebox::show(this, errors::message(error), messagebox::applicationTitle());
        return;
    }
    m_run->recordAnswer(i, given);
    showPlace();
}

void MainWindow::pickAnswerFromList() {
    pickAnswer(answerList->currentRow());
}

void MainWindow::pickAnswer(int row) {
    if (row < 0 || row >= answerList->count())
        return;
    const QString answer = answerList->item(row)->text();
    if (!m_run->pickAnswer(questionIndexOnShow(), answer))
        return; // the run is over, or the answer's mark was shown in practice
    answerBox->setText(answer);
    showPlace();
    m_run->keepJournal();
}

void MainWindow::endOfQuiz() {
    // One step past the end asks once: a scroll bar arrow held down keeps stepping while the
    // box holds the mouse release, so its press ends here, and steps during the box are let go.
    if (m_askingEnd)
        return;
    const QScopedValueRollback asking(m_askingEnd, true);
    releaseScrollBar();
    questionNumberBox->setText(QString::number(m_state.questionCount)); // shows the last question
    if (m_run->isOver())
        return;
    const Answer show = messagebox::show(this, uiText("問題は以上です｡結果を表示しますか？"),
                                         uiText(kConfirm), Buttons::YesNo);
    if (show == Answer::Yes) {
        const QString historyProblem = m_run->finish();
        ResultWindow results(m_state, sectionBox->currentText(), this);
        if (!historyProblem.isEmpty())
            messagebox::showOnceUp(&results, historyProblem, messagebox::applicationTitle());
        results.exec();
        afterResults(results);
    }
}

void MainWindow::releaseScrollBar() {
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(), QPointF(), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(questionScrollBar, &release);
}

void MainWindow::openQuizFile() {
    const QString path = filedialog::openFile(this, uiText("開く"),
                                              uiText("問題ﾌｧｲﾙ (*.tsl)|*.tsl"), m_state.quizFolder);
    if (path.isEmpty())
        return;
    QString error;
    const QuizRead outcome = readQuizIntoState(path, error);
    if (outcome == QuizRead::Unreadable)
        messagebox::show(this, uiText("%1 を読み込めませんでした。\r\n%2").arg(path, error),
                         messagebox::applicationTitle());
    if (outcome != QuizRead::Ok)
        return;
    statusPanels.text->setText(path);
    questionNumberBox->setText(QStringLiteral("1"));
    showQuestionFromNumberBox();
    questionNumberBox->setFocus();
}

void MainWindow::startNewQuiz() {
    if (messagebox::show(this, uiText("新しい問題を作成します。"), uiText("新規作成"),
                         Buttons::YesNo) == Answer::Yes) {
        pauseClock();
        showEditor(false);
    }
}

void MainWindow::closeQuiz() {
    m_run->endJournal();
    m_run->forgetWholeQuiz();
    m_state.closeQuiz();
    m_spokenQuestion.clear();
    describeBoxes(m_spokenQuestion);
    statusPanels.place->hide();
    questionNumberBox->setText(QStringLiteral("1"));
    questionPane->navigateBlank();
    choicesPane->navigateBlank();
    questionScrollBar->setMaximum(1);
    questionScrollBar->setValue(1);
}

EditorWindow *MainWindow::editor() {
    if (!m_editor) {
        m_editor = new EditorWindow(m_state, this);
        connect(m_editor, &EditorWindow::closed, this, &MainWindow::returnFromEditor);
        connect(m_editor, &EditorWindow::questionsRenumbered, this,
                &MainWindow::followRenumberedQuiz);
        m_editor->statusBar()->setVisible(viewStatusBarAction->isChecked());
    }
    return m_editor;
}

// The editor inserted or deleted questions in the shared table (the answers moved with them):
// the window shows its question again, within the quiz, without recording the answer box.
void MainWindow::followRenumberedQuiz() {
    const QSignalBlocker quiet(questionScrollBar);
    questionScrollBar->setMaximum(m_state.questionCount + 1);
    const int shown =
        std::clamp(questionIndexOnShow() + 1, 1, std::max(1, int(m_state.questionCount)));
    questionNumberBox->setText(QString::number(shown));
    showQuestionFromNumberBox();
}

// The learner is back in this window (and the run paused for the editor goes on).
void MainWindow::returnFromEditor() {
    emit editorClosed();
    activateWindow();
    setFocus();
}

bool MainWindow::editorOpen() const {
    return m_editor && m_editor->isVisible();
}

void MainWindow::showEditor(bool modal) {
    backToWholeQuiz(); // the editor works on the whole quiz
    EditorWindow *window = editor();
    if (!modal) {
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    // Modal: the rest of the program waits until the editor is closed.
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop closed;
    connect(window, &QObject::destroyed, &closed, &QEventLoop::quit);
    window->show();
    const QScopedValueRollback waiting(m_waitingForModalEditor, true);
    closed.exec();
}
