#include "AboutDialog.h"
#include "Controls.h"
#include "Design.h"
#include "Desktop.h"
#include "EditorWindow.h"
#include "Help.h"
#include "HtmlPane.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "OptionsDialog.h"
#include "PaneProbe.h"
#include "ResultWindow.h"
#include "Settings.h"
#include "TagBuilderDialog.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
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

using testsupport::control;

using messagebox::Answer;

namespace {
// The step a held scroll-bar arrow is set to repeat (QAbstractSlider keeps it protected).
QAbstractSlider::SliderAction repeatActionOf(const QScrollBar *bar) {
    struct Peek : QScrollBar {
        static auto getter() { return &Peek::repeatAction; }
    };
    return (bar->*Peek::getter())();
}

const QString kEndPrompt = QString::fromUtf8("問題は以上です｡結果を表示しますか？");

int px(int twipsValue) {
    return twips::toPixels(twipsValue);
}

// Whether the pane draws the reading over the word of its ruby mark-up: "shown", "hidden",
// or "none" while its page holds none.
QString reading(HtmlPane *pane) {
    return paneprobe::evaluate(pane, QStringLiteral(R"((function (r) {
        return !r ? 'none' : r.getBoundingClientRect().height > 0 ? 'shown' : 'hidden';
    })(document.querySelector('rt')))"))
        .toString();
}

// Resizes as a user would and waits for the window manager to carry it out.
void placeWindow(MainWindow *form, int width, int height) {
    design::resizeOuter(form, width, height);
    const QSize wanted(px(std::max(width, 8850)), px(std::max(height, 8925)));
    if (!testsupport::waitUntil([&] { return design::outerGeometry(form).size() == wanted; }, 2000))
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
        MainWindow *form = f->start();
        QCOMPARE(form->windowTitle(), QStringLiteral("Tessellar"));
        TRY_COMPARE(form->frameGeometry(), QRect(px(1000), px(1000), px(8850), px(12000)));
        for (const char *name : {"toolBar",           "sectionBox",        "loadButton",
                                 "clockCaption",      "clockLabel",        "questionNumberCaption",
                                 "questionCaption",   "choicesCaption",    "answerCaption",
                                 "questionNumberBox", "questionScrollBar", "choicesPane",
                                 "questionPane",      "answerList",        "answerBox",
                                 "okButton",          "ruleLabel",         "pictureLabel",
                                 "statusBar",         "clockTimer"})
            QVERIFY2(form->findChild<QObject *>(QLatin1String(name)), name);
        QVERIFY(
            control<QListWidget>(form, "answerList")
                ->toolTip()
                .startsWith(QString::fromUtf8("ここをクリックすると,解答欄に入力されます。\n")));
        QVERIFY(control<QListWidget>(form, "answerList")
                    ->toolTip()
                    .contains(QString::fromUtf8("5 (○)，6 (×)")));
        // Every answer readable without scrolling, the list where it always was.
        QCOMPARE(control<QListWidget>(form, "answerList")->pos(),
                 twips::toPixels(1080, 2190, 0, 0).topLeft());
        QVERIFY(!control<QListWidget>(form, "answerList")
                     ->geometry()
                     .intersects(control<QLabel>(form, "ruleLabel")->geometry()));
        for (int row = 0; row < control<QListWidget>(form, "answerList")->count(); ++row)
            QVERIFY(control<QListWidget>(form, "answerList")
                        ->viewport()
                        ->rect()
                        .contains(control<QListWidget>(form, "answerList")
                                      ->visualItemRect(
                                          control<QListWidget>(form, "answerList")->item(row))));
        QCOMPARE(control<QTimer>(form, "clockTimer")->interval(), 250);
        QVERIFY(!control<QTimer>(form, "clockTimer")->isActive());
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLabel>(form, "statusTextPanel")->text(), QString::fromUtf8("ｽﾃｰﾀｽ"));
        QCOMPARE(control<QLabel>(form, "statusDatePanel")->text(),
                 QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
        QCOMPARE(f->state.quizStartSeconds, f->now);
        QCOMPARE(control<QPushButton>(form, "loadButton")->geometry(),
                 twips::toPixels(4200, 720, 1215, 375));
    }

    void disabledMenuItemsArePresent() {
        MainWindow *form = f->start();
        for (const char *name :
             {"fileSaveAction", "fileSaveAsAction", "filePropertiesAction", "filePageSetupAction",
              "filePrintPreviewAction", "filePrintAction", "editUndoAction", "editCutAction",
              "editCopyAction", "editPasteAction", "editPasteSpecialAction", "viewRefreshAction",
              "viewWebBrowserAction", "helpSearchForHelpOnAction"}) {
            auto *item = form->findChild<QAction *>(QLatin1String(name));
            QVERIFY2(item && !item->isEnabled(), name);
        }
        QCOMPARE(control<QAction>(form, "fileNewAction")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(control<QAction>(form, "toolsOptionsAction")->text(),
                 QString::fromUtf8("問題作成(&O)"));
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
        MainWindow *form = f->start();
        placeWindow(form, width, height);
        // The window manager answers a resize in its own time.
        TRY_COMPARE(form->frameGeometry().size(),
                    QSize(px(std::max(width, 8850)), px(std::max(height, 8925))));
        TRY_COMPARE(control<HtmlPane>(form, "questionPane")->size(),
                    QSize(px(7100), px(paneHeight)));
        QCOMPARE(control<HtmlPane>(form, "choicesPane")->geometry(),
                 QRect(px(1560), px(choicesTop), px(7100), px(paneHeight)));
        QCOMPARE(control<QLabel>(form, "choicesCaption")->y(), px(choicesTop - 215));
        QCOMPARE(control<QLabel>(form, "pictureLabel")->geometry(),
                 QRect(px(1560), px(pictureTop), px(7100), px(paneHeight)));
    }

    void maximizedWindowIsNotLaidOut() {
        MainWindow *form = f->start();
        const QSize panes = control<HtmlPane>(form, "questionPane")->size();
        form->showMaximized();
        QCoreApplication::processEvents();
        QCOMPARE(control<HtmlPane>(form, "questionPane")->size(), panes);
    }

    void placementIsSavedOnlyInTheNormalState() {
        MainWindow *form = f->start();
        // QWidget::move and frameGeometry go by a frame size Qt caches, which can be stale
        // for a moment after the window manager's answer; the window's own frame margins
        // are not.
        const QPoint moved(px(1500), px(750));
        design::setOuterGeometry(form, QRect(moved, design::outerGeometry(form).size()));
        placeWindow(form, 9000, 10500);
        TRY_COMPARE(design::outerGeometry(form).topLeft(), moved);
        form->close();
        QCOMPARE(settings::readNumber(QStringLiteral("MainLeft"), 0), 1500);
        QCOMPARE(settings::readNumber(QStringLiteral("MainTop"), 0), 750);
        QCOMPARE(settings::readNumber(QStringLiteral("MainWidth"), 0), 9000);
        QCOMPARE(settings::readNumber(QStringLiteral("MainHeight"), 0), 10500);

        QuizState again;
        f->state = QuizState();
        f->start();
        TRY_COMPARE(f->form->frameGeometry(), QRect(px(1500), px(750), px(9000), px(10500)));
        f->form->showMaximized();
        QCoreApplication::processEvents();
        f->form->close();
        QCOMPARE(settings::readNumber(QStringLiteral("MainWidth"), 0), 9000);
    }

    void badPlacementValuesFallBack() {
        settings::writeString(QStringLiteral("MainWidth"), QStringLiteral("wide"));
        settings::writeString(QStringLiteral("MainLeft"), QString());
        MainWindow *form = f->start();
        TRY_COMPARE(form->frameGeometry(), QRect(px(1000), px(1000), px(8850), px(12000)));
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
            f->state = QuizState();
            f->start();
            TRY_COMPARE(f->form->frameGeometry(), opened);
            f->form->close();
            const int top = settings::readNumber(QStringLiteral("MainTop"), 0);
            QCOMPARE(twips::toPixels(top), opened.top());
            if (opened == QRect(px(1000), px(1000), px(8850), px(12000)))
                QCOMPARE(top, 1000); // read and written back exactly
        }
    }

    void viewToggles() {
        MainWindow *form = f->start();
        QVERIFY(control<QToolBar>(form, "toolBar")->isVisible());
        QVERIFY(!control<QAction>(form, "viewToolbarAction")->isChecked());
        control<QAction>(form, "viewToolbarAction")->trigger(); // only the check mark
        QVERIFY(control<QAction>(form, "viewToolbarAction")->isChecked());
        QVERIFY(control<QToolBar>(form, "toolBar")->isVisible());
        control<QAction>(form, "viewToolbarAction")->trigger();
        QVERIFY(!control<QToolBar>(form, "toolBar")->isVisible());
        control<QAction>(form, "viewToolbarAction")->trigger();
        QVERIFY(control<QToolBar>(form, "toolBar")->isVisible());

        QVERIFY(control<QAction>(form, "viewStatusBarAction")->isChecked());
        control<QAction>(form, "viewStatusBarAction")->trigger();
        QVERIFY(!form->statusBar()->isVisible());
        control<QAction>(form, "viewStatusBarAction")->trigger();
        QVERIFY(form->statusBar()->isVisible());
    }

    void toolbarButtons() {
        f->writeQuiz(QStringLiteral("three"), 3);
        MainWindow *form = f->start();
        control<QComboBox>(form, "sectionBox")->setCurrentText(QStringLiteral("three"));
        for (const char *key : {"上書き保存", "印刷", "unknown"})
            form->runToolBarButton(QString::fromUtf8(key));
        QVERIFY(messagebox::takeShown().isEmpty());
        QCOMPARE(f->state.questionCount, 60);
        for (QAction *button :
             control<QToolBar>(form, "toolBar")->actions()) // each shows a picture, not only a text
            QVERIFY2(button->isSeparator() || !button->icon().pixmap(16).isNull(),
                     qPrintable(button->objectName()));
        auto *load = form->findChild<QAction *>(QString::fromUtf8("toolBarButton_ｺﾏﾝﾄﾞ ﾎﾞﾀﾝ"));
        QVERIFY(load);
        QCOMPARE(load->toolTip(), QString::fromUtf8("ファイルの読み込み"));
        load->trigger();
        QCOMPARE(f->state.questionCount, 3);
        QVERIFY(!control<QTimer>(form, "clockTimer")
                     ->isActive()); // the toolbar loads but starts no run
        messagebox::script({Answer::Yes});
        control<QTimer>(form, "clockTimer")->start();
        form->findChild<QAction *>(QString::fromUtf8("toolBarButton_新規作成"))->trigger();
        QCOMPARE(messagebox::takeShown().value(0).title, QString::fromUtf8("新規作成"));
        QVERIFY(!control<QTimer>(form, "clockTimer")->isActive());
    }

    // A learner tests their reading of kanji: the view menu's item and the toolbar button, one
    // switch, hide the furigana on every question, and the choice holds at the next start.
    void furiganaSwitch_data() {
        QTest::addColumn<QString>("saved"); // the setting found at the start
        QTest::addColumn<bool>("shown");
        QTest::newRow("first start") << QString() << true;
        QTest::newRow("hidden") << "0" << false;
        QTest::newRow("garbage") << "<b>" << true;
    }
    void furiganaSwitch() {
        QFETCH(QString, saved);
        QFETCH(bool, shown);
        const auto seen = [](bool on) { return QString::fromLatin1(on ? "shown" : "hidden"); };
        QList<QuizRecord> quiz = {numberedQuestion(1), numberedQuestion(2)};
        for (QuizRecord &question : quiz)
            question.question +=
                QString::fromUtf8("<ruby>漢字<rp>(</rp><rt>かんじ</rt><rp>)</rp></ruby>");
        quiz[1].choices = quiz[1].question;
        f->writeQuiz(QStringLiteral("kanji"), quiz);
        if (!saved.isNull())
            settings::writeString(QStringLiteral("MainFurigana"), saved);
        for (int start = 0; start < 2; ++start, shown = !shown) {
            f->state = QuizState();
            MainWindow *form = f->start();
            auto *item = control<QAction>(form, "viewFuriganaAction");
            auto *button = form->findChild<QAction *>(QString::fromUtf8("toolBarButton_ふりがな"));
            QCOMPARE(item->isChecked(), shown);
            QCOMPARE(button->isChecked(), shown);
            f->load(QStringLiteral("kanji"));
            QVERIFY(panesApplied(form));
            auto *questionPane = control<HtmlPane>(form, "questionPane");
            TRY_COMPARE(reading(questionPane), seen(shown));
            (start ? item : button)->trigger();
            QCOMPARE(button->isChecked(), !shown);
            QCOMPARE(item->isChecked(), !shown);
            TRY_COMPARE(reading(questionPane), seen(!shown));
            const QString said = control<QLineEdit>(form, "answerBox")->accessibleDescription();
            QVERIFY(said.contains(QString::fromUtf8("漢字")));
            QCOMPARE(said.contains(QString::fromUtf8("かんじ")), !shown);
            control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("2"));
            QVERIFY(panesApplied(form));
            QCOMPARE(reading(control<HtmlPane>(form, "choicesPane")), seen(!shown));
            form->close();
        }
    }

    // A desktop with an icon theme keeps its own icons on the toolbar; icons the theme lacks
    // fall back to the program's pictures.
    void toolbarTakesTheDesktopsIconTheme() {
        const QDir themes(f->folder());
        themes.mkpath(QStringLiteral("desk/16x16/actions"));
        QFile index(themes.filePath(QStringLiteral("desk/index.theme")));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=desk\nDirectories=16x16/actions\n\n"
                    "[16x16/actions]\nSize=16\nType=Fixed\n");
        index.close();
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        QVERIFY(
            picture.save(themes.filePath(QStringLiteral("desk/16x16/actions/document-open.png"))));
        const QStringList paths = QIcon::themeSearchPaths();
        const QString theme = QIcon::themeName();
        const auto restore = qScopeGuard([&] {
            QIcon::setThemeSearchPaths(paths);
            QIcon::setThemeName(theme);
        });
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("desk"));
        MainWindow *form = f->start();
        const auto shown = [form](const char *key) {
            return form
                ->findChild<QAction *>(QStringLiteral("toolBarButton_") + QString::fromUtf8(key))
                ->icon()
                .pixmap(16)
                .toImage()
                .pixelColor(8, 8);
        };
        QCOMPARE(shown("開く"), QColor(Qt::red));
        QVERIFY(shown("上書き保存").alpha() == 255 && shown("上書き保存") != QColor(Qt::red));
    }

    void clockCountsAndStopsAtTheLimit() {
        f->writeQuiz(QStringLiteral("hundred"), 100);
        MainWindow *form = f->start();
        f->load(QStringLiteral("hundred"));
        QCOMPARE(control<QLabel>(form, "clockLabel")->text(), QStringLiteral("00:00:00"));
        f->now += 61.7;
        form->tick();
        QCOMPARE(control<QLabel>(form, "clockLabel")->text(), QStringLiteral("00:01:01"));
        QVERIFY(messagebox::takeShown().isEmpty());
        messagebox::script({Answer::No});
        f->now = 8 * 3600 + 2.5 * 3600;
        form->tick();
        QCOMPARE(control<QLabel>(form, "clockLabel")->text(), QStringLiteral("02:30:00"));
        QVERIFY(!control<QTimer>(form, "clockTimer")->isActive());
        QCOMPARE(messagebox::takeShown().value(0).text, kEndPrompt);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("100"));
        QVERIFY(!control<QTimer>(form, "clockTimer")->isActive()); // stopped whatever the answer
    }

    void pauseTwiceShowsTheFullTime() {
        f->writeQuiz(QStringLiteral("three"), 3);
        MainWindow *form = f->start();
        f->load(QStringLiteral("three"));
        control<QLineEdit>(form, "answerBox")->setFocus();
        QTest::keyClick(control<QLineEdit>(form, "answerBox"), Qt::Key_Pause);
        QVERIFY(!control<QTimer>(form, "clockTimer")->isActive());
        f->now += 600;
        QTest::keyClick(control<QLineEdit>(form, "answerBox"), Qt::Key_Pause);
        QVERIFY(control<QTimer>(form, "clockTimer")->isActive());
        TRY_COMPARE(control<QLabel>(form, "clockLabel")->text(),
                    QStringLiteral("00:10:00")); // a real tick
    }

    void runAcrossMidnightKeepsCounting() {
        f->writeQuiz(QStringLiteral("three"), 3);
        f->now = 24 * 3600 - 30;
        MainWindow *form = f->start();
        f->load(QStringLiteral("three"));
        f->now = 45;
        form->tick();
        QCOMPARE(control<QLabel>(form, "clockLabel")->text(), QStringLiteral("00:01:15"));
        QVERIFY(control<QTimer>(form, "clockTimer")->isActive());
    }

    void navigationKeys() {
        f->writeQuiz(QStringLiteral("five"), 5);
        MainWindow *form = f->start();
        f->load(QStringLiteral("five"));
        control<QLineEdit>(form, "answerBox")->setFocus();
        control<QLineEdit>(form, "answerBox")->setText(QString::fromUtf8("○"));
        control<QLineEdit>(form, "answerBox")->setCursorPosition(1);
        const auto key = [form](Qt::Key k) {
            QTest::keyClick(QApplication::focusWidget(), k);
            return control<QLineEdit>(form, "questionNumberBox")->text().toInt();
        };
        QCOMPARE(key(Qt::Key_Down), 2);
        QCOMPARE(f->state.answerMarks[0], 1); // question 1 recorded on the way out
        QCOMPARE(key(Qt::Key_Right), 3);
        QCOMPARE(key(Qt::Key_PageDown), 4);
        QCOMPARE(key(Qt::Key_Return), 5);
        QCOMPARE(key(Qt::Key_Left), 4);
        QCOMPARE(key(Qt::Key_Up), 3);
        QCOMPARE(key(Qt::Key_PageUp), 2);
        QCOMPARE(key(Qt::Key_End), 5);
        QCOMPARE(key(Qt::Key_Home), 1);
        QCOMPARE(key(Qt::Key_Up), 1); // nothing above the first
        QCOMPARE(control<QLineEdit>(form, "answerBox")->cursorPosition(),
                 1); // no key moved the text cursor
        messagebox::script({Answer::No});
        key(Qt::Key_End);
        QCOMPARE(key(Qt::Key_Down), 5); // past the last: the prompt, then back on 5
        QCOMPARE(messagebox::takeShown().value(0).text, kEndPrompt);
        QCOMPARE(control<QScrollBar>(form, "questionScrollBar")->value(), 5);
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
        MainWindow *form = f->start();
        f->load(QStringLiteral("three"));
        control<QLineEdit>(form, "answerBox")->setText(QStringLiteral("keep"));
        control<QListWidget>(form, "answerList")->setCurrentRow(2);
        control<QPushButton>(form, "okButton")->setFocus();
        QTest::keyClick(control<QPushButton>(form, "okButton"), Qt::Key(key),
                        keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), answer);
        if (answer != "keep")
            QCOMPARE(f->state.answerTexts[0], answer);
        if (key == Qt::Key_0)
            QCOMPARE(control<QListWidget>(form, "answerList")->currentRow(), -1);
        QCOMPARE(f->state.answerMarks[0], 0);
    }

    void digitTypedIntoTheNumberBoxToo() {
        f->writeQuiz(QStringLiteral("sixty"), 60);
        MainWindow *form = f->start();
        f->load(QStringLiteral("sixty"));
        control<QLineEdit>(form, "questionNumberBox")->setFocus();
        control<QLineEdit>(form, "questionNumberBox")->end(false);
        QTest::keyClick(control<QLineEdit>(form, "questionNumberBox"), Qt::Key_2);
        QCOMPARE(f->state.answerTexts[0], QStringLiteral("2")); // picked for question 1
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(),
                 QStringLiteral("12")); // and typed: question 12
        QVERIFY(panesApplied(form));
        QVERIFY(renderedBody(control<HtmlPane>(form, "questionPane"))
                    .contains(QString::fromUtf8("問題 12")));
    }

    // Keys typed as the window system delivers them: to the open menu first, and to the quiz
    // again after a click into a page.
    void keysGoWhereTheUserLooks() {
        f->writeQuiz(QStringLiteral("five"), 5);
        MainWindow *form = f->start();
        f->load(QStringLiteral("five"));
        QVERIFY(QTest::qWaitForWindowActive(form));
        QWindow *window = form->windowHandle();
        QTest::keyClick(window, Qt::Key_V, Qt::AltModifier); // 表示(&V)
        TRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(window, Qt::Key_Right);
        QTest::keyClick(window, Qt::Key_5);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("1"));
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), QString());
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::keyClick(window, Qt::Key_Escape);
        TRY_VERIFY(!QApplication::activePopupWidget());

        control<QLineEdit>(form, "answerBox")->setFocus();
        QTest::keyClick(window, Qt::Key_A);
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), QStringLiteral("a"));
        QWidget *page = control<HtmlPane>(form, "questionPane")->focusProxy()
                            ? control<HtmlPane>(form, "questionPane")->focusProxy()
                            : control<HtmlPane>(form, "questionPane");
        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(20, 20));
        TRY_VERIFY(
            !control<HtmlPane>(form, "questionPane")->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(window, Qt::Key_Down);
        QTest::keyClick(window, Qt::Key_Down);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("3"));
    }

    // The scroll bar's down arrow held on the last question asks once, not again and again.
    void heldArrowAtTheEndAsksOnce() {
        f->writeQuiz(QStringLiteral("five"), 5);
        MainWindow *form = f->start();
        f->load(QStringLiteral("five"));
        control<QLineEdit>(form, "questionNumberBox")->setText(QStringLiteral("5"));
        QStyleOptionSlider option;
        option.initFrom(control<QScrollBar>(form, "questionScrollBar"));
        option.orientation = Qt::Vertical;
        option.minimum = control<QScrollBar>(form, "questionScrollBar")->minimum();
        option.maximum = control<QScrollBar>(form, "questionScrollBar")->maximum();
        option.sliderPosition = option.sliderValue =
            control<QScrollBar>(form, "questionScrollBar")->value();
        const QPoint arrow =
            control<QScrollBar>(form, "questionScrollBar")
                ->style()
                ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine,
                                 control<QScrollBar>(form, "questionScrollBar"))
                .center();
        messagebox::script({Answer::No, Answer::No, Answer::No});
        QTest::mousePress(control<QScrollBar>(form, "questionScrollBar"), Qt::LeftButton, {},
                          arrow);
        // Asking let go of the arrow: no repeat of the step is on its way.
        QCOMPARE(repeatActionOf(control<QScrollBar>(form, "questionScrollBar")),
                 QAbstractSlider::SliderNoAction);
        QTest::mouseRelease(control<QScrollBar>(form, "questionScrollBar"), Qt::LeftButton, {},
                            arrow);
        QCOMPARE(messagebox::takeShown().size(), 1);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("5"));
    }

    void paneFocusReturnsToTheWindow() {
        MainWindow *form = f->start();
        QVERIFY(QTest::qWaitForWindowActive(form));
        control<HtmlPane>(form, "questionPane")->setFocus();
        TRY_VERIFY(
            !control<HtmlPane>(form, "questionPane")->hasFocus() &&
            !control<HtmlPane>(form, "questionPane")->isAncestorOf(QApplication::focusWidget()));
        control<HtmlPane>(form, "choicesPane")->setFocus();
        TRY_VERIFY(
            !control<HtmlPane>(form, "choicesPane")->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(form, Qt::Key_5);
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), QString::fromUtf8("○"));
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
        MainWindow *form = f->start();
        QTest::keyClick(form->windowHandle(), Qt::Key_F1);
        QWidget *window = nullptr;
        TRY_VERIFY((window = QApplication::activeWindow()) &&
                   window->objectName() == QLatin1String("helpWindow"));
        qputenv("PATH", path);
        QVERIFY(control<QTextBrowser>(window, "helpText")
                    ->toPlainText()
                    .contains(QString::fromUtf8("キー操作")));
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!window->isVisible());
    }

    void helpOpensTheJapaneseHelp() {
        QUrl opened;
        desktop::setUrlOpener([&](const QUrl &url) { opened = url; });
        MainWindow *form = f->start();
        control<QAction>(form, "helpContentsAction")->trigger();
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
        MainWindow *form = f->start();
        std::unique_ptr<QWidget> dialog;
        QWidget *shown = nullptr;
        if (window == QLatin1String("editor") || window == QLatin1String("tag builder")) {
            control<QAction>(form, "toolsOptionsAction")->trigger();
            shown = form->editor();
            if (window == QLatin1String("tag builder")) {
                control<QAction>(form->editor(), "viewTagBuilderAction")->trigger();
                shown = form->editor()->tagBuilder();
            }
        } else {
            if (window == QLatin1String("results"))
                dialog = std::make_unique<ResultWindow>(f->state, QString(), form);
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
        MainWindow *form = f->start();
        auto *other = new QWidget;
        other->setAttribute(Qt::WA_DeleteOnClose);
        other->show();
        QPointer<QWidget> watch(other);
        control<QAction>(form, "fileExitAction")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watch.isNull());
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestMainShell)
#include "tst_mainshell.moc"
