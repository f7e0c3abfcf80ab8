// Reads a class folder as the teacher's window does: 40 learners' 100 runs each of a
// 100-question quiz (4,000 files, a third of the answers wrong or left out), then the figures
// per section. Prints the folder's size and the median time of reading, of the figures and of
// the whole.
//
// usage: bench_class [FOLDER]   (FOLDER, when given, receives the generated files)
#include "ClassRun.h"
#include "ClassStats.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kLearners = 40;
constexpr int kRunsEach = 100;
constexpr int kQuestions = 100;
constexpr int kRounds = 5;

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Learner l's run r: four-choice questions answered right, wrong or not at all by turns.
classrun::Run runOf(int learner, int r) {
    classrun::Run run;
    run.learner = QString::fromUtf8("生徒 %1").arg(learner + 1, 2, 10, QLatin1Char('0'));
    run.section = QString::fromUtf8("日本の地理");
    run.when = QDateTime(QDate(2026, 4, 1).addDays(r), QTime(9, learner % 60));
    run.kind = r == 0 ? history::RunKind::Full : history::RunKind::Retry;
    for (int q = 1; q <= kQuestions; ++q) {
        const int turn = (q + learner + r) % 3;
        const QString correct = QString::number(1 + q % 4);
        const QString given = turn == 0   ? QString::number(1 + (q + 1) % 4)
                              : turn == 1 ? QString()
                                          : correct;
        run.answers.append({q, QStringLiteral("%1").arg(q * 7919, 8, 16, QLatin1Char('0')), correct,
                            given,
                            turn == 2   ? answerlog::Mark::Correct
                            : turn == 0 ? answerlog::Mark::Wrong
                                        : answerlog::Mark::Unanswered,
                            QString::fromUtf8("日本で%1番目に長い川はどれか").arg(q)});
    }
    return run;
}

qint64 writeFolder(const QString &folder) {
    QDir().mkpath(folder);
    qint64 bytes = 0;
    for (int l = 0; l < kLearners; ++l)
        for (int r = 0; r < kRunsEach; ++r) {
            const classrun::Run run = runOf(l, r);
            QFile file(folder + QLatin1Char('/') + classrun::fileNameFor(run));
            const QByteArray content = classrun::encode(run);
            if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
                qFatal("cannot write %s", qPrintable(file.fileName()));
            bytes += content.size();
        }
    return bytes;
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("class"));
    const qint64 bytes = writeFolder(folder);
    std::vector<double> reading, figures, whole;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        const classrun::FolderRead read = classrun::readFolder(folder);
        const double readMs = clock.nsecsElapsed() / 1e6;
        const QList<classstats::Section> sections = classstats::sections(read.runs);
        const double allMs = clock.nsecsElapsed() / 1e6;
        reading.push_back(readMs);
        figures.push_back(allMs - readMs);
        whole.push_back(allMs);
        if (read.runs.size() != kLearners * kRunsEach || read.skippedFiles != 0 ||
            sections.size() != 1 || sections[0].questions.size() != kQuestions)
            qFatal("read %lld runs, skipped %d", qlonglong(read.runs.size()), read.skippedFiles);
    }
    std::printf("class folder: %d learners x %d runs x %d questions, %d files, %.1f MB\n",
                kLearners, kRunsEach, kQuestions, kLearners * kRunsEach, bytes / 1e6);
    std::printf("read %.1f ms, figures %.1f ms, whole %.1f ms\n", median(reading), median(figures),
                median(whole));
    return 0;
}
