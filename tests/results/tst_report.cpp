#include "QuizState.h"
#include "Report.h"
#include "TestSupport.h"

#include <QtTest>

using report::Kind;

namespace {
// A run built from (answer, mark, given) triples, numbered from 1.
struct Row {
    const char *answer;
    qint32 mark;
    const char *given;
};
QuizState run(std::initializer_list<Row> rows) {
    QuizState state;
    state.resizeQuestions(static_cast<qint32>(rows.size()));
    int i = 0;
    for (const Row &row : rows) {
        QuizRecord &q = state.questions[i];
        q.number = q.reportNumber = i + 1;
        q.answer = QString::fromUtf8(row.answer);
        q.keyPoint = QStringLiteral("kp%1").arg(i + 1);
        state.answerMarks[i] = row.mark;
        state.answerTexts[i] = QString::fromUtf8(row.given);
        ++i;
    }
    return state;
}

// Every character one em wide, as a full-width line in the report font.
int fullWidth(const QString &line) {
    return static_cast<int>(line.size()) * 225;
}
} // namespace

Q_DECLARE_METATYPE(report::Kind)

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void classify_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Kind>("kind");
        QTest::newRow("1") << "1" << Kind::FourChoice;
        QTest::newRow("4") << "4" << Kind::FourChoice;
        QTest::newRow("10") << "10" << Kind::FourChoice;
        QTest::newRow("2a") << "2a" << Kind::FourChoice;
        QTest::newRow("5") << "5" << Kind::Ignored;
        QTest::newRow("empty") << "" << Kind::Ignored;
        QTest::newRow("0") << "0" << Kind::Ignored;
        QTest::newRow("○") << QString::fromUtf8("○") << Kind::TrueFalse;
        QTest::newRow("×") << QString::fromUtf8("×") << Kind::TrueFalse;
        QTest::newRow("○×") << QString::fromUtf8("○×") << Kind::Ignored;
        QTest::newRow("full-width 1") << QString::fromUtf8("１") << Kind::Ignored;
    }
    void classify() {
        QFETCH(QString, answer);
        QFETCH(Kind, kind);
        QCOMPARE(report::classify(answer), kind);
    }

    void counting_data() {
        QTest::addColumn<QList<int>>("figures"); // total, 4-choice, ○×, unanswered, score, maximum
        QTest::addColumn<int>("listed");
        QTest::addColumn<int>("caseIndex");
        QTest::newRow("all correct") << QList<int>{4, 2, 2, 0, 6, 6} << 0 << 0;
        QTest::newRow("three true/false wrong") << QList<int>{0, 0, 0, 0, -3, 3} << 3 << 1;
        QTest::newRow("four-choice wrong") << QList<int>{1, 1, 0, 0, 2, 4} << 1 << 2;
        QTest::newRow("ignored answers") << QList<int>{1, 1, 0, 0, 2, 2} << 0 << 3;
        QTest::newRow("marks 2 and 3") << QList<int>{0, 0, 0, 1, 0, 6} << 4 << 4;
        QTest::newRow("unanswered") << QList<int>{0, 0, 0, 2, 0, 3} << 2 << 5;
    }
    void counting() {
        QFETCH(QList<int>, figures);
        QFETCH(int, listed);
        QFETCH(int, caseIndex);
        const QuizState cases[] = {
            run({{"1", 1, "1"}, {"○", 1, "○"}, {"3", 1, "3"}, {"×", 1, "×"}}),
            run({{"○", 2, "×"}, {"×", 2, "○"}, {"○", 2, "×"}}),
            run({{"2", 2, "3"}, {"4", 1, "4"}}),
            run({{"5", 2, "1"}, {"○×", 0, ""}, {"", 2, "x"}, {"1", 1, "1"}}),
            run({{"2", 2, "3"}, {"3", 3, "3"}, {"×", 3, "○"}, {"○", 0, ""}}),
            run({{"1", 0, ""}, {"○", 0, ""}}),
        };
        const report::Outcome outcome = report::evaluate(cases[caseIndex], QStringLiteral("s"));
        const report::Counts &c = outcome.counts;
        QCOMPARE((QList<int>{c.totalCorrect(), c.fourChoiceCorrect, c.trueFalseCorrect,
                             c.unanswered(), c.score(), c.maxScore()}),
                 figures);
        QCOMPARE(outcome.text.count(QString::fromUtf8("問題: ")), listed);
    }

    void reportTextExactly() {
        QuizState state = run({{"○", 1, "○"}, {"3", 2, "1"}, {"×", 0, ""}});
        state.questions[1].reportNumber = 12;
        state.questions[1].keyPoint = QStringLiteral("line a\r\nline b");
        QCOMPARE(report::evaluate(state, QString::fromUtf8("日本の地理")).text,
                 QString::fromUtf8("問題名:  日本の地理\r\n"
                                   "問題: 12    正解: 3    回答: 1\r\n"
                                   "line a\r\nline b\r\n"
                                   "問題: 3    正解: ×    回答: \r\n"
                                   "kp3\r\n"));
    }

    void wrapReport_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxWidth");
        QTest::addColumn<QString>("wrapped");
        QTest::newRow("short lines stay") << "ab\r\ncd\r\n" << 2000 << "ab\r\ncd\r\n";
        QTest::newRow("title line has no blank line")
            << QString::fromUtf8("問題名:  s\r\n") << 5000 << QString::fromUtf8("問題名:  s\r\n");
        QTest::newRow("blank line before an entry") << QString::fromUtf8("問題: 1\r\nk\r\n") << 5000
                                                    << QString::fromUtf8("\r\n問題: 1\r\nk\r\n");
        // n = 900 / 225 = 4 characters a row
        QTest::newRow("cut into rows") << "abcdefghij\r\n" << 900 << "abcd\r\nefgh\r\nij\r\n";
        QTest::newRow("exact multiple ends in an empty row") << "abcdefgh\r\n"
                                                             << 900 << "abcd\r\nefgh\r\n\r\n";
        QTest::newRow("the entry's blank line counts in the first row")
            << QString::fromUtf8("問題: 12\r\n") << 900
            << QString::fromUtf8("\r\n問題\r\n: 12\r\n\r\n");
        QTest::newRow("line exactly as wide stays") << "abcd\r\n" << 900 << "abcd\r\n";
        QTest::newRow("width below one em: a character a row") << "abc\r\n"
                                                               << 100 << "a\r\nb\r\nc\r\n\r\n";
        QTest::newRow("negative width") << "ab\r\n" << -50 << "a\r\nb\r\n\r\n";
        QTest::newRow("CR LF inside a key point is its own line")
            << QString::fromUtf8("問題: 1    正解: 1    回答: 2\r\nx\r\ny\r\n") << 100000
            << QString::fromUtf8("\r\n問題: 1    正解: 1    回答: 2\r\nx\r\ny\r\n");
        QTest::newRow("empty text") << "" << 900 << "";
    }
    void wrapReport() {
        QFETCH(QString, text);
        QFETCH(int, maxWidth);
        QFETCH(QString, wrapped);
        QCOMPARE(report::wrapReport(text, maxWidth, 225, fullWidth), wrapped);
    }

    void lines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("terminated") << "a\r\nb\r\n" << QStringList{"a", "b", ""};
        QTest::newRow("lone CR and LF stay") << "a\rb\nc\r\n" << QStringList{"a\rb\nc", ""};
        QTest::newRow("no line end") << "abc" << QStringList{"abc"};
        QTest::newRow("CR at the end") << "a\r" << QStringList{"a\r"};
    }
    void lines() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(report::lines(text), lines);
    }

    void cutIsByCountNotByWidth() {
        // Half-width text measured narrow enough stays whole; too wide, it is cut every n
        // characters even though each is only half an em.
        const auto halfWidth = [](const QString &line) { return int(line.size()) * 113; };
        QCOMPARE(report::wrapReport("abcdefgh\r\n", 904, 225, halfWidth), QString("abcdefgh\r\n"));
        QCOMPARE(report::wrapReport("abcdefghi\r\n", 904, 225, halfWidth),
                 QString("abcd\r\nefgh\r\ni\r\n"));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestReport)
#include "tst_report.moc"
