// The editor and answers no learner can give: a table's twins of an answer are read as it and
// the author is told so; a save warns of such answers and goes on.
#include "Controls.h"
#include "EditorWindow.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using testsupport::control;

class TestEditorAnswers : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;
    EditorWindow *m = nullptr;

    void openEditor() {
        f->start();
        control<QAction>(f->form, "toolsOptionsAction")->trigger();
        m = f->form->editor();
        messagebox::takeShown();
    }

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void importSaysWhatItReadAnswersAs() {
        const QString table = f->folder() + QStringLiteral("/twins.csv");
        testsupport::writeFile(table, "1,1,q,c,\xEF\xBC\x91\r\n2,2,q,c,1\r\n");
        openEditor();
        filedialog::script({table});
        control<QAction>(m, "fileImportTableAction")->trigger();
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.endsWith(
                     QString::fromUtf8("\r\n1 行目 E 列 (正解): 「１」を「1」として読みました")),
                 qPrintable(shown[0].text));
        QCOMPARE(f->state.questions[0].answer, QStringLiteral("1"));
    }

    void saveWarnsOfAnswersNoOneCanGive() {
        QList<QuizRecord> quiz;
        for (int n = 1; n <= 14; ++n)
            quiz.append(numberedQuestion(n));
        quiz[0].answer = QString(); // not written yet: no warning
        for (int n : {2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14})
            quiz[n - 1].answer = QStringLiteral("1 ");
        f->writeQuiz(QStringLiteral("odd"), quiz);
        openEditor();
        control<QComboBox>(m, "sectionBox")->setEditText(QStringLiteral("odd"));
        control<QPushButton>(m, "loadButton")->click();
        f->state.questions[2].answer = QStringLiteral("5");
        control<QPushButton>(m, "saveButton")->click();
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.endsWith(
                     QString::fromUtf8("問題 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, ほか 2 件")),
                 qPrintable(shown[0].text));
        QCOMPARE(quizfile::read(f->folder() + "/qodd.tsl").records[2].answer,
                 QStringLiteral("5")); // saved all the same
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestEditorAnswers)
#include "tst_editoranswers.moc"
