#include "AboutDialog.h"
#include "Design.h"
#include "Desktop.h"
#include "EditorWindow.h"
#include "Help.h"
#include "HtmlPane.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "OptionsDialog.h"
#include "ResultWindow.h"
#include "Settings.h"
#include "TagBuilderDialog.h"
#include "Twips.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionSlider>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <QtTest>

using messagebox::Answer;

namespace {
const QString kEndPrompt = QString::fromUtf8("問題は以上です｡結果を表示しますか？");

int px(int twipsValue) {
    return twips::toPixels(twipsValue);
}

// Resizes as a user would and waits for the window manager to carry it out.
void placeWindow(frmMain *form, int width, int height) {
    design::resizeOuter(form, width, height);
    const QSize wanted(px(std::max(width, 8850)), px(std::max(height, 8925)));
    if (!QTest::qWaitFor([&] { return form->frameGeometry().size() == wanted; }, 2000))
        qWarning("the window manager did not resize the window");
}
} // namespace

class TestMainShell : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void firstStartPlacementAndControls() {
        frmMain *form = f->start();
        QCOMPARE(form->windowTitle(), QStringLiteral("Tessellar"));
        QTRY_COMPARE(form->frameGeometry(), QRect(px(1000), px(1000), px(8850), px(12000)));
        for (const char *name :
             {"tbToolBar", "Combo1",      "Command1",    "Label3",      "Label4",
              "Label1_0",  "Label1_1",    "Label1_2",    "Label1_3",    "TextNum",
              "VScroll1",  "WebBrowser1", "WebBrowser2", "List1",       "TextAns",
              "Command2",  "Label2",      "Picture1",    "sbStatusBar", "Timer1"})
            QVERIFY2(form->findChild<QObject *>(QLatin1String(name)), name);
        QVERIFY(form->List1->toolTip().startsWith(
            QString::fromUtf8("ここをクリックすると,解答欄に入力されます。\n")));
        QVERIFY(form->List1->toolTip().contains(QString::fromUtf8("5 (○)，6 (×)")));
        // Every answer readable without scrolling, the list where it always was.
        QCOMPARE(form->List1->pos(), twips::toPixels(1080, 2190, 0, 0).topLeft());
        QVERIFY(!form->List1->geometry().intersects(form->Label2->geometry()));
        for (int row = 0; row < form->List1->count(); ++row)
            QVERIFY(form->List1->viewport()->rect().contains(
                form->List1->visualItemRect(form->List1->item(row))));
        QCOMPARE(form->Timer1->interval(), 250);
        QVERIFY(!form->Timer1->isActive());
        QCOMPARE(form->TextNum->text(), QStringLiteral("1"));
        QCOMPARE(form->sbPanels[0]->text(), QString::fromUtf8("ｽﾃｰﾀｽ"));
        QCOMPARE(form->sbPanels[1]->text(),
                 QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
        QCOMPARE(f->state.QuizStartSeconds, f->now);
        QCOMPARE(form->Command1->geometry(), twips::toPixels(4200, 720, 1215, 375));
    }

    void disabledMenuItemsArePresent() {
        frmMain *form = f->start();
        for (const char *name :
             {"mnuFileSave", "mnuFileSaveAs", "mnuFileProperties", "mnuFilePageSetup",
              "mnuFilePrintPreview", "mnuFilePrint", "mnuEditUndo", "mnuEditCut", "mnuEditCopy",
              "mnuEditPaste", "mnuEditPasteSpecial", "mnuViewRefresh", "mnuViewWebBrowser",
              "mnuHelpSearchForHelpOn"}) {
            auto *item = form->findChild<QAction *>(QLatin1String(name));
            QVERIFY2(item && !item->isEnabled(), name);
        }
        QCOMPARE(form->mnuFileNew->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(form->mnuToolsOptions->text(), QString::fromUtf8("問題作成(&O)"));
    }

    void layout_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("paneHeight");
        QTest::addColumn<int>("choicesTop");
        QTest::addColumn<int>("pictureTop");
        QTest::newRow("default 8850 x 12000") << 8850 << 12000 << 3051 << 4776 << 7842;
        QTest::newRow("minimum height 8925") << 8850 << 8925 << 2026 << 3751 << 5792;
        QTest::newRow("too small snaps back") << 6000 << 5000 << 2026 << 3751 << 5792;
    }
    void layout() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, paneHeight);
        QFETCH(int, choicesTop);
        QFETCH(int, pictureTop);
        frmMain *form = f->start();
        placeWindow(form, width, height);
        // The window manager answers a resize in its own time.
        QTRY_COMPARE(form->frameGeometry().size(),
                     QSize(px(std::max(width, 8850)), px(std::max(height, 8925))));
        QTRY_COMPARE(form->WebBrowser2->size(), QSize(px(7100), px(paneHeight)));
        QCOMPARE(form->WebBrowser1->geometry(),
                 QRect(px(1560), px(choicesTop), px(7100), px(paneHeight)));
        QCOMPARE(form->Label1[2]->y(), px(choicesTop - 215));
        QCOMPARE(form->Picture1->geometry(),
                 QRect(px(1560), px(pictureTop), px(7100), px(paneHeight)));
    }

    void maximizedWindowIsNotLaidOut() {
        frmMain *form = f->start();
        const QSize panes = form->WebBrowser2->size();
        form->showMaximized();
        QCoreApplication::processEvents();
        QCOMPARE(form->WebBrowser2->size(), panes);
    }

    void placementIsSavedOnlyInTheNormalState() {
        frmMain *form = f->start();
        form->move(px(1500), px(750));
        placeWindow(form, 9000, 10500);
        QTRY_COMPARE(form->frameGeometry().topLeft(), QPoint(px(1500), px(750)));
        form->close();
        QCOMPARE(settings::readNumber(QStringLiteral("MainLeft"), 0), 1500);
        QCOMPARE(settings::readNumber(QStringLiteral("MainTop"), 0), 750);
        QCOMPARE(settings::readNumber(QStringLiteral("MainWidth"), 0), 9000);
        QCOMPARE(settings::readNumber(QStringLiteral("MainHeight"), 0), 10500);

        Module1 again;
        f->state = Module1();
        f->start();
        QTRY_COMPARE(f->form->frameGeometry(), QRect(px(1500), px(750), px(9000), px(10500)));
        f->form->showMaximized();
        QCoreApplication::processEvents();
        f->form->close();
        QCOMPARE(settings::readNumber(QStringLiteral("MainWidth"), 0), 9000);
    }

    void badPlacementValuesFallBack() {
        settings::writeString(QStringLiteral("MainWidth"), QStringLiteral("wide"));
        settings::writeString(QStringLiteral("MainLeft"), QString());
        frmMain *form = f->start();
        QTRY_COMPARE(form->frameGeometry(), QRect(px(1000), px(1000), px(8850), px(12000)));
    }

    // Starting and closing without touching the window keeps the placement, start after
    // start; a placement that cannot be shown is brought onto the screen once.
    void placementSurvivesRestarts_data() {
        QTest::addColumn<QList<int>>("saved");
        QTest::addColumn<QRect>("opened");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("first start")
            << QList<int>{} << QRect(px(1000), px(1000), px(8850), px(12000));
        QTest::newRow("saved") << QList<int>{1500, 705, 9000, 10500}
                               << QRect(px(1500), px(705), px(9000), px(10500));
        QTest::newRow("huge") << QList<int>{1500, 705, 500000, 500000} << screen;
        QTest::newRow("far off") << QList<int>{-9999999, 99999999, 9000, 10500}
                                 << QRect(px(1000), px(1000), px(9000), px(10500));
        QTest::newRow("caption above the screen") << QList<int>{1500, -20000, 9000, 10500}
                                                  << QRect(px(1000), px(1000), px(9000), px(10500));
    }
    void placementSurvivesRestarts() {
        QFETCH(QList<int>, saved);
        QFETCH(QRect, opened);
        const QStringList keys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
        for (int i = 0; i < saved.size(); ++i)
            settings::writeNumber(keys[i], saved[i]);
        for (int start = 0; start < 3; ++start) {
            f->state = Module1();
            f->start();
            QTRY_COMPARE(f->form->frameGeometry(), opened);
            f->form->close();
            const int top = settings::readNumber(QStringLiteral("MainTop"), 0);
            QCOMPARE(twips::toPixels(top), opened.top());
            if (opened == QRect(px(1000), px(1000), px(8850), px(12000)))
                QCOMPARE(top, 1000); // read and written back exactly
        }
    }

    void viewToggles() {
        frmMain *form = f->start();
        QVERIFY(form->tbToolBar->isVisible());
        QVERIFY(!form->mnuViewToolbar->isChecked());
        form->mnuViewToolbar->trigger(); // only the check mark
        QVERIFY(form->mnuViewToolbar->isChecked());
        QVERIFY(form->tbToolBar->isVisible());
        form->mnuViewToolbar->trigger();
        QVERIFY(!form->tbToolBar->isVisible());
        form->mnuViewToolbar->trigger();
        QVERIFY(form->tbToolBar->isVisible());

        QVERIFY(form->mnuViewStatusBar->isChecked());
        form->mnuViewStatusBar->trigger();
        QVERIFY(!form->statusBar()->isVisible());
        form->mnuViewStatusBar->trigger();
        QVERIFY(form->statusBar()->isVisible());
    }

    void toolbarButtons() {
        f->writeQuiz(QStringLiteral("three"), 3);
        frmMain *form = f->start();
        form->Combo1->setCurrentText(QStringLiteral("three"));
        for (const char *key : {"上書き保存", "印刷", "unknown"})
            form->tbToolBar_ButtonClick(QString::fromUtf8(key));
        QVERIFY(messagebox::takeShown().isEmpty());
        QCOMPARE(f->state.QuestionCount, 60);
        auto *load = form->findChild<QAction *>(QString::fromUtf8("tbButton_ｺﾏﾝﾄﾞ ﾎﾞﾀﾝ"));
        QVERIFY(load);
        QCOMPARE(load->toolTip(), QString::fromUtf8("ファイルの読み込み"));
        load->trigger();
        QCOMPARE(f->state.QuestionCount, 3);
        QVERIFY(!form->Timer1->isActive()); // the toolbar loads but starts no run
        messagebox::script({Answer::Yes});
        form->Timer1->start();
        form->findChild<QAction *>(QString::fromUtf8("tbButton_新規作成"))->trigger();
        QCOMPARE(messagebox::takeShown().value(0).title, QString::fromUtf8("新規作成"));
        QVERIFY(!form->Timer1->isActive());
    }

    void clockCountsAndStopsAtTheLimit() {
        f->writeQuiz(QStringLiteral("hundred"), 100);
        frmMain *form = f->start();
        f->load(QStringLiteral("hundred"));
        QCOMPARE(form->Label4->text(), QStringLiteral("00:00:00"));
        f->now += 61.7;
        form->Timer1_Timer();
        QCOMPARE(form->Label4->text(), QStringLiteral("00:01:01"));
        QVERIFY(messagebox::takeShown().isEmpty());
        messagebox::script({Answer::No});
        f->now = 8 * 3600 + 2.5 * 3600;
        form->Timer1_Timer();
        QCOMPARE(form->Label4->text(), QStringLiteral("02:30:00"));
        QVERIFY(!form->Timer1->isActive());
        QCOMPARE(messagebox::takeShown().value(0).text, kEndPrompt);
        QCOMPARE(form->TextNum->text(), QStringLiteral("100"));
        QVERIFY(!form->Timer1->isActive()); // stopped whatever the answer
    }

    void pauseTwiceShowsTheFullTime() {
        f->writeQuiz(QStringLiteral("three"), 3);
        frmMain *form = f->start();
        f->load(QStringLiteral("three"));
        form->TextAns->setFocus();
        QTest::keyClick(form->TextAns, Qt::Key_Pause);
        QVERIFY(!form->Timer1->isActive());
        f->now += 600;
        QTest::keyClick(form->TextAns, Qt::Key_Pause);
        QVERIFY(form->Timer1->isActive());
        QTRY_COMPARE(form->Label4->text(), QStringLiteral("00:10:00")); // a real tick
    }

    void runAcrossMidnightKeepsCounting() {
        f->writeQuiz(QStringLiteral("three"), 3);
        f->now = 24 * 3600 - 30;
        frmMain *form = f->start();
        f->load(QStringLiteral("three"));
        f->now = 45;
        form->Timer1_Timer();
        QCOMPARE(form->Label4->text(), QStringLiteral("00:01:15"));
        QVERIFY(form->Timer1->isActive());
    }

    void navigationKeys() {
        f->writeQuiz(QStringLiteral("five"), 5);
        frmMain *form = f->start();
        f->load(QStringLiteral("five"));
        form->TextAns->setFocus();
        form->TextAns->setText(QString::fromUtf8("○"));
        form->TextAns->setCursorPosition(1);
        const auto key = [form](Qt::Key k) {
            QTest::keyClick(QApplication::focusWidget(), k);
            return form->TextNum->text().toInt();
        };
        QCOMPARE(key(Qt::Key_Down), 2);
        QCOMPARE(f->state.AnswerMarks[0], 1); // question 1 recorded on the way out
        QCOMPARE(key(Qt::Key_Right), 3);
        QCOMPARE(key(Qt::Key_PageDown), 4);
        QCOMPARE(key(Qt::Key_Return), 5);
        QCOMPARE(key(Qt::Key_Left), 4);
        QCOMPARE(key(Qt::Key_Up), 3);
        QCOMPARE(key(Qt::Key_PageUp), 2);
        QCOMPARE(key(Qt::Key_End), 5);
        QCOMPARE(key(Qt::Key_Home), 1);
        QCOMPARE(key(Qt::Key_Up), 1);                 // nothing above the first
        QCOMPARE(form->TextAns->cursorPosition(), 1); // no key moved the text cursor
        messagebox::script({Answer::No});
        key(Qt::Key_End);
        QCOMPARE(key(Qt::Key_Down), 5); // past the last: the prompt, then back on 5
        QCOMPARE(messagebox::takeShown().value(0).text, kEndPrompt);
        QCOMPARE(form->VScroll1->value(), 5);
        messagebox::script({Answer::No});
        QCOMPARE(key(Qt::Key_Enter), 5); // at the end already: asks again
        QCOMPARE(messagebox::takeShown().size(), 1);
    }

    void digitKeysPickAnswers_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("answer");
        QTest::newRow("1") << int(Qt::Key_1) << false << "1";
        QTest::newRow("4") << int(Qt::Key_4) << false << "4";
        QTest::newRow("5") << int(Qt::Key_5) << false << QString::fromUtf8("○");
        QTest::newRow("keypad 6") << int(Qt::Key_6) << true << QString::fromUtf8("×");
        QTest::newRow("0 deselects") << int(Qt::Key_0) << false << "keep";
        QTest::newRow("7 does nothing") << int(Qt::Key_7) << false << "keep";
    }
    void digitKeysPickAnswers() {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(QString, answer);
        f->writeQuiz(QStringLiteral("three"), 3);
        frmMain *form = f->start();
        f->load(QStringLiteral("three"));
        form->TextAns->setText(QStringLiteral("keep"));
        form->List1->setCurrentRow(2);
        form->Command2->setFocus();
        QTest::keyClick(form->Command2, Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(form->TextAns->text(), answer);
        if (answer != "keep")
            QCOMPARE(f->state.AnswerTexts[0], answer);
        if (key == Qt::Key_0)
            QCOMPARE(form->List1->currentRow(), -1);
        QCOMPARE(f->state.AnswerMarks[0], 0);
    }

    void digitTypedIntoTheNumberBoxToo() {
        f->writeQuiz(QStringLiteral("sixty"), 60);
        frmMain *form = f->start();
        f->load(QStringLiteral("sixty"));
        form->TextNum->setFocus();
        form->TextNum->end(false);
        QTest::keyClick(form->TextNum, Qt::Key_2);
        QCOMPARE(f->state.AnswerTexts[0], QStringLiteral("2")); // picked for question 1
        QCOMPARE(form->TextNum->text(), QStringLiteral("12"));  // and typed: question 12
        QVERIFY(panesApplied(form));
        QVERIFY(renderedBody(form->WebBrowser2).contains(QString::fromUtf8("問題 12")));
    }

    // Keys typed as the window system delivers them: to the open menu first, and to the quiz
    // again after a click into a page.
    void keysGoWhereTheUserLooks() {
        f->writeQuiz(QStringLiteral("five"), 5);
        frmMain *form = f->start();
        f->load(QStringLiteral("five"));
        QVERIFY(QTest::qWaitForWindowActive(form));
        QWindow *window = form->windowHandle();
        QTest::keyClick(window, Qt::Key_V, Qt::AltModifier); // 表示(&V)
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(window, Qt::Key_Right);
        QTest::keyClick(window, Qt::Key_5);
        QCOMPARE(form->TextNum->text(), QStringLiteral("1"));
        QCOMPARE(form->TextAns->text(), QString());
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());

        form->TextAns->setFocus();
        QTest::keyClick(window, Qt::Key_A);
        QCOMPARE(form->TextAns->text(), QStringLiteral("a"));
        QWidget *page =
            form->WebBrowser2->focusProxy() ? form->WebBrowser2->focusProxy() : form->WebBrowser2;
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(20, 20));
        QTRY_VERIFY(!form->WebBrowser2->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(window, Qt::Key_Down);
        QTest::keyClick(window, Qt::Key_Down);
        QCOMPARE(form->TextNum->text(), QStringLiteral("3"));
    }

    // The scroll bar's down arrow held on the last question asks once, not again and again.
    void heldArrowAtTheEndAsksOnce() {
        f->writeQuiz(QStringLiteral("five"), 5);
        frmMain *form = f->start();
        f->load(QStringLiteral("five"));
        form->TextNum->setText(QStringLiteral("5"));
        QStyleOptionSlider option;
        option.initFrom(form->VScroll1);
        option.orientation = Qt::Vertical;
        option.minimum = form->VScroll1->minimum();
        option.maximum = form->VScroll1->maximum();
        option.sliderPosition = option.sliderValue = form->VScroll1->value();
        const QPoint arrow = form->VScroll1->style()
                                 ->subControlRect(QStyle::CC_ScrollBar, &option,
                                                  QStyle::SC_ScrollBarAddLine, form->VScroll1)
                                 .center();
        messagebox::script({Answer::No, Answer::No, Answer::No});
        QTest::mousePress(form->VScroll1, Qt::LeftButton, {}, arrow);
        QTest::qWait(1500); // longer than the arrow's repeat delay
        QTest::mouseRelease(form->VScroll1, Qt::LeftButton, {}, arrow);
        QCOMPARE(messagebox::takeShown().size(), 1);
        QCOMPARE(form->TextNum->text(), QStringLiteral("5"));
    }

    void paneFocusReturnsToTheWindow() {
        frmMain *form = f->start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->WebBrowser2->setFocus();
        QTRY_VERIFY(!form->WebBrowser2->hasFocus() &&
                    !form->WebBrowser2->isAncestorOf(QApplication::focusWidget()));
        form->WebBrowser1->setFocus();
        QTRY_VERIFY(!form->WebBrowser1->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(form, Qt::Key_5);
        QCOMPARE(form->TextAns->text(), QString::fromUtf8("○"));
    }

    // Without a launcher that opens the help, the program shows it in a window of its own.
    void helpWithoutABrowserOpensInAWindow_data() {
        QTest::addColumn<QByteArray>("launcher");
        QTest::newRow("no xdg-open") << QByteArray();
        QTest::newRow("xdg-open fails") << QByteArray("#!/bin/sh\nexit 3\n");
    }
    void helpWithoutABrowserOpensInAWindow() {
        QFETCH(QByteArray, launcher);
        QTemporaryDir bin;
        if (!launcher.isEmpty()) {
            testsupport::writeFile(bin.filePath("xdg-open"), launcher);
            QFile::setPermissions(bin.filePath("xdg-open"),
                                  QFileDevice::ExeOwner | QFileDevice::ReadOwner);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        desktop::setUrlOpener({});
        frmMain *form = f->start();
        QTest::keyClick(form->windowHandle(), Qt::Key_F1);
        QWidget *window = nullptr;
        QTRY_VERIFY((window = QApplication::activeWindow()) &&
                    window->objectName() == QLatin1String("helpWindow"));
        qputenv("PATH", path);
        QVERIFY(qobject_cast<QTextBrowser *>(window)->toPlainText().contains(
            QString::fromUtf8("キー操作")));
        window->close();
    }

    void helpOpensTheJapaneseHelp() {
        QUrl opened;
        desktop::setUrlOpener([&](const QUrl &url) { opened = url; });
        frmMain *form = f->start();
        form->mnuHelpContents->trigger();
        QVERIFY(opened.isLocalFile());
        QFile page(opened.toLocalFile());
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(page.readAll()).contains(QString::fromUtf8("キー操作")));
        opened.clear();
        QTest::keyClick(form, Qt::Key_F1);
        QVERIFY(!opened.isEmpty());
    }

    // F1 as the window system delivers it, in each of the other windows.
    void f1OpensHelpInEveryWindow_data() {
        QTest::addColumn<QString>("window");
        for (const char *name : {"editor", "tag builder", "results", "options", "about"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void f1OpensHelpInEveryWindow() {
        QFETCH(QString, window);
        int opened = 0;
        desktop::setUrlOpener([&](const QUrl &) { ++opened; });
        frmMain *form = f->start();
        std::unique_ptr<QWidget> dialog;
        QWidget *shown = nullptr;
        if (window == QLatin1String("editor") || window == QLatin1String("tag builder")) {
            form->mnuToolsOptions->trigger();
            shown = form->editor();
            if (window == QLatin1String("tag builder")) {
                form->editor()->viewTagBuilderAction->trigger();
                shown = form->editor()->tagBuilder();
            }
        } else {
            if (window == QLatin1String("results"))
                dialog = std::make_unique<ResultWindow>(f->state, form);
            else if (window == QLatin1String("options"))
                dialog = std::make_unique<OptionsDialog>(f->state, form);
            else
                dialog = std::make_unique<AboutDialog>(form);
            shown = dialog.get();
            shown->show();
        }
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QTest::keyClick(shown->windowHandle(), Qt::Key_F1);
        QCOMPARE(opened, 1);
    }

    void closingClosesTheOtherWindows() {
        frmMain *form = f->start();
        auto *other = new QWidget;
        other->setAttribute(Qt::WA_DeleteOnClose);
        other->show();
        QPointer<QWidget> watch(other);
        form->mnuFileExit->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watch.isNull());
    }
};

TESSELLAR_TEST_MAIN(QApplication, TestMainShell)
#include "tst_mainshell.moc"
