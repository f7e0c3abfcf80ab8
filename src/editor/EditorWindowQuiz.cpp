// The quiz editor's work on the shared question table: load, show, add, save, new file.
#include "Design.h"
#include "EditorWindow.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "OptionsDialog.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "Recovery.h"
#include "Sections.h"
#include "SessionEnd.h"
#include "TextBoxes.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

using design::placeTwips;
using design::uiText;

namespace {

// The record index that a question number names (rounded, halves to even), or -1.
qsizetype recordIndex(const QString &number, qsizetype size) {
    double n = 0;
    if (!parseDecimal(number, n))
        return -1;
    const WholeNumber index = toInt32(QString::number(n - 1, 'f', 6));
    return index.ok() && index.value >= 0 && index.value < size ? index.value : -1;
}
} // namespace

bool EditorWindow::refuseSectionName(const QString &section) {
    const QString problem = sections::nameProblem(section);
    if (!problem.isEmpty())
        messagebox::show(this, problem, messagebox::applicationTitle());
    return !problem.isEmpty();
}

void EditorWindow::loadSection() {
    const QString section = sectionBox->currentText();
    if (refuseSectionName(section))
        return;
    const QString tableFile = m_state.currentQuizFile;
    m_state.currentQuizFile = sections::quizFilePath(m_state.quizFolder, section);
    if (m_state.loadQuizFile(m_state.currentQuizFile).ok) {
        m_unsavedQuestions = false;
        showFirstQuestion();
        offerRecoveredWork(section);
        return;
    }
    if (messagebox::show(this, uiText("ファイルがないようです｡新規に作成しますか？"),
                         uiText("確認"), messagebox::Buttons::YesNo) == messagebox::Answer::Yes &&
        newFileFlow())
        return;
    // The table still holds the section it came from, and says so: under the name typed, a
    // save would have handed that section's questions to a section the author thinks is new.
    m_state.currentQuizFile = tableFile;
    sectionBox->setEditText(tableFile.isEmpty() ? QString() : sections::sectionOfFile(tableFile));
}

void EditorWindow::showFirstQuestion() {
    textboxes::setText(numberBox, QStringLiteral("1"));
    showQuestionFromNumberBox();
    numberBox->setFocus();
}

bool EditorWindow::openOptions() {
    m_state.optionsOpener = QuizState::Opener::Editor;
    OptionsDialog options(m_state, this);
    return options.exec() == QDialog::Accepted;
}

bool EditorWindow::newFileFlow() {
    for (;;) {
        openOptions();
        if (m_state.questionCount >= 1)
            break;
        if (messagebox::show(this,
                             uiText("問題数を,1以上に設定してください。\r\n設定しなおしますか。？"),
                             uiText("確認"), messagebox::Buttons::YesNo) != messagebox::Answer::Yes)
            return false;
    }
    m_state.replaceQuiz(QList<QuizRecord>(m_state.questionCount));
    m_unsavedQuestions = false;
    showFirstQuestion(); // empty boxes: nothing of the section shown before
    QFile file(m_state.currentQuizFile);
    if (!file.exists() && !file.open(QIODevice::WriteOnly))
        messagebox::show(
            this,
            uiText("%1 を作成できません: %2").arg(m_state.currentQuizFile, file.errorString()),
            messagebox::applicationTitle());
    return true;
}

void EditorWindow::showQuestionFromNumberBox() {
    double n = 0;
    if (!parseDecimal(textboxes::text(numberBox), n))
        return;
    if (n >= m_state.questionCount + 1.0) {
        textboxes::setText(numberBox, QString::number(m_state.questionCount));
        return;
    }
    const qsizetype i = recordIndex(textboxes::text(numberBox), m_state.questions.size());
    if (i < 0)
        return;
    const QuizRecord &record = m_state.questions[i];
    for (int box = 1; box <= 5; ++box)
        textboxes::setText(boxes()[box], fieldText(record, kQuizFields[box - 1]));
}

void EditorWindow::addQuestion() {
    const QString number = textboxes::text(numberBox);
    const qsizetype i = recordIndex(number, m_state.questions.size());
    const WholeNumber whole = toInt32(number);
    if (i >= 0 && whole.ok()) {
        m_unsavedQuestions = true;
        markBoxesUnmodified();
        QuizRecord &record = m_state.questions[i];
        record.number = record.reportNumber = static_cast<qint32>(whole.value);
        for (int box = 1; box <= 5; ++box)
            fieldText(record, kQuizFields[box - 1]) = textboxes::text(boxes()[box]);
    }
    double n = 0;
    if (parseDecimal(number, n))
        textboxes::setText(numberBox, QString::number(n + 1));
    showQuestionFromNumberBox();
    numberBox->setFocus();
}

bool EditorWindow::saveSection() {
    const QString section = sectionBox->currentText();
    if (refuseSectionName(section))
        return false;
    m_state.currentQuizFile = sections::quizFilePath(m_state.quizFolder, section);
    QString problem;
    if (section.isEmpty())
        problem = uiText("問題名 (セクション) を入力してください。");
    else if (!QFileInfo(m_state.quizFolder).isDir())
        problem = uiText("問題フォルダ %1 がありません。").arg(m_state.quizFolder);
    else {
        warnOfAnswersNoOneCanGive();
        problem = m_state.saveQuizFile(m_state.currentQuizFile);
    }
    if (!problem.isEmpty()) {
        messagebox::show(this, uiText("保存できませんでした。\r\n") + problem,
                         messagebox::applicationTitle());
        return false;
    }
    m_unsavedQuestions = false;
    markBoxesUnmodified();
    return true;
}

// A question whose answer no learner can give is one no one answers right. The author may
// still be writing it, so the save goes on.
void EditorWindow::warnOfAnswersNoOneCanGive() {
    QStringList numbers;
    const qsizetype count = std::min<qsizetype>(m_state.questionCount, m_state.questions.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (quizrun::cannotBeGiven(m_state.questions[i].answer))
            numbers.append(QString::number(i + 1));
    }
    if (!numbers.isEmpty())
        messagebox::show(this,
                         uiText("次の問題の正解は解答できない値です (%1 のどれかにしてください)。"
                                "このまま保存します。\r\n問題 %2")
                             .arg(quizrun::answerChoices().join(", "),
                                  messagebox::fewOf(numbers, QStringLiteral(", "))),
                         messagebox::applicationTitle());
}

bool EditorWindow::hasTypedText() const {
    for (int box = 1; box <= 5; ++box) {
        if (textboxes::isModified(boxes()[box]))
            return true;
    }
    return false;
}

// What the boxes hold now is in the table, or in the file, or was let go.
void EditorWindow::markBoxesUnmodified() {
    for (QWidget *box : boxes())
        textboxes::markUnmodified(box);
}

bool EditorWindow::hasUnsavedWork() const {
    return m_unsavedQuestions || hasTypedText();
}

QStringList EditorWindow::boxTexts() const {
    QStringList texts;
    for (QWidget *box : boxes())
        texts.append(textboxes::text(box));
    return texts;
}

QString EditorWindow::keepRecoveryCopy() {
    if (!hasUnsavedWork())
        return {};
    return recovery::keep({m_state.quizFolder, sectionBox->currentText(), m_state.questionCount,
                           m_state.questions, boxTexts()});
}

void EditorWindow::offerRecoveredWork(const QString &section) {
    const std::optional<recovery::Work> work = recovery::find(m_state.quizFolder, section);
    if (!work)
        return;
    const messagebox::Answer restore =
        messagebox::show(this, uiText("保存されていない編集内容が残っています。復元しますか？"),
                         uiText("確認"), messagebox::Buttons::YesNo);
    if (sessionend::ending())
        return; // a box dismissed by a logout is no answer: the copy waits for the next start
    recovery::drop(m_state.quizFolder, section);
    if (restore != messagebox::Answer::Yes)
        return;
    m_state.replaceQuiz(work->questions);
    m_state.resizeQuestions(work->questionCount);
    for (int box = 0; box < 6; ++box)
        textboxes::setText(boxes()[box], work->boxes[box]);
    m_unsavedQuestions = true;
}

// True when the editor may close: nothing unsaved, or the author saved or let it go.
bool EditorWindow::confirmClose() {
    if (m_closingWithoutAsking || !hasUnsavedWork())
        return true;
    const messagebox::Answer save = messagebox::show(this, uiText("保存しますか？"), uiText("確認"),
                                                     messagebox::Buttons::YesNoCancel);
    if (sessionend::ending()) { // the box was dismissed by a logout: keep the work, and go
        keepRecoveryCopy();
        return true;
    }
    switch (save) {
    case messagebox::Answer::Yes:
        return saveSection();
    case messagebox::Answer::No:
        return true;
    default:
        return false;
    }
}

void EditorWindow::closeForSessionEnd() {
    keepRecoveryCopy();
    m_closingWithoutAsking = true;
    close();
}

void EditorWindow::pickAnswerFromList() {
    if (QListWidgetItem *item = answerList->currentItem())
        textboxes::setText(answerBox, item->text());
}

void EditorWindow::insertQuestion() {
    const qsizetype i = recordIndex(textboxes::text(numberBox), m_state.questions.size());
    if (i < 0 || !m_state.insertQuestion(i))
        return;
    m_unsavedQuestions = true;
    showQuestionFromNumberBox(); // the same number: the new, empty question
    emit questionsRenumbered();
}

void EditorWindow::deleteQuestion() {
    const qsizetype i = recordIndex(textboxes::text(numberBox), m_state.questions.size());
    if (i < 0 || m_state.questionCount <= 1 ||
        messagebox::show(this, uiText("問題 %1 を削除しますか？").arg(i + 1), uiText("確認"),
                         messagebox::Buttons::YesNo) != messagebox::Answer::Yes ||
        !m_state.removeQuestion(i))
        return;
    m_unsavedQuestions = true;
    textboxes::setText(numberBox,
                       QString::number(std::min<qsizetype>(i + 1, m_state.questionCount)));
    showQuestionFromNumberBox();
    emit questionsRenumbered();
}

void EditorWindow::openOptionsFromMenu() {
    openOptions();
    showQuestionFromNumberBox();
}
