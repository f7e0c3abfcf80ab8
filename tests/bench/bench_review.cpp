// Builds a review as the main window's 復習 does, from an answer record of 1,000 runs of a
// 100-question quiz (100,000 lines, one run a day, a third of the answers missed): reading the
// record, the standings of the section, matching the quiz and the questions due. Prints the
// record's size and the median time of each step and of the whole.
//
// usage: bench_review [FILE]   (FILE, when given, receives the generated record)
#include "AnswerLog.h"
#include "QuizRecord.h"
#include "Review.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kRuns = 1000;
constexpr int kQuestions = 100;
constexpr int kRounds = 7;
const QString kFolder = QStringLiteral("/home/gakusei/クイズ");
const QString kSection = QString::fromUtf8("日本の地理");

QList<QuizRecord> makeQuiz() {
    QList<QuizRecord> quiz(kQuestions);
    for (int i = 0; i < kQuestions; ++i) {
        quiz[i].number = quiz[i].reportNumber = i + 1;
        quiz[i].question =
            QString::fromUtf8("<P>問%1 日本で一番長い川はどれですか。</P>").arg(i + 1);
        quiz[i].choices = QString::fromUtf8("<OL><LI>信濃川<LI>利根川<LI>石狩川<LI>北上川</OL>");
        quiz[i].answer = QStringLiteral("2");
    }
    return quiz;
}

void writeRecord(const QString &path, const QList<QuizRecord> &quiz) {
    const QDate first(2024, 1, 1);
    for (int run = 0; run < kRuns; ++run) {
        QList<answerlog::Record> records;
        for (int i = 0; i < kQuestions; ++i) {
            answerlog::Record r;
            r.day = first.addDays(run);
            r.time = QTime(19, 30);
            r.folder = kFolder;
            r.section = kSection;
            r.number = quiz[i].reportNumber;
            r.fingerprint = answerlog::fingerprint(quiz[i]);
            r.kind = run % 2 ? history::RunKind::Review : history::RunKind::Full;
            const bool missed = (run * 7 + i * 13) % 3 == 0;
            r.given = missed ? QStringLiteral("3") : QStringLiteral("2");
            r.mark = missed ? answerlog::Mark::Wrong : answerlog::Mark::Correct;
            records.append(r);
        }
        if (const QString problem = answerlog::append(records, path); !problem.isEmpty())
            qFatal("%s", qPrintable(problem));
    }
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath("answers.csv");
    QFile::remove(path);
    const QList<QuizRecord> quiz = makeQuiz();
    writeRecord(path, quiz);
    std::vector<double> reading, scheduling, whole;
    qsizetype due = 0;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        const answerlog::ReadResult log = answerlog::read(path);
        const double read = clock.nsecsElapsed() / 1e6;
        const QList<review::Question> questions =
            review::matched(quiz, review::standings(log.records, kFolder, kSection));
        due = review::dueOn(questions, QDate(2026, 12, 1)).size();
        const double all = clock.nsecsElapsed() / 1e6;
        reading.push_back(read);
        scheduling.push_back(all - read);
        whole.push_back(all);
        if (log.records.size() != kRuns * kQuestions)
            qFatal("read %lld records", qlonglong(log.records.size()));
    }
    std::printf("answer record: %d runs x %d questions, %.1f MB\n", kRuns, kQuestions,
                QFileInfo(path).size() / 1e6);
    std::printf("read %.1f ms, standings and due %.1f ms, review built in %.1f ms (%lld due)\n",
                median(reading), median(scheduling), median(whole), qlonglong(due));
    return 0;
}
