#include "MainLayout.h"
#include "QuestionPages.h"
#include "QuizRecord.h"
#include "QuizRun.h"
#include "TestSupport.h"

#include <QtTest>

class TestQuizRules : public QObject {
    Q_OBJECT
private slots:
    void ruleText_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("trueFalse");
        QTest::newRow("○") << QString::fromUtf8("○") << true;
        QTest::newRow("×") << QString::fromUtf8("×") << true;
        QTest::newRow("3") << "3" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("circle with a space") << QString::fromUtf8("○ ") << false;
    }
    void ruleText() {
        QFETCH(QString, answer);
        QFETCH(bool, trueFalse);
        QCOMPARE(quizrun::ruleText(answer),
                 QString::fromUtf8(trueFalse ? " 1問 1点の 正誤問題です｡ 間違えると減点1です｡"
                                             : "1問2点の4者択一問題です｡"));
    }

    // With furigana hidden the question is said without the readings over its words; a table
    // names it without them.
    void spokenText_data() {
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("withoutRubyText");
        QTest::addColumn<QString>("said");
        const QString kanji =
            QString::fromUtf8("<ruby>漢字<rp>(</rp><rt>かんじ</rt><rp>)</rp></ruby>");
        QTest::newRow("shown") << kanji << false << QString::fromUtf8("漢字(かんじ)");
        QTest::newRow("hidden") << kanji << true << QString::fromUtf8("漢字");
        QTest::newRow("end tags left out")
            << QString::fromUtf8(
                   "<P><ruby>東<rt>とう<rt>きょう</ruby>へ<RUBY>行<RT class=x>い</RUBY>く</P>")
            << true << QString::fromUtf8("東へ行く");
        QTest::newRow("no ruby") << QString::fromUtf8("<P>富士<B>山</B></P>") << true
                                 << QString::fromUtf8("富士山");
    }
    void spokenText() {
        QFETCH(QString, question);
        QFETCH(bool, withoutRubyText);
        QFETCH(QString, said);
        QuizRecord record;
        record.question = question;
        QCOMPARE(questionpages::spokenText(record, 1, 2, withoutRubyText),
                 QString::fromUtf8("問題 1 / 2。\n") + said);
        if (withoutRubyText) // as tables name the question
            QCOMPARE(questionpages::plainStart(question), said);
    }

    void elapsed_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("now");
        QTest::addColumn<QString>("shown");
        QTest::newRow("start") << 100.0 << 100.0 << "00:00:00";
        QTest::newRow("61 s") << 100.0 << 161.9 << "00:01:01";
        QTest::newRow("limit") << 0.0 << 9000.0 << "02:30:00";
        QTest::newRow("across midnight") << 86390.0 << 20.0 << "00:00:30";
    }
    void elapsed() {
        QFETCH(double, start);
        QFETCH(double, now);
        QFETCH(QString, shown);
        QCOMPARE(quizrun::formatElapsed(quizrun::elapsedSeconds(start, now)), shown);
    }

    void layout_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QList<int>>("expected"); // pane w, h, choices top, caption, picture top, w
        QTest::newRow("default") << 8850 << 12000 << 7035
                                 << QList<int>{7100, 3051, 4776, 4561, 7842, 7100};
        QTest::newRow("minimum") << 100 << 100 << 7035
                                 << QList<int>{7100, 2026, 3751, 3536, 5792, 7100};
        QTest::newRow("wide panes keep the picture")
            << 17350 << 12000 << 9000 << QList<int>{15600, 3051, 4776, 4561, 7842, 9000};
        QTest::newRow("just below")
            << 17349 << 12000 << 9000 << QList<int>{15599, 3051, 4776, 4561, 7842, 15599};
    }
    void layout() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, picture);
        QFETCH(QList<int>, expected);
        const MainLayout l = layoutMainWindow(width, height, picture);
        QCOMPARE((QList<int>{l.paneWidth, l.paneHeight, l.choicesTop, l.choicesCaptionTop,
                             l.pictureTop, l.pictureWidth}),
                 expected);
        QCOMPARE(l.pictureHeight, l.paneHeight);
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestQuizRules)
#include "tst_quizrules.moc"
