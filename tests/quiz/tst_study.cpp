// Study across runs through the main window: a review of the questions missed, practice mode's
// marks and a shuffled run, taken with the keyboard.
#include "Controls.h"
#include "EditorWindow.h"
#include "History.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "ResultWindow.h"
#include "StudyOptions.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

using messagebox::Answer;
using testsupport::control;

class TestStudy : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

    QList<qint32> numbersInRun() const {
        QList<qint32> numbers;
        for (const QuizRecord &q : f->state.questions)
            numbers.append(q.reportNumber);
        return numbers;
    }

private slots:
    void init() {
        f = std::make_unique<MainWindowFixture>();
        f->writeQuiz(QStringLiteral("ten"), 10); // odd: ○ (key 5), even: 2
        f->start();
    }
    void cleanup() { f.reset(); }

    // Day 1 misses 4 and 7; they are not due that day, both are the next, and 7, missed again,
    // the day after, while 4 waits three days.
    void reviewBringsBackTheMissedQuestions() {
        f->load(QStringLiteral("ten"));
        f->answerAll({5, 2, 5, 1, 5, 2, 1, 2, 5, 2});
        control<QAction>(f->form, "toolsReviewAction")->trigger();
        const QList<messagebox::Shown> told = messagebox::takeShown();
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].text, QString::fromUtf8("今日復習する問題はありません。\r\n"
                                                 "次の復習は 2026/04/02 (木) です。"));

        f->today = f->today.addDays(1);
        QTest::keyClick(f->form, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(numbersInRun(), (QList<qint32>{4, 7}));
        QCOMPARE(control<QLabel>(f->form, "statusTextPanel")->text(),
                 QString::fromUtf8("復習: 2問"));
        const QString report = f->answerAll({2, 1});
        QVERIFY(report.contains(QString::fromUtf8("問題: 7    正解: ○    回答: 1")));
        QVERIFY(!report.contains(QString::fromUtf8("問題: 4")));
        QCOMPARE(history::read().entries.constLast().kind, history::RunKind::Review);
        QCOMPARE(f->state.answerTexts, (QStringList{"2", "1"})); // to look through after

        f->today = f->today.addDays(1);
        control<QAction>(f->form, "toolBarButton_復習")->trigger();
        QCOMPARE(numbersInRun(), QList<qint32>{7});
    }

    // 成績の推移 lists the questions missed most often, and its button reviews them at once.
    void progressWindowReviewsTheMostMissed() {
        f->load(QStringLiteral("ten"));
        f->answerAll({5, 2, 5, 1, 5, 2, 1, 2, 5, 2});
        f->load(QStringLiteral("ten"));
        f->answerAll({5, 2, 5, 1, 5, 2, 5, 2, 5, 2});
        QStringList rows;
        QTimer::singleShot(0, [&rows] {
            QWidget *window = QApplication::activeModalWidget();
            const QAbstractItemModel *missed = control<QTableView>(window, "missedTable")->model();
            for (int row = 0; row < missed->rowCount(); ++row)
                for (int column : {0, 1, 3})
                    rows.append(missed->index(row, column).data().toString());
            control<QPushButton>(window, "reviewButton")->click();
        });
        control<QAction>(f->form, "toolsProgressAction")->trigger();
        QCOMPARE(rows, (QStringList{"4", "2", QString::fromUtf8("問題 4"), "7", "1",
                                    QString::fromUtf8("問題 7")}));
        QCOMPARE(numbersInRun(), (QList<qint32>{4, 7}));
        QCOMPARE(control<QLabel>(f->form, "statusTextPanel")->text(),
                 QString::fromUtf8("復習: 2問"));
    }

    // Enter on an answer shows its mark, the correct answer and the key point; the next Enter
    // moves on. The run is recorded as practice.
    void practiceShowsEachMarkFirst() {
        studyoptions::setPracticeMode(true);
        f->load(QStringLiteral("ten"));
        auto *feedback = control<QLabel>(f->form, "practiceFeedback");
        QVERIFY(feedback->isVisible());
        QVERIFY(feedback->geometry().bottom() < control<QLabel>(f->form, "pictureLabel")->y());
        control<QLineEdit>(f->form, "answerBox")->setFocus();
        const auto answer = [&](Qt::Key key) {
            QTest::keyClick(f->form, key);
            QTest::keyClick(f->form, Qt::Key_Return);
            return feedback->text();
        };
        QCOMPARE(answer(Qt::Key_5), QString::fromUtf8("○ 正解です。\nポイント: point 1"));
        QCOMPARE(f->form->questionNumberOnShow(), 1);
        QTest::keyClick(f->form, Qt::Key_Return);
        QCOMPARE(f->form->questionNumberOnShow(), 2);
        QCOMPARE(answer(Qt::Key_1),
                 QString::fromUtf8("× 不正解です。正解は 2 です。\nポイント: point 2"));
        QVERIFY(control<QLineEdit>(f->form, "answerBox")
                    ->accessibleDescription()
                    .startsWith(QString::fromUtf8("× 不正解です。")));
        QTest::keyClick(f->form, Qt::Key_2); // the first marked answer stands
        QCOMPARE(control<QLineEdit>(f->form, "answerBox")->text(), QStringLiteral("1"));
        QTest::keyClick(f->form, Qt::Key_Return);
        QTest::keyClick(f->form, Qt::Key_1);
        QTest::keyClick(f->form, Qt::Key_Home); // any step shows the mark first
        QVERIFY(feedback->text().startsWith(QString::fromUtf8("× 不正解です。正解は ○ です。")));
        QTest::keyClick(f->form, Qt::Key_Home);
        QCOMPARE(f->form->questionNumberOnShow(), 1);
        messagebox::script({Answer::Yes});
        closeNextModalWindow();
        control<QLineEdit>(f->form, "questionNumberBox")->setText(QStringLiteral("11"));
        QCOMPARE(history::read().entries.constLast().kind, history::RunKind::Practice);
    }

    // The editor keeps the whole quiz in its order: a shuffled load leaves the order alone while
    // it is open, and a review closes it first; a review asks before it gives up a run under way.
    void editorAndRunUnderWayKeepTheirQuiz() {
        f->load(QStringLiteral("ten"));
        f->answerAll({5, 2, 5, 1, 5, 2, 1, 2, 5, 2});
        studyoptions::setShuffledOrder(true);
        control<QAction>(f->form, "toolsOptionsAction")->trigger(); // 問題作成
        const auto editorShown = [] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return std::any_of(windows.cbegin(), windows.cend(), [](QWidget *w) {
                return qobject_cast<EditorWindow *>(w) && w->isVisible();
            });
        };
        QVERIFY(editorShown());
        f->load(QStringLiteral("ten"));
        QCOMPARE(numbersInRun(), (QList<qint32>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        control<QLineEdit>(f->form, "answerBox")->setFocus();
        QTest::keyClick(f->form, Qt::Key_1);
        QTest::keyClick(f->form, Qt::Key_Return);

        f->today = f->today.addDays(1);
        for (const Answer giveUp : {Answer::No, Answer::Yes}) {
            messagebox::script({giveUp}); // 途中の回があります。…復習を始めますか？
            control<QAction>(f->form, "toolsReviewAction")->trigger();
            QCOMPARE(messagebox::takeShown().size(), 1);
            QCOMPARE(editorShown(), giveUp == Answer::No);
        }
        QCOMPARE(numbersInRun(), (QList<qint32>{4, 7}));
    }

    // The questions come in another order under their own numbers, and a run taken up again
    // after an interruption comes back in the same order.
    void shuffledRunKeepsItsOrder() {
        studyoptions::setShuffledOrder(true);
        f->load(QStringLiteral("ten"));
        const QList<qint32> order = numbersInRun();
        QList<qint32> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, (QList<qint32>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QVERIFY(control<QLabel>(f->form, "statusTextPanel")
                    ->text()
                    .endsWith(QString::fromUtf8("（ランダム順）")));
        control<QLineEdit>(f->form, "answerBox")->setFocus();
        QTest::keyClick(f->form, Qt::Key_1);
        QTest::keyClick(f->form, Qt::Key_Return);

        messagebox::script({Answer::Yes}); // 前回の続きから再開しますか？
        f->load(QStringLiteral("ten"));
        QCOMPARE(numbersInRun(), order);
        QCOMPARE(f->state.answerTexts.first(), QStringLiteral("1"));
        QCOMPARE(f->form->questionNumberOnShow(), 2);
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestStudy)
#include "tst_study.moc"
