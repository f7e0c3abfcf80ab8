// The quiz editor's spreadsheet tables: CSV or TSV in and out.
#include "Design.h"
#include "EditorWindow.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "QuizCsv.h"
#include "QuizFile.h"
#include "QuizState.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

using design::uiText;

namespace {
// Export filters: UTF-8 first (spreadsheets open it whole), then CP932 for older ones.
constexpr const char *kExportFilters = "CSV UTF-8 (*.csv)|*.csv|CSV Shift_JIS (*.csv)|*.csv|"
                                       "TSV UTF-8 (*.tsv)|*.tsv|TSV Shift_JIS (*.tsv)|*.tsv";
} // namespace

void EditorWindow::importTable() {
    const QString path = filedialog::openFile(
        this, uiText("CSV/TSV から読み込み"),
        uiText("CSV/TSV ﾌｧｲﾙ (*.csv *.tsv *.txt)|*.csv;*.tsv;*.txt|すべてのﾌｧｲﾙ (*)|*"),
        m_state.quizFolder);
    if (path.isEmpty())
        return;
    const quizcsv::ImportResult table = quizcsv::importFile(path, quizcsv::separatorFor(path));
    if (!table.ok()) {
        messagebox::show(this,
                         uiText("読み込めませんでした。何も変更していません。\r\n%1\r\n%2")
                             .arg(path, table.error.text()),
                         messagebox::applicationTitle());
        return;
    }
    takeImportedQuiz(table.records, uiText("%1 を %2 として読み込みました (%3 問)")
                                        .arg(QFileInfo(path).fileName(), table.encodingName())
                                        .arg(table.records.size()));
    if (table.notes.isEmpty())
        return;
    QStringList notes;
    for (const csv::Note &note : table.notes)
        notes.append(note.text());
    messagebox::show(this,
                     uiText("次の値を読み替えて読み込みました。\r\n%1")
                         .arg(messagebox::fewOf(notes, QStringLiteral("\r\n"))),
                     messagebox::applicationTitle());
}

// Questions read from another program's file replace the editor's, unsaved, as a load does.
void EditorWindow::takeImportedQuiz(const QList<QuizRecord> &quiz, const QString &status) {
    m_state.replaceQuiz(quiz);
    m_unsavedQuestions = true;
    numberBox->setText(QStringLiteral("1"));
    showQuestionFromNumberBox();
    markBoxesUnmodified();
    m_statusText->setText(status);
}

void EditorWindow::exportTable() {
    int filter = 0;
    QString path = filedialog::saveFile(this, uiText("CSV/TSV に書き出し"), uiText(kExportFilters),
                                        m_state.quizFolder, &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter < 2 ? QStringLiteral(".csv") : QStringLiteral(".tsv");
    const csv::Encoding encoding = filter % 2 ? csv::Encoding::Cp932 : csv::Encoding::Utf8;
    const quizcsv::ExportResult table =
        quizcsv::exportBytes(m_state.questions, quizcsv::separatorFor(path), encoding);
    const quizfile::SaveResult saved =
        table.ok() ? quizfile::save(path, table.bytes) : quizfile::SaveResult{};
    if (!table.ok() || !saved.ok) {
        messagebox::show(this,
                         uiText("書き出せませんでした。\r\n%1\r\n%2")
                             .arg(path, table.ok() ? saved.error : table.error.text()),
                         messagebox::applicationTitle());
        return;
    }
    m_statusText->setText(uiText("%1 に書き出しました (%2 問)")
                              .arg(QFileInfo(path).fileName())
                              .arg(m_state.questions.size()));
}
