#include "AnswerLog.h"
#include "History.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "RunJournal.h"
#include "RunModel.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QtTest>

// The rules of a run, without a window: a clock the test moves, the questions in the state.
class TestRunModel : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QuizState m_state;
    double m_now = 0; // seconds since midnight; runs start an hour before it
    int m_onShow = 1;
    std::unique_ptr<RunModel> m_run;

    void answer(qsizetype index, const char *given) {
        m_run->recordAnswer(index, QString::fromUtf8(given));
        m_run->keepJournal();
    }
    std::optional<runjournal::Journal> kept() const {
        return runjournal::find(runjournal::identify(m_state.currentQuizFile), 3);
    }

private slots:
    void init() {
        QFile::remove(history::filePath());
        m_now = 23 * 3600;
        QList<QuizRecord> quiz(3);
        quiz[0].answer = QString::fromUtf8("○");
        quiz[1].answer = quiz[2].answer = QStringLiteral("2");
        for (int i = 0; i < 3; ++i)
            quiz[i].question = QStringLiteral("q%1").arg(i + 1);
        m_state.replaceQuiz(quiz);
        m_state.currentQuizFile = m_dir.filePath(QStringLiteral("qthree.tsl"));
        testsupport::writeFile(m_state.currentQuizFile, "three");
        m_run = std::make_unique<RunModel>(m_state, [this] { return m_now; });
        m_run->setQuestionOnShow([this] { return m_onShow; });
        m_run->start(false);
        m_run->journalTo(runjournal::identify(m_state.currentQuizFile));
    }
    void cleanup() {
        runjournal::drop(m_state.currentQuizFile);
        m_run.reset();
    }

    // The clock counts from the start, goes past midnight, and stops the run once at the limit.
    void clockStopsAtTheLimit() {
        QSignalSpy clock(m_run.get(), &RunModel::clockChanged);
        QSignalSpy timeUp(m_run.get(), &RunModel::timeUp);
        m_now += 600;
        m_run->tick();
        QCOMPARE(clock.takeLast(), (QVariantList{600.0, false}));
        m_now = 23 * 3600 + quizrun::kTimeLimitSeconds - 24 * 3600; // 01:30, the next day
        m_run->tick();
        QCOMPARE(timeUp.size(), 1);
        QVERIFY(!m_run->isClockRunning());
    }

    // Paused, the clock says so; it goes on only while the run is under way.
    void pauseAndGoOn() {
        QSignalSpy clock(m_run.get(), &RunModel::clockChanged);
        m_run->pause();
        QCOMPARE(clock.takeLast(), (QVariantList{0.0, true}));
        m_run->goOn();
        QVERIFY(m_run->isClockRunning());
        m_run->finish();
        m_run->goOn();
        QVERIFY(!m_run->isClockRunning());
        m_run->abandon();
        m_run->pause();
        QVERIFY(clock.isEmpty()); // no clock shown: nothing to say
    }

    // An answer is marked and journaled at once with the question on show; once the results
    // are shown nothing is marked and the journal is gone.
    void answersAreMarkedAndJournaled() {
        m_onShow = 2;
        answer(0, "×");
        answer(1, "2");
        QCOMPARE(m_state.answerMarks, (QList<qint32>{quizrun::kWrong, quizrun::kCorrect, 0}));
        QCOMPARE(kept().value_or(runjournal::Journal()).questionOnShow, 2);
        QCOMPARE(kept()->answerTexts.value(1), QStringLiteral("2"));
        const QString journaled = m_state.currentQuizFile;
        m_state.currentQuizFile = m_dir.filePath(QStringLiteral("qother.tsl")); // a failed load
        m_run->finish();
        QVERIFY(!QFile::exists(runjournal::pathFor(journaled)));
        QVERIFY(!m_run->recordAnswer(2, "2"));
        QVERIFY(!m_run->pickAnswer(2, "2"));
        QCOMPARE(m_state.answerTexts.value(2), QString());
    }

    // A resume takes the journal's answers and time, and marks them itself.
    void resumeMarksTheAnswersAgain() {
        runjournal::Journal journal;
        journal.answerTexts = {QString::fromUtf8("○"), QString(), QStringLiteral("1")};
        journal.answerMarks = {quizrun::kWrong, quizrun::kCorrect, quizrun::kCorrect};
        journal.elapsedSeconds = 754;
        m_run->resumeFrom(journal);
        QCOMPARE(m_state.answerMarks, (QList<qint32>{quizrun::kCorrect, 0, quizrun::kWrong}));
        QCOMPARE(m_run->elapsedSeconds(), 754.0);
    }

    // A retry runs the missed questions; a retry of it keeps the whole quiz to come back to.
    void retryKeepsTheWholeQuiz() {
        const QList<QuizRecord> whole = m_state.questions;
        m_run->retry({0, 2});
        QCOMPARE(m_state.questions, (QList<QuizRecord>{whole[0], whole[2]}));
        m_run->retry({1});
        QCOMPARE(m_state.questions, QList<QuizRecord>{whole[2]});
        QVERIFY(m_run->hasWholeQuizKept());
        QVERIFY(m_run->wholeQuizBack());
        QCOMPARE(m_state.questions, whole);
        QVERIFY(!m_run->isUnderWay());
        QVERIFY(!m_run->wholeQuizBack());
    }

    // Its results add the run's one line to the history, of the retry's kind for a retry; a
    // history that cannot be written is said, and the run ends all the same.
    void finishingAddsOneHistoryLine() {
        answer(0, "○");
        answer(1, "1");
        m_now += 125.6;
        m_run->tick();
        QVERIFY(m_run->finish().isEmpty());
        QVERIFY(m_run->finish().isEmpty());
        QList<history::Entry> lines = history::read().entries;
        QCOMPARE(lines.size(), 1);
        const history::Entry &e = lines[0];
        QCOMPARE(e.section, QStringLiteral("three"));
        QCOMPARE(e.kind, history::RunKind::Full);
        QCOMPARE((QList<int>{e.questions, e.correct, e.fourChoiceCorrect, e.trueFalseCorrect,
                             e.unanswered, e.score, e.maxScore, e.elapsedSeconds}),
                 (QList<int>{3, 1, 0, 1, 1, 1, 5, 125}));
        QVERIFY(qAbs(e.when.secsTo(QDateTime::currentDateTime())) < 60);

        m_run->retry({1, 2});
        m_run->start(false);
        answer(1, "2");
        QVERIFY(m_run->finish().isEmpty());
        lines = history::read().entries;
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1].kind, history::RunKind::Retry);
        QCOMPARE((QList<int>{lines[1].questions, lines[1].correct}), (QList<int>{2, 1}));

        const testsupport::UnwritableFolder noData("XDG_DATA_HOME", m_state.currentQuizFile);
        m_run->start(false);
        QVERIFY(!m_run->finish().isEmpty());
        QVERIFY(m_run->isOver());
    }

    // A practice review records each answer under the question's own number, its first marked
    // answer standing; its journal keeps the order and both kinds, and an answer record that
    // cannot be written is said once, not each run.
    void answersAreRecordedUnderOwnNumbers() {
        QFile::remove(answerlog::filePath());
        for (int i = 0; i < 3; ++i)
            m_state.questions[i].reportNumber = i + 1;
        m_run->setPractice(true);
        const QList<qsizetype> order{2, 0, 1};
        m_run->takeQuestions(order, history::RunKind::Review);
        m_run->start(false);
        const qsizetype second = order.indexOf(1); // where question 2 ("2") stands now
        answer(second, "3");
        answer(second, "2");
        const runjournal::Journal journal = kept().value_or(runjournal::Journal());
        QCOMPARE(journal.order, order);
        QVERIFY(journal.practice);
        m_run->setPractice(false);
        m_run->resumeFrom(journal);
        QVERIFY(m_run->isPractice());
        QCOMPARE(m_run->kind(), history::RunKind::Review);
        QVERIFY(m_run->finish().isEmpty());
        const QList<answerlog::Record> records = answerlog::read().records;
        QCOMPARE(records.size(), 3);
        for (qsizetype i = 0; i < 3; ++i) {
            QCOMPARE(records[i].number, order[i] + 1);
            QCOMPARE(records[i].fingerprint, answerlog::fingerprint(m_state.questions[i]));
            QCOMPARE(records[i].kind, history::RunKind::Review);
            QCOMPARE(records[i].mark,
                     i == second ? answerlog::Mark::Wrong : answerlog::Mark::Unanswered);
        }
        QCOMPARE(records[second].given, QStringLiteral("3"));

        QFile::remove(answerlog::filePath());
        QVERIFY(QDir().mkpath(answerlog::filePath())); // no file can be written there
        for (const bool told : {true, false}) {
            m_run->start(false);
            QCOMPARE(!m_run->finish().isEmpty(), told);
        }
        QDir(answerlog::filePath()).removeRecursively();
    }

    // Runs finished while the class folder is out of reach (a stick not plugged in) wait, said
    // once, and go with the next run that reaches it.
    void classRunsWaitForTheFolder() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("class"));
        m_run->setClassFolder(QStringLiteral(" A "), folder);
        for (const bool told : {true, false}) {
            m_run->start(false);
            QCOMPARE(m_run->finish().startsWith(QString::fromUtf8("クラスのフォルダに送れません")),
                     told);
        }
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(QDir().mkpath(folder));
        m_run->start(false);
        QVERIFY(m_run->finish().isEmpty());
        const classrun::FolderRead sent = classrun::readFolder(folder);
        QCOMPARE(sent.runs.size(), 3);
        QCOMPARE(sent.runs[0].learner, QStringLiteral("A"));
        QVERIFY(QDir(classrun::outboxFolder()).isEmpty());
    }

    // A journal that cannot be written is said once a run.
    void journalFailureIsToldOnceARun() {
        QSignalSpy failed(m_run.get(), &RunModel::journalFailed);
        const testsupport::UnwritableFolder noState("XDG_STATE_HOME", m_state.currentQuizFile);
        answer(0, "○");
        answer(1, "1");
        QCOMPARE(failed.size(), 1);
        m_run->start(false);
        answer(0, "×");
        QCOMPARE(failed.size(), 2);
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestRunModel)
#include "tst_runmodel.moc"
