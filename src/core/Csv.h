#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <limits>

// Comma- or tab-separated text as spreadsheets write it (RFC 4180): a field that holds the
// separator, a quote or a line break is quoted, quotes inside it doubled. Rows end with CR LF,
// LF or CR; line breaks inside a quoted field are part of the field.
namespace csv {

// A message about a place in a table, named as a spreadsheet shows it: the row counted from
// 1 with every row, empty ones included (a cell with line breaks stays one row), and the
// column by its letter and, when known, its name.
struct Error {
    qint64 row = 0;        // 0: the table as a whole
    qsizetype column = -1; // from 0; -1: the whole row
    QString columnName;
    QString message; // empty when there is no error
    bool isNull() const { return message.isEmpty(); }
    // "3 行目 E 列 (正解)", "3 行目 E 列", "3 行目", or empty for the whole table.
    QString place() const;
    // The place, ": " and the message; the message alone for the whole table.
    QString text() const;
};
// A change made to what a cell held, said at its place as an error is.
using Note = Error;

// The letters a spreadsheet names a column with: A for 0, Z, AA, AB and on.
QString columnLetters(qsizetype column);

struct Field {
    QString text; // quotes removed, doubled quotes made single
    qsizetype column = 0;
    bool cut = false; // longer than the reader keeps: text holds its start
};
struct Row {
    // The first cells (as many as the reader keeps) and after them the first one that is
    // not empty, if any: a row of a thousand empty cells costs no more than a short one.
    QList<Field> cells;
    qsizetype width = 0; // how many cells the row has
    qint64 number = 0;   // from 1
};

// Where a reader takes its text from, a piece at a time.
class TextSource {
public:
    virtual ~TextSource() = default;
    // Appends the next piece to out; false at the end, or where the rest cannot be read
    // (error() then says why).
    virtual bool readMore(QString &out) = 0;
    virtual QString error() const { return {}; }
};

// A text already in memory, given whole.
class StringSource : public TextSource {
public:
    explicit StringSource(QStringView text) : m_text(text) {}
    bool readMore(QString &out) override;

private:
    QStringView m_text;
};

// Reads a text row by row, holding only the row being read; stops at the first malformed
// field or unreadable piece.
class Reader {
public:
    static constexpr qsizetype kAll = std::numeric_limits<qsizetype>::max();
    // A row keeps its first keptCells cells and of each at most keptCharacters characters.
    Reader(TextSource &source, QChar separator, qsizetype keptCells = kAll,
           qsizetype keptCharacters = kAll)
        : m_source(source), m_separator(separator), m_keptCells(keptCells),
          m_keptCharacters(keptCharacters) {}

    // The next row, false at the end of the text or on an error.
    bool next(Row &row);
    // Null unless next() stopped on a malformed or unreadable text; the column is not named.
    const Error &error() const { return m_error; }

private:
    bool hasMore();
    bool readField(Field &field, bool kept);
    bool readQuoted(Field &field, bool kept);
    void readUnquoted(Field &field, bool kept);
    void take(Field &field, bool kept, qsizetype count);
    bool isFieldEnd(QChar c) const;
    void fail(const QString &message);

    TextSource &m_source;
    QChar m_separator;
    qsizetype m_keptCells;
    qsizetype m_keptCharacters;
    QString m_buffer; // text read from the source, from m_at on not yet taken
    qsizetype m_at = 0;
    bool m_ended = false;
    bool m_lfMayFollow = false; // the last row ended with CR
    qint64 m_row = 0;
    qsizetype m_column = 0;
    Error m_error;
};

// Appends one field, quoted when it has to be.
void appendField(QString &out, QStringView field, QChar separator);
// Appends the fields and CR LF.
void appendRow(QString &out, const QStringList &fields, QChar separator);

} // namespace csv
