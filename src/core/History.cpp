#include "History.h"

#include "CsvLog.h"

#include <QStandardPaths>

#include <algorithm>
#include <limits>

namespace history {
namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

const QStringList &headerFields() {
    static const QStringList fields =
        QString::fromUtf8("日時,問題名,種類,問題数,総正解数,4択問題,○×問題,未回答問題,総得点,"
                          "満点,経過秒数")
            .split(QLatin1Char(','));
    return fields;
}

QStringList fieldsOf(const Entry &e) {
    QStringList fields{e.when.toString(kDateFormat), e.section, kindWord(e.kind)};
    for (const qint32 n : {e.questions, e.correct, e.fourChoiceCorrect, e.trueFalseCorrect,
                           e.unanswered, e.score, e.maxScore, e.elapsedSeconds})
        fields.append(QString::number(n));
    return fields;
}

// Reads a whole number into target; false when the text is not one or is below minimum.
bool number(const QString &text, qint32 &target, qint32 minimum = 0) {
    bool ok = false;
    const qint32 n = text.toInt(&ok);
    if (!ok || n < minimum)
        return false;
    target = n;
    return true;
}

std::optional<Entry> entryOf(const QStringList &f) {
    if (f.size() != headerFields().size())
        return std::nullopt;
    Entry e;
    e.when = QDateTime::fromString(f[0], Qt::ISODate).toLocalTime();
    e.section = f[1];
    const std::optional<RunKind> kind = kindOfWord(f[2]);
    if (!e.when.isValid() || !kind)
        return std::nullopt;
    e.kind = *kind;
    const bool numbers = number(f[3], e.questions) && number(f[4], e.correct) &&
                         number(f[5], e.fourChoiceCorrect) && number(f[6], e.trueFalseCorrect) &&
                         number(f[7], e.unanswered) &&
                         number(f[8], e.score, std::numeric_limits<qint32>::min()) &&
                         number(f[9], e.maxScore) && number(f[10], e.elapsedSeconds);
    return numbers ? std::optional<Entry>(e) : std::nullopt;
}

const char *const kKindWords[] = {"full", "retry", "review", "practice"};
} // namespace

QString kindWord(RunKind kind) {
    return QLatin1String(kKindWords[static_cast<int>(kind)]);
}

std::optional<RunKind> kindOfWord(QStringView word) {
    for (int i = 0; i < int(std::size(kKindWords)); ++i)
        if (word == QLatin1String(kKindWords[i]))
            return static_cast<RunKind>(i);
    return std::nullopt;
}

std::optional<double> Entry::percent() const {
    if (maxScore <= 0)
        return std::nullopt;
    return 100.0 * score / maxScore;
}

QString filePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Tessellar/history.csv");
}

QString append(const Entry &entry, const QString &path) {
    return csvlog::append(path, headerFields(), csvlog::line(fieldsOf(entry)));
}

ReadResult parse(QByteArrayView bytes) {
    ReadResult result;
    result.skippedLines = csvlog::forEachRecord(bytes, headerFields(), [&](const QStringList &f) {
        const std::optional<Entry> entry = entryOf(f);
        if (entry)
            result.entries.append(*entry);
        return entry.has_value();
    });
    return result;
}

ReadResult read(const QString &path) {
    return csvlog::readRecords<ReadResult>(path, kMaxReadBytes, &parse);
}

QStringList sections(const QList<Entry> &entries) {
    QStringList names;
    for (const Entry &e : entries)
        names.append(e.section);
    names.removeDuplicates();
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace history
