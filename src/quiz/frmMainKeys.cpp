// The main window's clock, scroll bar, keys, focus, toolbar and remaining menu items.
#include "AboutDialog.h"
#include "Clock.h"
#include "EditorWindow.h"
#include "Help.h"
#include "HtmlPane.h"
#include "Module1.h"
#include "Numbers.h"
#include "OptionsDialog.h"
#include "QuizRun.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

void frmMain::Timer1_Timer() {
    m_state.QuizNowSeconds = clockreading::secondsSinceMidnight();
    const double elapsed =
        quizrun::elapsedSeconds(m_state.QuizStartSeconds, m_state.QuizNowSeconds);
    Label4->setText(quizrun::formatElapsed(elapsed));
    if (elapsed >= quizrun::kTimeLimitSeconds) {
        Timer1->stop();
        TextNum->setText(QString::number(m_state.QuestionCount + 1)); // ends the quiz
    }
}

void frmMain::VScroll1_Change() {
    Command2_Click(); // records the answer of the question being left
    TextNum->setText(QString::number(VScroll1->value()));
    const QSignalBlocker quiet(List1);
    List1->setCurrentRow(-1);
    List1->clearSelection();
}

// A value outside the scroll bar's range is not set (the bar would clamp it).
void frmMain::setScrollValue(int value) {
    if (value >= VScroll1->minimum() && value <= VScroll1->maximum())
        VScroll1->setValue(value);
}

void frmMain::stepScrollBar(int delta) {
    setScrollValue(VScroll1->value() + delta);
}

// The next question, or past the last one; at the end the number box is set again.
void frmMain::nextQuestion() {
    if (VScroll1->value() < VScroll1->maximum())
        stepScrollBar(+1);
    else
        TextNum->setText(QString::number(VScroll1->value()));
}

// Returns true when the key-down is consumed. Navigation keys never reach a control (no text
// cursor moves); keys that type characters still reach the focused box.
bool frmMain::Form_KeyDown(QKeyEvent *event) {
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // menu shortcuts and editing keys
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
        if (parseDecimal(TextNum->text(), n) && n > 1)
            stepScrollBar(-1);
        return true;
    }
    case Qt::Key_Home:
        setScrollValue(1);
        return true;
    case Qt::Key_End:
        setScrollValue(m_state.QuestionCount);
        return true;
    case Qt::Key_Pause:
        if (Timer1->isActive())
            Timer1->stop();
        else
            Timer1->start();
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
            const QSignalBlocker quiet(List1);
            List1->setCurrentRow(-1);
        } else {
            List1->setCurrentRow(row);
            pickAnswer(row);
        }
        // In the answer box the pick is the answer: typing the digit too would spoil it.
        return QApplication::focusWidget() == TextAns;
    }
    return false;
}

// Only the focus inside this window moves: a pane that takes the focus while it loads must
// not pull the main window in front of the editor.
void frmMain::giveFocusBack() {
    setFocus(Qt::OtherFocusReason);
}

void frmMain::tbToolBar_ButtonClick(const QString &key) {
    if (key == QString::fromUtf8("新規作成"))
        mnuFileNew_Click();
    else if (key == QString::fromUtf8("開く"))
        mnuFileOpen_Click();
    else if (key == QString::fromUtf8("ｺﾏﾝﾄﾞ ﾎﾞﾀﾝ"))
        LoadQuizSection(QString());
    // "上書き保存" and "印刷" have no action.
}

void frmMain::mnuViewToolbar_Click() {
    // The item starts unchecked while the toolbar shows: the first use only adds the mark.
    tbToolBar->setVisible(mnuViewToolbar->isChecked());
}

void frmMain::mnuViewStatusBar_Click() {
    statusBar()->setVisible(mnuViewStatusBar->isChecked());
    editor()->statusBar()->setVisible(mnuViewStatusBar->isChecked()); // the editor's follows
}

void frmMain::mnuViewOptions_Click() {
    m_state.OptionsOpener = QStringLiteral("frmMain");
    OptionsDialog options(m_state, this);
    options.exec();
}

void frmMain::mnuToolsOptions_Click() {
    Timer1->stop();
    showEditor(false);
}

void frmMain::mnuHelpContents_Click() {
    help::openContents();
}

void frmMain::mnuHelpAbout_Click() {
    AboutDialog about(this);
    about.exec();
}
