#include "Controls.h"
#include "Design.h"
#include "EditorWindow.h"
#include "FileDialog.h"
#include "HtmlPane.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "OptionsDialog.h"
#include "QuestionPreview.h"
#include "SessionEnd.h"
#include "Settings.h"
#include "TextBoxes.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <optional>

using testsupport::control;

using messagebox::Answer;

namespace {
const QString kMissing = QString::fromUtf8("ファイルがないようです｡新規に作成しますか？");

QString box(EditorWindow *m, int i) {
    return textboxes::text(m->boxes()[i]);
}
QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
void setBox(EditorWindow *m, int i, const QString &t) {
    textboxes::setText(m->boxes()[i], t);
}

// The focus leaves the box (sent to it: another window may hold the activation offscreen).
void leave(QWidget *box) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &out);
}

// Answers the options dialog that the editor is about to open.
void answerOptions(const QString &count, bool ok) {
    QTimer::singleShot(0, [count, ok] {
        auto *options = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
        QVERIFY(options);
        QVERIFY(control<QLineEdit>(options, "countBox")->isEnabled());
        control<QLineEdit>(options, "countBox")->setText(count);
        if (ok)
            control<QPushButton>(options, "okButton")->click();
        if (options->isVisible())
            control<QPushButton>(options, "cancelButton")->click();
    });
}
} // namespace

class TestEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;
    EditorWindow *m = nullptr;

    void openEditor() {
        f->start();
        control<QAction>(f->form, "toolsOptionsAction")->trigger();
        m = f->form->editor();
        QVERIFY(m->isVisible());
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        // Sized for the window manager's frame (or, never framed, after two seconds).
        QVERIFY(testsupport::waitUntil([this] { return !m->isSizing(); }));
    }
    void loadSection(const QString &section) {
        control<QComboBox>(m, "sectionBox")->setEditText(section);
        control<QPushButton>(m, "loadButton")->click();
    }

private slots:
    void init() {
        f = std::make_unique<MainWindowFixture>();
        f->writeQuiz(QStringLiteral("sixty"), 60);
    }
    void cleanup() { f.reset(); }

    void opensWithTheSectionsAndStopsTheClock() {
        f->start();
        f->load(QStringLiteral("sixty"));
        QVERIFY(control<QTimer>(f->form, "clockTimer")->isActive());
        control<QAction>(f->form, "toolsOptionsAction")->trigger();
        m = f->form->editor();
        QVERIFY(!control<QTimer>(f->form, "clockTimer")->isActive());
        QCOMPARE(m->windowTitle(), QStringLiteral("Making Quiz"));
        QCOMPARE(control<QComboBox>(m, "sectionBox")->count(), 1);
        QCOMPARE(control<QComboBox>(m, "sectionBox")->currentText(), QString());
        QCOMPARE(box(m, 0), QStringLiteral("1"));
        QCOMPARE(control<QListWidget>(m, "answerList")->count(), 6);
        // Closing restarts the clock of the run under way and hands the focus back.
        control<QPushButton>(m, "closeButton")->click();
        QVERIFY(control<QTimer>(f->form, "clockTimer")->isActive());
    }

    // The preview follows the boxes as the author types, before 追加, and can be hidden.
    void previewFollowsTheBoxes() {
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(f->folder() + QStringLiteral("/p.png")));
        openEditor();
        QuestionPreview *preview = m->preview();
        TRY_VERIFY(preview && preview->isVisible());
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        commitText(control<QPlainTextEdit>(m, "questionBox"),
                   QString::fromUtf8("富士山<b>3776</b>"));
        control<QLineEdit>(m, "pictureBox")->setText(QStringLiteral("P.PNG"));
        TRY_VERIFY_WITHIN(renderedBody(control<HtmlPane>(preview, "previewQuestionPane"))
                              .contains(QString::fromUtf8("富士山<b>3776</b>")),
                          15000);
        QVERIFY(!control<QLabel>(preview, "previewPictureLabel")->pixmap().isNull());
        QVERIFY(f->state.questions.value(0).question.isEmpty()); // nothing added
        QTest::keyClick(preview, Qt::Key_Escape); // closed as other secondary windows are
        QVERIFY(preview->isHidden());
        QVERIFY(!control<QAction>(m, "viewPreviewAction")->isChecked());
        QCOMPARE(settings::readNumber(QStringLiteral("EditorPreview"), 1), 0);
        control<QAction>(m, "viewPreviewAction")->trigger();
        QVERIFY(preview->isVisible());
    }

    // A section written out for a spreadsheet or a learning platform and read back saves to
    // the same bytes.
    void tableRoundTrip_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("actions"); // Table or Platform
        QTest::addColumn<QString>("readAs");
        QTest::newRow("CSV") << "t.csv"
                             << "t.csv"
                             << "Table"
                             << "UTF-8";
        QTest::newRow("TSV") << "t.tsv"
                             << "t.tsv"
                             << "Table"
                             << "UTF-8";
        QTest::newRow("no suffix") << "t"
                                   << "t.csv"
                                   << "Table"
                                   << "UTF-8";
        QTest::newRow("Moodle XML") << "t"
                                    << "t.xml"
                                    << "Platform"
                                    << "Moodle XML";
        QTest::newRow("GIFT") << "t.txt"
                              << "t.txt"
                              << "Platform"
                              << "GIFT";
    }
    void tableRoundTrip() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QString, actions);
        QFETCH(QString, readAs);
        const QString quiz = f->folder() + QStringLiteral("/qsixty.tsl");
        const QByteArray original = readAll(quiz);
        openEditor();
        loadSection(QStringLiteral("sixty"));
        filedialog::script({f->folder() + QLatin1Char('/') + chosen});
        control<QAction>(m, qPrintable("fileExport" + actions + "Action"))->trigger();
        control<QPlainTextEdit>(m, "questionBox")->setPlainText(QStringLiteral("typed over"));
        f->state.replaceQuiz({QuizRecord()});
        filedialog::script({f->folder() + QLatin1Char('/') + written});
        control<QAction>(m, qPrintable("fileImport" + actions + "Action"))->trigger();
        QCOMPARE(f->state.questionCount, 60);
        QCOMPARE(box(m, 1), f->state.questions[0].question);
        QVERIFY(m->findChild<QLabel *>(QStringLiteral("statusText"))->text().contains(readAs));
        control<QPushButton>(m, "saveButton")->click();
        QCOMPARE(readAll(quiz), original);
    }

    // A table that cannot be read says where, and the editor's questions stay as they were.
    void damagedTableChangesNothing_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("where");
        QTest::newRow("quote never closed")
            << QByteArray("1,1,\"Q\r\n") << "1 行目 C 列 (問題文): 引用符";
        QTest::newRow("number") << QByteArray("x,1,Q,C,1,K,\r\n") << "1 行目 A 列 (番号)";
        QTest::newRow("too many fields")
            << QByteArray("1,1,Q,C,1,K,,extra\r\n") << "1 行目 H 列: 列が多すぎます";
        QTest::newRow("answer") << QByteArray("1,1,Q,C,5,K,\r\n") << "1 行目 E 列 (正解): 「5」";
    }
    void damagedTableChangesNothing() {
        QFETCH(QByteArray, table);
        QFETCH(QString, where);
        const QString path = f->folder() + QStringLiteral("/bad.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(table) == table.size());
        file.close();
        openEditor();
        loadSection(QStringLiteral("sixty"));
        const QList<QuizRecord> before = f->state.questions;
        messagebox::takeShown();
        filedialog::script({path});
        control<QAction>(m, "fileImportTableAction")->trigger();
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(where), qPrintable(shown[0].text));
        QCOMPARE(f->state.questions, before);
        QVERIFY(!m->hasUnsavedWork());
    }

    void loadShowsQuestionOne() {
        openEditor();
        loadSection(QStringLiteral("sixty"));
        QCOMPARE(f->state.questionCount, 60);
        QCOMPARE(box(m, 0), QStringLiteral("1"));
        QCOMPARE(box(m, 1), QString::fromUtf8("<P>問題 1</P>"));
        QCOMPARE(box(m, 3), QString::fromUtf8("○"));
        QCOMPARE(m->focusWidget(), control<QLineEdit>(m, "numberBox"));
    }

    void addStoresAndMovesOn_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("shownQuestion");
        QTest::newRow("5 of 60") << "5"
                                 << "6" << QString::fromUtf8("<P>問題 6</P>");
        QTest::newRow("60 of 60") << "60"
                                  << "60" << QString::fromUtf8("新しい問題");
    }
    void addStoresAndMovesOn() {
        QFETCH(QString, number);
        QFETCH(QString, after);
        QFETCH(QString, shownQuestion);
        openEditor();
        loadSection(QStringLiteral("sixty"));
        setBox(m, 0, number);
        setBox(m, 1, QString::fromUtf8("新しい問題"));
        setBox(m, 2, QStringLiteral("<OL><LI>a\r\n<LI>b</OL>"));
        setBox(m, 3, QStringLiteral("3"));
        setBox(m, 4, QString::fromUtf8("説明\r\n二行目"));
        setBox(m, 5, QStringLiteral("img\\a.gif"));
        control<QPushButton>(m, "addButton")->click();
        const QuizRecord &stored = f->state.questions[number.toInt() - 1];
        QCOMPARE(stored.number, number.toInt());
        QCOMPARE(stored.reportNumber, number.toInt());
        QCOMPARE(stored.question, QString::fromUtf8("新しい問題"));
        QCOMPARE(stored.choices, QStringLiteral("<OL><LI>a\r\n<LI>b</OL>"));
        QCOMPARE(stored.keyPoint, QString::fromUtf8("説明\r\n二行目"));
        QCOMPARE(stored.imageFile, QStringLiteral("img\\a.gif"));
        QCOMPARE(box(m, 0), after);
        QCOMPARE(box(m, 1), shownQuestion);
        QCOMPARE(m->focusWidget(), control<QLineEdit>(m, "numberBox"));
    }

    void addWithoutATableStoresNothing() {
        openEditor(); // nothing loaded: the table has no entries
        setBox(m, 1, QStringLiteral("x"));
        control<QPushButton>(m, "addButton")->click();
        QVERIFY(f->state.questions.isEmpty());
        QCOMPARE(box(m, 0), QStringLiteral("2"));
    }

    void leavingTheNumberBox() {
        openEditor();
        loadSection(QStringLiteral("sixty"));
        setBox(m, 1, QStringLiteral("kept"));
        control<QLineEdit>(m, "numberBox")->setFocus();
        setBox(m, 0, QStringLiteral("100"));
        leave(control<QLineEdit>(m, "numberBox"));
        QCOMPARE(box(m, 0), QStringLiteral("60"));
        QCOMPARE(box(m, 1), QStringLiteral("kept"));
        control<QLineEdit>(m, "numberBox")->setFocus();
        setBox(m, 0, QStringLiteral("7"));
        leave(control<QLineEdit>(m, "numberBox"));
        QCOMPARE(box(m, 1), QString::fromUtf8("<P>問題 7</P>"));
    }

    void ctrlEnterAddsAndEnterAloneDoesNot() {
        openEditor();
        loadSection(QStringLiteral("sixty"));
        QVERIFY(QTest::qWaitForWindowActive(m));
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        setBox(m, 1, QStringLiteral("typed"));
        static_cast<QPlainTextEdit *>(control<QPlainTextEdit>(m, "questionBox"))
            ->moveCursor(QTextCursor::End);
        QTest::keyClick(control<QPlainTextEdit>(m, "questionBox"), Qt::Key_Return);
        QCOMPARE(f->state.questions[0].question, QString::fromUtf8("<P>問題 1</P>"));
        QCOMPARE(box(m, 1), QStringLiteral("typed\r\n")); // Enter alone is a line break
        QTest::keyClick(control<QPlainTextEdit>(m, "questionBox"), Qt::Key_Return,
                        Qt::ControlModifier);
        QCOMPARE(f->state.questions[0].question, QStringLiteral("typed\r\n"));
        QCOMPARE(box(m, 0), QStringLiteral("2"));
        control<QLineEdit>(m, "answerBox")->setFocus();
        QTest::keyClick(control<QLineEdit>(m, "answerBox"), Qt::Key_Comma,
                        Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(box(m, 0), QStringLiteral("3")); // Ctrl + keypad separator adds too
        QTest::keyClick(control<QLineEdit>(m, "answerBox"), Qt::Key_Return,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(box(m, 0), QStringLiteral("3"));
    }

    void japaneseInputIsKeptExactly() {
        openEditor();
        loadSection(QStringLiteral("sixty"));
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        setBox(m, 1, QString());
        commitText(control<QPlainTextEdit>(m, "questionBox"),
                   QString::fromUtf8("富士山は，日本一高い山です。～①ｶﾀｶﾅ"));
        QCOMPARE(box(m, 1), QString::fromUtf8("富士山は，日本一高い山です。～①ｶﾀｶﾅ"));
        control<QPushButton>(m, "addButton")->click();
        QCOMPARE(f->state.questions[0].question,
                 QString::fromUtf8("富士山は，日本一高い山です。～①ｶﾀｶﾅ"));
    }

    void answerListFillsTheAnswerBox() {
        openEditor();
        QTest::mouseClick(control<QListWidget>(m, "answerList")->viewport(), Qt::LeftButton, {},
                          control<QListWidget>(m, "answerList")
                              ->visualItemRect(control<QListWidget>(m, "answerList")->item(5))
                              .center());
        QCOMPARE(box(m, 3), QString::fromUtf8("×"));
    }

    // A section that cannot be loaded, and is not made anew, leaves the table and its name
    // as they were: a save then cannot hand the table to the name typed.
    void failedLoadChangesNothing_data() {
        QTest::addColumn<QString>("section");
        QTest::newRow("damaged") << QStringLiteral("damaged");
        QTest::newRow("missing, not made") << QString::fromUtf8("新しい");
    }
    void failedLoadChangesNothing() {
        QFETCH(QString, section);
        QFile file(f->writeQuiz(QStringLiteral("damaged"), 10));
        QVERIFY(file.resize(file.size() - 3));
        openEditor();
        loadSection(QStringLiteral("sixty"));
        const QString sixty = f->state.currentQuizFile;
        const QList<QuizRecord> before = f->state.questions;
        messagebox::script({Answer::No});
        loadSection(section);
        QCOMPARE(messagebox::takeShown().value(0).text, kMissing);
        QCOMPARE(f->state.currentQuizFile, sixty);
        QCOMPARE(control<QComboBox>(m, "sectionBox")->currentText(), QStringLiteral("sixty"));
        QCOMPARE(f->state.questions, before);
        QVERIFY(!QFile::exists(f->folder() + QString::fromUtf8("/q新しい.tsl")));
    }

    // A question deleted in the editor during a run: the main window shows its question again
    // under its new number, with its own answer, and the end stays one past the last.
    void mainWindowFollowsADeletion() {
        openEditor();
        f->load(QStringLiteral("sixty"));
        f->state.answerTexts[5] = QStringLiteral("2"); // question 6's answer
        control<QScrollBar>(f->form, "questionScrollBar")->setValue(5);
        setBox(m, 0, QStringLiteral("2"));
        m->showQuestionFromNumberBox();
        messagebox::script({Answer::Yes});
        m->findChild<QAction *>(QStringLiteral("editDeleteAction"))->trigger();
        QCOMPARE(control<QLineEdit>(f->form, "questionNumberBox")->text(), QStringLiteral("5"));
        QCOMPARE(control<QLineEdit>(f->form, "answerBox")->text(), QStringLiteral("2"));
        QCOMPARE(control<QScrollBar>(f->form, "questionScrollBar")->maximum(), 60);
    }

    void enterInTheSectionBoxLoads() {
        openEditor();
        control<QComboBox>(m, "sectionBox")->setFocus();
        control<QComboBox>(m, "sectionBox")->setEditText(QStringLiteral("sixty"));
        QTest::keyClick(control<QComboBox>(m, "sectionBox")->lineEdit(), Qt::Key_Return);
        QCOMPARE(f->state.currentQuizFile, f->folder() + QStringLiteral("/qsixty.tsl"));
        QCOMPARE(box(m, 1), f->state.questions[0].question);
    }

    // 編集: a question deleted or inserted where the author is, the rest renumbered; undo and
    // redo in the box being typed in.
    void editMenuDeletesInsertsAndUndoes() {
        openEditor();
        loadSection(QStringLiteral("sixty"));
        const QList<QuizRecord> before = f->state.questions;
        const auto trigger = [this](const char *item) {
            m->findChild<QAction *>(QLatin1String(item))->trigger();
        };
        textboxes::setText(control<QLineEdit>(m, "numberBox"), QStringLiteral("2"));
        m->showQuestionFromNumberBox();
        messagebox::script({Answer::Yes});
        trigger("editDeleteAction");
        QCOMPARE(messagebox::takeShown().value(0).text,
                 QString::fromUtf8("問題 2 を削除しますか？"));
        QCOMPARE(box(m, 1), before[2].question);
        trigger("editInsertAction");
        QCOMPARE(box(m, 1), QString());
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        commitText(control<QPlainTextEdit>(m, "questionBox"), QString::fromUtf8("新しい問題"));
        trigger("editUndoAction");
        QCOMPARE(box(m, 1), QString());
        trigger("editRedoAction");
        QCOMPARE(box(m, 1), QString::fromUtf8("新しい問題"));
        control<QPushButton>(m, "addButton")->click();
        control<QPushButton>(m, "saveButton")->click();
        const QList<QuizRecord> saved = quizfile::read(f->folder() + "/qsixty.tsl").records;
        QCOMPARE(saved.size(), 60);
        QCOMPARE(saved[1].question, QString::fromUtf8("新しい問題"));
        QCOMPARE(saved[2].question, before[2].question);
        QCOMPARE(saved[2].number, 3);
    }

    void newFileFlowCreatesAnEmptyFile() {
        openEditor();
        loadSection(QStringLiteral("sixty"));
        messagebox::script({Answer::Yes});
        answerOptions(QStringLiteral("30"), true);
        loadSection(QString::fromUtf8("新しい"));
        QCOMPARE(f->state.optionsOpener, QuizState::Opener::Editor);
        QCOMPARE(f->state.questionCount, 30);
        QCOMPARE(f->state.questions, QList<QuizRecord>(30));
        QCOMPARE(f->state.answerMarks.size(), 30);
        QCOMPARE(textboxes::text(control<QPlainTextEdit>(m, "questionBox")),
                 QString()); // nothing of sixty's question 1
        const QString path = f->folder() + QString::fromUtf8("/q新しい.tsl");
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void newFileFlowWithARefusedCount() {
        openEditor();
        messagebox::script({Answer::Yes});
        answerOptions(QStringLiteral("0"), true); // refused by the dialog, then cancelled
        loadSection(QStringLiteral("other"));
        const QStringList shown = [] {
            QStringList texts;
            for (const auto &b : messagebox::takeShown())
                texts.append(b.text);
            return texts;
        }();
        QCOMPARE(shown,
                 (QStringList{kMissing, QString::fromUtf8("問題数を,1以上に設定してください。")}));
        QCOMPARE(f->state.questionCount, 60); // the earlier count stands
        QCOMPARE(f->state.questions.size(), 60);
        QVERIFY(QFile::exists(f->folder() + QStringLiteral("/qother.tsl")));
    }

    void savesTheTableTheMainWindowLoaded() {
        f->start();
        f->load(QStringLiteral("sixty"));
        control<QAction>(f->form, "toolsOptionsAction")->trigger();
        m = f->form->editor();
        control<QComboBox>(m, "sectionBox")->setEditText(QString::fromUtf8("写し"));
        control<QPushButton>(m, "saveButton")->click();
        QVERIFY(messagebox::takeShown().isEmpty()); // success shows nothing
        const QString copy = f->folder() + QString::fromUtf8("/q写し.tsl");
        QCOMPARE(f->state.currentQuizFile, copy);
        QCOMPARE(testsupport::readFile(copy), testsupport::readFile(f->folder() + "/qsixty.tsl"));
    }

    // The preview stands beside the editor, not over its boxes, on any screen that has room.
    void previewStandsBesideTheEditor_data() {
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("editor");
        QTest::addColumn<QRect>("preview");
        QTest::newRow("right") << QRect(0, 0, 1920, 1160) << QRect(400, 100, 500, 600)
                               << QRect(900, 100, 500, 600);
        QTest::newRow("left") << QRect(0, 0, 1100, 1160) << QRect(560, 100, 500, 600)
                              << QRect(60, 100, 500, 600);
        QTest::newRow("narrowed, left")
            << QRect(0, 0, 960, 580) << QRect(329, 160, 341, 371) << QRect(0, 160, 329, 371);
        QTest::newRow("narrowed, right")
            << QRect(0, 0, 960, 580) << QRect(100, 160, 560, 371) << QRect(660, 160, 300, 371);
        QTest::newRow("no room") << QRect(0, 0, 500, 580) << QRect(0, 0, 500, 371)
                                 << QRect(0, 0, 200, 371);
    }
    void previewStandsBesideTheEditor() {
        QFETCH(QRect, room);
        QFETCH(QRect, editor);
        QFETCH(QRect, preview);
        QCOMPARE(QuestionPreview::frameBeside(editor, room), preview);
    }

    // A file made on Windows is loaded and saved back whatever the case of its name, never
    // beside a second one.
    void savesBackToTheFileWhateverItsCase() {
        QVERIFY(QFile::rename(f->writeQuiz(QStringLiteral("kana"), 3),
                              f->folder() + QStringLiteral("/QKANA.TSL")));
        openEditor();
        loadSection(QStringLiteral("KANA"));
        QVERIFY(messagebox::takeShown().isEmpty());
        QCOMPARE(f->state.questionCount, 3);
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        commitText(control<QPlainTextEdit>(m, "questionBox"), QStringLiteral("new "));
        control<QPushButton>(m, "addButton")->click();
        control<QPushButton>(m, "saveButton")->click();
        QVERIFY(messagebox::takeShown().isEmpty());
        QCOMPARE(QDir(f->folder()).entryList({"*.tsl", "*.TSL"}, QDir::Files),
                 (QStringList{"QKANA.TSL", "qsixty.tsl"}));
        QVERIFY(quizfile::read(f->folder() + "/QKANA.TSL").records[0].question.startsWith("new "));
    }

    void saveBeforeAnyLoadWritesEmptyRecords() {
        openEditor(); // the count is 60 and the table empty
        control<QComboBox>(m, "sectionBox")->setEditText(QStringLiteral("blank"));
        control<QPushButton>(m, "saveButton")->click();
        const quizfile::ReadResult read =
            quizfile::read(f->folder() + QStringLiteral("/qblank.tsl"));
        QVERIFY(read.ok);
        QCOMPARE(read.records, QList<QuizRecord>(60));
    }

    void failedSavesWriteNothing_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty section name") << "" << QString::fromUtf8("セクション");
        QTest::newRow("write-protected file") << "readonly" << QString::fromUtf8("書き込みが禁止");
        QTest::newRow("text not in CP932") << "emoji" << QString::fromUtf8("問題 2 の「ポイント」");
        QTest::newRow("missing folder") << "gone" << QString::fromUtf8("フォルダ");
        QTest::newRow("path out of the folder")
            << "sub/../../escaped" << QString::fromUtf8("「/」");
        QTest::newRow("parent folder") << ".." << QString::fromUtf8("「..」");
        QTest::newRow("control character") << "a\tb" << QString::fromUtf8("制御文字");
        QTest::newRow("full disk") << "full" << QString::fromUtf8("空き容量が足りません");
    }
    void failedSavesWriteNothing() {
        QFETCH(QString, section);
        QFETCH(QString, problem);
        openEditor();
        loadSection(QStringLiteral("sixty"));
        const QString readOnly = f->folder() + QStringLiteral("/qreadonly.tsl");
        testsupport::writeFile(readOnly, "old");
        QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
        if (section == QLatin1String("emoji"))
            f->state.questions[1].keyPoint = QString::fromUtf8("🎌");
        if (section == QLatin1String("gone"))
            f->state.quizFolder = f->folder() + QStringLiteral("/gone");
        std::optional<testsupport::FullDisk> disk;
        if (section == QLatin1String("full")) {
            disk.emplace(QList<std::pair<QString, QByteArray>>{{"qfull.tsl", "old"}});
            if (!disk->unavailable().isEmpty())
                QSKIP(qPrintable(disk->unavailable()));
            f->state.quizFolder = disk->filePath(QString());
            testsupport::writeFile(readOnly, "old"); // compared below for the full disk
        }
        section.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
        const QuizState before = f->state;
        const QStringList filesBefore = QDir(f->folder()).entryList(QDir::Files);
        control<QComboBox>(m, "sectionBox")->setEditText(section);
        control<QPushButton>(m, "saveButton")->click();
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(problem), qPrintable(shown[0].text));
        QCOMPARE(QDir(f->folder()).entryList(QDir::Files), filesBefore);
        QCOMPARE(testsupport::readFile(readOnly), QByteArray("old"));
        if (disk)
            QCOMPARE(testsupport::readFile(disk->filePath("qfull.tsl")), QByteArray("old"));
        QCOMPARE(f->state.questions, before.questions);
        QCOMPARE(f->state.questionCount, before.questionCount);
    }

    void pasteWithoutTextIsIgnored_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("question") << 1;
        QTest::newRow("choices") << 2;
        QTest::newRow("key point") << 4;
    }
    void pasteWithoutTextIsIgnored() {
        QFETCH(int, index);
        openEditor();
        QWidget *target = m->boxes()[index];
        target->setFocus();
        QApplication::clipboard()->clear();
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box(m, index), QString());
        QApplication::clipboard()->setText(QStringLiteral("a\nb"));
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box(m, index), QStringLiteral("a\r\nb"));
    }

    // Tab moves on in the tab order instead of typing a TAB into the question; Ctrl+Tab types
    // one. The arrow keys pick an answer from the list as a click does.
    void keyboardMovesAndPicks_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("question") << 1 << 3;
        QTest::newRow("choices") << 2 << 4;
        QTest::newRow("key point") << 4 << -1;
    }
    void keyboardMovesAndPicks() {
        QFETCH(int, from);
        QFETCH(int, to);
        openEditor();
        m->boxes()[from]->setFocus();
        QTest::keyClick(m->boxes()[from], Qt::Key_Tab);
        QCOMPARE(box(m, from), QString());
        QCOMPARE(QApplication::focusWidget(),
                 to < 0 ? static_cast<QWidget *>(control<QPushButton>(m, "addButton"))
                        : m->boxes()[to]);
        m->boxes()[from]->setFocus();
        QTest::keyClick(m->boxes()[from], Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(box(m, from), QStringLiteral("\t"));
        control<QListWidget>(m, "answerList")->setFocus();
        for (int i = 0; i < 5; ++i) // from 1 (current on focus) down to ×
            QTest::keyClick(control<QListWidget>(m, "answerList"), Qt::Key_Down);
        QTest::keyClick(control<QListWidget>(m, "answerList"), Qt::Key_Up);
        QCOMPARE(box(m, 3), control<QListWidget>(m, "answerList")->currentItem()->text());
        QCOMPARE(box(m, 3), QString::fromUtf8("○"));
    }

    // Closing with work not saved asks; the answer decides (Yes saves, Cancel keeps it open).
    void closingAsksAboutUnsavedWork_data() {
        QTest::addColumn<QString>("work");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("nothing changed") << "none" << QList<Answer>{} << false << true << false;
        QTest::newRow("added, yes")
            << "added" << QList<Answer>{Answer::Yes} << true << true << true;
        QTest::newRow("added, no") << "added" << QList<Answer>{Answer::No} << true << true << false;
        QTest::newRow("typed, cancel")
            << "typed" << QList<Answer>{Answer::Cancel} << true << false << false;
        QTest::newRow("main window, cancel")
            << "main" << QList<Answer>{Answer::Cancel} << true << false << false;
    }
    void closingAsksAboutUnsavedWork() {
        QFETCH(QString, work);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, asked);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        openEditor();
        loadSection(QStringLiteral("sixty"));
        const QByteArray before = testsupport::readFile(f->folder() + "/qsixty.tsl");
        if (work != QLatin1String("none")) {
            control<QPlainTextEdit>(m, "questionBox")->setFocus();
            commitText(control<QPlainTextEdit>(m, "questionBox"), QString::fromUtf8("書きかけ"));
        }
        if (work == QLatin1String("added"))
            control<QPushButton>(m, "addButton")->click();
        messagebox::script(answers);
        QWidget *closing = work == QLatin1String("main") ? static_cast<QWidget *>(f->form) : m;
        QCOMPARE(closing->close(), closed);
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), asked ? 1 : 0);
        if (asked)
            QCOMPARE(shown[0].text, QString::fromUtf8("保存しますか？"));
        QCOMPARE(m->isVisible(), !closed);
        QCOMPARE(f->form->isVisible(), true);
        QCOMPARE(testsupport::readFile(f->folder() + "/qsixty.tsl") != before, saved);
    }

    // Ended from outside (SIGTERM), the program closes and keeps what was typed; the next
    // load of the section offers it back.
    void sessionEndKeepsUnsavedWork() {
        openEditor();
        loadSection(QStringLiteral("sixty"));
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        commitText(control<QPlainTextEdit>(m, "questionBox"), QString::fromUtf8("書きかけの問題"));
        control<QPushButton>(m, "addButton")->click();
        commitText(control<QPlainTextEdit>(m, "questionBox"), QString::fromUtf8("二問目"));
        f->form->move(f->form->pos() + QPoint(30, 20));
        const QRect placed = design::outerGeometry(f->form);
        const QPointer<MainWindow> running = f->form;
        ::raise(SIGTERM);
        TRY_VERIFY(!running);
        QCOMPARE(settings::readNumber(QStringLiteral("MainLeft"), 0),
                 twips::fromPixels(placed.x()));
        QVERIFY(messagebox::takeShown().isEmpty());

        // The next start ends too while it offers the work back: that is no answer.
        for (const bool endedAgain : {true, false}) {
            f->state = QuizState(); // the next start of the program
            sessionend::forgetRequestForTesting();
            openEditor();
            if (endedAgain) {
                messagebox::stopScripting();
                const QPointer<MainWindow> ended = f->form;
                QTimer::singleShot(0, [] { ::raise(SIGTERM); });
                loadSection(QStringLiteral("sixty"));
                TRY_VERIFY(!ended);
            }
        }
        messagebox::script({Answer::Yes});
        loadSection(QStringLiteral("sixty"));
        QCOMPARE(messagebox::takeShown().size(), 1);
        const QString added = QString::fromUtf8("書きかけの問題<P>問題 1</P>");
        QCOMPARE(f->state.questions[0].question, added);
        QCOMPARE(box(m, 0), QStringLiteral("2"));
        QCOMPARE(box(m, 1), QString::fromUtf8("二問目<P>問題 2</P>"));
        control<QPushButton>(m, "saveButton")->click();
        QCOMPARE(quizfile::read(f->folder() + "/qsixty.tsl").records[0].question, added);

        loadSection(QStringLiteral("sixty")); // offered once only
        QVERIFY(messagebox::takeShown().isEmpty());
    }

    // Ended from outside while the editor opened for a missing section waits modally: the main
    // window outlives that wait and then closes.
    void sessionEndDuringTheModalEditor() {
        f->start();
        const QPointer<MainWindow> running = f->form;
        messagebox::script({Answer::Yes}); // make the missing section
        QTimer::singleShot(0, [] { ::raise(SIGTERM); });
        f->load(QStringLiteral("missing"));
        TRY_VERIFY(!running);
    }

    void optionsMenuClampsTheNumberBox() {
        openEditor();
        loadSection(QStringLiteral("sixty"));
        setBox(m, 0, QStringLiteral("50"));
        answerOptions(QStringLiteral("20"), true);
        control<QAction>(m, "settingsOptionsAction")->trigger();
        QCOMPARE(f->state.questionCount, 20);
        QCOMPARE(box(m, 0), QStringLiteral("20"));
    }

    void layoutFollowsTheWindow() {
        openEditor();
        const QSize frame = design::frameExtra(m);
        m->resize(QSize(100, 100));
        TRY_COMPARE(design::outerGeometry(m).size(),
                    QSize(twips::toPixels(5235), twips::toPixels(6255)));
        QCOMPARE(control<QPlainTextEdit>(m, "questionBox")->width(), twips::toPixels(3975));
        m->resize(QSize(twips::toPixels(7000), twips::toPixels(9550)) - frame);
        const int h = twips::toPixels(2000); // (9550 - 3550) / 3
        TRY_COMPARE(control<QPlainTextEdit>(m, "questionBox")->size(),
                    QSize(twips::toPixels(5740), h));
        QCOMPARE(control<QPlainTextEdit>(m, "choicesBox")->y(), twips::toPixels(3305));
        QCOMPARE(control<QPlainTextEdit>(m, "keyPointBox")->y(), twips::toPixels(5650));
        QCOMPARE(control<QLineEdit>(m, "pictureBox")->y(), twips::toPixels(7995));
        QCOMPARE(control<QLabel>(m, "pictureCaption")->y(),
                 twips::toPixels(7995) - twips::toPixels(240));
        QCOMPARE(control<QLineEdit>(m, "pictureBox")->width(), twips::toPixels(4545));
    }

    void statusBarFollowsTheMainWindow() {
        f->start();
        control<QAction>(f->form, "viewStatusBarAction")
            ->trigger(); // hides both; the editor is loaded hidden for it
        m = f->form->editor();
        QVERIFY(!m->isVisible());
        QVERIFY(m->statusBar()->isHidden());
        control<QAction>(f->form, "viewStatusBarAction")->trigger();
        QVERIFY(!m->statusBar()->isHidden());
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestEditor)
#include "tst_editor.moc"
