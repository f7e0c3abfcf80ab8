#include "QuizRun.h"
#include "RunJournal.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QtTest>

using testsupport::writeFile;

class TestRunJournal : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString quiz() const { return m_dir.filePath(QStringLiteral("qten.tsl")); }

    runjournal::Journal journal() const {
        runjournal::Journal j;
        j.quiz = runjournal::identify(quiz());
        j.answerTexts = {QString::fromUtf8("○"), QStringLiteral("3"), QString()};
        j.answerMarks = {quizrun::kCorrect, quizrun::kWrong, quizrun::kUnanswered};
        j.questionOnShow = 3;
        j.elapsedSeconds = 754.5;
        return j;
    }

private slots:
    void init() { writeFile(quiz(), QByteArray("quiz bytes", 10)); }
    void cleanup() { runjournal::drop(quiz()); }

    // Whatever a learner typed comes back as typed.
    void roundTrip_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("digit") << QStringLiteral("3");
        QTest::newRow("full-width and half-width katakana") << QString::fromUtf8("○ ｱｲｳ アイウ");
        QTest::newRow("quote and backslash") << QStringLiteral("\"a\\b\"");
        QTest::newRow("control characters") << QStringLiteral("a\nb\tc\x01\x1f\x7f");
        QTest::newRow("beyond the BMP") << QString::fromUtf8("\U0001F600 𠮷");
    }
    void roundTrip() {
        QFETCH(QString, answer);
        runjournal::Journal written = journal();
        written.answerTexts[0] = answer;
        QCOMPARE(runjournal::write(written), QString());
        const std::optional<runjournal::Journal> found =
            runjournal::find(runjournal::identify(quiz()), 3);
        QVERIFY(found);
        QCOMPARE(found->quiz, journal().quiz);
        QCOMPARE(found->answerTexts, written.answerTexts);
        QCOMPARE(found->answerMarks, journal().answerMarks);
        QCOMPARE(found->questionOnShow, 3);
        QCOMPARE(found->elapsedSeconds, 754.5);
    }

    // Journals already on disk name their quiz by this digest: resuming them needs the same one.
    void identityIsTheFilesSha256() {
        QCOMPARE(runjournal::identify(quiz()).sha256,
                 QByteArray("345d8aa235c54dcf1d4c17757e552b19e22f3a81803c6d2d7e02e9536a3abc97"));
    }

    // A journal that does not belong to the quiz as it is now is dropped without a word.
    void refused_data() {
        QTest::addColumn<QByteArray>("quizBytes");
        QTest::addColumn<int>("questionCount");
        QTest::addColumn<QByteArray>("journalBytes");
        QTest::newRow("bytes changed, same size") << QByteArray("quiz BYTES") << 3 << QByteArray();
        QTest::newRow("file grew") << QByteArray("quiz bytes!") << 3 << QByteArray();
        QTest::newRow("other question count") << QByteArray() << 4 << QByteArray();
        QTest::newRow("damaged journal") << QByteArray() << 3 << QByteArray("{\"quiz\":");
        QTest::newRow("unknown mark")
            << QByteArray() << 3 << QByteArray("\"marks\":[1,2,0]|\"marks\":[1,7,0]");
        QTest::newRow("negative time")
            << QByteArray() << 3 << QByteArray("\"elapsed\":754.5|\"elapsed\":-1");
        QTest::newRow("time past the limit")
            << QByteArray() << 3 << QByteArray("\"elapsed\":754.5|\"elapsed\":99999");
    }
    void refused() {
        QFETCH(QByteArray, quizBytes);
        QFETCH(int, questionCount);
        QFETCH(QByteArray, journalBytes);
        QCOMPARE(runjournal::write(journal()), QString());
        const QString path = runjournal::pathFor(quiz());
        if (!quizBytes.isEmpty())
            writeFile(quiz(), quizBytes);
        if (journalBytes.contains('|')) { // "from|to" edits the journal written
            const QList<QByteArray> edit = journalBytes.split('|');
            QByteArray written = testsupport::readFile(path);
            QVERIFY(written.contains(edit[0]));
            writeFile(path, written.replace(edit[0], edit[1]));
        } else if (!journalBytes.isEmpty()) {
            writeFile(path, journalBytes);
        }
        QVERIFY(!runjournal::find(runjournal::identify(quiz()), questionCount));
        QVERIFY(!QFile::exists(path));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestRunJournal)
#include "tst_runjournal.moc"
