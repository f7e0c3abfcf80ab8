// A class's runs as files in a shared folder, and the figures a teacher reads from them.
#include "ClassRun.h"
#include "ClassStats.h"
#include "TestSupport.h"

#include <QtTest>

#include <sys/stat.h>

using answerlog::Mark;
using classrun::Run;

namespace {
// A run of three questions: 1 ("2") and 3 ("4") four-choice, 2 ("○") true/false; the answers
// given in order, "" for none.
Run runOf(const char *learner, int day, const QStringList &given,
          history::RunKind kind = history::RunKind::Full) {
    Run run;
    run.learner = QString::fromUtf8(learner);
    run.section = QStringLiteral("s");
    run.when = QDateTime(QDate(2026, 4, day), QTime(10, 0));
    run.kind = kind;
    const QStringList correct{QStringLiteral("2"), QString::fromUtf8("○"), QStringLiteral("4")};
    for (int i = 0; i < 3; ++i) {
        const QString answer = given.value(i);
        run.answers.append({i + 1, QStringLiteral("f%1").arg(i + 1), correct[i], answer,
                            answer.isEmpty()       ? Mark::Unanswered
                            : answer == correct[i] ? Mark::Correct
                                                   : Mark::Wrong,
                            QStringLiteral("q%1").arg(i + 1)});
    }
    return run;
}
} // namespace

class TestClassroom : public QObject {
    Q_OBJECT

private slots:
    // Figures worked out by hand: A 3/5, B 1/5, C 1/5, D 2/5 in their first full runs (D's later
    // run and review do not count), so A is the top quarter and C the bottom one.
    void statisticsOfASmallClass() {
        const QString o = QString::fromUtf8("○");
        const QString x = QString::fromUtf8("×");
        const QList<classstats::Section> sections = classstats::sections(
            {runOf("A", 1, {"2", o, "3"}), runOf("B", 1, {"2", x, "3"}),
             runOf("C", 2, {"3", o, "1"}), runOf("D", 2, {"1", "", "4"}),
             runOf("D", 5, {"2", o, "4"}), runOf("D", 3, {"2"}, history::RunKind::Review)});
        QCOMPARE(sections.size(), 1);
        const classstats::Section &s = sections[0];
        QCOMPARE(s.learnersWithFullRun, 4);
        QCOMPARE(s.runs.size(), 6);
        QCOMPARE((QList<int>{s.runs[0].score, s.runs[0].maxScore}), (QList<int>{3, 5}));
        QList<int> numbers, right;
        QList<double> discrimination;
        for (const classstats::QuestionStat &q : s.questions) {
            numbers.append(q.number);
            right.append(q.right);
            discrimination.append(q.discrimination.value_or(-9));
            QCOMPARE(q.attempts, 4);
        }
        QCOMPARE(numbers, (QList<int>{3, 1, 2})); // the hardest first
        QCOMPARE(right, (QList<int>{1, 2, 2}));
        QCOMPARE(discrimination, (QList<double>{0, 1, 0}));
        using Counts = QList<std::pair<QString, int>>;
        QCOMPARE(s.questions[0].wrongAnswers, (Counts{{"3", 2}, {"1", 1}}));
        QCOMPARE(s.questions[2].wrongAnswers, (Counts{{"", 1}, {x, 1}}));
    }

    // A run comes back from its file as written; a folder that cannot be reached keeps it in the
    // outbox until the next run is sent, and both arrive under names of their own.
    void runsReachTheFolderWholeOrWait() {
        Run run = runOf("<b>山田</b>, \"太郎\"", 1, {"2", "", "1"});
        QCOMPARE(classrun::decode(classrun::encode(run)), run);
        QTemporaryDir share;
        const QString missing = share.filePath(QStringLiteral("unplugged"));
        QVERIFY(!classrun::send(run, missing).isEmpty());
        QCOMPARE(QDir(classrun::outboxFolder()).entryList(QDir::Files).size(), 1);
        QVERIFY(QDir().mkpath(missing));
        QVERIFY(classrun::send(runOf("B", 1, {}), missing).isEmpty());
        QVERIFY(QDir(classrun::outboxFolder()).isEmpty());
        const classrun::FolderRead read = classrun::readFolder(missing);
        QCOMPARE(read.runs.size(), 2);
        QCOMPARE(read.skippedFiles, 0);
        QVERIFY(read.runs.contains(run));
    }

    // Every file in the folder is untrusted: damaged, cut off, huge, a FIFO or a link out of the
    // folder is skipped and counted, never waited on.
    void untrustedFilesAreSkipped() {
        QTemporaryDir share;
        QTemporaryDir elsewhere;
        const QByteArray good = classrun::encode(runOf("A", 1, {"2"}));
        testsupport::writeFile(share.filePath("good.csv"), good);
        testsupport::writeFile(share.filePath("cut.csv"), good.left(good.size() - 40));
        testsupport::writeFile(share.filePath("junk.csv"), "\xff\xfe garbage");
        QByteArray huge = good;
        huge.resize(classrun::kMaxFileBytes + 1, ' ');
        testsupport::writeFile(share.filePath("huge.csv"), huge);
        QVERIFY(::mkfifo(QFile::encodeName(share.filePath("fifo.csv")).constData(), 0600) == 0);
        testsupport::writeFile(elsewhere.filePath("secret.csv"), good);
        QVERIFY(QFile::link(elsewhere.filePath("secret.csv"), share.filePath("link.csv")));
        const classrun::FolderRead read = classrun::readFolder(share.path());
        QCOMPARE(read.runs.size(), 1);
        QCOMPARE(read.skippedFiles, 5);
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestClassroom)
#include "tst_classroom.moc"
