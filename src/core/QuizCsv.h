#pragma once

#include "Csv.h"
#include "CsvEncoding.h"
#include "QuizRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// A quiz as a table for spreadsheets: one row per question, the columns 番号, 報告番号,
// 問題文, 選択肢, 正解, ポイント, 画像 under a header row. Reading also takes the English
// names of the quiz's JSON form (Number, ReportNumber, ...), columns in any order or left
// out, and a table without a header as those seven columns in order. Line breaks in a field
// become CR LF, as the editor keeps them, so a quiz written out and read back is the same.
namespace quizcsv {

inline constexpr int kColumnCount = 7;

enum class Separator { Comma, Tab };

QChar separatorChar(Separator separator);
// Tab for a file name ending in .tsv or .txt (any case); comma otherwise.
Separator separatorFor(const QString &fileName);

// The header row written out: 番号, 報告番号, 問題文, 選択肢, 正解, ポイント, 画像.
QStringList columnNames();
// The column a header cell names, in Japanese or in English in any case, spaces around it
// aside; -1 for none.
int columnNamed(const QString &cell);

struct ImportResult {
    QList<QuizRecord> records; // all of them, or none on an error
    csv::Encoding encoding = csv::Encoding::Utf8;
    bool bom = false;
    csv::Error error;
    // Cells read as what they unmistakably stand for: an answer with spaces around it, a
    // full-width digit, 〇 for ○.
    QList<csv::Note> notes;
    bool ok() const { return error.isNull(); }
    QString encodingName() const { return csv::encodingName(encoding, bom); }
};

// Reads a table in UTF-8 or CP932 (decided by the bytes) from a regular file, a block at a
// time, keeping only the questions; rows with nothing in them are passed over. Refuses,
// naming the row and column, malformed quoting, a row wider or narrower than the table (the
// header, or without one the first row), a number that is not one, a question number twice,
// an answer no learner can give, and text a quiz file cannot hold (a character CP932 lacks,
// a field over 65535 bytes); at least one and at most as many questions as a quiz run takes.
ImportResult importFile(const QString &path, Separator separator);
// The same from bytes in memory.
ImportResult importBytes(QByteArrayView bytes, Separator separator);

struct ExportResult {
    QByteArray bytes;
    csv::Error error; // a character CP932 lacks, where it would have been written
    bool ok() const { return error.isNull(); }
};

// Writes the header and one row per record; UTF-8 starts with a byte order mark.
ExportResult exportBytes(const QList<QuizRecord> &records, Separator separator,
                         csv::Encoding encoding = csv::Encoding::Utf8);

} // namespace quizcsv
