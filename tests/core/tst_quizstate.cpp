#include "QuizFile.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
QuizRecord question(int number, const char *answer) {
    QuizRecord r;
    r.number = r.reportNumber = number;
    r.question = QStringLiteral("問 %1").arg(number);
    r.answer = QString::fromUtf8(answer);
    return r;
}

QString writeQuiz(const QTemporaryDir &dir, const QString &name, int count) {
    QList<QuizRecord> table;
    for (int i = 1; i <= count; ++i)
        table.append(question(i, i % 2 ? "○" : "3"));
    const QString path = dir.filePath(name);
    testsupport::writeFile(path, quizfile::encode(count, table).bytes);
    return path;
}

void verifySizes(const QuizState &state, qsizetype size) {
    QCOMPARE(state.questions.size(), size);
    QCOMPARE(state.answerMarks.size(), size);
    QCOMPARE(state.answerTexts.size(), size);
}
} // namespace

class TestQuizState : public QObject {
    Q_OBJECT
private slots:
    void startState() {
        QuizState state;
        state.questionCount = 5;
        state.answerMarks = {1, 2};
        state.currentImageFile = QStringLiteral("x.gif");
        state.prepareStart(QStringLiteral("/quizzes"));
        QCOMPARE(state.questionCount, 60);
        QCOMPARE(state.quizFolder, QStringLiteral("/quizzes"));
        QCOMPARE(state.answerMarks, QList<qint32>{0});
        QCOMPARE(state.answerTexts, QStringList{QString()});
        QVERIFY(state.questions.isEmpty());
        QVERIFY(state.currentImageFile.isEmpty());
    }

    void loadReplacesCountAndClearsAnswers() {
        QTemporaryDir dir;
        QuizState state;
        state.resizeQuestions(60);
        state.answerMarks[3] = 2;
        state.answerTexts[3] = QStringLiteral("4");
        QVERIFY(state.loadQuizFile(writeQuiz(dir, QStringLiteral("q25.tsl"), 25)).ok);
        QCOMPARE(state.questionCount, 25);
        verifySizes(state, 25);
        QCOMPARE(state.questions[24], question(25, "○"));
        QCOMPARE(state.answerMarks, QList<qint32>(25, 0));
        QCOMPARE(state.answerTexts, QStringList(QList<QString>(25)));
    }

    void failedLoadChangesNothing_data() {
        QTest::addColumn<QByteArray>("damage"); // appended to a cut-off file
        QTest::newRow("missing file") << QByteArray("missing");
        QTest::newRow("cut after the count") << QByteArray("cut");
    }
    void failedLoadChangesNothing() {
        QFETCH(QByteArray, damage);
        QTemporaryDir dir;
        QuizState state;
        QVERIFY(state.loadQuizFile(writeQuiz(dir, QStringLiteral("qok.tsl"), 3)).ok);
        state.answerMarks[1] = 1;
        state.answerTexts[1] = QString::fromUtf8("×");
        const QuizState before = state;
        QString path = dir.filePath(QStringLiteral("qmissing.tsl"));
        if (damage == "cut") {
            path = writeQuiz(dir, QStringLiteral("qcut.tsl"), 10);
            QFile file(path);
            QVERIFY(file.resize(file.size() - 5));
        }
        QVERIFY(!state.loadQuizFile(path).ok);
        QCOMPARE(state.questionCount, before.questionCount);
        QCOMPARE(state.questions, before.questions);
        QCOMPARE(state.answerMarks, before.answerMarks);
        QCOMPARE(state.answerTexts, before.answerTexts);
    }

    void resizeKeepsWhatFits() {
        QuizState state;
        state.resizeQuestions(3);
        state.questions[2] = question(3, "1");
        state.answerMarks[2] = 1;
        state.answerTexts[2] = QStringLiteral("1");
        state.resizeQuestions(5);
        verifySizes(state, 5);
        QCOMPARE(state.questions[2], question(3, "1"));
        QCOMPARE(state.questions[4], QuizRecord());
        state.resizeQuestions(2);
        QCOMPARE(state.questionCount, 2);
        verifySizes(state, 2);
        state.resizeQuestions(3);
        QCOMPARE(state.questions[2], QuizRecord());
        QCOMPARE(state.answerMarks[2], 0);
    }

    // Insert and delete keep the three arrays in step and move the later numbers; the edges
    // (out of range, the last question, the question limit) change nothing.
    void insertAndRemoveRenumber_data() {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QList<qint32>>("numbers");
        QTest::newRow("insert before 2") << true << 1 << true << QList<qint32>{1, 0, 3, 4};
        QTest::newRow("insert after last") << true << 3 << true << QList<qint32>{1, 2, 3, 0};
        QTest::newRow("insert out of range") << true << 4 << false << QList<qint32>{1, 2, 3};
        QTest::newRow("remove 2") << false << 1 << true << QList<qint32>{1, 2};
        QTest::newRow("remove out of range") << false << 3 << false << QList<qint32>{1, 2, 3};
    }
    void insertAndRemoveRenumber() {
        QFETCH(bool, insert);
        QFETCH(int, index);
        QFETCH(bool, done);
        QFETCH(QList<qint32>, numbers);
        QuizState state;
        state.replaceQuiz({question(1, "○"), question(2, "3"), question(3, "○")});
        state.answerTexts = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        QCOMPARE(insert ? state.insertQuestion(index) : state.removeQuestion(index), done);
        QCOMPARE(state.questionCount, numbers.size());
        verifySizes(state, numbers.size());
        for (qsizetype i = 0; i < numbers.size(); ++i) {
            QCOMPARE(state.questions[i].number, numbers[i]);
            QCOMPARE(state.questions[i].reportNumber, numbers[i]);
        }
        // Each answer stays with its question.
        const qsizetype last = numbers.size() - 1;
        QCOMPARE(state.answerTexts[last], state.questions[last].number ? QStringLiteral("c") : "");
    }

    void removeKeepsTheLastQuestionAndInsertTheLimit() {
        QuizState state;
        state.replaceQuiz({question(1, "○")});
        QVERIFY(!state.removeQuestion(0));
        state.replaceQuiz(QList<QuizRecord>(quizrun::kMaxQuestionCount));
        QVERIFY(!state.insertQuestion(0));
        QCOMPARE(state.questionCount, quizrun::kMaxQuestionCount);
    }

    void closeLeavesOneEmptyEntry() {
        QTemporaryDir dir;
        QuizState state;
        QVERIFY(state.loadQuizFile(writeQuiz(dir, QStringLiteral("q7.tsl"), 7)).ok);
        state.closeQuiz();
        QCOMPARE(state.questionCount, 7);
        verifySizes(state, 1);
        QCOMPARE(state.questions[0], QuizRecord());
    }

    void saveWritesCountAndTableAndRefusesBadText() {
        QTemporaryDir dir;
        QuizState state;
        QVERIFY(state.loadQuizFile(writeQuiz(dir, QStringLiteral("qs.tsl"), 4)).ok);
        state.questions[1].question = QStringLiteral("<img src=\"file:///PathName\\a.gif\">");
        const QString path = dir.filePath(QStringLiteral("qout.tsl"));
        QCOMPARE(state.saveQuizFile(path), QString());
        QuizState reread;
        QVERIFY(reread.loadQuizFile(path).ok);
        QCOMPARE(reread.questions, state.questions);

        state.questions[3].keyPoint = QString::fromUtf8("🎌");
        const QByteArray saved = testsupport::readFile(path);
        const QString error = state.saveQuizFile(path);
        QVERIFY2(error.contains(QString::fromUtf8("問題 4 の「ポイント」")), qPrintable(error));
        QCOMPARE(testsupport::readFile(path), saved);
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestQuizState)
#include "tst_quizstate.moc"
