#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Comma- or tab-separated text as spreadsheets write it (RFC 4180): a field that holds the
// separator, a quote or a line break is quoted, quotes inside it doubled. Rows end with CR LF,
// LF or CR; line breaks inside a quoted field are part of the field.
namespace csv {

// A place in the text, as an author finds it in a text editor: lines and columns from 1,
// columns counted in characters, each line break (CR LF, LF or CR) ending a line.
struct Error {
    int line = 0;
    int column = 0;
    QString message; // empty when there is no error
    bool isNull() const { return message.isEmpty(); }
    // "3 行 5 列: message"
    QString text() const;
};

// The error at the character index of text.
Error errorAt(QStringView text, qsizetype index, const QString &message);

struct Field {
    QString text;      // quotes removed, doubled quotes made single
    qsizetype start{}; // index of its first character in the source, opening quote included
    qsizetype end{};   // index just past it, closing quote included
};
using Row = QList<Field>;

// Reads a text row by row; stops at the first malformed field.
class Reader {
public:
    Reader(QStringView text, QChar separator) : m_text(text), m_separator(separator) {}

    // The next row, false at the end of the text or on an error.
    bool next(Row &row);
    // Null unless next() stopped on malformed text.
    const Error &error() const { return m_error; }
    QStringView text() const { return m_text; }

private:
    bool readField(Field &field);
    bool isFieldEnd(qsizetype at) const;

    QStringView m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    Error m_error;
};

// Appends one field, quoted when it has to be.
void appendField(QString &out, QStringView field, QChar separator);
// Appends the fields and CR LF; fieldStarts, when given, receives the index in out where each
// field begins.
void appendRow(QString &out, const QStringList &fields, QChar separator,
               QList<qsizetype> *fieldStarts = nullptr);

} // namespace csv
