// The main window's study beyond one timed run: practice mode's marks, the questions in a
// shuffled order, and reviews of the questions missed in earlier runs.
#include "AnswerLog.h"
#include "Design.h"
#include "Fonts.h"
#include "MainWindow.h"
#include "Menus.h"
#include "MessageBox.h"
#include "ProgressWindow.h"
#include "QuizFile.h"
#include "QuizRun.h"
#include "Review.h"
#include "RunJournal.h"
#include "RunModel.h"
#include "Sections.h"
#include "StudyOptions.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>

using design::uiText;
using messagebox::Answer;

void MainWindow::createStudyControls(QWidget *client) {
    practiceFeedback = new QLabel(client);
    practiceFeedback->setObjectName(QStringLiteral("practiceFeedback"));
    practiceFeedback->setTextFormat(Qt::PlainText); // a key point is the quiz file's text
    practiceFeedback->setWordWrap(true);
    practiceFeedback->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    practiceFeedback->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    practiceFeedback->setMargin(4);
    practiceFeedback->setFont(fonts::proportionalGothic(11.25)); // as the answer box
    practiceFeedback->setAccessibleName(uiText("練習モードの判定"));
    practiceFeedback->hide();
    m_pictureArea = pictureLabel->geometry();
}

// 成績の推移, from which the learner may start a review of the questions missed most often.
void MainWindow::showProgress() {
    const QString review =
        progress::showWindow(this, sectionBox->currentText(), m_state.quizFolder, true);
    if (!review.isEmpty())
        startReview(review, ReviewOf::MostMissed);
}

void MainWindow::addStudyItems(QMenu *tools) {
    connect(menus::addItem(tools, "toolsReviewAction", "復習(&R)", true,
                           QKeySequence(Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, [this] { startReview(sectionBox->currentText()); });
}

// The picture's place is shared with the marks while a practice run is on.
void MainWindow::placePictureArea(const QRect &area) {
    m_pictureArea = area;
    if (!m_run->isPractice()) {
        practiceFeedback->hide();
        pictureLabel->setGeometry(area);
        return;
    }
    const int height =
        std::min(area.height() / 2, practiceFeedback->fontMetrics().lineSpacing() * 4 + 10);
    practiceFeedback->setGeometry(area.x(), area.y(), area.width(), height);
    practiceFeedback->show();
    pictureLabel->setGeometry(area.adjusted(0, height + 4, 0, 0));
}

// In practice mode the step after an answer not yet marked first shows its mark; the next
// one moves on. True when the mark was shown instead of the step.
bool MainWindow::showMarkBeforeStep() {
    const int i = questionIndexOnShow();
    const QString given = answerBox->text();
    if (!m_run->isPractice() || m_run->isOver() || given.isEmpty() || i < 0 ||
        i >= m_state.questions.size() || m_markShownFor == std::pair(i, given))
        return false;
    markAnswerOnShow();
    m_run->keepJournal();
    showPracticeMark(i, true);
    return true;
}

// Whether the answer to the question at index was right, the correct answer and the key
// point; before an answer, what practice mode does. Said by a screen reader when speak.
void MainWindow::showPracticeMark(int index, bool speak) {
    lockAnswerIfMarked(index);
    if (!m_run->isPractice())
        return;
    const qint32 mark = m_state.answerMarks.value(index, quizrun::kUnanswered);
    if (mark == quizrun::kUnanswered || index >= m_state.questions.size()) {
        m_markShownFor = {-1, QString()};
        practiceFeedback->setText(uiText("練習モード: 答えて Enter を押すと，"
                                         "正誤と正解・ポイントが表示されます。"));
        return;
    }
    const QuizRecord &question = m_state.questions[index];
    m_markShownFor = {index, m_state.answerTexts.value(index)};
    QString text = mark == quizrun::kCorrect
                       ? uiText("○ 正解です。")
                       : uiText("× 不正解です。正解は %1 です。").arg(question.answer);
    if (!question.keyPoint.isEmpty())
        text += uiText("\nポイント: ") + question.keyPoint;
    practiceFeedback->setText(text);
    if (speak)
        describeBoxes(text);
}

// Nothing more is answered once the run is over, nor in practice once the answer's mark was
// shown: the first answer marked stands.
void MainWindow::lockAnswerIfMarked(int index) {
    const bool locked = m_run->isOver() || m_run->isAnswerFixed(index);
    answerBox->setReadOnly(locked);
    answerList->setEnabled(!locked);
}

// The questions of the run now taken (a retry, a review, a shuffled quiz), from the first.
void MainWindow::startRunOfTakenQuestions() {
    startRun();
    showRunKind();
    showFirstQuestion();
}

// A run of questions taken from the quiz says which in the status bar.
void MainWindow::showRunKind() {
    if (!m_run->hasWholeQuizKept())
        return;
    const qsizetype count = m_state.questionCount;
    switch (m_run->kind()) {
    case history::RunKind::Retry:
        statusPanels.text->setText(uiText("再挑戦: %1問").arg(count));
        break;
    case history::RunKind::Review:
        statusPanels.text->setText(uiText("復習: %1問").arg(count));
        break;
    default:
        statusPanels.text->setText(m_state.currentQuizFile + uiText("（ランダム順）"));
        break;
    }
}

// A quiz loaded while the editor is open stays in the editor's order.
void MainWindow::shuffleIfChosen() {
    if (!studyoptions::shuffledOrder() || m_state.questionCount < 2 || editorOpen())
        return;
    m_run->shuffle();
    startRunOfTakenQuestions();
}

// The editor works on the whole quiz in its order: before a run of some of its questions it is
// closed (its work saved or let go). False when the learner kept it open.
bool MainWindow::editorLetGoOfQuiz() {
    return !editorOpen() || m_editor->close();
}

// A review takes the place of a run of the quiz that was interrupted (or is under way): the
// learner says whether that run may be given up.
bool MainWindow::interruptedRunGivenUp(const QString &quizFile, qsizetype questionCount) {
    const runjournal::QuizIdentity quiz = runjournal::identify(quizFile);
    if (!runjournal::find(quiz, questionCount))
        return true;
    const Answer go = messagebox::show(this,
                                       uiText("途中の回があります。復習を始めると，"
                                              "その回は再開できなくなります。\r\n"
                                              "復習を始めますか？"),
                                       uiText("復習"), messagebox::Buttons::YesNo);
    if (go != Answer::Yes)
        return false;
    m_run->endJournal();
    runjournal::drop(quiz.path);
    return true;
}

// The questions of the section to review today, or its questions missed most often; nothing
// changes when there are none.
void MainWindow::startReview(const QString &section, ReviewOf which) {
    const QString path = sections::quizFilePath(m_state.quizFolder, section);
    const answerlog::ReadResult log = answerlog::read();
    const QDate today = m_run->now().date();
    const auto questionsOf = [&](const QList<QuizRecord> &quiz) {
        return review::questionsOf(quiz, log.records, QFileInfo(path).absolutePath(), section);
    };
    const auto chosen = [&](const QList<QuizRecord> &quiz) {
        if (which == ReviewOf::Due)
            return review::dueOn(questionsOf(quiz), today);
        QList<qsizetype> indexes;
        for (const review::Question &q : review::mostMissed(questionsOf(quiz), mostmissed::kListed))
            indexes.append(q.index);
        return indexes;
    };
    const quizfile::ReadResult quiz = quizfile::read(path);
    QString problem = !log.error.isEmpty() ? log.error : quiz.error;
    if (problem.isEmpty() && chosen(quiz.records).isEmpty())
        problem = which == ReviewOf::MostMissed ? uiText("間違えた問題の記録がありません。")
                                                : nothingDueText(questionsOf(quiz.records), today);
    if (!problem.isEmpty()) {
        messagebox::show(this, problem, uiText("復習"));
        return;
    }
    if (!interruptedRunGivenUp(path, quiz.records.size()) || !editorLetGoOfQuiz())
        return;
    sectionBox->setCurrentText(section);
    loadQuizSection(QString());
    const QList<qsizetype> indexes = chosen(m_state.questions);
    if (!quizLoaded || indexes.isEmpty())
        return;
    m_run->journalTo(m_loadedIdentity);
    m_run->takeQuestions(indexes, history::RunKind::Review);
    startRunOfTakenQuestions();
}

QString MainWindow::nothingDueText(const QList<review::Question> &questions, QDate today) {
    const std::optional<QDate> next = review::nextDueAfter(questions, today);
    QString text = uiText("今日復習する問題はありません。");
    if (next)
        text += uiText("\r\n次の復習は %1 です。")
                    .arg(QLocale(QLocale::Japanese).toString(*next, u"yyyy/MM/dd (ddd)"));
    return text;
}
