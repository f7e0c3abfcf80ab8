// The teacher's window over a small class folder: the tables, the notice, plain names, CSV.
#include "ClassRun.h"
#include "Controls.h"
#include "FileDialog.h"
#include "MainWindowFixture.h"
#include "Settings.h"
#include "StudyOptions.h"
#include "TeacherWindow.h"
#include "TestSupport.h"
#include "TextTable.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using answerlog::Mark;
using testsupport::control;

namespace {
// A run of two four-choice questions whose answers are 2 and 3.
classrun::Run runOf(const char *learner, int day, const QStringList &given,
                    history::RunKind kind = history::RunKind::Full) {
    classrun::Run run{QString::fromUtf8(learner),
                      QStringLiteral("s"),
                      QDateTime(QDate(2026, 4, day), QTime(10, 0)),
                      kind,
                      {}};
    const QStringList correct{QStringLiteral("2"), QStringLiteral("3")};
    for (int i = 0; i < 2; ++i)
        run.answers.append({i + 1, QStringLiteral("f%1").arg(i), correct[i], given[i],
                            given[i].isEmpty()       ? Mark::Unanswered
                            : given[i] == correct[i] ? Mark::Correct
                                                     : Mark::Wrong,
                            QStringLiteral("q%1").arg(i + 1)});
    return run;
}

QStringList rows(const QAbstractItemView *table) {
    QStringList texts;
    const QAbstractItemModel *model = table->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->index(r, c).data().toString());
        texts.append(cells.join(QLatin1Char('|')));
    }
    return texts;
}

} // namespace

class TestTeacher : public QObject {
    Q_OBJECT
    testsupport::CleanSettings m_settings;

private slots:
    void cleanup() { filedialog::stopScripting(); }

    void showsTheClassFigures() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("class"));
        QDir().mkpath(folder);
        for (const classrun::Run &run :
             {runOf("<b>x</b>", 1, {"2", "1"}), runOf("B", 2, {"3", ""}),
              runOf("B", 3, {"2", ""}, history::RunKind::Retry), runOf("C", 2, {"3", "1"})})
            QVERIFY(classrun::send(run, folder).isEmpty());
        testsupport::writeFile(folder + QStringLiteral("/broken.csv"), "not a run");
        const QString csvPath = dir.filePath(QStringLiteral("out.csv"));
        filedialog::script({folder, csvPath});
        bool seen = false;
        inspectNextModalWindow<TeacherWindow>([&](TeacherWindow *w) {
            QCOMPARE(control<QLabel>(w, "noticeLabel")->text(),
                     QString::fromUtf8("読めなかったファイル 1 個を読み飛ばしました"));
            const auto *learners = control<TextTable>(w, "learnerTable");
            QCOMPARE(rows(learners), QString::fromUtf8("<b>x</b>|2026/04/01 10:00|全問|2|4,"
                                                       "B|2026/04/02 10:00|全問|0|4,"
                                                       "B|2026/04/03 10:00|再挑戦|2|4,"
                                                       "C|2026/04/02 10:00|全問|0|4")
                                         .split(QLatin1Char(',')));
            // Drawn as the characters it is: as wide as them, not as a bold "x".
            QVERIFY(learners->sizeHintForIndex(learners->model()->index(0, 0)).width() >=
                    learners->fontMetrics().horizontalAdvance(QStringLiteral("<b>x</b>")));
            // The first full runs only: question 2 was missed by all three, 1 by two of them.
            const QStringList questions = rows(control<TextTable>(w, "questionTable"));
            QCOMPARE(questions.size(), 2);
            QVERIFY2(questions[0].startsWith(QString::fromUtf8("2|0.0%|0/3|")),
                     qPrintable(questions[0]));
            QVERIFY(questions[0].endsWith(QString::fromUtf8("|3|1: 2人, 未回答: 1人|q2")));
            QVERIFY(questions[1].startsWith(QString::fromUtf8("1|33.3%|1/3|")));
            QVERIFY(questions[1].endsWith(QString::fromUtf8("|2|3: 2人|q1")));
            control<QPushButton>(w, "exportButton")->click();
            seen = true;
        });
        teacher::showWindow(nullptr);
        QVERIFY(seen);
        QCOMPARE(settings::readString(QStringLiteral("TeacherClassFolder"), QString()), folder);
        const QByteArray csv = testsupport::readFile(csvPath);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        QVERIFY(csv.contains(QString::fromUtf8("問題,正答率,正解者/解答者,識別力,正解,誤答の内訳,"
                                               "問題文\r\n2,0.0%,0/3,")
                                 .toUtf8()));

        // The next time the dialog opens at the folder read last; cancelling opens nothing.
        filedialog::takeAskedFolders();
        filedialog::script({QString()});
        teacher::showWindow(nullptr);
        QCOMPARE(filedialog::takeAskedFolders(), QStringList{folder});
    }

    // Two learners, each with settings of their own, take the quiz on different days; their
    // runs reach the class folder and the teacher's window counts them. Odd questions are ○
    // (key 5), even ones 2.
    void learnersRunsReachTheTeacher() {
        QTemporaryDir classFolder;
        const QList<std::pair<const char *, QList<int>>> learners{
            {"A", {5, 1, 5, 2, 5, 2, 5, 2, 5, 2}}, {"B", {5, 3, 5, 1, 5, 2, 5, 2, 5, 2}}};
        for (int day = 0; day < 2; ++day) {
            MainWindowFixture f;
            f.today = f.today.addDays(day);
            f.writeQuiz(QStringLiteral("ten"), 10);
            studyoptions::setLearnerName(QString::fromUtf8(learners[day].first));
            studyoptions::setClassFolder(classFolder.path());
            f.start();
            f.load(QStringLiteral("ten"));
            f.answerAll(learners[day].second);
        }
        filedialog::script({classFolder.path()});
        QStringList learnerRows;
        QStringList questionRows;
        inspectNextModalWindow<TeacherWindow>([&](TeacherWindow *w) {
            learnerRows = rows(control<TextTable>(w, "learnerTable"));
            questionRows = rows(control<TextTable>(w, "questionTable"));
        });
        teacher::showWindow(nullptr);
        QCOMPARE(learnerRows, (QStringList{QString::fromUtf8("A|2026/04/01 08:00|全問|13|15"),
                                           QString::fromUtf8("B|2026/04/02 08:00|全問|11|15")}));
        QCOMPARE(questionRows.size(), 10);
        QVERIFY2(questionRows[0].startsWith(QString::fromUtf8("2|0.0%|0/2|")) &&
                     questionRows[0].endsWith(QString::fromUtf8("|2|1: 1人, 3: 1人|問題 2")),
                 qPrintable(questionRows[0]));
        QVERIFY2(questionRows[1].startsWith(QString::fromUtf8("4|50.0%|1/2|")) &&
                     questionRows[1].endsWith(QString::fromUtf8("|2|1: 1人|問題 4")),
                 qPrintable(questionRows[1]));
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestTeacher)
#include "tst_teacher.moc"
