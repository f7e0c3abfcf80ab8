// The quiz editor's work on the shared question table: load, show, add, save, new file.
#include "Design.h"
#include "MessageBox.h"
#include "Module1.h"
#include "Numbers.h"
#include "OptionsDialog.h"
#include "Recovery.h"
#include "Sections.h"
#include "TextBoxes.h"
#include "frmMaker.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>

using design::place;
using design::text;

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

bool frmMaker::refuseSectionName(const QString &section) {
    const QString problem = sections::nameProblem(section);
    if (!problem.isEmpty())
        messagebox::show(this, problem, messagebox::applicationTitle());
    return !problem.isEmpty();
}

void frmMaker::Command4_Click() {
    const QString section = CmbSect->currentText();
    if (refuseSectionName(section))
        return;
    m_state.CurrentQuizFile = sections::quizFilePath(m_state.QuizFolder, section);
    if (m_state.loadQuizFile(m_state.CurrentQuizFile).ok) {
        m_unsavedQuestions = false;
        textboxes::setText(TextQuiz[0], QStringLiteral("1"));
        TextQuiz_LostFocus(0);
        TextQuiz[0]->setFocus();
        offerRecoveredWork(section);
        return;
    }
    if (messagebox::show(this, text("ファイルがないようです｡新規に作成しますか？"), text("確認"),
                         messagebox::Buttons::YesNo) == messagebox::Answer::Yes)
        newFileFlow();
}

bool frmMaker::openOptions() {
    m_state.OptionsOpener = QStringLiteral("frmMaker");
    OptionsDialog options(m_state, this);
    return options.exec() == QDialog::Accepted;
}

void frmMaker::newFileFlow() {
    for (;;) {
        openOptions();
        if (m_state.QuestionCount >= 1)
            break;
        if (messagebox::show(this,
                             text("問題数を,1以上に設定してください。\r\n設定しなおしますか。？"),
                             text("確認"), messagebox::Buttons::YesNo) != messagebox::Answer::Yes)
            return;
    }
    m_state.replaceQuiz(QList<QuizRecord>(m_state.QuestionCount));
    m_unsavedQuestions = false;
    QFile file(m_state.CurrentQuizFile);
    if (!file.exists() && !file.open(QIODevice::WriteOnly))
        messagebox::show(
            this, text("%1 を作成できません: %2").arg(m_state.CurrentQuizFile, file.errorString()),
            messagebox::applicationTitle());
}

void frmMaker::TextQuiz_LostFocus(int index) {
    if (index != 0)
        return;
    double n = 0;
    if (!parseDecimal(textboxes::text(TextQuiz[0]), n))
        return;
    if (n >= m_state.QuestionCount + 1.0) {
        textboxes::setText(TextQuiz[0], QString::number(m_state.QuestionCount));
        return;
    }
    const qsizetype i = recordIndex(textboxes::text(TextQuiz[0]), m_state.QuestionTable.size());
    if (i < 0)
        return;
    const QuizRecord &record = m_state.QuestionTable[i];
    for (int box = 1; box <= 5; ++box)
        textboxes::setText(TextQuiz[box], fieldText(record, kQuizFields[box - 1]));
}

void frmMaker::Command1_Click() {
    const QString number = textboxes::text(TextQuiz[0]);
    const qsizetype i = recordIndex(number, m_state.QuestionTable.size());
    const WholeNumber whole = toInt32(number);
    if (i >= 0 && whole.ok()) {
        m_unsavedQuestions = true;
        markBoxesTaken();
        QuizRecord &record = m_state.QuestionTable[i];
        record.Number = record.ReportNumber = static_cast<qint32>(whole.value);
        for (int box = 1; box <= 5; ++box)
            fieldText(record, kQuizFields[box - 1]) = textboxes::text(TextQuiz[box]);
    }
    double n = 0;
    if (parseDecimal(number, n))
        textboxes::setText(TextQuiz[0], QString::number(n + 1));
    TextQuiz_LostFocus(0);
    TextQuiz[0]->setFocus();
}

void frmMaker::Command3_Click() {
    saveSection();
}

bool frmMaker::saveSection() {
    const QString section = CmbSect->currentText();
    if (refuseSectionName(section))
        return false;
    m_state.CurrentQuizFile = sections::quizFilePath(m_state.QuizFolder, section);
    QString problem;
    if (section.isEmpty())
        problem = text("問題名 (セクション) を入力してください。");
    else if (!QFileInfo(m_state.QuizFolder).isDir())
        problem = text("問題フォルダ %1 がありません。").arg(m_state.QuizFolder);
    else
        problem = m_state.saveQuizFile(m_state.CurrentQuizFile);
    if (!problem.isEmpty()) {
        messagebox::show(this, text("保存できませんでした。\r\n") + problem,
                         messagebox::applicationTitle());
        return false;
    }
    m_unsavedQuestions = false;
    markBoxesTaken();
    return true;
}

bool frmMaker::hasTypedText() const {
    for (int box = 1; box <= 5; ++box) {
        if (textboxes::isModified(TextQuiz[box]))
            return true;
    }
    return false;
}

// What the boxes hold now is in the table, or in the file, or was let go.
void frmMaker::markBoxesTaken() {
    for (QWidget *box : TextQuiz)
        textboxes::markUnmodified(box);
}

bool frmMaker::hasUnsavedWork() const {
    return m_unsavedQuestions || hasTypedText();
}

QStringList frmMaker::boxTexts() const {
    QStringList texts;
    for (QWidget *box : TextQuiz)
        texts.append(textboxes::text(box));
    return texts;
}

QString frmMaker::keepRecoveryCopy() {
    if (!hasUnsavedWork())
        return {};
    return recovery::keep({m_state.QuizFolder, CmbSect->currentText(), m_state.QuestionCount,
                           m_state.QuestionTable, boxTexts()});
}

void frmMaker::offerRecoveredWork(const QString &section) {
    const std::optional<recovery::Work> work = recovery::find(m_state.QuizFolder, section);
    if (!work)
        return;
    recovery::drop(m_state.QuizFolder, section);
    if (messagebox::show(this, text("保存されていない編集内容が残っています。復元しますか？"),
                         text("確認"), messagebox::Buttons::YesNo) != messagebox::Answer::Yes)
        return;
    m_state.replaceQuiz(work->questions);
    m_state.resizeQuestions(work->questionCount);
    for (int box = 0; box < 6; ++box)
        textboxes::setText(TextQuiz[box], work->boxes[box]);
    m_unsavedQuestions = true;
}

// True when the editor may close: nothing unsaved, or the author saved or let it go.
bool frmMaker::confirmClose() {
    if (m_closingWithoutAsking || !hasUnsavedWork())
        return true;
    switch (messagebox::show(this, text("保存しますか？"), text("確認"),
                             messagebox::Buttons::YesNoCancel)) {
    case messagebox::Answer::Yes:
        return saveSection();
    case messagebox::Answer::No:
        return true;
    default:
        return false;
    }
}

void frmMaker::closeForSessionEnd() {
    keepRecoveryCopy();
    m_closingWithoutAsking = true;
    close();
}

void frmMaker::LstReport_Click() {
    if (QListWidgetItem *item = LstReport->currentItem())
        textboxes::setText(TextQuiz[3], item->text());
}

void frmMaker::mnuSetOptions_Click() {
    openOptions();
    TextQuiz_LostFocus(0);
}
