// Fuzz target for reading CSV and TSV tables. Any bytes, read as a table of either kind, must
// give questions or an error with its place, never part of a quiz; questions read must save
// as a quiz file and come back the same through both encodings. Whatever rows the reader
// gives, the writer's text must read back as those rows.
#include "Csv.h"
#include "CsvEncoding.h"
#include "QuizCsv.h"
#include "QuizFile.h"
#include "QuizRun.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool ok) {
    if (!ok)
        __builtin_trap();
}

qsizetype lineBreaks(QByteArrayView bytes) {
    return bytes.count('\n') + bytes.count('\r');
}

void checkRoundTrip(const QList<QuizRecord> &records, quizcsv::Separator separator) {
    for (csv::Encoding encoding : {csv::Encoding::Utf8, csv::Encoding::Cp932}) {
        const quizcsv::ExportResult table = quizcsv::exportBytes(records, separator, encoding);
        check(table.ok());
        const quizcsv::ImportResult back = quizcsv::importBytes(table.bytes, separator);
        check(back.ok() && back.encoding == encoding && back.records == records);
    }
}

void checkImport(QByteArrayView bytes, quizcsv::Separator separator) {
    const quizcsv::ImportResult result = quizcsv::importBytes(bytes, separator);
    if (!result.ok()) {
        const csv::Error &e = result.error;
        check(result.records.isEmpty() && !e.message.isEmpty());
        check(e.row >= 0 && e.row - 1 <= lineBreaks(bytes));
        check(e.column >= -1 && e.column <= bytes.size());
        return;
    }
    const auto count = static_cast<qint32>(result.records.size());
    check(count >= 1 && count <= quizrun::kMaxQuestionCount);
    check(quizfile::encode(count, result.records).ok());
    checkRoundTrip(result.records, separator);
}

// The rows of a text; empty when it does not read.
QList<QStringList> rowsOf(const QString &text, QChar separator) {
    csv::StringSource source(text);
    csv::Reader reader(source, separator);
    QList<QStringList> rows;
    for (csv::Row row; reader.next(row);) {
        rows.append(QStringList());
        for (const csv::Field &field : row.cells)
            rows.last().append(field.text);
        check(row.width == row.cells.size());
    }
    return reader.error().isNull() ? rows : QList<QStringList>();
}

void checkWriter(const QString &text, QChar separator) {
    const QList<QStringList> rows = rowsOf(text, separator);
    QString written;
    for (const QStringList &row : rows)
        csv::appendRow(written, row, separator);
    check(rowsOf(written, separator) == rows);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (quizcsv::Separator separator : {quizcsv::Separator::Comma, quizcsv::Separator::Tab})
        checkImport(bytes, separator);
    if (csv::invalidUtf8At(bytes) < 0) {
        const QString text = QString::fromUtf8(bytes);
        checkWriter(text, u',');
        checkWriter(text, u'\t');
    }
    return 0;
}
