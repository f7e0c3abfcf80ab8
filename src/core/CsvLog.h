#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The program's records kept as CSV files a spreadsheet opens (UTF-8 with a BOM, one record a
// line): lines are only ever appended, and a damaged line is skipped when reading. The score
// history and the record of every answer are such files.
namespace csvlog {

// The line of these fields, quoted where needed, ending with CR LF; line breaks inside a
// field become spaces, so that a record is always one line.
QByteArray line(const QStringList &fields);

// Appends the lines in a single write to the end of the file; a new file gets the BOM and the
// header first. Returns why it failed, or an empty text; a failed write takes back what it
// wrote, so the older lines are never harmed.
QString append(const QString &path, const QStringList &header, const QByteArray &lines);

// The last maxBytes of a file, from the first whole line in them.
struct Tail {
    QByteArray bytes;
    bool olderLinesLeftOut = false;
    QString error; // the file could not be read; a missing file is no error
};
Tail readTail(const QString &path, qint64 maxBytes);

// The records of the file's tail as parse reads them, with what the tail says of the file: a
// result type with olderLinesLeftOut and error.
template <typename Result, typename Parse>
Result readRecords(const QString &path, qint64 maxBytes, Parse parse) {
    const Tail tail = readTail(path, maxBytes);
    Result result = parse(tail.bytes);
    result.olderLinesLeftOut = tail.olderLinesLeftOut;
    result.error = tail.error;
    return result;
}

// Calls take with the fields of every line but blank ones and the header; take says whether
// the line was a valid record. Returns how many lines were not (damaged ones included).
int forEachRecord(QByteArrayView bytes, const QStringList &header,
                  const std::function<bool(const QStringList &fields)> &take);

// The fields of one line; none when it is not valid UTF-8 or not exactly one CSV row.
std::optional<QStringList> fieldsOfLine(QByteArrayView bytes);

} // namespace csvlog
