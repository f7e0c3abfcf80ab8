#include "Controls.h"
#include "DirList.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "OptionsDialog.h"
#include "Settings.h"
#include "StudyOptions.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

using testsupport::control;

namespace {
const QString kRefused = QString::fromUtf8("問題数を,1以上に設定してください。");

// Picks the entry from the open list, as a user does with the mouse or the keys.
void pick(QComboBox *box, int index) {
    box->showPopup();
    TRY_VERIFY(box->view()->isVisible());
    box->view()->setCurrentIndex(box->model()->index(index, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
    TRY_VERIFY(!box->view()->isVisible());
}

void loadSixty(MainWindowFixture &f) {
    f.writeQuiz(QStringLiteral("sixty"), 60);
    QVERIFY(f.state.loadQuizFile(f.folder() + QStringLiteral("/qsixty.tsl")).ok);
    for (int i = 0; i < 60; ++i) {
        f.state.answerMarks[i] = 1 + i % 2;
        f.state.answerTexts[i] = QString::number(i);
    }
}
} // namespace

class TestOptions : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void openerDecidesTheCountBox_data() {
        QTest::addColumn<int>("opener");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("main window") << int(QuizState::Opener::MainWindow) << false;
        QTest::newRow("editor") << int(QuizState::Opener::Editor) << true;
        QTest::newRow("nobody yet") << int(QuizState::Opener::Nobody) << true;
    }
    void openerDecidesTheCountBox() {
        QFETCH(int, opener);
        QFETCH(bool, enabled);
        f->state.optionsOpener = QuizState::Opener(opener);
        f->state.questionCount = 25;
        OptionsDialog options(f->state);
        QCOMPARE(control<QLineEdit>(&options, "countBox")->isEnabled(), enabled);
        QCOMPARE(control<QLineEdit>(&options, "countBox")->text(), QStringLiteral("25"));
        QCOMPARE(control<QLineEdit>(&options, "folderBox")->text(), f->folder());
        QCOMPARE(control<DirList>(&options, "folderList")->path(),
                 QDir(f->folder()).canonicalPath());
        QCOMPARE(options.windowTitle(), QString::fromUtf8("ｵﾌﾟｼｮﾝ"));
    }

    void viewOptionsOpensItFromTheMainWindow() {
        MainWindow *form = f->start();
        bool disabled = false;
        QTimer::singleShot(0, [&] {
            auto *options = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
            QVERIFY(options);
            disabled = !control<QLineEdit>(options, "countBox")->isEnabled();
            control<QPushButton>(options, "okButton")->click();
        });
        control<QAction>(form, "viewOptionsAction")->trigger();
        QCOMPARE(f->state.optionsOpener, QuizState::Opener::MainWindow);
        QVERIFY(disabled);
        // OK at start-up sized every array to the 60 questions.
        QCOMPARE(f->state.questions.size(), 60);
        QCOMPARE(f->state.answerMarks.size(), 60);
        QCOMPARE(f->state.answerTexts.size(), 60);
    }

    void applyResizesKeepingWhatFits() {
        loadSixty(*f);
        f->state.optionsOpener = QuizState::Opener::Editor;
        OptionsDialog options(f->state);
        options.show();
        control<QLineEdit>(&options, "countBox")->setText(QStringLiteral("70"));
        control<QPushButton>(&options, "applyButton")->click();
        QVERIFY(options.isVisible());
        QCOMPARE(f->state.questionCount, 70);
        QCOMPARE(f->state.questions[59], numberedQuestion(60));
        QCOMPARE(f->state.questions[69], QuizRecord());
        QCOMPARE(f->state.answerTexts[59], QStringLiteral("59"));
        QCOMPARE(f->state.answerMarks[69], 0);
        control<QLineEdit>(&options, "countBox")->setText(QStringLiteral("40"));
        control<QPushButton>(&options, "applyButton")->click();
        QCOMPARE(f->state.questionCount, 40);
        QCOMPARE(f->state.questions.size(), 40);
        QCOMPARE(f->state.answerMarks.size(), 40);
        QCOMPARE(f->state.answerTexts.size(), 40);
        QCOMPARE(f->state.questions[39], numberedQuestion(40));
        QCOMPARE(f->state.answerMarks[39], 2);
        control<QLineEdit>(&options, "countBox")->setText(QStringLiteral("45.5")); // halves to even
        control<QPushButton>(&options, "okButton")->click();
        QCOMPARE(f->state.questionCount, 46);
        QVERIFY(!options.isVisible());
    }

    void applyThenCancelKeepsWhatWasApplied() {
        QTemporaryDir other;
        f->state.optionsOpener = QuizState::Opener::Editor;
        OptionsDialog options(f->state);
        options.show();
        control<QLineEdit>(&options, "countBox")->setText(QStringLiteral("12"));
        control<QLineEdit>(&options, "folderBox")->setText(other.path());
        control<QPushButton>(&options, "applyButton")->click();
        control<QLineEdit>(&options, "countBox")->setText(QStringLiteral("99"));
        control<QPushButton>(&options, "cancelButton")->click();
        QCOMPARE(f->state.questionCount, 12);
        QCOMPARE(f->state.quizFolder, QDir(other.path()).canonicalPath());
        QCOMPARE(settings::readString(QStringLiteral("QPath"), QString()), f->state.quizFolder);
    }

    void refusedCountsStoreNothing_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << "abc" << kRefused;
        QTest::newRow("empty") << "" << kRefused;
        QTest::newRow("zero") << "0" << kRefused;
        QTest::newRow("negative") << "-3" << kRefused;
        QTest::newRow("too many") << "32767"
                                  << QString::fromUtf8("問題数を,32766以下に設定してください。");
    }
    void refusedCountsStoreNothing() {
        QFETCH(QString, count);
        QFETCH(QString, message);
        QTemporaryDir other;
        f->state.optionsOpener = QuizState::Opener::Editor;
        OptionsDialog options(f->state);
        options.show();
        control<QLineEdit>(&options, "countBox")->setText(count);
        control<QLineEdit>(&options, "folderBox")->setText(other.path());
        for (QPushButton *button : {control<QPushButton>(&options, "applyButton"),
                                    control<QPushButton>(&options, "okButton")}) {
            button->click();
            const QList<messagebox::Shown> shown = messagebox::takeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].text, message);
        }
        QVERIFY(options.isVisible());
        QCOMPARE(f->state.questionCount, 60);
        QCOMPARE(settings::readString(QStringLiteral("QPath"), QString()), f->folder());
        QVERIFY(f->state.quizFolder.isEmpty());
    }

    void tabKeysWrapAround() {
        OptionsDialog options(f->state);
        QVERIFY(showActive(&options));
        QCOMPARE(control<QTabBar>(&options, "tabBar")->currentIndex(), 0);
        QCOMPARE(control<QWidget>(&options, "folderPage")->x(), twips::toPixels(-20000));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(control<QTabBar>(&options, "tabBar")->currentIndex(), 1);
        QCOMPARE(control<QWidget>(&options, "folderPage")->x(), twips::toPixels(210));
        QVERIFY(control<QWidget>(&options, "folderPage")->isEnabled() &&
                !control<QWidget>(&options, "countPage")->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(control<QTabBar>(&options, "tabBar")->currentIndex(), 0); // wrapped to the first
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(control<QTabBar>(&options, "tabBar")->currentIndex(), 2); // wrapped to the last
        QCOMPARE(control<QWidget>(&options, "studyPage")->x(), twips::toPixels(210));
        QCOMPARE(control<QWidget>(&options, "countPage")->x(), twips::toPixels(-20000));
    }

    void typingAPathMovesTheFolderList() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("ab/cd")));
        const QString canonical = QDir(root.path()).canonicalPath();
        OptionsDialog options(f->state);
        options.show();
        control<QTabBar>(&options, "tabBar")
            ->setCurrentIndex(1); // the folder page, as a user would
        control<QLineEdit>(&options, "folderBox")->clear();
        const QString before = control<DirList>(&options, "folderList")->path();
        control<QLineEdit>(&options, "folderBox")->setFocus();
        QTest::keyClicks(control<QLineEdit>(&options, "folderBox"),
                         canonical + QStringLiteral("/a"));
        QCOMPARE(control<DirList>(&options, "folderList")->path(),
                 canonical); // "…/a" names no folder
        QCOMPARE(control<QLineEdit>(&options, "folderBox")->text(),
                 canonical + QStringLiteral("/a"));
        QTest::keyClicks(control<QLineEdit>(&options, "folderBox"), QStringLiteral("b"));
        QCOMPARE(control<DirList>(&options, "folderList")->path(),
                 canonical + QStringLiteral("/ab"));
        QTest::keyClicks(control<QLineEdit>(&options, "folderBox"), QStringLiteral("/zz"));
        QCOMPARE(control<DirList>(&options, "folderList")->path(),
                 canonical + QStringLiteral("/ab"));
        QVERIFY(before != control<DirList>(&options, "folderList")->path());
        // The list shows the path from the root down, then the sub-folders.
        const QList<QListWidgetItem *> cd =
            control<DirList>(&options, "folderList")
                ->findItems(QStringLiteral("cd"), Qt::MatchEndsWith);
        QCOMPARE(cd.size(), 1);
        emit control<DirList>(&options, "folderList")->itemActivated(cd[0]);
        QCOMPARE(control<QLineEdit>(&options, "folderBox")->text(),
                 canonical + QStringLiteral("/ab/cd"));
        QCOMPARE(control<DirList>(&options, "folderList")->item(0)->text(), QStringLiteral("/"));
    }

    void onlyAnotherDriveMovesTheFolderList_data() {
        QTest::addColumn<bool>("sameDrive");
        QTest::newRow("the chosen drive again") << true;
        QTest::newRow("another drive") << false;
    }
    void onlyAnotherDriveMovesTheFolderList() {
        QFETCH(bool, sameDrive);
        OptionsDialog options(f->state);
        QVERIFY(showActive(&options));
        control<QTabBar>(&options, "tabBar")->setCurrentIndex(1);
        const int chosen = control<QComboBox>(&options, "driveBox")->currentIndex();
        if (!sameDrive && control<QComboBox>(&options, "driveBox")->count() < 2)
            QSKIP("one drive only");
        const int picked =
            sameDrive ? chosen : (chosen + 1) % control<QComboBox>(&options, "driveBox")->count();
        pick(control<QComboBox>(&options, "driveBox"), picked);
        const QString expected =
            sameDrive
                ? QDir(f->folder()).canonicalPath()
                : QDir(control<QComboBox>(&options, "driveBox")->itemText(picked)).canonicalPath();
        QCOMPARE(control<DirList>(&options, "folderList")->path(), expected);
        QCOMPARE(control<QLineEdit>(&options, "folderBox")->text(), expected);
    }

    // A Japanese input method types full-width digits: they are the number they show.
    void fullWidthDigitsAreANumber() {
        f->state.optionsOpener = QuizState::Opener::Editor;
        OptionsDialog options(f->state);
        QVERIFY(showActive(&options));
        control<QLineEdit>(&options, "countBox")->setFocus();
        control<QLineEdit>(&options, "countBox")->selectAll();
        commitText(control<QLineEdit>(&options, "countBox"), QString::fromUtf8("１２"));
        control<QPushButton>(&options, "okButton")->click();
        QCOMPARE(messagebox::takeShown().size(), 0);
        QCOMPARE(f->state.questionCount, 12);
    }

    // The learner's name and class folder (chosen with the folder dialog, or typed): stored on
    // one line; a folder that is no absolute path stores nothing.
    void classFolderAndName_data() {
        QTest::addColumn<QString>("typedFolder"); // empty: chosen with 参照
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<bool>("refused");
        QTest::newRow("chosen") << QString() << QString::fromUtf8("山田　花子")
                                << QString::fromUtf8("山田　花子") << false;
        QTest::newRow("typed, name on one line")
            << QStringLiteral("/srv/class") << QStringLiteral(" a\tb ") << QStringLiteral("a b")
            << false;
        QTest::newRow("relative folder")
            << QStringLiteral("class") << QStringLiteral("a") << QString() << true;
    }
    void classFolderAndName() {
        QFETCH(QString, typedFolder);
        QFETCH(QString, typedName);
        QFETCH(QString, storedName);
        QFETCH(bool, refused);
        QTemporaryDir chosen;
        OptionsDialog options(f->state);
        control<QTabBar>(&options, "tabBar")->setCurrentIndex(2); // 出題方法
        control<QLineEdit>(&options, "nameBox")->setText(typedName);
        if (typedFolder.isEmpty()) {
            filedialog::script({chosen.path()});
            control<QPushButton>(&options, "classFolderButton")->click();
        } else {
            control<QLineEdit>(&options, "classFolderBox")->setText(typedFolder);
        }
        control<QPushButton>(&options, "okButton")->click();
        QCOMPARE(messagebox::takeShown().size(), refused ? 1 : 0);
        QCOMPARE(studyoptions::learnerName(), storedName);
        QCOMPARE(studyoptions::classFolder(), refused                 ? QString()
                                              : typedFolder.isEmpty() ? chosen.path()
                                                                      : typedFolder);
    }

    void okStoresTheFolderListsPath() {
        QTemporaryDir other;
        OptionsDialog options(f->state);
        control<QLineEdit>(&options, "folderBox")->setText(other.path() + QStringLiteral("/"));
        control<QPushButton>(&options, "okButton")->click();
        const QString canonical = QDir(other.path()).canonicalPath();
        QCOMPARE(f->state.quizFolder, canonical);
        QCOMPARE(settings::readString(QStringLiteral("QPath"), QString()), canonical);
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestOptions)
#include "tst_options.moc"
