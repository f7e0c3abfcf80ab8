// The quiz editor's work on the shared question table: load, show, add, save, new file.
#include "Design.h"
#include "MessageBox.h"
#include "Module1.h"
#include "Numbers.h"
#include "Sections.h"
#include "TextBoxes.h"
#include "frmMaker.h"
#include "frmOptions.h"

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

void frmMaker::Command4_Click() {
    m_state.CurrentQuizFile = sections::quizFilePath(m_state.QuizFolder, CmbSect->currentText());
    if (m_state.loadQuizFile(m_state.CurrentQuizFile).ok) {
        textboxes::setText(TextQuiz[0], QStringLiteral("1"));
        TextQuiz_LostFocus(0);
        TextQuiz[0]->setFocus();
        return;
    }
    if (messagebox::show(this, text("ファイルがないようです｡新規に作成しますか？"), text("確認"),
                         messagebox::Buttons::YesNo) == messagebox::Answer::Yes)
        newFileFlow();
}

bool frmMaker::openOptions() {
    m_state.OptionsOpener = QStringLiteral("frmMaker");
    frmOptions options(m_state, this);
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
    const QString section = CmbSect->currentText();
    m_state.CurrentQuizFile = sections::quizFilePath(m_state.QuizFolder, section);
    QString problem;
    if (section.isEmpty())
        problem = text("問題名 (セクション) を入力してください。");
    else if (!QFileInfo(m_state.QuizFolder).isDir())
        problem = text("問題フォルダ %1 がありません。").arg(m_state.QuizFolder);
    else
        problem = m_state.saveQuizFile(m_state.CurrentQuizFile);
    if (!problem.isEmpty())
        messagebox::show(this, text("保存できませんでした。\r\n") + problem,
                         messagebox::applicationTitle());
}

void frmMaker::LstReport_Click() {
    if (QListWidgetItem *item = LstReport->currentItem())
        textboxes::setText(TextQuiz[3], item->text());
}

void frmMaker::mnuSetOptions_Click() {
    openOptions();
    TextQuiz_LostFocus(0);
}
