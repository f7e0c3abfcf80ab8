#include "CsvLog.h"

#include "Csv.h"
#include "WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace csvlog {
namespace {
constexpr QChar kComma = u',';
// A spreadsheet on Windows takes a CSV file for UTF-8 only when it starts with a BOM.
const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

bool endsWithLineBreak(QFile &file, qint64 size) {
    char last = 0;
    return file.seek(size - 1) && file.getChar(&last) && last == '\n';
}

// Most lines hold no quote: they are split at their commas without the full reader.
bool needsReader(QStringView text) {
    return text.contains(QLatin1Char('"'));
}
} // namespace

QByteArray line(const QStringList &fields) {
    QStringList oneLine = fields;
    for (QString &field : oneLine)
        field.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
    QString text;
    csv::appendRow(text, oneLine, kComma);
    return text.toUtf8();
}

QString append(const QString &path, const QStringList &header, const QByteArray &lines) {
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
        bytes = kBom + line(header);
    else if (!endsWithLineBreak(file, oldSize))
        bytes = "\r\n"; // the rest of a line that was cut off stays a line of its own
    bytes += lines;
    if (file.write(bytes) == bytes.size())
        return {};
    const QString why = QString::fromUtf8("%1 に書き込めません: %2").arg(path, file.errorString());
    // A part of the lines would be damaged lines; whatever was there before stays.
    const qint64 size = file.size();
    if (size > oldSize && size <= oldSize + bytes.size())
        file.resize(oldSize);
    return why;
}

Tail readTail(const QString &path, qint64 maxBytes) {
    Tail tail;
    if (!QFileInfo::exists(path))
        return tail;
    QFile file;
    tail.error =
        wholefile::openRegular(path, file, QString::fromUtf8("%1 はファイルではありません"));
    if (!tail.error.isEmpty())
        return tail;
    // Reading from the middle of the file starts after the first line break, so one byte
    // before the part read tells whether it starts a line.
    const qint64 size = file.size();
    const qint64 start = std::max<qint64>(0, size - maxBytes - 1);
    if (file.seek(start))
        tail.bytes = file.read(size - start);
    if (file.error() != QFileDevice::NoError) {
        tail.bytes.clear();
        tail.error = QString::fromUtf8("%1 を読み取れません: %2").arg(path, file.errorString());
        return tail;
    }
    if (start > 0) {
        const qsizetype firstBreak = tail.bytes.indexOf('\n');
        tail.bytes.remove(0, firstBreak < 0 ? tail.bytes.size() : firstBreak + 1);
    }
    tail.olderLinesLeftOut = start > 0;
    return tail;
}

std::optional<QStringList> fieldsOfLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    if (!needsReader(text))
        return text.split(kComma);
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

int forEachRecord(QByteArrayView bytes, const QStringList &header,
                  const std::function<bool(const QStringList &fields)> &take) {
    if (bytes.startsWith(kBom))
        bytes = bytes.sliced(kBom.size());
    int skipped = 0;
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
        if (!fields || !take(*fields))
            ++skipped;
    }
    return skipped;
}

} // namespace csvlog
