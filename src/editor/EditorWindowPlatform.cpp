// The quiz editor's exchange with learning platforms: Moodle XML and GIFT in and out.
#include "Design.h"
#include "EditorWindow.h"
#include "ExchangeFiles.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "QuizFile.h"
#include "QuizState.h"
#include "Sections.h"

#include <QFileInfo>

using design::uiText;

namespace {
constexpr const char *kFilters = "Moodle XML (*.xml)|*.xml|GIFT (*.txt *.gift)|*.txt;*.gift";
} // namespace

void EditorWindow::importPlatform() {
    const QString path = filedialog::openFile(this, uiText("Moodle XML/GIFT から読み込み"),
                                              uiText(kFilters), m_state.quizFolder);
    if (path.isEmpty())
        return;
    const exchange::Format format = exchange::formatFor(path);
    exchange::Imported in = exchange::importFile(path, format, false);
    const QString pictures = in.error.isEmpty()
                                 ? exchange::writePictures(m_state.quizFolder, in.pictures, in.quiz)
                                 : QString();
    if (!in.error.isEmpty() || !pictures.isEmpty()) {
        messagebox::show(this,
                         uiText("読み込めませんでした。何も変更していません。\r\n%1\r\n%2")
                             .arg(path, in.error.isEmpty() ? pictures : in.error),
                         messagebox::applicationTitle());
        return;
    }
    takeImportedQuiz(in.quiz, uiText("%1 を %2 として読み込みました (%3 問)")
                                  .arg(QFileInfo(path).fileName(), exchange::formatName(format))
                                  .arg(in.quiz.size()));
    if (!in.skipped.isEmpty() || !in.notes.isEmpty())
        messagebox::show(this, exchange::importSummary(in), messagebox::applicationTitle());
}

void EditorWindow::exportPlatform() {
    int filter = 0;
    QString path = filedialog::saveFile(this, uiText("Moodle XML/GIFT に書き出し"),
                                        uiText(kFilters), m_state.quizFolder, &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter == 0 ? QStringLiteral(".xml") : QStringLiteral(".txt");
    const exchange::Exported out =
        exchange::exportQuiz(m_state.questions, sections::sectionOfFile(m_state.currentQuizFile),
                             m_state.quizFolder, exchange::formatFor(path));
    const quizfile::SaveResult saved = quizfile::save(path, out.bytes);
    if (!saved.ok) {
        messagebox::show(this, uiText("書き出せませんでした。\r\n%1\r\n%2").arg(path, saved.error),
                         messagebox::applicationTitle());
        return;
    }
    m_statusText->setText(
        uiText("%1 に書き出しました (%2 問)").arg(QFileInfo(path).fileName()).arg(out.questions));
    if (out.choicesInText > 0 || !out.notes.isEmpty())
        messagebox::show(this, exchange::exportSummary(out), messagebox::applicationTitle());
}
