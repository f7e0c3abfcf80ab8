// Reads and writes a generated 32,766-question quiz (about 1 KB of Japanese text per
// question, 32 MB in all) and, in the same run, only converts the same texts to and from
// CP932, keeping every converted text as the reader and writer keep theirs. Prints each time,
// its ratio to its anchor, and what the loaded quiz adds to the process against its text.
//
// usage: bench_quizfile [FILE]   (FILE, when given, receives the generated quiz)
#include "Cp932.h"
#include "QuizFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <malloc.h>
#include <unistd.h>

namespace {
constexpr int kQuestions = 32766;
constexpr int kRounds = 7;
constexpr double kMB = 1e6;

QList<QuizRecord> makeQuiz() {
    const QString sentence = QString::fromUtf8("日本で一番長い川は信濃川で，長さは約367キロメートル"
                                               "です。流域面積が一番広いのは利根川です。");
    QList<QuizRecord> quiz(kQuestions);
    for (int i = 0; i < kQuestions; ++i) {
        QuizRecord &r = quiz[i];
        r.number = r.reportNumber = i + 1;
        r.question = QStringLiteral("<P>問%1 ").arg(i + 1) + sentence.repeated(7) +
                     QStringLiteral("</P><img src=\"file:///PathName\\img\\q%1.gif\">").arg(i);
        r.choices = QString::fromUtf8("<OL><LI>信濃川<LI>利根川<LI>石狩川<LI>北上川</OL>");
        r.answer = i % 3 ? QStringLiteral("2") : QString::fromUtf8("○");
        r.keyPoint = sentence.repeated(2) + QString::fromUtf8("①～④のうち②が正解｡ｶﾀｶﾅ");
        r.imageFile = QStringLiteral("img\\q%1.gif").arg(i);
    }
    return quiz;
}

// The bytes of every text in a quiz file, in file order: what the reader converts.
std::vector<QByteArrayView> textsOf(QByteArrayView file) {
    std::vector<QByteArrayView> texts;
    qsizetype at = 4;
    for (int i = 0; i < kQuestions; ++i) {
        at += 8;
        for (int field = 0; field < 5; ++field) {
            const auto length = qFromLittleEndian<quint16>(file.data() + at);
            texts.push_back(file.sliced(at + 2, length));
            at += 2 + length;
        }
    }
    return texts;
}

qint64 utf16Bytes(const QList<QuizRecord> &quiz) {
    qint64 units = 0;
    for (const QuizRecord &r : quiz)
        for (QuizField field : kQuizFields)
            units += fieldText(r, field).size();
    return units * 2;
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

void report(const char *what, qint64 bytes, double seconds, double anchor = 0,
            const char *anchorName = "") {
    std::printf("%-46s %7.1f MB/s %8.2f ms", what, bytes / seconds / kMB, seconds * 1e3);
    if (anchor > 0)
        std::printf("  %.2fx %s", seconds / anchor, anchorName);
    std::printf("\n");
}

qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

qint64 heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

// What the first decoding in a process costs: ICU's decoder opened, and whatever the codec
// makes once.
void reportFirstDecode() {
    malloc_trim(0);
    const qint64 rss = residentBytes();
    QElapsedTimer timer;
    timer.start();
    (void)Cp932Codec().decode("\x82\xA0");
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("first decoding in the process: %.2f ms, RSS +%lld KiB\n", ms,
                static_cast<long long>((residentBytes() - rss) / 1024));
}

// What the loaded quiz adds to the process, measured before anything else has run and with
// freed memory handed back, so none is there to be reused unseen.
void reportMemory(const QString &path, qint64 textBytes) {
    malloc_trim(0);
    const qint64 rss = residentBytes(), heap = heapInUse();
    const quizfile::ReadResult loaded = quizfile::read(path);
    const qint64 rssAdded = residentBytes() - rss, heapAdded = heapInUse() - heap;
    std::printf("loaded quiz: %d questions, RSS +%.1f MB = %.3fx the text in UTF-16, "
                "heap +%.1f MB = %.3fx\n\n",
                int(loaded.records.size()), rssAdded / kMB, double(rssAdded) / textBytes,
                heapAdded / kMB, double(heapAdded) / textBytes);
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = app.arguments().value(1, dir.filePath(QStringLiteral("qbench.tsl")));
    qint64 fileSize = 0, textBytes = 0;
    {
        const QList<QuizRecord> quiz = makeQuiz();
        const QByteArray file = quizfile::encode(kQuestions, quiz).bytes;
        quizfile::save(path, file);
        fileSize = file.size();
        textBytes = utf16Bytes(quiz);
    }
    std::printf("%d questions, %.1f MB in the file, %.1f MB of text in UTF-16\n", kQuestions,
                fileSize / kMB, textBytes / kMB);
    reportFirstDecode();
    reportMemory(path, textBytes);

    const quizfile::ReadResult read = quizfile::read(path);
    const QList<QuizRecord> &quiz = read.records;
    const QByteArray file = quizfile::encode(kQuestions, quiz).bytes;
    const std::vector<QByteArrayView> texts = textsOf(file);

    // Anchors: the conversion alone, through ICU and through the codec. Like a read, each
    // round keeps every text in fresh memory and lets it go at its end: texts that take the
    // place of the last round's texts one by one would reuse memory a read cannot.
    const double icuFrom = median([&] {
        QStringDecoder icu("windows-31j", QStringConverter::Flag::Stateless);
        std::vector<QString> kept(texts.size());
        for (size_t i = 0; i < texts.size(); ++i)
            kept[i] = icu.decode(texts[i]);
    });
    const double codecFrom = median([&] {
        Cp932Codec codec;
        std::vector<QString> kept(texts.size());
        for (size_t i = 0; i < texts.size(); ++i)
            kept[i] = codec.decode(texts[i]);
    });
    const double parseOnly = median([&] { (void)quizfile::parse(file); });
    const double readFile = median([&] { (void)quizfile::read(path); });

    // The writer appends every text to one buffer; so does its anchor.
    const double icuTo = median([&] {
        QStringEncoder icu("windows-31j", QStringConverter::Flag::Stateless);
        QByteArray out;
        for (const QuizRecord &r : quiz)
            for (QuizField field : kQuizFields) {
                const QString &text = fieldText(r, field);
                const qsizetype start = out.size();
                out.resize(start + icu.requiredSpace(text.size()));
                out.resize(icu.appendToBuffer(out.data() + start, text) - out.constData());
            }
    });
    const double encodeOnly = median([&] { (void)quizfile::encode(kQuestions, quiz); });
    const double writeFile = median([&] {
        QFile::remove(path);
        quizfile::save(path, quizfile::encode(kQuestions, quiz).bytes);
    });

    const char *icu = "ICU's conversion";
    report("anchor: ICU's conversion from CP932, kept", fileSize, icuFrom);
    report("anchor: the codec's conversion, kept", fileSize, codecFrom, icuFrom, icu);
    report("read: parse the quiz (in memory)", fileSize, parseOnly, icuFrom, icu);
    std::printf("%-74s %.2fx the codec's\n", "", parseOnly / codecFrom);
    report("read: read the file + parse", fileSize, readFile, icuFrom, icu);
    std::printf("%-74s %.2fx the codec's\n", "", readFile / codecFrom);
    report("anchor: ICU's conversion to CP932, one buffer", fileSize, icuTo);
    report("write: encode the quiz (in memory)", fileSize, encodeOnly, icuTo, icu);
    report("write: encode + save, flushed to disk", fileSize, writeFile, icuTo, icu);
    return 0;
}
