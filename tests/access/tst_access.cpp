// What a learner who uses a screen reader, the keyboard alone or larger text meets in every
// window: named controls, a Tab chain that reaches them, a report that reads through Qt's
// text interface, and a zoom that is kept.
#include "AboutDialog.h"
#include "Controls.h"
#include "Design.h"
#include "EditorWindow.h"
#include "HtmlPane.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "OptionsDialog.h"
#include "PaneProbe.h"
#include "Report.h"
#include "ReportArea.h"
#include "ResultWindow.h"
#include "Settings.h"
#include "TagBuilderDialog.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QToolBar>
#include <QWebEngineView>
#include <QtTest>

using testsupport::control;

namespace {
enum class Window { Main, Results, Editor, OptionsCount, OptionsFolder, TagBuilder, About };

bool takesInput(QAccessible::Role role) {
    static const QList<QAccessible::Role> roles = {
        QAccessible::EditableText, QAccessible::ComboBox,   QAccessible::List,
        QAccessible::ScrollBar,    QAccessible::CheckBox,   QAccessible::RadioButton,
        QAccessible::PushButton,   QAccessible::ButtonMenu, QAccessible::PageTabList};
    return roles.contains(role);
}

// Parts of a compound control (a list's scroll bars, a combo box's text field) and toolbar
// buttons, whose commands the menus also give, are reached through their control or menu.
bool isPart(const QWidget *control) {
    for (const QWidget *p = control->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (p->objectName().startsWith(QLatin1String("qt_")) ||
            qobject_cast<const QAbstractScrollArea *>(p) || qobject_cast<const QComboBox *>(p) ||
            qobject_cast<const QToolBar *>(p) || qobject_cast<const QTabBar *>(p))
            return true;
    }
    return false;
}

// Tab stops at the chosen one of a group of radio buttons; the arrows choose another.
bool reachedByArrows(const QWidget *control) {
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    return button && button->autoExclusive() && !button->isChecked();
}

// Every input control under the interface; the web pages' own trees are the renderer's.
void collectInputs(QAccessibleInterface *node, QList<QAccessibleInterface *> &inputs) {
    if (takesInput(node->role()))
        inputs.append(node);
    if (qobject_cast<QWebEngineView *>(node->object()))
        return;
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i))
            collectInputs(child, inputs);
    }
}

QString describe(QAccessibleInterface *node) {
    return QStringLiteral("%1 (role %2)")
        .arg(node->object() ? node->object()->objectName() : QStringLiteral("?"))
        .arg(node->role());
}

// The controls Tab visits from the window's focus, once round.
QSet<QWidget *> tabChain(QWidget *window) {
    QSet<QWidget *> visited;
    for (int i = 0; i < 80; ++i) {
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        visited.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return visited;
}

// A run of count questions, every one answered wrongly.
void wrongRun(QuizState &state, int count) {
    state.resizeQuestions(count);
    for (int i = 0; i < count; ++i) {
        state.questions[i] = numberedQuestion(i + 1);
        state.answerMarks[i] = 2;
        state.answerTexts[i] = QStringLiteral("4");
    }
}
} // namespace

class TestAccess : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

    // Dialogs belong to the main window, which goes when the fixture closes it.
    QWidget *open(Window window) {
        MainWindow *form = f->start();
        f->state.optionsOpener = QuizState::Opener::Editor; // the count can be changed
        switch (window) {
        case Window::Main:
            f->writeQuiz(QStringLiteral("a"), 3);
            f->load(QStringLiteral("a"));
            return form;
        case Window::Results:
            wrongRun(f->state, 40);
            return new ResultWindow(f->state, control<QComboBox>(form, "sectionBox")->currentText(),
                                    form);
        case Window::Editor:
            return form->editor();
        case Window::OptionsCount:
        case Window::OptionsFolder: {
            auto *options = new OptionsDialog(f->state, form);
            control<QTabBar>(options, "tabBar")
                ->setCurrentIndex(window == Window::OptionsFolder ? 1 : 0);
            return options;
        }
        case Window::TagBuilder:
            return form->editor()->tagBuilder();
        case Window::About:
            return new AboutDialog(form);
        }
        return nullptr;
    }

    QWidget *show(Window window) { return activate(open(window)); }

    // Keys reach the window's shortcuts once the window manager has made it active.
    static QWidget *activate(QWidget *window) {
        window->show();
        window->activateWindow();
        if (!testsupport::waitUntil([window] { return QApplication::activeWindow() == window; }))
            qWarning("window not active");
        return window;
    }

    ResultWindow *showResults() { return static_cast<ResultWindow *>(show(Window::Results)); }

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }

    void everyInputIsNamedAndReachedByTab_data() {
        QTest::addColumn<Window>("window");
        QTest::newRow("main window") << Window::Main;
        QTest::newRow("results") << Window::Results;
        QTest::newRow("editor") << Window::Editor;
        QTest::newRow("options, count") << Window::OptionsCount;
        QTest::newRow("options, folder") << Window::OptionsFolder;
        QTest::newRow("tag builder") << Window::TagBuilder;
        QTest::newRow("about") << Window::About;
    }
    void everyInputIsNamedAndReachedByTab() {
        QFETCH(Window, window);
        QWidget *shown = show(window);
        QList<QAccessibleInterface *> inputs;
        collectInputs(QAccessible::queryAccessibleInterface(shown), inputs);
        QVERIFY(inputs.size() >= 2);
        const QSet<QWidget *> reached = tabChain(shown);
        QStringList nameless, unreached;
        for (QAccessibleInterface *input : inputs) {
            if (input->text(QAccessible::Name).trimmed().isEmpty())
                nameless.append(describe(input));
            auto *control = qobject_cast<QWidget *>(input->object());
            if (control && control->isVisible() && control->isEnabled() && !isPart(control) &&
                !reachedByArrows(control) && !reached.contains(control))
                unreached.append(describe(input));
        }
        QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral(", "))));
        QVERIFY2(unreached.isEmpty(), qPrintable(unreached.join(QStringLiteral(", "))));
    }

    void figuresReadWithTheirTitles() {
        ResultWindow *results = showResults();
        // 20 true/false questions answered wrongly, 1 point off each.
        QCOMPARE(control<QLabel>(results, "scoreLabel")->accessibleName(),
                 QString::fromUtf8("総得点 -20 / 満点 60"));
        QCOMPARE(control<QLabel>(results, "unansweredLabel")->accessibleName(),
                 QString::fromUtf8("未回答問題 0"));
        MainWindow *form = f->form;
        results->close();
        f->writeQuiz(QStringLiteral("a"), 3);
        f->load(QStringLiteral("a"));
        f->now += 65;
        TRY_COMPARE(control<QLabel>(form, "clockLabel")->accessibleName(),
                    QString::fromUtf8("経過時間 00:01")); // to the minute: not read each second
    }

    // A screen reader reads the report as shown, line by line from the first line shown, and
    // Ctrl+A, Ctrl+C hand the unwrapped report to another program.
    void reportReadsThroughTheTextInterface() {
        ResultWindow *results = showResults();
        ReportArea *area = control<ReportArea>(results, "reportArea");
        QAccessibleInterface *report = QAccessible::queryAccessibleInterface(area);
        QAccessibleTextInterface *text = report->textInterface();
        QVERIFY(text);
        QVERIFY(!report->text(QAccessible::Name).isEmpty());
        for (const int width : {9165, 4000}) { // wrapped anew for a narrower window
            design::resizeOuter(results, width, 6000);
            TRY_COMPARE(text->text(0, text->characterCount()).split(QLatin1Char('\n')),
                        report::lines(area->wrappedReport()));
        }
        int start = -1, end = -1;
        QCOMPARE(
            text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end),
            QString::fromUtf8("問題名:  \n"));
        const int lineTwips = twips::fromPixels(QFontMetrics(area->font()).lineSpacing());
        control<QScrollBar>(results, "reportScrollBar")->setValue(5 * lineTwips + 1);
        QCOMPARE(
            text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end),
            report::lines(area->wrappedReport()).at(5) + QLatin1Char('\n'));

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier); // nothing selected yet
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        QTest::keyClick(results, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(text->selectionCount(), 1);
        text->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, text->characterCount()));
        QTest::keyClick(results, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString(results->reportText()).replace(QStringLiteral("\r\n"), "\n"));
    }

    // A zoomed question that runs past its pane is read to the end from the keyboard; the
    // keys that scroll it do not step the question.
    void zoomedPaneScrollsByKeyboard() {
        settings::writeString(QStringLiteral("Zoom"), QStringLiteral("300"));
        QuizRecord longQuestion = numberedQuestion(1);
        longQuestion.question = QStringLiteral("<P>line</P>").repeated(40);
        f->writeQuiz(QStringLiteral("long"), {longQuestion, numberedQuestion(2)});
        MainWindow *form = f->start();
        f->load(QStringLiteral("long"));
        QVERIFY(panesApplied(form));
        HtmlPane *pane = control<HtmlPane>(form, "questionPane");
        const auto scrolled = [pane] {
            return paneprobe::evaluate(pane, QStringLiteral("window.scrollY")).toDouble();
        };
        QTest::keyClick(control<QLineEdit>(form, "answerBox"), Qt::Key_Down, Qt::ControlModifier);
        TRY_VERIFY(scrolled() > 0);
        QTest::keyClick(control<QLineEdit>(form, "answerBox"), Qt::Key_Up, Qt::ControlModifier);
        TRY_VERIFY(scrolled() == 0);
        QCOMPARE(control<QLineEdit>(form, "questionNumberBox")->text(), QStringLiteral("1"));
    }

    // The level steps through the presets within 50 % to 300 %, by key or by wheel, is kept
    // in the settings and shown by the next start; digits still pick answers.
    void zoomIsKeptAndShown_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("keys"); // Ctrl with each; 0 a wheel notch up
        QTest::addColumn<int>("percent");
        QTest::newRow("plus") << "" << QList<int>{Qt::Key_Plus} << 110;
        QTest::newRow("minus twice") << "" << QList<int>{Qt::Key_Minus, Qt::Key_Minus} << 80;
        QTest::newRow("to the top") << "250" << QList<int>{Qt::Key_Plus, Qt::Key_Plus} << 300;
        QTest::newRow("to the bottom") << "67" << QList<int>{Qt::Key_Minus, Qt::Key_Minus} << 50;
        QTest::newRow("back to normal") << "200" << QList<int>{Qt::Key_0} << 100;
        QTest::newRow("wheel") << "150" << QList<int>{0, 0} << 200;
        QTest::newRow("not a number") << "big" << QList<int>{Qt::Key_Plus} << 110;
        QTest::newRow("out of range") << "5000" << QList<int>{Qt::Key_Minus} << 250;
    }
    void zoomIsKeptAndShown() {
        QFETCH(QString, stored);
        QFETCH(QList<int>, keys);
        QFETCH(int, percent);
        settings::writeString(QStringLiteral("Zoom"), stored);
        MainWindow *form = f->start();
        for (const int key : keys) {
            if (key == 0) {
                QWheelEvent notch(QPointF(5, 5), QPointF(), QPoint(), QPoint(0, 120), Qt::NoButton,
                                  Qt::ControlModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(control<HtmlPane>(form, "questionPane")->focusProxy(),
                                        &notch);
            } else {
                QTest::keyClick(control<QLineEdit>(form, "answerBox"), Qt::Key(key),
                                Qt::ControlModifier);
            }
        }
        QCOMPARE(settings::readNumber(QStringLiteral("Zoom"), 0), percent);
        QCOMPARE(control<QListWidget>(form, "answerList")->currentRow(),
                 -1); // Ctrl+0 picks no answer
        control<QLineEdit>(form, "answerBox")->setFocus();
        QTest::keyClick(control<QLineEdit>(form, "answerBox"), Qt::Key_3);
        QCOMPARE(control<QLineEdit>(form, "answerBox")->text(), QStringLiteral("3"));

        form->close(); // the next start shows the same size in both panes
        form = f->start();
        f->writeQuiz(QStringLiteral("a"), 2);
        f->load(QStringLiteral("a"));
        QVERIFY(panesApplied(form));
        for (HtmlPane *pane :
             {control<HtmlPane>(form, "questionPane"), control<HtmlPane>(form, "choicesPane")})
            TRY_COMPARE(
                qRound(100 *
                       paneprobe::evaluate(pane, QStringLiteral("devicePixelRatio")).toDouble()),
                percent);
    }

    void reportAndEditorFollowTheZoom() {
        settings::writeNumber(QStringLiteral("Zoom"), 200);
        ResultWindow *results = showResults();
        QCOMPARE(control<ReportArea>(results, "reportArea")->font().pointSizeF(), 22.5);
        QCOMPARE(control<QLabel>(results, "scoreLabel")->font().pointSizeF(), 11.25);
        QTest::keyClick(results, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(control<ReportArea>(results, "reportArea")->font().pointSizeF(), 1.75 * 11.25);
        QCOMPARE(control<QScrollBar>(results, "reportScrollBar")->singleStep(),
                 qRound(1.75 * 11.25 * 20));
        results->close();

        auto *editor = static_cast<EditorWindow *>(activate(f->form->editor()));
        QTest::keyClick(control<QPlainTextEdit>(editor, "questionBox"), Qt::Key_Minus,
                        Qt::ControlModifier);
        for (QPlainTextEdit *box : {control<QPlainTextEdit>(editor, "questionBox"),
                                    control<QPlainTextEdit>(editor, "choicesBox"),
                                    control<QPlainTextEdit>(editor, "keyPointBox")})
            QCOMPARE(box->font().pointSizeF(), 1.5 * 11.25);
        QCOMPARE(settings::readNumber(QStringLiteral("Zoom"), 0), 150);
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestAccess)
#include "tst_access.moc"
