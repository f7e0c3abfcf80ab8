// The main window's view of the question: furigana shown or hidden, and the question as a
// screen reader says it.
#include "HtmlPane.h"
#include "MainWindow.h"
#include "QuestionPages.h"
#include "Settings.h"

#include <QAction>
#include <QToolBar>

namespace {
// 0: furigana hidden; any other value, or none, shows them as the quiz has them.
constexpr char kFuriganaKey[] = "MainFurigana";
} // namespace

// The menu item and the toolbar button are one switch, each showing the other's state; the
// choice is kept for the next start.
void MainWindow::setUpFuriganaSwitch() {
    QAction *button = toolBar->findChild<QAction *>(QString::fromUtf8("toolBarButton_ふりがな"));
    const bool shown = settings::readNumber(QLatin1String(kFuriganaKey), 1) != 0;
    for (QAction *action : {viewFuriganaAction, button}) {
        action->setCheckable(true);
        action->setChecked(shown);
    }
    connect(viewFuriganaAction, &QAction::toggled, button, &QAction::setChecked);
    connect(button, &QAction::toggled, viewFuriganaAction, &QAction::setChecked);
    connect(viewFuriganaAction, &QAction::toggled, this, &MainWindow::showOrHideFurigana);
    connect(viewFuriganaAction, &QAction::toggled, this,
            [](bool on) { settings::writeNumber(QLatin1String(kFuriganaKey), on ? 1 : 0); });
    showOrHideFurigana(shown);
}

// A learner tests their reading of the kanji with furigana hidden: the panes hide them and
// the question on show is said without them.
void MainWindow::showOrHideFurigana(bool shown) {
    for (HtmlPane *pane : {questionPane, choicesPane})
        pane->setRubyTextHidden(!shown);
    const int index = questionIndexOnShow();
    if (!m_spokenQuestion.isEmpty() && index >= 0 && index < m_state.questions.size())
        sayQuestion(index);
}

// Read once when a step shows it, where the learner is, and again on coming back there.
void MainWindow::sayQuestion(int index) {
    m_spokenQuestion =
        questionpages::spokenText(m_state.questions[index], index + 1, m_state.questionCount,
                                  !viewFuriganaAction->isChecked());
    describeBoxes(m_spokenQuestion);
}
