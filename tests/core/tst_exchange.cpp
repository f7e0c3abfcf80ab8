// Questions to and from learning platforms: choices split into answers, GIFT as people write
// it, Moodle XML's pictures kept inside the quiz folder.
#include "Exchange.h"
#include "Gift.h"
#include "MoodleXml.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using exchange::Kind;

class TestExchange : public QObject {
    Q_OBJECT

private slots:
    // The four items of choices written as a list or as four lines; none for anything else.
    void choicesSplit_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QStringList>("items");
        const QStringList abcd{"a", "b", "c", "<B>d</B>"};
        QTest::newRow("list as we write it") << "<OL><LI>a<LI>b<LI>c<LI><B>d</B></OL>" << abcd;
        QTest::newRow("list with end tags")
            << "<ol type=\"1\">\r\n <li>a</li>\r\n<li>b</li><li>c</li> <li><B>d</B></li></ol>"
            << abcd;
        QTest::newRow("numbered lines") << "<P>1. a<BR>2. b<br/>3. c<BR>4. <B>d</B></P>" << abcd;
        QTest::newRow("full-width and circled numbers")
            << QString::fromUtf8("１．a\r\n②b\r\n(3)c\r\n④<B>d</B>") << abcd;
        QTest::newRow("three items") << "<OL><LI>a<LI>b<LI>c</OL>" << QStringList();
        QTest::newRow("text before the list")
            << "<P>x</P><OL><LI>a<LI>b<LI>c<LI>d</OL>" << QStringList();
        QTest::newRow("an empty item") << "<OL><LI>a<LI><LI>c<LI>d</OL>" << QStringList();
        QTest::newRow("a table") << "<P>表の 1～4 から選びなさい。</P>" << QStringList();
    }
    void choicesSplit() {
        QFETCH(QString, html);
        QFETCH(QStringList, items);
        QCOMPARE(exchange::splitChoices(html).value_or(QStringList()), items);
    }

    // GIFT as teachers write it: escapes, formats, feedback, weights, and the kinds we leave.
    void giftRead_data() {
        QTest::addColumn<QByteArray>("gift");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("answers"); // empty: true/false
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("feedback");
        QTest::newRow("escapes") << QByteArray("::t\\:1::a \\= b \\{c\\} \\#\\nd{~x\\~y =z}")
                                 << "a = b {c} #<br>d" << QStringList{"x~y", "z"} << 1 << "";
        QTest::newRow("html and feedback")
            << QByteArray("// c\n::q::[html]<b>x</b>{\n=[plain]1 # yes\n~2\n####see &lt;p&gt;\n}")
            << "<b>x</b>" << QStringList{"1", "2"} << 0 << "see <p>";
        QTest::newRow("plain text is not mark-up")
            << QByteArray("1 < 2?{T}") << "1 &lt; 2?" << QStringList() << 0 << "";
        QTest::newRow("false with feedbacks")
            << QByteArray("x{FALSE#no#yes####why}") << "x" << QStringList() << 1 << "why";
        QTest::newRow("weight of 100")
            << QByteArray("x{~%100%a ~b}") << "x" << QStringList{"a", "b"} << 0 << "";
        QTest::newRow("missing word")
            << QByteArray("Mount {=Fuji ~Aso} is high.") << QString::fromUtf8("Mount＿＿＿is high.")
            << QStringList{"Fuji", "Aso"} << 0 << "";
    }
    void giftRead() {
        QFETCH(QByteArray, gift);
        QFETCH(QString, text);
        QFETCH(QStringList, answers);
        QFETCH(int, right);
        QFETCH(QString, feedback);
        const gift::ReadResult read = gift::read(gift);
        QVERIFY2(read.skipped.isEmpty(), qPrintable(read.skipped.join(u'\n')));
        QCOMPARE(read.questions.size(), 1);
        const exchange::Question &q = read.questions[0];
        QCOMPARE(q.text, QString(text).replace(QLatin1String("<br>"), QLatin1String("\r\n")));
        QCOMPARE(q.kind, answers.isEmpty() ? Kind::TrueFalse : Kind::MultiChoice);
        QCOMPARE(q.answers, answers);
        QCOMPARE(q.right, right);
        QCOMPARE(q.feedback, feedback);
    }

    // Embedded pictures land inside the quiz folder whatever they are called, never over
    // another picture, and only pictures do; each question keeps showing its own, in its
    // picture box unless its text shows it.
    void picturesStayInTheFolder() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("quiz"));
        QVERIFY(QDir().mkpath(folder));
        testsupport::writeFile(folder + QStringLiteral("/a.png"), "old");
        const auto question = [](const char *name, const char *bytes, const char *text = "q") {
            return QByteArrayLiteral("<question type=\"truefalse\"><questiontext><text>") +
                   QString::fromUtf8(text).toHtmlEscaped().toUtf8() + "</text><file name=\"" +
                   name + "\" encoding=\"base64\">" + QByteArray(bytes).toBase64() +
                   "</file></questiontext><answer fraction=\"100\"><text>true</text></answer>"
                   "</question>";
        };
        const QByteArray xml = "<quiz>" + question("a.png", "old") + question("a.png", "new") +
                               question("../../up.gif", "up") + question("run.sh", "#!") +
                               question("in.png", "in", "<img src=\"@@PLUGINFILE@@/in.png\">") +
                               "</quiz>";
        const moodlexml::ReadResult read = moodlexml::read(xml);
        QVERIFY(read.error.isEmpty());
        exchange::Incoming in = exchange::fromPlatform(read.questions);
        QVERIFY(in.error.isEmpty());
        QCOMPARE(in.notes.size(), 1); // run.sh
        QVERIFY(exchange::writePictures(folder, in.pictures, in.quiz).isEmpty());
        QStringList shown;
        for (const QuizRecord &r : in.quiz)
            shown.append(r.imageFile);
        QCOMPARE(shown, (QStringList{"a.png", "a_2.png", "up.gif", "", ""})); // in.png: in the text
        QCOMPARE(testsupport::readFile(folder + QStringLiteral("/a.png")), QByteArray("old"));
        QCOMPARE(testsupport::readFile(folder + QStringLiteral("/a_2.png")), QByteArray("new"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    // More than four answers, several right, or another kind: left out, said where.
    void moodleLeavesOutWhatWeCannotAsk() {
        QByteArray answers;
        for (int i = 0; i < 5; ++i)
            answers +=
                "<answer fraction=\"" + QByteArray(i ? "0" : "100") + "\"><text>a</text></answer>";
        const QByteArray xml =
            "<quiz><question type=\"category\"/>"
            "<question type=\"multichoice\">" +
            answers +
            "</question>"
            "<question type=\"essay\"/>"
            "<question type=\"multichoice\"><answer fraction=\"50\"><text>x</text>"
            "</answer><answer fraction=\"50\"><text>y</text></answer></question>"
            "</quiz>";
        const moodlexml::ReadResult read = moodlexml::read(xml);
        QCOMPARE(read.questions.size(), 0);
        QCOMPARE(
            read.skipped,
            (QStringList{
                QString::fromUtf8("1 番目の問題 (multichoice): 答えが 5 個あります (最大 4 個)"),
                QString::fromUtf8("2 番目の問題 (essay): 読み込めない種類の問題です"),
                QString::fromUtf8("3 番目の問題 (multichoice): 正解が一つではありません")}));
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestExchange)
#include "tst_exchange.moc"
