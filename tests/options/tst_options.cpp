#include "DirList.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "Settings.h"
#include "Twips.h"
#include "frmMain.h"
#include "frmOptions.h"

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
    QTRY_VERIFY(box->view()->isVisible());
    box->view()->setCurrentIndex(box->model()->index(index, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
    QTRY_VERIFY(!box->view()->isVisible());
}

void loadSixty(MainWindowFixture &f) {
    f.writeQuiz(QStringLiteral("sixty"), 60);
    QVERIFY(f.state.loadQuizFile(f.folder() + QStringLiteral("/qsixty.tsl")).ok);
    for (int i = 0; i < 60; ++i) {
        f.state.AnswerMarks[i] = 1 + i % 2;
        f.state.AnswerTexts[i] = QString::number(i);
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
        QTest::addColumn<QString>("opener");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("main window") << "frmMain" << false;
        QTest::newRow("editor") << "frmMaker" << true;
        QTest::newRow("nobody yet") << "" << true;
    }
    void openerDecidesTheCountBox() {
        QFETCH(QString, opener);
        QFETCH(bool, enabled);
        f->state.OptionsOpener = opener;
        f->state.QuestionCount = 25;
        frmOptions options(f->state);
        QCOMPARE(options.Text1->isEnabled(), enabled);
        QCOMPARE(options.Text1->text(), QStringLiteral("25"));
        QCOMPARE(options.Text2->text(), f->folder());
        QCOMPARE(options.Dir1->path(), QDir(f->folder()).canonicalPath());
        QCOMPARE(options.windowTitle(), QString::fromUtf8("ｵﾌﾟｼｮﾝ"));
    }

    void viewOptionsOpensItFromTheMainWindow() {
        frmMain *form = f->start();
        bool disabled = false;
        QTimer::singleShot(0, [&] {
            auto *options = qobject_cast<frmOptions *>(QApplication::activeModalWidget());
            QVERIFY(options);
            disabled = !options->Text1->isEnabled();
            options->cmdOK->click();
        });
        form->mnuViewOptions->trigger();
        QCOMPARE(f->state.OptionsOpener, QStringLiteral("frmMain"));
        QVERIFY(disabled);
        // OK at start-up sized every array to the 60 questions.
        QCOMPARE(f->state.QuestionTable.size(), 60);
        QCOMPARE(f->state.AnswerMarks.size(), 60);
        QCOMPARE(f->state.AnswerTexts.size(), 60);
    }

    void applyResizesKeepingWhatFits() {
        loadSixty(*f);
        f->state.OptionsOpener = QStringLiteral("frmMaker");
        frmOptions options(f->state);
        options.show();
        options.Text1->setText(QStringLiteral("70"));
        options.cmdApply->click();
        QVERIFY(options.isVisible());
        QCOMPARE(f->state.QuestionCount, 70);
        QCOMPARE(f->state.QuestionTable[59], numberedQuestion(60));
        QCOMPARE(f->state.QuestionTable[69], QuizRecord());
        QCOMPARE(f->state.AnswerTexts[59], QStringLiteral("59"));
        QCOMPARE(f->state.AnswerMarks[69], 0);
        options.Text1->setText(QStringLiteral("40"));
        options.cmdApply->click();
        QCOMPARE(f->state.QuestionCount, 40);
        QCOMPARE(f->state.QuestionTable.size(), 40);
        QCOMPARE(f->state.AnswerMarks.size(), 40);
        QCOMPARE(f->state.AnswerTexts.size(), 40);
        QCOMPARE(f->state.QuestionTable[39], numberedQuestion(40));
        QCOMPARE(f->state.AnswerMarks[39], 2);
        options.Text1->setText(QStringLiteral("45.5")); // halves to even
        options.cmdOK->click();
        QCOMPARE(f->state.QuestionCount, 46);
        QVERIFY(!options.isVisible());
    }

    void applyThenCancelKeepsWhatWasApplied() {
        QTemporaryDir other;
        f->state.OptionsOpener = QStringLiteral("frmMaker");
        frmOptions options(f->state);
        options.show();
        options.Text1->setText(QStringLiteral("12"));
        options.Text2->setText(other.path());
        options.cmdApply->click();
        options.Text1->setText(QStringLiteral("99"));
        options.cmdCancel->click();
        QCOMPARE(f->state.QuestionCount, 12);
        QCOMPARE(f->state.QuizFolder, QDir(other.path()).canonicalPath());
        QCOMPARE(settings::readString(QStringLiteral("QPath"), QString()), f->state.QuizFolder);
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
        f->state.OptionsOpener = QStringLiteral("frmMaker");
        frmOptions options(f->state);
        options.show();
        options.Text1->setText(count);
        options.Text2->setText(other.path());
        for (QPushButton *button : {options.cmdApply, options.cmdOK}) {
            button->click();
            const QList<messagebox::Shown> shown = messagebox::takeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].text, message);
        }
        QVERIFY(options.isVisible());
        QCOMPARE(f->state.QuestionCount, 60);
        QCOMPARE(settings::readString(QStringLiteral("QPath"), QString()), f->folder());
        QVERIFY(f->state.QuizFolder.isEmpty());
    }

    void tabKeysWrapAround() {
        frmOptions options(f->state);
        options.show();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        QCOMPARE(options.tbsOptions->currentIndex(), 0);
        QCOMPARE(options.picOptions[1]->x(), twips::toPixels(-20000));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(options.tbsOptions->currentIndex(), 1);
        QCOMPARE(options.picOptions[1]->x(), twips::toPixels(210));
        QVERIFY(options.picOptions[1]->isEnabled() && !options.picOptions[0]->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(options.tbsOptions->currentIndex(), 0); // wrapped to the first
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(options.tbsOptions->currentIndex(), 1); // wrapped to the last
        QCOMPARE(options.picOptions[0]->x(), twips::toPixels(-20000));
    }

    void typingAPathMovesTheFolderList() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("ab/cd")));
        const QString canonical = QDir(root.path()).canonicalPath();
        frmOptions options(f->state);
        options.show();
        options.tbsOptions->setCurrentIndex(1); // the folder page, as a user would
        options.Text2->clear();
        const QString before = options.Dir1->path();
        options.Text2->setFocus();
        QTest::keyClicks(options.Text2, canonical + QStringLiteral("/a"));
        QCOMPARE(options.Dir1->path(), canonical); // "…/a" names no folder
        QCOMPARE(options.Text2->text(), canonical + QStringLiteral("/a"));
        QTest::keyClicks(options.Text2, QStringLiteral("b"));
        QCOMPARE(options.Dir1->path(), canonical + QStringLiteral("/ab"));
        QTest::keyClicks(options.Text2, QStringLiteral("/zz"));
        QCOMPARE(options.Dir1->path(), canonical + QStringLiteral("/ab"));
        QVERIFY(before != options.Dir1->path());
        // The list shows the path from the root down, then the sub-folders.
        const QList<QListWidgetItem *> cd =
            options.Dir1->findItems(QStringLiteral("cd"), Qt::MatchEndsWith);
        QCOMPARE(cd.size(), 1);
        emit options.Dir1->itemActivated(cd[0]);
        QCOMPARE(options.Text2->text(), canonical + QStringLiteral("/ab/cd"));
        QCOMPARE(options.Dir1->item(0)->text(), QStringLiteral("/"));
    }

    void onlyAnotherDriveMovesTheFolderList_data() {
        QTest::addColumn<bool>("sameDrive");
        QTest::newRow("the chosen drive again") << true;
        QTest::newRow("another drive") << false;
    }
    void onlyAnotherDriveMovesTheFolderList() {
        QFETCH(bool, sameDrive);
        frmOptions options(f->state);
        options.show();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        options.tbsOptions->setCurrentIndex(1);
        const int chosen = options.Drive1->currentIndex();
        if (!sameDrive && options.Drive1->count() < 2)
            QSKIP("one drive only");
        const int picked = sameDrive ? chosen : (chosen + 1) % options.Drive1->count();
        pick(options.Drive1, picked);
        const QString expected = sameDrive ? QDir(f->folder()).canonicalPath()
                                           : QDir(options.Drive1->itemText(picked)).canonicalPath();
        QCOMPARE(options.Dir1->path(), expected);
        QCOMPARE(options.Text2->text(), expected);
    }

    // A Japanese input method types full-width digits: they are the number they show.
    void fullWidthDigitsAreANumber() {
        f->state.OptionsOpener = QStringLiteral("frmMaker");
        frmOptions options(f->state);
        options.show();
        QVERIFY(QTest::qWaitForWindowActive(&options));
        options.Text1->setFocus();
        options.Text1->selectAll();
        commitText(options.Text1, QString::fromUtf8("１２"));
        options.cmdOK->click();
        QCOMPARE(messagebox::takeShown().size(), 0);
        QCOMPARE(f->state.QuestionCount, 12);
    }

    void okStoresTheFolderListsPath() {
        QTemporaryDir other;
        frmOptions options(f->state);
        options.Text2->setText(other.path() + QStringLiteral("/"));
        options.cmdOK->click();
        const QString canonical = QDir(other.path()).canonicalPath();
        QCOMPARE(f->state.QuizFolder, canonical);
        QCOMPARE(settings::readString(QStringLiteral("QPath"), QString()), canonical);
    }
};

TESSELLAR_TEST_MAIN(QApplication, TestOptions)
#include "tst_options.moc"
