#include "Controls.h"
#include "EditorWindow.h"
#include "History.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "QuizRun.h"
#include "ResultWindow.h"
#include "RunJournal.h"
#include "Settings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using testsupport::control;

using messagebox::Answer;

namespace {
const char *const kChildFolder = "TESSELLAR_JOURNAL_CHILD_FOLDER";
const char *const kChildState = "TESSELLAR_JOURNAL_CHILD_STATE";

// Answers the question on show and moves to the next one, as the OK key and an arrow do.
void answerAndStep(MainWindow *form, const QString &answer) {
    control<QLineEdit>(form, "answerBox")->setText(answer);
    control<QScrollBar>(form, "questionScrollBar")
        ->setValue(control<QScrollBar>(form, "questionScrollBar")->value() + 1);
}
} // namespace

class TestLearner : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

    // The results of the run are shown; the learner presses the button given, or closes.
    void finishRun(const char *button) {
        messagebox::script({Answer::Yes});
        QTimer::singleShot(0, [button] {
            auto *results = qobject_cast<ResultWindow *>(QApplication::activeModalWidget());
            QVERIFY(results);
            if (button)
                results->findChild<QPushButton *>(QLatin1String(button))->click();
            else
                results->close();
        });
        control<QLineEdit>(f->form, "questionNumberBox")
            ->setText(QString::number(f->state.questionCount + 1));
    }

private slots:
    void init() {
        f = std::make_unique<MainWindowFixture>();
        f->writeQuiz(QStringLiteral("ten"), 10);
    }
    void cleanup() { f.reset(); }

    // Run by resumesAfterKill in a process of its own: answers two questions, lets ten
    // minutes pass on the third and waits to be killed.
    void childAnswersAndWaits() {
        if (!qEnvironmentVariableIsSet(kChildFolder))
            QSKIP("run by resumesAfterKill");
        qputenv("XDG_STATE_HOME", qgetenv(kChildState)); // where the killing test looks
        settings::writeString(QStringLiteral("QPath"), qEnvironmentVariable(kChildFolder));
        f->start();
        f->load(QStringLiteral("ten"));
        answerAndStep(f->form, QString::fromUtf8("○"));
        answerAndStep(f->form, QStringLiteral("1"));
        f->now += 600;
        f->form->tick();
        TRY_VERIFY([&] {
            const runjournal::Journal kept =
                runjournal::find(runjournal::identify(f->state.currentQuizFile), 10)
                    .value_or(runjournal::Journal());
            return kept.questionOnShow == 3 && kept.elapsedSeconds == 600;
        }());
        std::puts("journal written");
        std::fflush(stdout);
        // Waits to be killed; should the kill fail, it ends with the test that started it,
        // whose end closes this standard input.
        QSocketNotifier testEnded(STDIN_FILENO, QSocketNotifier::Read);
        QSignalSpy(&testEnded, &QSocketNotifier::activated).wait(60000);
    }

    void resumesAfterKill() {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(kChildFolder), f->folder());
        env.insert(QLatin1String(kChildState), qEnvironmentVariable("XDG_STATE_HOME"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"childAnswersAndWaits"});
        QVERIFY(child.waitForStarted());
        QByteArray output;
        TRY_VERIFY_WITHIN((output += child.readAllStandardOutput()).contains("journal written") ||
                              child.state() == QProcess::NotRunning,
                          60000);
        QVERIFY2(child.state() == QProcess::Running, output.constData());
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());

        f->now = 9 * 3600;
        f->start();
        messagebox::script({Answer::Yes});
        f->load(QStringLiteral("ten"));
        const QList<messagebox::Shown> asked = messagebox::takeShown();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].text, QString::fromUtf8("前回の続きから再開しますか？"));
        QCOMPARE(f->state.answerTexts.mid(0, 3),
                 (QStringList{QString::fromUtf8("○"), QStringLiteral("1"), QString()}));
        QCOMPARE(f->state.answerMarks.mid(0, 3),
                 (QList<qint32>{quizrun::kCorrect, quizrun::kWrong, quizrun::kUnanswered}));
        QCOMPARE(control<QLineEdit>(f->form, "questionNumberBox")->text(), QStringLiteral("3"));
        QCOMPARE(control<QLabel>(f->form, "clockLabel")->text(), QStringLiteral("00:10:00"));
        // The clock goes on from there; the results end the journal.
        f->now += 60;
        f->form->tick();
        QCOMPARE(control<QLabel>(f->form, "clockLabel")->text(), QStringLiteral("00:11:00"));
        finishRun(nullptr);
        QVERIFY(!runjournal::find(runjournal::identify(f->state.currentQuizFile), 10));
    }

    // The missed questions again, numbered as in the whole quiz; the quiz file and a save
    // from the editor keep the whole quiz.
    void retryRunsTheMissedQuestions() {
        const QByteArray quizBytes = testsupport::readFile(f->folder() + "/qten.tsl");
        f->start();
        f->load(QStringLiteral("ten"));
        for (int i = 1; i <= 10; ++i) // right but for questions 4 and 7
            answerAndStep(f->form, i == 4 || i == 7 ? QStringLiteral("1")
                                   : i % 2          ? QString::fromUtf8("○")
                                                    : QStringLiteral("2"));
        finishRun("retryButton");
        // Asked at the end twice (stepping past the last question, then the finish), no error.
        QCOMPARE(messagebox::takeShown().size(), 2);
        QCOMPARE(f->state.questionCount, 2);
        QCOMPARE(control<QLabel>(f->form, "statusTextPanel")->text(),
                 QString::fromUtf8("再挑戦: 2問"));
        QCOMPARE(control<QLabel>(f->form, "clockLabel")->text(), QStringLiteral("00:00:00"));
        answerAndStep(f->form, QStringLiteral("3"));
        QString report;
        messagebox::script({Answer::Yes});
        QTimer::singleShot(0, [&report] {
            auto *results = qobject_cast<ResultWindow *>(QApplication::activeModalWidget());
            report = results->reportText();
            results->close();
        });
        control<QLineEdit>(f->form, "questionNumberBox")->setText(QStringLiteral("3"));
        QVERIFY(report.contains(QString::fromUtf8("問題: 4    正解: 2    回答: 3")));
        QVERIFY(report.contains(QString::fromUtf8("問題: 7    正解: ○    回答: ")));
        QCOMPARE(f->state.questionCount, 10); // the whole quiz is back
        control<QAction>(f->form, "toolsOptionsAction")->trigger();
        QCOMPARE(control<QLabel>(f->form, "clockLabel")->accessibleName(),
                 QString::fromUtf8("経過時間")); // no run
        control<QComboBox>(f->form->editor(), "sectionBox")->setEditText(QStringLiteral("ten"));
        control<QPushButton>(f->form->editor(), "saveButton")->click();
        QCOMPARE(testsupport::readFile(f->folder() + "/qten.tsl"), quizBytes);
    }

    // A run is over once its results are shown: looked through again, its answers cannot be
    // changed, and stepping past the end asks nothing and adds no second history line.
    void runEndsWithItsResults() {
        QFile::remove(history::filePath());
        f->start();
        f->load(QStringLiteral("ten"));
        answerAndStep(f->form, QString::fromUtf8("○"));
        finishRun(nullptr); // the learner reads the report and closes it
        QCOMPARE(history::read().entries.size(), 1);
        messagebox::takeShown();
        control<QLineEdit>(f->form, "questionNumberBox")->setText(QStringLiteral("1"));
        QVERIFY(control<QLineEdit>(f->form, "answerBox")->isReadOnly());
        commitText(control<QLineEdit>(f->form, "answerBox"), QStringLiteral("x"));
        QTest::keyClick(f->form, Qt::Key_Return);
        QCOMPARE(f->state.answerTexts.first(), QString::fromUtf8("○"));
        control<QLineEdit>(f->form, "questionNumberBox")->setText(QStringLiteral("11"));
        QCOMPARE(messagebox::takeShown().size(), 0);
        QCOMPARE(control<QLineEdit>(f->form, "questionNumberBox")->text(), QStringLiteral("10"));
        QCOMPARE(history::read().entries.size(), 1);
        QVERIFY(!control<QTimer>(f->form, "clockTimer")->isActive());
        f->load(QStringLiteral("ten")); // a new run
        QVERIFY(!control<QLineEdit>(f->form, "answerBox")->isReadOnly());
        QVERIFY(control<QTimer>(f->form, "clockTimer")->isActive());
    }

    // A history that cannot be written is said over the results; the run ends all the same.
    void unwritableHistoryIsSaid() {
        const testsupport::UnwritableFolder noData("XDG_DATA_HOME", f->folder() + "/qten.tsl");
        f->start();
        f->load(QStringLiteral("ten"));
        finishRun(nullptr);
        QStringList said;
        QTRY_VERIFY([&] {
            for (const messagebox::Shown &box : messagebox::takeShown())
                said << box.text;
            return !said.filter(QString::fromUtf8("成績の記録を保存できませんでした。")).isEmpty();
        }());
        QVERIFY(control<QLineEdit>(f->form, "answerBox")->isReadOnly());
    }

    // The journal written with an answer names the question stepped to; a resume marks the
    // answers against the quiz, whatever marks the journal holds, and refuses numbers out of
    // range in it.
    void resumeTrustsOnlyTheAnswers() {
        f->start();
        f->load(QStringLiteral("ten"));
        answerAndStep(f->form, QStringLiteral("1")); // question 1 is ○: wrong
        const runjournal::QuizIdentity quiz = runjournal::identify(f->state.currentQuizFile);
        std::optional<runjournal::Journal> journal = runjournal::find(quiz, 10);
        QVERIFY(journal);
        QCOMPARE(journal->questionOnShow, 2);
        journal->answerMarks.fill(quizrun::kCorrect);
        QCOMPARE(runjournal::write(*journal), QString());
        messagebox::script({Answer::Yes});
        f->load(QStringLiteral("ten"));
        QCOMPARE(messagebox::takeShown().size(), 1); // the offer to resume
        QList<qint32> marks(10, quizrun::kUnanswered);
        marks[0] = quizrun::kWrong;
        QCOMPARE(f->state.answerMarks, marks);
        QByteArray bytes = testsupport::readFile(runjournal::pathFor(f->state.currentQuizFile));
        bytes.replace("\"size\":" + QByteArray::number(quiz.size), "\"size\":1e300");
        testsupport::writeFile(runjournal::pathFor(f->state.currentQuizFile), bytes);
        QVERIFY(!runjournal::find(quiz, 10));
    }

    // Ended from outside while a box waits for an answer, the program does not wait for it,
    // and a run not yet at its results resumes where it was: even when the box was the offer
    // to resume it.
    void sessionEndDismissesTheBoxOpen_data() {
        QTest::addColumn<bool>("offerToResume");
        QTest::newRow("end question") << false;
        QTest::newRow("offer to resume") << true;
    }
    void sessionEndDismissesTheBoxOpen() {
        QFETCH(bool, offerToResume);
        f->start();
        f->load(QStringLiteral("ten"));
        answerAndStep(f->form, QString::fromUtf8("○"));
        if (offerToResume) {
            f->form->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            f->start();
        }
        messagebox::stopScripting();
        QTimer::singleShot(0, [] { ::raise(SIGTERM); });
        const QPointer<MainWindow> running = f->form;
        if (offerToResume)
            f->load(QStringLiteral("ten"));
        else
            control<QLineEdit>(f->form, "questionNumberBox")->setText(QStringLiteral("11"));
        TRY_VERIFY(!running);
        const std::optional<runjournal::Journal> journal =
            runjournal::find(runjournal::identify(f->state.currentQuizFile), 10);
        QVERIFY(journal);
        QCOMPARE(journal->answerTexts.value(0), QString::fromUtf8("○"));
    }

    // Enter in the section box loads the section, as the button does, and does not step.
    void enterInTheSectionBoxLoads() {
        f->start();
        control<QComboBox>(f->form, "sectionBox")->setFocus();
        control<QComboBox>(f->form, "sectionBox")->setEditText(QStringLiteral("ten"));
        QTest::keyClick(control<QComboBox>(f->form, "sectionBox")->lineEdit(), Qt::Key_Return);
        QCOMPARE(f->state.questionCount, 10);
        QCOMPARE(control<QLineEdit>(f->form, "questionNumberBox")->text(), QStringLiteral("1"));
        QCOMPARE(control<QComboBox>(f->form, "sectionBox")->count(),
                 1); // nothing added to the list
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(f->form, "answerBox"));
        // On the section of the run under way, Enter steps as everywhere else.
        control<QComboBox>(f->form, "sectionBox")->setFocus();
        QTest::keyClick(control<QComboBox>(f->form, "sectionBox")->lineEdit(), Qt::Key_Return);
        QCOMPARE(control<QLineEdit>(f->form, "questionNumberBox")->text(), QStringLiteral("2"));
    }

    // A journal that cannot be written is told once a run, in the status bar.
    void unwritableJournalIsToldOnce() {
        const testsupport::UnwritableFolder noState("XDG_STATE_HOME", f->folder() + "/qten.tsl");
        f->start();
        f->load(QStringLiteral("ten"));
        QLabel *status = control<QLabel>(f->form, "statusTextPanel");
        answerAndStep(f->form, QString::fromUtf8("○"));
        QVERIFY2(status->text().startsWith(QString::fromUtf8("途中経過を保存できません")),
                 qPrintable(status->text()));
        status->clear();
        answerAndStep(f->form, QStringLiteral("1"));
        QCOMPARE(status->text(), QString());
    }

    // The status bar tells the learner's place and what is left unanswered, on the way to the
    // results too.
    void placeAndUnansweredAreShown() {
        f->start();
        f->load(QStringLiteral("ten"));
        QCOMPARE(control<QLabel>(f->form, "statusPlacePanel")->text(),
                 QString::fromUtf8("1 / 10問　未解答 10"));
        answerAndStep(f->form, QString::fromUtf8("○"));
        QListWidget *list =
            control<QListWidget>(f->form, "answerList"); // "2" for question 2, not yet stepped past
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(control<QLabel>(f->form, "statusPlacePanel")->text(),
                 QString::fromUtf8("2 / 10問　未解答 8"));
        messagebox::script({Answer::No});
        control<QLineEdit>(f->form, "questionNumberBox")->setText(QStringLiteral("11"));
        QCOMPARE(messagebox::takeShown().size(), 1);
        QCOMPARE(control<QLabel>(f->form, "statusPlacePanel")->text(),
                 QString::fromUtf8("10 / 10問　未解答 8"));
    }

    void pausedClockSaysSo() {
        f->start();
        f->load(QStringLiteral("ten"));
        f->now += 754;
        f->form->tick();
        QTest::keyClick(f->form, Qt::Key_Pause);
        QCOMPARE(control<QLabel>(f->form, "clockLabel")->text(),
                 QString::fromUtf8("00:12:34 一時停止中"));
        QCOMPARE(control<QLabel>(f->form, "clockLabel")->accessibleName(),
                 QString::fromUtf8("経過時間 00:12 一時停止中"));
        const QRect clock =
            control<QLabel>(f->form, "clockLabel")->geometry(); // whole, inside the window
        QVERIFY(clock.width() >= control<QLabel>(f->form, "clockLabel")->sizeHint().width());
        QVERIFY(clock.right() < f->form->centralWidget()->width());
        QVERIFY(control<QLabel>(f->form, "clockCaption")->geometry().right() < clock.left());
        QTest::keyClick(f->form, Qt::Key_Pause);
        TRY_COMPARE(control<QLabel>(f->form, "clockLabel")->text(), QStringLiteral("00:12:34"));
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestLearner)
#include "tst_learner.moc"
