#include "Module1.h"
#include "QuizFile.h"
#include "TestSupport.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
QuizRecord question(int number, const char *answer) {
    QuizRecord r;
    r.Number = r.ReportNumber = number;
    r.Question = QStringLiteral("問 %1").arg(number);
    r.Answer = QString::fromUtf8(answer);
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

void verifySizes(const Module1 &state, qsizetype size) {
    QCOMPARE(state.QuestionTable.size(), size);
    QCOMPARE(state.AnswerMarks.size(), size);
    QCOMPARE(state.AnswerTexts.size(), size);
}
} // namespace

class TestModule1 : public QObject {
    Q_OBJECT
private slots:
    void startState() {
        Module1 state;
        state.QuestionCount = 5;
        state.AnswerMarks = {1, 2};
        state.CurrentImageFile = QStringLiteral("x.gif");
        state.prepareStart(QStringLiteral("/quizzes"));
        QCOMPARE(state.QuestionCount, 60);
        QCOMPARE(state.QuizFolder, QStringLiteral("/quizzes"));
        QCOMPARE(state.AnswerMarks, QList<qint32>{0});
        QCOMPARE(state.AnswerTexts, QStringList{QString()});
        QVERIFY(state.QuestionTable.isEmpty());
        QVERIFY(state.CurrentImageFile.isEmpty());
    }

    void loadReplacesCountAndClearsAnswers() {
        QTemporaryDir dir;
        Module1 state;
        state.resizeQuestions(60);
        state.AnswerMarks[3] = 2;
        state.AnswerTexts[3] = QStringLiteral("4");
        QVERIFY(state.loadQuizFile(writeQuiz(dir, QStringLiteral("q25.tsl"), 25)).ok);
        QCOMPARE(state.QuestionCount, 25);
        verifySizes(state, 25);
        QCOMPARE(state.QuestionTable[24], question(25, "○"));
        QCOMPARE(state.AnswerMarks, QList<qint32>(25, 0));
        QCOMPARE(state.AnswerTexts, QStringList(QList<QString>(25)));
    }

    void failedLoadChangesNothing_data() {
        QTest::addColumn<QByteArray>("damage"); // appended to a cut-off file
        QTest::newRow("missing file") << QByteArray("missing");
        QTest::newRow("cut after the count") << QByteArray("cut");
    }
    void failedLoadChangesNothing() {
        QFETCH(QByteArray, damage);
        QTemporaryDir dir;
        Module1 state;
        QVERIFY(state.loadQuizFile(writeQuiz(dir, QStringLiteral("qok.tsl"), 3)).ok);
        state.AnswerMarks[1] = 1;
        state.AnswerTexts[1] = QString::fromUtf8("×");
        const Module1 before = state;
        QString path = dir.filePath(QStringLiteral("qmissing.tsl"));
        if (damage == "cut") {
            path = writeQuiz(dir, QStringLiteral("qcut.tsl"), 10);
            QFile file(path);
            QVERIFY(file.resize(file.size() - 5));
        }
        QVERIFY(!state.loadQuizFile(path).ok);
        QCOMPARE(state.QuestionCount, before.QuestionCount);
        QCOMPARE(state.QuestionTable, before.QuestionTable);
        QCOMPARE(state.AnswerMarks, before.AnswerMarks);
        QCOMPARE(state.AnswerTexts, before.AnswerTexts);
    }

    void resizeKeepsWhatFits() {
        Module1 state;
        state.resizeQuestions(3);
        state.QuestionTable[2] = question(3, "1");
        state.AnswerMarks[2] = 1;
        state.AnswerTexts[2] = QStringLiteral("1");
        state.resizeQuestions(5);
        verifySizes(state, 5);
        QCOMPARE(state.QuestionTable[2], question(3, "1"));
        QCOMPARE(state.QuestionTable[4], QuizRecord());
        state.resizeQuestions(2);
        QCOMPARE(state.QuestionCount, 2);
        verifySizes(state, 2);
        state.resizeQuestions(3);
        QCOMPARE(state.QuestionTable[2], QuizRecord());
        QCOMPARE(state.AnswerMarks[2], 0);
    }

    void closeLeavesOneEmptyEntry() {
        QTemporaryDir dir;
        Module1 state;
        QVERIFY(state.loadQuizFile(writeQuiz(dir, QStringLiteral("q7.tsl"), 7)).ok);
        state.closeQuiz();
        QCOMPARE(state.QuestionCount, 7);
        verifySizes(state, 1);
        QCOMPARE(state.QuestionTable[0], QuizRecord());
    }

    void saveWritesCountAndTableAndRefusesBadText() {
        QTemporaryDir dir;
        Module1 state;
        QVERIFY(state.loadQuizFile(writeQuiz(dir, QStringLiteral("qs.tsl"), 4)).ok);
        state.QuestionTable[1].Question = QStringLiteral("<img src=\"file:///PathName\\a.gif\">");
        const QString path = dir.filePath(QStringLiteral("qout.tsl"));
        QCOMPARE(state.saveQuizFile(path), QString());
        Module1 reread;
        QVERIFY(reread.loadQuizFile(path).ok);
        QCOMPARE(reread.QuestionTable, state.QuestionTable);

        state.QuestionTable[3].KeyPoint = QString::fromUtf8("🎌");
        const QByteArray saved = testsupport::readFile(path);
        const QString error = state.saveQuizFile(path);
        QVERIFY2(error.contains(QString::fromUtf8("問題 4 の「ポイント」")), qPrintable(error));
        QCOMPARE(testsupport::readFile(path), saved);
    }
};

TESSELLAR_TEST_MAIN(QCoreApplication, TestModule1)
#include "tst_module1.moc"
