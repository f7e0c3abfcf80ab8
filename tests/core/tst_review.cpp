// When missed questions come back, from the record of every answer; the record's own file.
#include "AnswerLog.h"
#include "QuizRecord.h"
#include "Review.h"
#include "TestSupport.h"

#include <QtTest>

using answerlog::Mark;
using answerlog::Record;
using history::RunKind;

namespace {
const QDate kDay1(2026, 4, 1);
const QString kFolder = QStringLiteral("/quizzes");

QuizRecord question(qint32 number) {
    QuizRecord q;
    q.number = q.reportNumber = number;
    q.question = QStringLiteral("q%1").arg(number);
    q.answer = QStringLiteral("2");
    return q;
}

Record answered(int day, RunKind kind, Mark mark, qint32 number = 1,
                const QString &folder = kFolder) {
    Record r;
    r.day = kDay1.addDays(day);
    r.time = QTime(9, 0).addSecs(60 * number);
    r.folder = folder;
    r.section = QStringLiteral("s");
    r.number = number;
    r.fingerprint = answerlog::fingerprint(question(number));
    r.kind = kind;
    r.given = mark == Mark::Unanswered ? QString() : QStringLiteral("2");
    r.mark = mark;
    return r;
}

QList<review::Question> matched(const QList<Record> &records, const QList<QuizRecord> &quiz) {
    return review::questionsOf(quiz, records, kFolder, QStringLiteral("s"));
}
} // namespace

class TestReview : public QObject {
    Q_OBJECT

private slots:
    void init() { QFile::remove(answerlog::filePath()); }

    // The day question 1 is due after its answers (days from day 1); -1: it does not come back.
    void dueDay_data() {
        QTest::addColumn<QList<Record>>("records");
        QTest::addColumn<int>("due");
        const auto w = [](int day, RunKind kind = RunKind::Full) {
            return answered(day, kind, Mark::Wrong);
        };
        const auto r = [](int day, RunKind kind = RunKind::Review) {
            return answered(day, kind, Mark::Correct);
        };
        QTest::newRow("never missed") << QList<Record>{r(0, RunKind::Full)} << -1;
        QTest::newRow("missed") << QList<Record>{w(0)} << 1;
        QTest::newRow("left unanswered")
            << QList<Record>{answered(0, RunKind::Practice, Mark::Unanswered)} << 1;
        QTest::newRow("right in the retry after") << QList<Record>{w(0), r(0, RunKind::Retry)} << 1;
        QTest::newRow("right in its review") << QList<Record>{w(0), r(1)} << 4;
        QTest::newRow("reviewed before due") << QList<Record>{w(0), r(1), r(2)} << 4;
        QTest::newRow("reviewed late") << QList<Record>{w(0), r(9)} << 12;
        QTest::newRow("missed again") << QList<Record>{w(0), r(1), w(4, RunKind::Review)} << 5;
        QTest::newRow("every interval") << QList<Record>{w(0), r(1), r(4), r(11), r(25)} << 55;
        QTest::newRow("learned") << QList<Record>{w(0), r(1), r(4), r(11), r(25), r(55)} << -1;
    }
    void dueDay() {
        QFETCH(QList<Record>, records);
        QFETCH(int, due);
        const QList<review::Question> questions = matched(records, {question(1)});
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].standing.due.value_or(QDate()),
                 due < 0 ? QDate() : kDay1.addDays(due));
    }

    // Only this quiz's questions as they are now count: not another folder's section of the
    // same name, a question rewritten since, or one no longer there.
    void onlyTheQuizAsItIsNowCounts() {
        QList<Record> records{answered(0, RunKind::Full, Mark::Wrong, 1),
                              answered(0, RunKind::Full, Mark::Wrong, 2),
                              answered(2, RunKind::Full, Mark::Wrong, 2),
                              answered(0, RunKind::Full, Mark::Wrong, 3, "/elsewhere"),
                              answered(0, RunKind::Full, Mark::Wrong, 9)};
        records[1].fingerprint = records[2].fingerprint = QStringLiteral("0badf00d");
        const QList<QuizRecord> quiz{question(1), question(2), question(3)};
        const QList<review::Question> questions = matched(records, quiz);
        QCOMPARE(review::dueOn(questions, kDay1.addDays(1)), QList<qsizetype>{0});

        records[2].fingerprint = answerlog::fingerprint(question(2)); // 2 as it is, missed later
        const QList<review::Question> both = matched(records, quiz);
        QCOMPARE(review::dueOn(both, kDay1.addDays(1)), QList<qsizetype>{0});
        QCOMPARE(review::nextDueAfter(both, kDay1.addDays(1)), kDay1.addDays(3));
        records.append(answered(4, RunKind::Full, Mark::Wrong, 1));
        const QList<review::Question> most = review::mostMissed(matched(records, quiz), 5);
        QCOMPARE(most.size(), 2);
        QCOMPARE(most[0].index, 0); // twice
        QCOMPARE(most[0].standing.lastMissedDay, kDay1.addDays(4));
        QCOMPARE(most[1].index, 1);
    }

    // A question keeps its history when an insert before it renumbers it; identical questions
    // are told apart by their numbers.
    void questionsKnownByFingerprint() {
        QuizRecord moved = question(2);
        moved.number = moved.reportNumber = 3;
        QuizRecord twin = question(2);
        twin.number = twin.reportNumber = 4;
        const QList<Record> records{answered(0, RunKind::Full, Mark::Wrong, 2)};
        const QList<QuizRecord> inserted{question(1), question(5), moved};
        QCOMPARE(review::dueOn(matched(records, inserted), kDay1.addDays(1)), QList<qsizetype>{2});
        const QList<QuizRecord> twins{question(2), twin};
        QCOMPARE(review::dueOn(matched(records, twins), kDay1.addDays(1)), QList<qsizetype>{0});
    }

    // Every field comes back as written, a given answer with commas, quotes and a line break
    // too; damaged lines are skipped and counted.
    void recordFileRoundTrip() {
        Record odd = answered(0, RunKind::Review, Mark::Wrong, 3, QString::fromUtf8("/ク イ,ズ"));
        odd.given = QStringLiteral("a,\"b\"\nc");
        const QList<Record> written{answered(1, RunKind::Full, Mark::Correct), odd};
        QVERIFY(answerlog::append(written).isEmpty());
        QFile file(answerlog::filePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("2026-04-01T09:00:00,/q,s,1,ab,full,2\r\n"        // a field short
                   "2026-13-01T09:00:00,/q,s,1,ab,full,2,正解\r\n"   // no such month
                   "2026-04-01T09:00:00,/q,s,x,ab,full,2,正解\r\n"   // no number
                   "2026-04-01T09:00:00,/q,s,1,ab,exam,2,正解\r\n"   // no such kind
                   "2026-04-01T09:00:00,/q,s,1,ab,full,2,\xff\r\n"); // not UTF-8
        file.close();
        QVERIFY(answerlog::append({written[0]}).isEmpty());
        const answerlog::ReadResult read = answerlog::read();
        QCOMPARE(read.skippedLines, 5);
        Record oneLine = odd;
        oneLine.given = QStringLiteral("a,\"b\" c");
        QCOMPARE(read.records, (QList<Record>{written[0], oneLine, written[0]}));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestReview)
#include "tst_review.moc"
