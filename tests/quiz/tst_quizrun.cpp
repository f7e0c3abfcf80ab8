#include "Controls.h"
#include "EditorWindow.h"
#include "FileDialog.h"
#include "HtmlPane.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "PaneProbe.h"
#include "Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <sys/stat.h>

using testsupport::control;

using messagebox::Answer;

namespace {
const QString kEndPrompt = QString::fromUtf8("問題は以上です｡結果を表示しますか？");
const QString kMissingPrompt = QString::fromUtf8("ファイルがないようです｡新規に作成しますか？");
const QString kTrueFalseRule = QString::fromUtf8(" 1問 1点の 正誤問題です｡ 間違えると減点1です｡");
const QString kFourChoiceRule = QString::fromUtf8("1問2点の4者択一問題です｡");

QStringList texts(const QList<messagebox::Shown> &shown) {
    QStringList list;
    for (const auto &box : shown)
        list.append(box.text);
    return list;
}

void press(MainWindow *form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : form;
    QTest::keyClick(target, key, modifiers);
}
} // namespace

class TestQuizRun : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void wholeRunOfTheSampleQuiz() {
        testsupport::CleanSettings store; // QPath absent: the bundled samples
        f->start();
        MainWindow *form = f->form;
        f->load(QString::fromUtf8("日本の地理"));
        QVERIFY(form->isQuizLoaded());
        QCOMPARE(f->state.questionCount, 10);
        QVERIFY(control<QTimer>(form, "clockTimer")->isActive());
        QCOMPARE(control<QLabel>(form, "clockLabel")->text(), QStringLiteral("00:00:00"));
        QVERIFY(control<QLabel>(form, "statusTextPanel")
                    ->text()
                    .endsWith(QString::fromUtf8("q日本の地理.tsl")));
        QVERIFY(panesApplied(form));
        QVERIFY(renderedBody(control<HtmlPane>(form, "questionPane"))
                    .contains(QString::fromUtf8("富士山")));
        QVERIFY(!control<QLabel>(form, "pictureLabel")->pixmap().isNull());
        QCOMPARE(control<QLabel>(form, "ruleLabel")->text(), kTrueFalseRule);

        // 1: typed "○" through the input method; 2: picked from the list; 3: digit key.
        control<QLineEdit>(form, "answerBox")->setFocus();
        commitText(control<QLineEdit>(form, "answerBox"), QString::fromUtf8("○"));
        press(form, Qt::Key_Down);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("2"));
        QCOMPARE(control<QLabel>(form, "ruleLabel")->text(), kFourChoiceRule);
        QTest::mouseClick(control<QListWidget>(form, "answerList")->viewport(), Qt::LeftButton, {},
                          control<QListWidget>(form, "answerList")
                              ->visualItemRect(control<QListWidget>(form, "answerList")->item(1))
                              .center());
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), QStringLiteral("2"));
        QCOMPARE(f->state.answerMarks[1], 0); // picked, not yet recorded
        QTest::mouseClick(control<QPushButton>(form, "okButton"), Qt::LeftButton);
        QCOMPARE(f->state.answerMarks[1], 1);
        press(form, Qt::Key_Down);
        control<QLineEdit>(form, "answerBox")->setFocus();
        press(form, Qt::Key_4); // wrong: the table's answer is 1
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), QStringLiteral("4"));
        press(form, Qt::Key_Down);
        // 4: "×" by the keypad 6 with the focus on a button, then Up and back.
        control<QPushButton>(form, "okButton")->setFocus();
        press(form, Qt::Key_6, Qt::KeypadModifier);
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), QString::fromUtf8("×"));
        press(form, Qt::Key_Up);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("3"));
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), QStringLiteral("4"));

        QCOMPARE(f->state.answerMarks.mid(0, 4), (QList<qint32>{1, 1, 2, 2}));
        QCOMPARE(f->state.answerTexts.mid(0, 4),
                 (QStringList{QString::fromUtf8("○"), "2", "4", QString::fromUtf8("×")}));

        // Picture in the mark-up and ruby reach the renderer with the folder filled in.
        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("5"));
        QVERIFY(panesApplied(form));
        const QString body = renderedBody(control<HtmlPane>(form, "questionPane"));
        QVERIFY2(
            body.contains(QUrl::fromLocalFile(f->state.quizFolder + "/img/torii.gif").toString()),
            qPrintable(body));
        QCOMPARE(f->state.questions[4].question.contains(QStringLiteral("PathName")), true);
        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("4"));
        QVERIFY(panesApplied(form));
        QVERIFY(
            renderedBody(control<HtmlPane>(form, "questionPane")).contains(QStringLiteral("<rt>")));
    }

    void scrollBarRunsOnePastTheLastQuestion() {
        f->writeQuiz(QStringLiteral("sixty"), 60);
        f->start();
        MainWindow *form = f->form;
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->maximum(), 1);
        f->load(QStringLiteral("sixty"));
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->minimum(), 1);
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->maximum(), 61);
        for (int value = 2; value <= 60; ++value) {
            control<QScrollBar>(form, "questionScrollBar")->setValue(value);
            QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QString::number(value));
        }
        QVERIFY(messagebox::takeShown().isEmpty());
        messagebox::script({Answer::No});
        control<QScrollBar>(form, "questionScrollBar")->setValue(61);
        QCOMPARE(texts(messagebox::takeShown()), QStringList{kEndPrompt});
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("60"));
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->value(), 60);
        QVERIFY(control<QTimer>(form, "clockTimer")->isActive()); // No keeps the clock running
    }

    void yesAtTheEndStopsTheClock() {
        f->writeQuiz(QStringLiteral("three"), 3);
        f->start();
        f->load(QStringLiteral("three"));
        messagebox::script({Answer::Yes});
        closeNextModalWindow(); // the results window
        control<QLineEdit>(f->form, "questionNumberBox")->setText(QStringLiteral("4"));
        QCOMPARE(texts(messagebox::takeShown()), QStringList{kEndPrompt});
        QVERIFY(!control<QTimer>(f->form, "clockTimer")->isActive());
        QCOMPARE(control<QLineEdit>(f->form, "questionNumberBox")->text(), QStringLiteral("3"));
    }

    void typedQuestionNumbers_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // number box afterwards
        QTest::addColumn<bool>("endPrompt");
        QTest::newRow("70 ends the quiz") << "70"
                                          << "60" << true;
        QTest::newRow("61 ends the quiz") << "61"
                                          << "60" << true;
        QTest::newRow("0 changes nothing") << "0"
                                           << "0" << false;
        QTest::newRow("letters change nothing") << "abc"
                                                << "abc" << false;
        QTest::newRow("2.5 lands on question 2") << "2.5"
                                                 << "2" << false;
    }
    void typedQuestionNumbers() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, endPrompt);
        f->writeQuiz(QStringLiteral("sixty"), 60);
        f->start();
        f->load(QStringLiteral("sixty"));
        MainWindow *form = f->form;
        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("7"));
        QVERIFY(panesApplied(form));
        messagebox::takeShown();
        control<QLineEdit>(form, "questionNumberBox")->setText(typed);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), shown);
        QCOMPARE(texts(messagebox::takeShown()).contains(kEndPrompt), endPrompt);
        QVERIFY(panesApplied(form));
        const QString body = renderedBody(control<HtmlPane>(form, "questionPane"));
        const char *expected = endPrompt ? "問題 60" : typed == "2.5" ? "問題 2<" : "問題 7";
        QVERIFY2(body.contains(QString::fromUtf8(expected)), qPrintable(body));
    }

    void markAgreesWithTheStoredAnswerWhenShown() {
        f->writeQuiz(QStringLiteral("five"), 5);
        f->start();
        f->load(QStringLiteral("five"));
        MainWindow *form = f->form;
        control<QLineEdit>(form, "answerBox")->setText(QString::fromUtf8("○"));
        control<QListWidget>(form, "answerList")
            ->setCurrentRow(1); // picks "2" for question 1 without recording it
        form->pickAnswerFromList();
        QCOMPARE(f->state.answerMarks[0], 0);
        control<QLineEdit>(form, "questionNumberBox")
            ->setText(QStringLiteral("3")); // typed: no scroll step records question 1
        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("1"));
        // Showing question 1 moved the scroll bar, which recorded its stored answer "2".
        QCOMPARE(f->state.answerTexts[0], QStringLiteral("2"));
        QCOMPARE(f->state.answerMarks[0], 2);
    }

    void answersAreComparedExactly_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("mark");
        QTest::newRow("right") << "2" << 1;
        QTest::newRow("trailing space") << "2 " << 2;
        QTest::newRow("full-width digit") << QString::fromUtf8("２") << 2;
        QTest::newRow("empty") << "" << 0;
    }
    void answersAreComparedExactly() {
        QFETCH(QString, given);
        QFETCH(int, mark);
        f->writeQuiz(QStringLiteral("two"), 2);
        f->start();
        f->load(QStringLiteral("two"));
        control<QLineEdit>(f->form, "questionNumberBox")->setText(QStringLiteral("2"));
        control<QLineEdit>(f->form, "answerBox")->setText(given);
        f->form->recordAnswer();
        QCOMPARE(f->state.answerMarks[1], mark);
        QCOMPARE(f->state.answerTexts[1], given);
    }

    void recordingErrors_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << "abc" << QString::fromUtf8("13 : 型が一致しません。");
        QTest::newRow("no such question")
            << "-1" << QString::fromUtf8("9 : インデックスが有効範囲にありません。");
        QTest::newRow("zero") << "0"
                              << QString::fromUtf8("9 : インデックスが有効範囲にありません。");
    }
    void recordingErrors() {
        QFETCH(QString, number);
        QFETCH(QString, message);
        f->writeQuiz(QStringLiteral("two"), 2);
        f->start();
        f->load(QStringLiteral("two"));
        const QList<qint32> marks = f->state.answerMarks;
        control<QLineEdit>(f->form, "questionNumberBox")->setText(number);
        control<QLineEdit>(f->form, "answerBox")->setText(QStringLiteral("1"));
        messagebox::takeShown();
        QTest::mouseClick(control<QPushButton>(f->form, "okButton"), Qt::LeftButton);
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].title, QStringLiteral("Tessellar"));
        QCOMPARE(f->state.answerMarks, marks);
    }

    void missingFileAnsweredNoChangesNothing() {
        f->writeQuiz(QStringLiteral("three"), 3);
        f->start();
        f->load(QStringLiteral("three"));
        control<QLineEdit>(f->form, "answerBox")->setText(QStringLiteral("2"));
        f->form->recordAnswer();
        const QuizState before = f->state;
        control<QTimer>(f->form, "clockTimer")->stop();
        messagebox::script({Answer::No});
        f->load(QStringLiteral("nosuch"));
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(texts(shown), QStringList{kMissingPrompt});
        QCOMPARE(shown[0].title, QString::fromUtf8("確認"));
        QCOMPARE(shown[0].buttons, messagebox::Buttons::YesNo);
        QVERIFY(!f->form->isQuizLoaded());
        QVERIFY(!control<QTimer>(f->form, "clockTimer")->isActive());
        QCOMPARE(f->state.questions, before.questions);
        QCOMPARE(f->state.answerTexts, before.answerTexts);
    }

    // A picture name from a quiz may point anywhere: only a regular file is opened, so a
    // FIFO or a device shows no picture at once instead of freezing the window.
    void oddPictureNamesShowNothing() {
        mkfifo(QFile::encodeName(f->folder() + "/pipe.gif").constData(), 0600);
        QList<QuizRecord> quiz;
        for (const char *name : {"pipe.gif", "../../../../../../dev/zero", "."}) {
            quiz.append(numberedQuestion(quiz.size() + 1));
            quiz.last().imageFile = QString::fromLatin1(name);
        }
        testsupport::writeFile(f->folder() + "/qodd.tsl", quizfile::encode(3, quiz).bytes);
        f->start();
        f->load(QStringLiteral("odd"));
        for (int question = 1; question <= 3; ++question) {
            control<QLineEdit>(f->form, "questionNumberBox")->setText(QString::number(question));
            QVERIFY(control<QLabel>(f->form, "pictureLabel")->pixmap().isNull());
        }
        QVERIFY(panesApplied(f->form));
    }

    // A quiz folder copied from Windows: upper-case file names, picture names in another
    // case, backslashes, and a folder name that an address cannot hold as it is.
    void windowsQuizFolderShowsEveryPicture() {
        QTemporaryDir parent;
        const QString folder = parent.filePath(QStringLiteral("Windows #1 100% ?"));
        const QString source = QStringLiteral(TESSELLAR_TEST_DATA "/windows-quiz");
        QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString target = folder + "/" + QDir(source).relativeFilePath(files.next());
            QDir().mkpath(QFileInfo(target).path());
            QVERIFY(QFile::copy(files.filePath(), target));
        }
        settings::writeString(QStringLiteral("QPath"), folder);
        f->start();
        QCOMPARE(control<QComboBox>(f->form, "sectionBox")->findText(QStringLiteral("KANA")), 0);
        f->load(QStringLiteral("KANA"));
        QVERIFY(messagebox::takeShown().isEmpty());
        QVERIFY(f->form->isQuizLoaded());
        for (int question = 1; question <= 2; ++question) {
            control<QLineEdit>(f->form, "questionNumberBox")->setText(QString::number(question));
            QVERIFY(!control<QLabel>(f->form, "pictureLabel")->pixmap().isNull());
            QVERIFY(panesApplied(f->form));
            for (HtmlPane *pane : {control<HtmlPane>(f->form, "choicesPane"),
                                   control<HtmlPane>(f->form, "questionPane")})
                TRY_COMPARE(
                    paneprobe::evaluate(pane, QStringLiteral("Array.from(document.images).filter("
                                                             "i => i.complete && i.naturalWidth > "
                                                             "0).length"))
                        .toInt(),
                    paneprobe::evaluate(pane, QStringLiteral("document.images.length")).toInt());
        }
        QCOMPARE(paneprobe::evaluate(control<HtmlPane>(f->form, "questionPane"),
                                     QStringLiteral("document.images.length"))
                     .toInt(),
                 1);
    }

    void damagedFileLeavesTheQuizUnchanged() {
        f->writeQuiz(QStringLiteral("three"), 3);
        const QString damaged = f->writeQuiz(QStringLiteral("damaged"), 8);
        QFile file(damaged);
        QVERIFY(file.resize(file.size() - 10));
        f->start();
        f->load(QStringLiteral("three"));
        const QuizState before = f->state;
        messagebox::script({Answer::Yes}); // Yes opens the editor, modal; it is closed unused
        bool editorWasModal = false;
        QTimer::singleShot(0, [&] {
            auto *editor = qobject_cast<EditorWindow *>(QApplication::activeModalWidget());
            editorWasModal = editor != nullptr;
            if (editor)
                editor->close();
        });
        f->load(QStringLiteral("damaged"));
        QVERIFY(editorWasModal);
        QCOMPARE(texts(messagebox::takeShown()), QStringList{kMissingPrompt});
        QCOMPARE(f->state.questionCount, 3);
        QCOMPARE(f->state.questions, before.questions);
        QCOMPARE(f->state.answerMarks, before.answerMarks);
    }

    void tooManyQuestionsAreRefused() {
        testsupport::writeFile(f->folder() + "/qhuge.tsl", testsupport::numberedEmptyQuiz(32767));
        f->start();
        f->load(QStringLiteral("huge"));
        const QStringList shown = texts(messagebox::takeShown());
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(QStringLiteral("32766")), qPrintable(shown[0]));
        QVERIFY(!f->form->isQuizLoaded());
        QCOMPARE(f->state.questionCount, 60);
        QCOMPARE(control<QScrollBar>(f->form, "questionScrollBar")->maximum(), 1);
        QVERIFY(!control<QTimer>(f->form, "clockTimer")->isActive());
    }

    void fileOpen() {
        const QString three = f->writeQuiz(QStringLiteral("three"), 3);
        const QString five = f->writeQuiz(QStringLiteral("five"), 5);
        f->start();
        f->load(QStringLiteral("three"));
        MainWindow *form = f->form;
        control<QLineEdit>(form, "answerBox")->setText(QStringLiteral("2"));
        form->recordAnswer();
        const QuizState before = f->state;

        filedialog::script({QString()}); // cancelled
        control<QAction>(form, "fileOpenAction")->trigger();
        QCOMPARE(f->state.answerTexts, before.answerTexts);
        QVERIFY(messagebox::takeShown().isEmpty());

        const QString broken = f->folder() + QStringLiteral("/qbroken.tsl");
        testsupport::writeFile(broken, QByteArray(4, '\0'));
        filedialog::script({broken});
        control<QAction>(form, "fileOpenAction")->trigger();
        const QStringList shown = texts(messagebox::takeShown());
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(broken) && shown[0].contains(QString::fromUtf8("問題数 0")),
                 qPrintable(shown[0]));
        QCOMPARE(f->state.questions, before.questions);
        QCOMPARE(f->state.answerTexts, before.answerTexts);
        QCOMPARE(control<QLabel>(form, "statusTextPanel")->text(), three);

        filedialog::script({five});
        control<QAction>(form, "fileOpenAction")->trigger();
        QCOMPARE(f->state.questionCount, 5);
        QCOMPARE(control<QLabel>(form, "statusTextPanel")->text(), five);
        QCOMPARE(f->state.currentQuizFile, three);
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->maximum(),
                 4); // the run's range is left alone
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("1"));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(form, "questionNumberBox"));
    }

    void closeThenLoadStartsANormalRun() {
        f->writeQuiz(QStringLiteral("three"), 3);
        f->start();
        MainWindow *form = f->form;
        f->load(QStringLiteral("three"));
        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("2"));
        control<QAction>(form, "fileCloseAction")->trigger();
        QCOMPARE(f->state.questionCount, 3);
        QCOMPARE(f->state.questions.size(), 1);
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->maximum(), 1);
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->value(), 1);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("1"));
        QVERIFY(panesApplied(form));
        QCOMPARE(renderedBody(control<HtmlPane>(form, "questionPane")), QString());
        f->load(QStringLiteral("three"));
        QCOMPARE(f->state.questions.size(), 3);
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->maximum(), 4);
        QVERIFY(panesApplied(form));
        QVERIFY(renderedBody(control<HtmlPane>(form, "questionPane"))
                    .contains(QString::fromUtf8("問題 1")));
    }

    void pictureThatCannotBeLoadedKeepsThePrevious() {
        QList<QuizRecord> quiz{numberedQuestion(1), numberedQuestion(2), numberedQuestion(3)};
        quiz[0].imageFile = QStringLiteral("img\\p.png");
        quiz[1].imageFile = QStringLiteral("missing.gif");
        QDir(f->folder()).mkdir(QStringLiteral("img"));
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(f->folder() + QStringLiteral("/img/p.png")));
        testsupport::writeFile(f->folder() + QStringLiteral("/qpics.tsl"),
                               quizfile::encode(3, quiz).bytes);
        f->start();
        f->load(QStringLiteral("pics"));
        MainWindow *form = f->form;
        QCOMPARE(f->state.currentImageFile, f->folder() + QStringLiteral("/img/p.png"));
        QVERIFY(!control<QLabel>(form, "pictureLabel")->pixmap().isNull());
        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("2"));
        QVERIFY(!control<QLabel>(form, "pictureLabel")->pixmap().isNull()); // kept
        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("3"));
        QVERIFY(
            control<QLabel>(form, "pictureLabel")->pixmap().isNull()); // no picture named: cleared
        QVERIFY(f->state.currentImageFile.isEmpty());
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestQuizRun)
#include "tst_quizrun.moc"
