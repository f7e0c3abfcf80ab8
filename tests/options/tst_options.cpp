#include "DirList.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "OptionsDialog.h"
#include "Settings.h"
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
        QCOMPARE(options.countBox->isEnabled(), enabled);
        QCOMPARE(options.countBox->text(), QStringLiteral("25"));
        QCOMPARE(options.folderBox->text(), f->folder());
        QCOMPARE(options.folderList->path(), QDir(f->folder()).canonicalPath());
        QCOMPARE(options.windowTitle(), QString::fromUtf8("ｵﾌﾟｼｮﾝ"));
    }

    void viewOptionsOpensItFromTheMainWindow() {
        MainWindow *form = f->start();
        bool disabled = false;
        QTimer::singleShot(0, [&] {
            auto *options = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
            QVERIFY(options);
            disabled = !options->countBox->isEnabled();
            options->okButton->click();
        });
        form->viewOptionsAction->trigger();
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
        options.countBox->setText(QStringLiteral("70"));
        options.applyButton->click();
        QVERIFY(options.isVisible());
        QCOMPARE(f->state.questionCount, 70);
        QCOMPARE(f->state.questions[59], numberedQuestion(60));
        QCOMPARE(f->state.questions[69], QuizRecord());
        QCOMPARE(f->state.answerTexts[59], QStringLiteral("59"));
        QCOMPARE(f->state.answerMarks[69], 0);
        options.countBox->setText(QStringLiteral("40"));
        options.applyButton->click();
        QCOMPARE(f->state.questionCount, 40);
        QCOMPARE(f->state.questions.size(), 40);
        QCOMPARE(f->state.answerMarks.size(), 40);
        QCOMPARE(f->state.answerTexts.size(), 40);
        QCOMPARE(f->state.questions[39], numberedQuestion(40));
        QCOMPARE(f->state.answerMarks[39], 2);
        options.countBox->setText(QStringLiteral("45.5")); // halves to even
        options.okButton->click();
        QCOMPARE(f->state.questionCount, 46);
        QVERIFY(!options.isVisible());
    }

    void applyThenCancelKeepsWhatWasApplied() {
        QTemporaryDir other;
        f->state.optionsOpener = QuizState::Opener::Editor;
        OptionsDialog options(f->state);
        options.show();
        options.countBox->setText(QStringLiteral("12"));
        options.folderBox->setText(other.path());
        options.applyButton->click();
        options.countBox->setText(QStringLiteral("99"));
        options.cancelButton->click();
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
        options.countBox->setText(count);
        options.folderBox->setText(other.path());
        for (QPushButton *button : {options.applyButton, options.okButton}) {
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
        options.show();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        QCOMPARE(options.tabBar->currentIndex(), 0);
        QCOMPARE(options.folderPage->x(), twips::toPixels(-20000));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(options.tabBar->currentIndex(), 1);
        QCOMPARE(options.folderPage->x(), twips::toPixels(210));
        QVERIFY(options.folderPage->isEnabled() && !options.countPage->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(options.tabBar->currentIndex(), 0); // wrapped to the first
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(options.tabBar->currentIndex(), 1); // wrapped to the last
        QCOMPARE(options.countPage->x(), twips::toPixels(-20000));
    }

    void typingAPathMovesTheFolderList() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("ab/cd")));
        const QString canonical = QDir(root.path()).canonicalPath();
        OptionsDialog options(f->state);
        options.show();
        options.tabBar->setCurrentIndex(1); // the folder page, as a user would
        options.folderBox->clear();
        const QString before = options.folderList->path();
        options.folderBox->setFocus();
        QTest::keyClicks(options.folderBox, canonical + QStringLiteral("/a"));
        QCOMPARE(options.folderList->path(), canonical); // "…/a" names no folder
        QCOMPARE(options.folderBox->text(), canonical + QStringLiteral("/a"));
        QTest::keyClicks(options.folderBox, QStringLiteral("b"));
        QCOMPARE(options.folderList->path(), canonical + QStringLiteral("/ab"));
        QTest::keyClicks(options.folderBox, QStringLiteral("/zz"));
        QCOMPARE(options.folderList->path(), canonical + QStringLiteral("/ab"));
        QVERIFY(before != options.folderList->path());
        // The list shows the path from the root down, then the sub-folders.
        const QList<QListWidgetItem *> cd =
            options.folderList->findItems(QStringLiteral("cd"), Qt::MatchEndsWith);
        QCOMPARE(cd.size(), 1);
        emit options.folderList->itemActivated(cd[0]);
        QCOMPARE(options.folderBox->text(), canonical + QStringLiteral("/ab/cd"));
        QCOMPARE(options.folderList->item(0)->text(), QStringLiteral("/"));
    }

    void onlyAnotherDriveMovesTheFolderList_data() {
        QTest::addColumn<bool>("sameDrive");
        QTest::newRow("the chosen drive again") << true;
        QTest::newRow("another drive") << false;
    }
    void onlyAnotherDriveMovesTheFolderList() {
        QFETCH(bool, sameDrive);
        OptionsDialog options(f->state);
        options.show();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        options.tabBar->setCurrentIndex(1);
        const int chosen = options.driveBox->currentIndex();
        if (!sameDrive && options.driveBox->count() < 2)
            QSKIP("one drive only");
        const int picked = sameDrive ? chosen : (chosen + 1) % options.driveBox->count();
        pick(options.driveBox, picked);
        const QString expected = sameDrive
                                     ? QDir(f->folder()).canonicalPath()
                                     : QDir(options.driveBox->itemText(picked)).canonicalPath();
        QCOMPARE(options.folderList->path(), expected);
        QCOMPARE(options.folderBox->text(), expected);
    }

    // A Japanese input method types full-width digits: they are the number they show.
    void fullWidthDigitsAreANumber() {
        f->state.optionsOpener = QuizState::Opener::Editor;
        OptionsDialog options(f->state);
        options.show();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        options.countBox->setFocus();
        options.countBox->selectAll();
        commitText(options.countBox, QString::fromUtf8("１２"));
        options.okButton->click();
        QCOMPARE(messagebox::takeShown().size(), 0);
        QCOMPARE(f->state.questionCount, 12);
    }

    void okStoresTheFolderListsPath() {
        QTemporaryDir other;
        OptionsDialog options(f->state);
        options.folderBox->setText(other.path() + QStringLiteral("/"));
        options.okButton->click();
        const QString canonical = QDir(other.path()).canonicalPath();
        QCOMPARE(f->state.quizFolder, canonical);
        QCOMPARE(settings::readString(QStringLiteral("QPath"), QString()), canonical);
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestOptions)
#include "tst_options.moc"
