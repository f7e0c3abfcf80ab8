#include "History.h"
#include "TestSupport.h"

#include <QStringEncoder>
#include <QtTest>

#include <sys/stat.h>

using history::Entry;
using history::RunKind;

namespace {
const QByteArray kHeader = "\xEF\xBB\xBF" // the BOM
                           "日時,問題名,種類,問題数,総正解数,4択問題,○×問題,未回答問題,総得点,"
                           "満点,経過秒数\r\n";
const QByteArray kGood = "2024-05-01T09:30:00,abc,full,10,6,4,2,3,8,15,1234\r\n";

Entry entry(const QString &section, RunKind kind, int score, int maxScore) {
    return {QDateTime(QDate(2024, 5, 2), QTime(21, 5, 7)),
            section,
            kind,
            12,
            7,
            4,
            3,
            2,
            score,
            maxScore,
            3599};
}

// A history with the line between two good ones.
QByteArray between(const QByteArray &line) {
    return kHeader + kGood + line + "\r\n" + kGood;
}
} // namespace

class TestHistory : public QObject {
    Q_OBJECT
    const QString path = history::filePath();

private slots:
    void init() { QFile::remove(path); }

    void fileLivesInTheDataFolder() {
        QCOMPARE(path, qEnvironmentVariable("XDG_DATA_HOME") + "/Tessellar/history.csv");
    }

    void roundTrip() {
        const QList<Entry> entries{entry(QString::fromUtf8("日本の地理"), RunKind::Full, 11, 19),
                                   entry(QStringLiteral("a,\"b\""), RunKind::Retry, -3, 4),
                                   entry(QStringLiteral("nothing to score"), RunKind::Full, 0, 0)};
        for (const Entry &e : entries)
            QCOMPARE(history::append(e), QString());
        const QByteArray bytes = testsupport::readFile(path);
        QVERIFY(bytes.startsWith(kHeader));
        QVERIFY(
            bytes.contains("\n2024-05-02T21:05:07,\"a,\"\"b\"\"\",retry,12,7,4,3,2,-3,4,3599\r\n"));
        QCOMPARE(bytes.count('\n'), 4);
        const history::ReadResult read = history::read();
        QCOMPARE(read.entries, entries);
        QCOMPARE(read.skippedLines, 0);
        QCOMPARE(read.entries[0].percent().value_or(-1), 100.0 * 11 / 19);
        QVERIFY(!read.entries[2].percent());
    }

    void damagedLinesAreSkippedAndCounted_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("skipped");
        const auto row = [](const char *name, const QByteArray &line) {
            QTest::newRow(name) << between(line) << 2 << 1;
        };
        row("wrong field count", "2024-05-01T09:30:00,abc,full,10,6,4,2,3,8,15");
        row("not a number", "2024-05-01T09:30:00,abc,full,ten,6,4,2,3,8,15,1234");
        row("negative count", "2024-05-01T09:30:00,abc,full,10,-6,4,2,3,8,15,1234");
        row("number too big", "2024-05-01T09:30:00,abc,full,10,6,4,2,3,8,15,99999999999");
        row("no such day", "2024-02-30T09:30:00,abc,full,10,6,4,2,3,8,15,1234");
        row("unknown kind", "2024-05-01T09:30:00,abc,half,10,6,4,2,3,8,15,1234");
        row("quote never closed", "2024-05-01T09:30:00,\"abc,full,10,6,4,2,3,8,15,1234");
        row("CR inside a line", "2024-05-01T09:30:00,abc,full,10,6\r4,2,3,8,15,1234");
        row("not UTF-8", "2024-05-01T09:30:00,\x93\xfa\x96\x7b,full,10,6,4,2,3,8,15,1234");
        QTest::newRow("cut off at the end") << kHeader + kGood + "2024-05-01T09:3" << 1 << 1;
        QTest::newRow("blank lines, header again") << between("\r\n" + kHeader) << 2 << 0;
        const QString utf8 =
            QString::fromUtf8(kHeader.mid(3) + QByteArray(kGood).replace("abc", "日本"));
        QStringEncoder cp932("windows-31j");
        QTest::newRow("file in CP932") << QByteArray(cp932(utf8 + utf8)) << 0 << 4;
    }
    void damagedLinesAreSkippedAndCounted() {
        QFETCH(QByteArray, file);
        QFETCH(int, entries);
        QFETCH(int, skipped);
        testsupport::writeFile(path, file);
        const history::ReadResult read = history::read();
        QCOMPARE(read.entries.size(), entries);
        QCOMPARE(read.skippedLines, skipped);
        QCOMPARE(read.error, QString());
    }

    // The rest of a line that was cut off does not swallow the next run.
    void appendsAfterALineCutOff() {
        testsupport::writeFile(path, kHeader + "2024-05-01T09:3");
        QCOMPARE(history::append(entry("abc", RunKind::Full, 1, 2)), QString());
        const history::ReadResult read = history::read();
        QCOMPARE(read.entries.size(), 1);
        QCOMPARE(read.skippedLines, 1);
    }

    void fifoInItsPlace() {
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QVERIFY(!history::append(entry("abc", RunKind::Full, 1, 2)).isEmpty());
        QVERIFY(!history::read().error.isEmpty());
        QFile::remove(path);
    }

    void fullDiskKeepsTheHistory() {
        // A file of whole pages: the line needs a page the disk no longer has.
        const QByteArray before = (kHeader + kGood).leftJustified(4096, '\n');
        testsupport::FullDisk disk({{QStringLiteral("history.csv"), before}});
        if (!disk.unavailable().isEmpty())
            QSKIP(qPrintable(disk.unavailable()));
        const QString full = disk.filePath(QStringLiteral("history.csv"));
        QVERIFY(!history::append(entry("abc", RunKind::Full, 1, 2), full).isEmpty());
        QCOMPARE(testsupport::readFile(full), before);
    }

    // Only the end of a huge file is read, from its first whole line on.
    void hugeFileIsReadFromItsEnd() {
        const qsizetype lines = history::kMaxReadBytes / kGood.size() + 100;
        testsupport::writeFile(path, kHeader + kGood.repeated(lines - 1) +
                                         QByteArray(kGood).replace("abc", "end"));
        const history::ReadResult read = history::read();
        QVERIFY(read.olderLinesLeftOut);
        QCOMPARE(read.skippedLines, 0);
        QCOMPARE(read.entries.size(), history::kMaxReadBytes / kGood.size());
        QCOMPARE(read.entries.last().section, QStringLiteral("end"));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestHistory)
#include "tst_history.moc"
