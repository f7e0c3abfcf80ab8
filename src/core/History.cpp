#include "History.h"

#include "Csv.h"
#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace history {
namespace {
constexpr QChar kComma = u',';
const char kFull[] = "full";
const char kRetry[] = "retry";
const QString kDateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");
// A spreadsheet on Windows takes a CSV file for UTF-8 only when it starts with a BOM.
const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

const QStringList &headerFields() {
    static const QStringList fields =
        QString::fromUtf8("日時,問題名,種類,問題数,総正解数,4択問題,○×問題,未回答問題,総得点,"
                          "満点,経過秒数")
            .split(kComma);
    return fields;
}

QByteArray line(const QStringList &fields) {
    QString text;
    csv::appendRow(text, fields, kComma);
    return text.toUtf8();
}

QStringList fieldsOf(const Entry &e) {
    // A record is one line: a line break in a section name would take two.
    QString section = e.section;
    section.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    QStringList fields{e.when.toString(kDateFormat), section,
                       QLatin1String(e.kind == RunKind::Retry ? kRetry : kFull)};
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
    if (!e.when.isValid() || (f[2] != QLatin1String(kFull) && f[2] != QLatin1String(kRetry)))
        return std::nullopt;
    e.kind = f[2] == QLatin1String(kRetry) ? RunKind::Retry : RunKind::Full;
    const bool numbers = number(f[3], e.questions) && number(f[4], e.correct) &&
                         number(f[5], e.fourChoiceCorrect) && number(f[6], e.trueFalseCorrect) &&
                         number(f[7], e.unanswered) &&
                         number(f[8], e.score, std::numeric_limits<qint32>::min()) &&
                         number(f[9], e.maxScore) && number(f[10], e.elapsedSeconds);
    return numbers ? std::optional<Entry>(e) : std::nullopt;
}

// The fields of one line; none when it is not valid UTF-8 or not exactly one CSV row.
std::optional<QStringList> fieldsOfLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    csv::StringSource source(text);
    csv::Reader reader(source, kComma);
    csv::Row row;
    if (!reader.next(row))
        return std::nullopt;
    QStringList fields;
    for (const csv::Field &field : row.cells)
        fields.append(field.text);
    csv::Row more;
    return reader.next(more) || !reader.error().isNull() ? std::nullopt
                                                         : std::optional<QStringList>(fields);
}

bool endsWithLineBreak(QFile &file, qint64 size) {
    char last = 0;
    return file.seek(size - 1) && file.getChar(&last) && last == '\n';
}
} // namespace

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
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QString::fromUtf8("%1 はファイルではありません").arg(path);
    if (!QDir().mkpath(info.absolutePath()))
        return QString::fromUtf8("%1 を作れません").arg(info.absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return QString::fromUtf8("%1 を開けません: %2").arg(path, file.errorString());
    const qint64 oldSize = file.size();
    QByteArray bytes;
    if (oldSize == 0)
        bytes = kBom + line(headerFields());
    else if (!endsWithLineBreak(file, oldSize))
        bytes = "\r\n"; // the rest of a line that was cut off stays a line of its own
    bytes += line(fieldsOf(entry));
    if (file.write(bytes) == bytes.size())
        return {};
    const QString why = QString::fromUtf8("%1 に書き込めません: %2").arg(path, file.errorString());
    // A part of the line would be a damaged line; whatever was there before stays.
    const qint64 size = file.size();
    if (size > oldSize && size <= oldSize + bytes.size())
        file.resize(oldSize);
    return why;
}

ReadResult parse(QByteArrayView bytes) {
    ReadResult result;
    const QStringList header = headerFields();
    for (qsizetype from = 0; from < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        QByteArrayView text = bytes.sliced(from, end - from);
        from = end + 1;
        if (text.endsWith('\r'))
            text.chop(1);
        if (text.isEmpty())
            continue;
        const std::optional<QStringList> fields = fieldsOfLine(text);
        if (fields && *fields == header)
            continue;
        const std::optional<Entry> entry = fields ? entryOf(*fields) : std::nullopt;
        if (entry)
            result.entries.append(*entry);
        else
            ++result.skippedLines;
    }
    return result;
}

ReadResult read(const QString &path) {
    if (!QFileInfo::exists(path))
        return {};
    ReadResult failed;
    QFile file;
    failed.error =
        wholefile::openRegular(path, file, QString::fromUtf8("%1 はファイルではありません"));
    if (!failed.error.isEmpty())
        return failed;
    // Reading from the middle of the file starts after the first line break, so one byte
    // before the part read tells whether it starts a line.
    const qint64 size = file.size();
    const qint64 start = std::max<qint64>(0, size - kMaxReadBytes - 1);
    QByteArray bytes;
    if (file.seek(start))
        bytes = file.read(size - start);
    if (file.error() != QFileDevice::NoError) {
        failed.error = QString::fromUtf8("%1 を読み取れません: %2").arg(path, file.errorString());
        return failed;
    }
    if (start > 0) {
        const qsizetype firstBreak = bytes.indexOf('\n');
        bytes.remove(0, firstBreak < 0 ? bytes.size() : firstBreak + 1);
    }
    ReadResult result = parse(bytes);
    result.olderLinesLeftOut = start > 0;
    return result;
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
