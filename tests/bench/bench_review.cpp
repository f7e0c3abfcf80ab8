// Builds a review as the main window's 復習 does, from an answer record of 1,000 runs of a
// 100-question quiz (100,000 lines, one run a day, a third of the answers missed): reading the
// record, the standings of the section, matching the quiz and the questions due. Prints the
// record's size and the median time of each step and of the whole.
//
// usage: bench_review [FILE]   (FILE, when given, receives the generated record)
#include "BenchAnswers.h"
#include "Review.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kRuns = 1000;
constexpr int kRounds = 7;
const QString kSection = QString::fromUtf8("日本の地理");

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
    const QString folder = dir.filePath(QString::fromUtf8("クイズ"));
    benchanswers::write(path, folder, kSection, kRuns);
    const QList<QuizRecord> quiz = benchanswers::quiz();
    std::vector<double> reading, scheduling, whole;
    qsizetype due = 0;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        const answerlog::ReadResult log = answerlog::read(path);
        const double read = clock.nsecsElapsed() / 1e6;
        const QList<review::Question> questions =
            review::questionsOf(quiz, log.records, folder, kSection);
        due = review::dueOn(questions, QDate(2026, 12, 1)).size();
        const double all = clock.nsecsElapsed() / 1e6;
        reading.push_back(read);
        scheduling.push_back(all - read);
        whole.push_back(all);
        if (log.records.size() != kRuns * benchanswers::kQuestions)
            qFatal("read %lld records", qlonglong(log.records.size()));
    }
    std::printf("answer record: %d runs x %d questions, %.1f MB\n", kRuns, benchanswers::kQuestions,
                QFileInfo(path).size() / 1e6);
    std::printf("read %.1f ms, standings and due %.1f ms, review built in %.1f ms (%lld due)\n",
                median(reading), median(scheduling), median(whole), qlonglong(due));
    return 0;
}
