// Writes and reads a generated 10,000-question quiz with Japanese texts of about 1 KB per
// question, and in the same run only converts the same strings to and from CP932, to show
// what the file format costs on top of the conversion. Prints MB/s (of file bytes) and ratios.
#include "Cp932.h"
#include "QuizFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int kQuestions = 10000;
constexpr int kRounds = 7;

QList<QuizRecord> makeQuiz() {
    const QString sentence = QString::fromUtf8("日本で一番長い川は信濃川で，長さは約367キロメートル"
                                               "です。流域面積が一番広いのは利根川です。");
    QList<QuizRecord> quiz(kQuestions);
    for (int i = 0; i < kQuestions; ++i) {
        QuizRecord &r = quiz[i];
        r.Number = r.ReportNumber = i + 1;
        r.Question = QStringLiteral("<P>問%1 ").arg(i + 1) + sentence.repeated(7) +
                     QStringLiteral("</P><img src=\"file:///PathName\\img\\q%1.gif\">").arg(i);
        r.Choices = QString::fromUtf8("<OL><LI>信濃川<LI>利根川<LI>石狩川<LI>北上川</OL>");
        r.Answer = i % 3 ? QStringLiteral("2") : QString::fromUtf8("○");
        r.KeyPoint = sentence.repeated(2) + QString::fromUtf8("①～④のうち②が正解｡ｶﾀｶﾅ");
        r.ImageFile = QStringLiteral("img\\q%1.gif").arg(i);
    }
    return quiz;
}

// Median seconds of kRounds runs of work.
double median(const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char *what, qint64 bytes, double seconds, double baseline) {
    const double mbs = bytes / seconds / 1e6;
    std::printf("%-44s %8.1f MB/s  %7.2f ms", what, mbs, seconds * 1e3);
    if (baseline > 0)
        std::printf("  %.2fx the bare conversion", seconds / baseline);
    std::printf("\n");
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QList<QuizRecord> quiz = makeQuiz();
    const QByteArray file = quizfile::encode(kQuestions, quiz).bytes;
    std::printf("%d questions, %lld bytes (%.0f bytes per question)\n\n", kQuestions,
                static_cast<long long>(file.size()), double(file.size()) / kQuestions);

    QList<QByteArray> encoded;
    const double toCp932 = median([&] {
        Cp932Codec codec;
        encoded.clear();
        QByteArray out;
        for (const QuizRecord &r : quiz)
            for (QuizField field : kQuizFields) {
                codec.encode(fieldText(r, field), out);
                encoded.append(out);
            }
    });
    const double fromCp932 = median([&] {
        Cp932Codec codec;
        for (const QByteArray &bytes : encoded)
            (void)codec.decode(bytes);
    });

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("qbench.tsl"));
    const double encodeOnly = median([&] { (void)quizfile::encode(kQuestions, quiz); });
    const double writeFile = median([&] {
        QFile::remove(path);
        quizfile::save(path, quizfile::encode(kQuestions, quiz).bytes);
    });
    const double readFile = median([&] { (void)quizfile::read(path); });
    const double parseOnly = median([&] { (void)quizfile::parse(file); });

    report("bare conversion to CP932", file.size(), toCp932, 0);
    report("write: encode the quiz (in memory)", file.size(), encodeOnly, toCp932);
    report("write: encode + save, flushed to disk", file.size(), writeFile, toCp932);
    report("bare conversion from CP932", file.size(), fromCp932, 0);
    report("read: parse the quiz (in memory)", file.size(), parseOnly, fromCp932);
    report("read: read the file + parse", file.size(), readFile, fromCp932);
    return 0;
}
