// The main window's clock, scroll bar, keys, focus, toolbar and remaining menu items.
#include "AboutDialog.h"
#include "Accessibility.h"
#include "Clock.h"
#include "Design.h"
#include "EditorWindow.h"
#include "Help.h"
#include "HtmlPane.h"
#include "MainWindow.h"
#include "Numbers.h"
#include "OptionsDialog.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "RunModel.h"
#include "Sections.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

void MainWindow::showQuestionFromScrollBar() {
    // The answer goes into the journal together with the question stepped to, below: a crash
    // in between would resume at the question just answered.
    markAnswerOnShow(); // the answer of the question being left
    questionNumberBox->setText(QString::number(questionScrollBar->value()));
    const QSignalBlocker quiet(answerList);
    answerList->setCurrentRow(-1);
    answerList->clearSelection();
    m_run->keepJournal();
}

// A screen reader reads the clock to the minute ("経過時間 00:12"): a name that changed each
// second would be read each second by a reader that follows it. Ctrl+T says it to the second.
void MainWindow::showClock(const QString &shown) {
    if (shown == clockLabel->text())
        return;
    clockLabel->setText(shown);
    static const QRegularExpression seconds(QStringLiteral("(\\d+:\\d+):\\d+"));
    accessibility::nameFigure(clockLabel, design::uiText("経過時間"),
                              QString(shown).replace(seconds, QStringLiteral("\\1")));
    fitClock();
}

// Keys for a learner who listens or zooms: Ctrl+T says the time on the clock; Ctrl+Down and
// Ctrl+Up scroll the question pane, with Shift the choices pane.
void MainWindow::createListeningKeys() {
    const auto key = [this](QKeyCombination combination, auto act) {
        connect(new QShortcut(QKeySequence(combination), this), &QShortcut::activated, this, act);
    };
    key(Qt::CTRL | Qt::Key_T,
        [this] { describeBoxes(design::uiText("経過時間 ") + clockLabel->text()); });
    key(Qt::CTRL | Qt::Key_Down, [this] { questionPane->scrollPage(+1); });
    key(Qt::CTRL | Qt::Key_Up, [this] { questionPane->scrollPage(-1); });
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_Down, [this] { choicesPane->scrollPage(+1); });
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_Up, [this] { choicesPane->scrollPage(-1); });
    // Said where the learner is; the question is back for the next visit.
    connect(qApp, &QApplication::focusChanged, this, [this] { describeBoxes(m_spokenQuestion); });
}

// What a screen reader says after the name of the box the learner answers or steps in: the
// question on show, read once when a step shows it (it is said where the focus is).
void MainWindow::describeBoxes(const QString &said) {
    for (QLineEdit *box : {answerBox, questionNumberBox})
        accessibility::describe(box, said);
}

// The list shows a digit typed elsewhere as its current entry without taking the focus, so a
// screen reader is not told the focus moved there: the learner is still typing in the box.
void MainWindow::showPickInList(int row) {
    if (answerList->hasFocus()) {
        answerList->setCurrentRow(row);
        return;
    }
    {
        const QSignalBlocker quiet(answerList->selectionModel());
        answerList->setCurrentRow(row);
    }
    answerList->viewport()->update();
}

// A value outside the scroll bar's range is not set (the bar would clamp it).
void MainWindow::setScrollValue(int value) {
    if (value >= questionScrollBar->minimum() && value <= questionScrollBar->maximum())
        questionScrollBar->setValue(value);
}

void MainWindow::stepScrollBar(int delta) {
    stepTo(questionScrollBar->value() + delta);
}

// In practice a typed answer not yet marked first shows its mark, whichever way the learner
// steps.
void MainWindow::stepTo(int value) {
    if (!showMarkBeforeStep())
        setScrollValue(value);
}

// The next question, or past the last one; at the end the number box is set again.
void MainWindow::nextQuestion() {
    if (showMarkBeforeStep())
        return;
    if (questionScrollBar->value() < questionScrollBar->maximum())
        stepScrollBar(+1);
    else
        questionNumberBox->setText(QString::number(questionScrollBar->value()));
}

// Returns true when the key-down is consumed. Navigation keys never reach a control (no text
// cursor moves); keys that type characters still reach the focused box.
bool MainWindow::handleKey(QKeyEvent *event) {
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // menu shortcuts and editing keys
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Enter on the section of the run under way steps, as everywhere else: only another
    // section is loaded, so a learner's Enter never starts the run again by accident.
    const bool otherSection =
        !isRunUnderWay() || sections::quizFilePath(m_state.quizFolder, sectionBox->currentText()) !=
                                m_state.currentQuizFile;
    if (enter && otherSection && sectionBox->isAncestorOf(QApplication::focusWidget())) {
        loadButton->click(); // a section typed or picked is loaded as the button would
        if (quizLoaded)
            answerBox->setFocus(); // digits typed next are answers, not part of the name
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_PageDown:
    case Qt::Key_Right:
    case Qt::Key_Down:
        nextQuestion();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_Left:
    case Qt::Key_Up: {
        double n = 0;
        if (parseDecimal(questionNumberBox->text(), n) && n > 1)
            stepScrollBar(-1);
        return true;
    }
    case Qt::Key_Home:
        stepTo(1);
        return true;
    case Qt::Key_End:
        stepTo(m_state.questionCount);
        return true;
    case Qt::Key_Pause:
        if (m_run->isClockRunning())
            pauseClock();
        else
            m_run->goOn();
        return true;
    case Qt::Key_Comma: // the keypad separator steps like Enter
        if (!keypad)
            return false;
        nextQuestion();
        return true;
    default:
        break;
    }
    if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_6) {
        const int row = event->key() - Qt::Key_1; // 0 selects no entry
        if (row < 0) {
            const QSignalBlocker quiet(answerList);
            answerList->setCurrentRow(-1);
        } else {
            showPickInList(row);
            pickAnswer(row);
        }
        // In the answer box the pick is the answer: typing the digit too would spoil it.
        return QApplication::focusWidget() == answerBox;
    }
    return false;
}

// Only the focus inside this window moves: a pane that takes the focus while it loads must
// not pull the main window in front of the editor.
void MainWindow::giveFocusBack() {
    setFocus(Qt::OtherFocusReason);
}

void MainWindow::runToolBarButton(const QString &key) {
    if (key == QString::fromUtf8("新規作成"))
        startNewQuiz();
    else if (key == QString::fromUtf8("開く"))
        openQuizFile();
    else if (key == QString::fromUtf8("ｺﾏﾝﾄﾞ ﾎﾞﾀﾝ"))
        loadQuizSection(QString());
    else if (key == QString::fromUtf8("復習"))
        startReview(sectionBox->currentText());
    // "上書き保存" and "印刷" have no action; "ふりがな" is a switch (setUpFuriganaSwitch).
}

void MainWindow::showOrHideToolBar() {
    // The item starts unchecked while the toolbar shows: the first use only adds the mark.
    toolBar->setVisible(viewToolbarAction->isChecked());
}

void MainWindow::showOrHideStatusBar() {
    statusBar()->setVisible(viewStatusBarAction->isChecked());
    editor()->statusBar()->setVisible(viewStatusBarAction->isChecked()); // the editor's follows
}

void MainWindow::showOptions() {
    m_state.optionsOpener = QuizState::Opener::MainWindow;
    OptionsDialog options(m_state, this);
    options.exec();
}

void MainWindow::openEditor() {
    pauseClock();
    showEditor(false);
}

void MainWindow::showHelpContents() {
    help::openContents();
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}
