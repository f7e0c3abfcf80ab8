#include "QuizFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {
struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run tool(const QStringList &args) {
    QProcess process;
    process.start(QStringLiteral(TESSELLAR_TOOL), args);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

const QByteArray kWorkedExample =
    QByteArray::fromHex("01000000 01000000 01000000 0300616263 0000 0200819B 0000 0000");
} // namespace

class TestTool : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString file(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

private slots:
    void dumpPrintsTheExactShape() {
        writeFile(file("qex.tsl"), kWorkedExample + "tail");
        const Run run = tool({QStringLiteral("dump"), file("qex.tsl")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
                 QByteArray("{\"count\": 1, \"records\": [\n"
                            "  {\"Number\": 1, \"ReportNumber\": 1, \"Question\": \"abc\", "
                            "\"Choices\": \"\", \"Answer\": \"○\", \"KeyPoint\": \"\", "
                            "\"ImageFile\": \"\"}\n], \"trailingBytes\": 4}\n"));
    }

    void packThenDumpRoundTrips() {
        const QByteArray json =
            QString::fromUtf8("{\"records\": [{\"Number\": 1, \"ReportNumber\": 1, \"Question\": "
                              "\"<P>\\\"東京\\\"</P>\\r\\n\","
                              " \"Choices\": \"a\\\\b\\t\\u0001\", \"Answer\": \"2\", "
                              "\"KeyPoint\": \"①～④\", \"ImageFile\": \"img\\\\a.gif\"},"
                              " {\"Number\": 2, \"ReportNumber\": 7, \"Question\": \"\", "
                              "\"Choices\": \"\", \"Answer\": \"×\","
                              " \"KeyPoint\": \"ｶﾀｶﾅ\", \"ImageFile\": \"\"}], \"count\": 99, "
                              "\"trailingBytes\": 5}")
                .toUtf8();
        writeFile(file("in.json"), json);
        QCOMPARE(tool({QStringLiteral("pack"), file("in.json"), file("qout.tsl")}).status, 0);
        const Run dumped = tool({QStringLiteral("dump"), file("qout.tsl")});
        QCOMPARE(dumped.status, 0);
        const QJsonObject root = QJsonDocument::fromJson(dumped.out).object();
        QCOMPARE(root.value("count").toInt(), 2);
        QCOMPARE(root.value("trailingBytes").toInt(), 0);
        const QJsonObject first = root.value("records").toArray().at(0).toObject();
        QCOMPARE(first.value("Question").toString(), QString::fromUtf8("<P>\"東京\"</P>\r\n"));
        QCOMPARE(first.value("Choices").toString(), QStringLiteral("a\\b\t\x01"));
        QCOMPARE(first.value("ImageFile").toString(), QStringLiteral("img\\a.gif"));
        const QJsonObject second = root.value("records").toArray().at(1).toObject();
        QCOMPARE(second.value("ReportNumber").toInt(), 7);
        QCOMPARE(second.value("KeyPoint").toString(), QString::fromUtf8("ｶﾀｶﾅ"));
        // dump's own output packs back to the same bytes
        writeFile(file("again.json"), dumped.out);
        QCOMPARE(tool({QStringLiteral("pack"), file("again.json"), file("qagain.tsl")}).status, 0);
        QCOMPARE(readFile(file("qagain.tsl")), readFile(file("qout.tsl")));
    }

    void checkReportsOffsets_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("line");
        QTest::newRow("good") << kWorkedExample << 0 << "";
        QTest::newRow("cut inside the answer") << kWorkedExample.left(22) << 1 << "オフセット 21: ";
        QTest::newRow("too short for its count")
            << kWorkedExample.left(20) << 1 << "オフセット 0: ";
        QTest::newRow("not CP932")
            << QByteArray(kWorkedExample).replace(15, 1, "\xFF") << 0 << "オフセット 15: CP932";
        QTest::newRow("count 0") << QByteArray(4, '\0') << 1 << "オフセット 0: 問題数 0";
    }
    void checkReportsOffsets() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(QString, line);
        writeFile(file("qcheck.tsl"), bytes);
        const Run run = tool({QStringLiteral("check"), file("qcheck.tsl")});
        QCOMPARE(run.status, status);
        const QString said = QString::fromUtf8(run.out + run.err).trimmed();
        QCOMPARE(said.count(QLatin1Char('\n')), 0);
        if (line.isEmpty())
            QVERIFY(said.isEmpty());
        else
            QVERIFY2(said.startsWith(file("qcheck.tsl") + ": " + line), qPrintable(said));
    }

    void badInputWritesNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("problem");
        const QString in = file("bad.json"), out = file("qbad.tsl");
        const QByteArray record =
            R"({"Number": 1, "ReportNumber": 1, "Question": "", "Choices": "", "Answer": "", "KeyPoint": "", )";
        QTest::newRow("missing file")
            << QStringList{"dump", file("none.tsl")} << QByteArray() << "none.tsl";
        QTest::newRow("missing json")
            << QStringList{"pack", file("none.json"), out} << QByteArray() << "none.json";
        QTest::newRow("bad json") << QStringList{"pack", in, out} << QByteArray("{\"records\": [")
                                  << "JSON";
        QTest::newRow("no records")
            << QStringList{"pack", in, out} << QByteArray("{\"records\": []}") << "records";
        QTest::newRow("number as text")
            << QStringList{"pack", in, out} << QByteArray(R"({"records": [{"Number": "1"}]})")
            << "Number";
        QTest::newRow("fractional number")
            << QStringList{"pack", in, out} << QByteArray(R"({"records": [{"Number": 1.5}]})")
            << "Number";
        QTest::newRow("text as number")
            << QStringList{"pack", in, out}
            << QByteArray("{\"records\": [" + record + "\"ImageFile\": 3}]}") << "ImageFile";
        QTest::newRow("not CP932")
            << QStringList{"pack", in, out}
            << QByteArray("{\"records\": [" + record + "\"ImageFile\": \"\xF0\x9F\x98\x80\"}]}")
            << "問題 1 の「添付画像ファイル名」";
        QTest::newRow("usage") << QStringList{"frobnicate"} << QByteArray() << "usage";
        QTest::newRow("CSV option unknown")
            << QStringList{"import-csv", "--utf16", in, out} << QByteArray("1") << "usage";
        QTest::newRow("CSV quote never closed")
            << QStringList{"import-csv", "--csv", in, out} << QByteArray("番号\n\"1")
            << "2 行目 A 列 (番号): 引用符";
        QTest::newRow("CSV answer no learner can give")
            << QStringList{"import-csv", "--csv", in, out}
            << QByteArray("番号,問題文,正解\n1,\"a\nb\",1\n2,q,5 \n")
            << "3 行目 C 列 (正解): 「5 」は解答できない値です";
        writeFile(file("qbytes.tsl"), QByteArray(kWorkedExample).replace(15, 1, "\xFF"));
        QTest::newRow("CP932 CSV of a text with a bad byte")
            << QStringList{"export-csv", "--cp932", file("qbytes.tsl"), out} << QByteArray()
            << "2 行目 C 列 (問題文): 問題 1 に Shift_JIS (CP932) で表せない文字「\uFFFD」";
        // Only regular files are quiz files: these must fail at once, not block or run away.
        mkfifo(file("qfifo.tsl").toLocal8Bit().constData(), 0600);
        QTest::newRow("check a FIFO") << QStringList{"check", file("qfifo.tsl")} << QByteArray()
                                      << "クイズファイルではありません";
        QTest::newRow("dump a device")
            << QStringList{"dump", "/dev/zero"} << QByteArray() << "クイズファイルではありません";
        QTest::newRow("CSV from a FIFO") << QStringList{"import-csv", file("qfifo.tsl"), out}
                                         << QByteArray() << "ファイルではありません";
        QTest::newRow("GIFT from a FIFO") << QStringList{"import-gift", file("qfifo.tsl"), out}
                                          << QByteArray() << "ファイルではありません";
        // XML that would read a file or grow without end is refused before any entity is read.
        QTest::newRow("Moodle XML naming an outside file")
            << QStringList{"import-moodle", in, out}
            << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE quiz [<!ENTITY x SYSTEM "
                          "\"file:///etc/passwd\">]><quiz>&x;</quiz>")
            << "DTD";
        QTest::newRow("Moodle XML entity bomb")
            << QStringList{"import-moodle", in, out}
            << QByteArray("<!DOCTYPE q [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">"
                          "<!ENTITY c \"&b;&b;&b;&b;&b;\">]><quiz>&c;</quiz>")
            << "DTD";
        QTest::newRow("Moodle XML cut short")
            << QStringList{"import-moodle", in, out}
            << QByteArray("<quiz><question type=\"truefalse\"><questiontext>") << "XML";
        QTest::newRow("Moodle XML not Shift_JIS")
            << QStringList{"import-moodle", in, out}
            << QByteArray("<quiz><question type=\"truefalse\"><questiontext><text>\xF0\x9F\x98\x80"
                          "</text></questiontext><answer fraction=\"100\"><text>true</text>"
                          "</answer></question></quiz>")
            << "1 問目 (問題文): Shift_JIS (CP932) で表せない文字";
        QTest::newRow("GIFT strict with an essay")
            << QStringList{"import-gift", "--strict", in, out}
            << QByteArray("::a::ok?{T}\n\n::b::Why?{}\n") << "2 番目の問題: 記述式";
        QTest::newRow("GIFT not UTF-8")
            << QStringList{"import-gift", in, out} << QByteArray("q{T}\xFF") << "UTF-8";
    }
    void badInputWritesNothing() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, json);
        QFETCH(QString, problem);
        if (!json.isEmpty())
            writeFile(file("bad.json"), json);
        const Run run = tool(args);
        QVERIFY(run.status != 0);
        QVERIFY(run.out.isEmpty());
        const QString said = QString::fromUtf8(run.err).trimmed();
        QVERIFY2(said.contains(problem), qPrintable(said));
        QVERIFY(!QFile::exists(file("qbad.tsl")));
        if (problem != QLatin1String("usage"))
            QCOMPARE(said.count(QLatin1Char('\n')), 0);
    }

    void csvRoundTripsEveryShippedQuiz_data() {
        QTest::addColumn<QString>("quiz");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("start");
        const QByteArray number = "番号", cp932Number = "\x94\xD4\x8D\x86";
        QStringList quizzes{QStringLiteral(TESSELLAR_TEST_DATA "/windows-quiz/QKANA.TSL")};
        for (const QString &name : QDir(QStringLiteral(TESSELLAR_SAMPLE_DIR)).entryList({"*.tsl"}))
            quizzes.append(QStringLiteral(TESSELLAR_SAMPLE_DIR "/") + name);
        for (const QString &quiz : quizzes) {
            const QByteArray name = QFileInfo(quiz).fileName().toUtf8();
            QTest::newRow(name + " csv")
                << quiz << "t.csv" << QStringList() << "\xEF\xBB\xBF" + number + ",";
            QTest::newRow(name + " tsv")
                << quiz << "t.TSV" << QStringList() << "\xEF\xBB\xBF" + number + "\t";
            QTest::newRow(name + " txt cp932")
                << quiz << "t.txt" << QStringList{"--cp932"} << cp932Number + "\t";
            QTest::newRow(name + " --tsv")
                << quiz << "t.csv" << QStringList{"--tsv", "--cp932"} << cp932Number + "\t";
        }
    }
    void csvRoundTripsEveryShippedQuiz() {
        QFETCH(QString, quiz);
        QFETCH(QString, table);
        QFETCH(QStringList, options);
        QFETCH(QByteArray, start);
        const QString csv = m_dir.filePath(table), again = file("qagain.tsl");
        QFile::remove(again);
        QCOMPARE(tool(QStringList{"export-csv"} + options + QStringList{quiz, csv}).status, 0);
        QVERIFY(readFile(csv).startsWith(start));
        options.removeAll("--cp932");
        const Run imported = tool(QStringList{"import-csv"} + options + QStringList{csv, again});
        QCOMPARE(imported.status, 0);
        QVERIFY2(imported.out.contains(start.startsWith("\xEF") ? "UTF-8" : "CP932"), imported.out);
        QCOMPARE(readFile(again), readFile(quiz));
        // A table that fails leaves the quiz as it was.
        writeFile(csv, "\"");
        QCOMPARE(tool(QStringList{"import-csv"} + options + QStringList{csv, again}).status, 1);
        QCOMPARE(readFile(again), readFile(quiz));
    }

    // Every shipped quiz goes to a platform's format and comes back the same, its pictures
    // carried (Moodle XML) or named (GIFT).
    void platformRoundTripsEveryShippedQuiz_data() {
        QTest::addColumn<QString>("quiz");
        QTest::addColumn<QString>("format");
        for (const QString &name : QDir(QStringLiteral(TESSELLAR_SAMPLE_DIR)).entryList({"*.tsl"}))
            for (const char *format : {"moodle", "gift"})
                QTest::newRow(qPrintable(name + u' ' + QLatin1String(format)))
                    << QStringLiteral(TESSELLAR_SAMPLE_DIR "/") + name
                    << QString::fromLatin1(format);
    }
    void platformRoundTripsEveryShippedQuiz() {
        QFETCH(QString, quiz);
        QFETCH(QString, format);
        QTemporaryDir elsewhere;
        const QString exported = file("platform.out"), again = elsewhere.filePath("qagain.tsl");
        QCOMPARE(tool({"export-" + format, quiz, exported}).status, 0);
        const Run imported = tool({"import-" + format, exported, again});
        QCOMPARE(imported.status, 0);
        QCOMPARE(readFile(again), readFile(quiz));
        const QStringList pictures = QDir(elsewhere.path()).entryList(QDir::Files).filter(".gif");
        if (format == QLatin1String("moodle") && quiz.contains(QString::fromUtf8("地理")))
            QCOMPARE(readFile(elsewhere.filePath("fuji.gif")),
                     readFile(QStringLiteral(TESSELLAR_SAMPLE_DIR "/fuji.gif")));
        else
            QVERIFY(pictures.isEmpty());
    }

    // One limit on the number of questions, whichever way a quiz is checked or written.
    void questionLimit_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("status");
        QTest::newRow("as many as a run takes") << 32766 << 0;
        QTest::newRow("one more") << 32767 << 1;
    }
    void questionLimit() {
        QFETCH(int, count);
        QFETCH(int, status);
        const QString quiz = file("qlimit.tsl"), out = file("qout.tsl");
        writeFile(quiz, testsupport::numberedEmptyQuiz(count));
        writeFile(file("limit.json"), tool({"dump", quiz}).out);
        QCOMPARE(tool({"export-csv", quiz, file("limit.csv")}).status, 0);
        for (const QStringList &args :
             {QStringList{"check", quiz}, QStringList{"pack", file("limit.json"), out},
              QStringList{"import-csv", file("limit.csv"), out}}) {
            QFile::remove(out);
            const Run run = tool(args);
            QVERIFY2(run.status == status, qPrintable(args[0]));
            QVERIFY2(status == 0 || run.err.contains("32766"), run.err.constData());
            if (args.contains(out))
                QCOMPARE(QFile::exists(out) ? readFile(out) : QByteArray(),
                         status == 0 ? readFile(quiz) : QByteArray());
        }
    }

    // An answer read as what it unmistakably stands for is written so and said so.
    void importSaysWhatItReadAnswersAs() {
        writeFile(file("twins.csv"), "番号,問題文,正解\n1,q,１\n2,r,〇\n");
        const Run run = tool({"import-csv", file("twins.csv"), file("qtwins.tsl")});
        QCOMPARE(run.status, 0);
        QCOMPARE(QString::fromUtf8(run.err),
                 file("twins.csv") + ": 2 行目 C 列 (正解): 「１」を「1」として読みました\n" +
                     file("twins.csv") + ": 3 行目 C 列 (正解): 「〇」を「○」として読みました\n");
        const QJsonArray records = QJsonDocument::fromJson(tool({"dump", file("qtwins.tsl")}).out)
                                       .object()
                                       .value("records")
                                       .toArray();
        QCOMPARE(records.at(0).toObject().value("Answer").toString(), QStringLiteral("1"));
        QCOMPARE(records.at(1).toObject().value("Answer").toString(), QString::fromUtf8("○"));
    }

    void helpNamesEveryCommand() {
        const Run run = tool({"--help"});
        QCOMPARE(run.status, 0);
        for (const char *command : {"dump", "pack", "check", "export-csv", "import-csv",
                                    "export-moodle", "export-gift", "import-moodle", "import-gift"})
            QVERIFY(run.out.contains(command));
    }

    void packOntoAFullDiskKeepsTheOldFile() {
        testsupport::FullDisk disk({{"qfull.tsl", kWorkedExample}});
        if (!disk.unavailable().isEmpty())
            QSKIP(qPrintable(disk.unavailable()));
        writeFile(
            file("full.json"),
            tool({"dump", disk.filePath("qfull.tsl")}).out.replace("abc", QByteArray(3000, 'a')));
        const Run run = tool({"pack", file("full.json"), disk.filePath("qfull.tsl")});
        QCOMPARE(run.status, 1);
        QVERIFY2(QString::fromUtf8(run.err).contains(QString::fromUtf8("空き容量が足りません")),
                 run.err.constData());
        QCOMPARE(readFile(disk.filePath("qfull.tsl")), kWorkedExample);
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestTool)
#include "tst_tool.moc"
