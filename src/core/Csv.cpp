#include "Csv.h"

#include <algorithm>

namespace csv {
namespace {
constexpr QChar kQuote = u'"';
constexpr QChar kCr = u'\r';
constexpr QChar kLf = u'\n';

bool needsQuotes(QStringView field, QChar separator) {
    for (const QChar c : field) {
        if (c == separator || c == kQuote || c == kCr || c == kLf)
            return true;
    }
    return false;
}
} // namespace

QString Error::place() const {
    if (row <= 0)
        return {};
    QString place = QString::fromUtf8("%1 行目").arg(row);
    if (column >= 0)
        place += QString::fromUtf8(" %1 列").arg(columnLetters(column));
    if (column >= 0 && !columnName.isEmpty())
        place += QStringLiteral(" (%1)").arg(columnName);
    return place;
}

QString Error::text() const {
    const QString at = place();
    return at.isEmpty() ? message : at + QStringLiteral(": ") + message;
}

QString columnLetters(qsizetype column) {
    QString letters;
    for (qsizetype n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + int((n - 1) % 26)));
    return letters;
}

bool StringSource::readMore(QString &out) {
    if (m_text.isEmpty())
        return false;
    out += m_text;
    m_text = {};
    return true;
}

bool Reader::next(Row &row) {
    row.cells.clear();
    row.width = 0;
    if (!m_error.isNull())
        return false;
    ++m_row;
    m_column = 0;
    if (m_lfMayFollow && hasMore() && m_buffer[m_at] == kLf)
        ++m_at; // the second half of a CR LF
    m_lfMayFollow = false;
    if (!hasMore())
        return false;
    row.number = m_row;
    bool laterCellKept = false;
    for (;;) {
        Field field;
        field.column = m_column;
        if (!readField(field, m_column < m_keptCells || !laterCellKept)) {
            row.cells.clear();
            return false;
        }
        row.width = m_column + 1;
        if (field.column < m_keptCells || (!laterCellKept && !field.text.isEmpty())) {
            laterCellKept = field.column >= m_keptCells;
            row.cells.append(std::move(field));
        }
        if (!hasMore())
            return m_error.isNull();
        const QChar c = m_buffer[m_at++];
        if (c != m_separator) {
            m_lfMayFollow = c == kCr;
            return true;
        }
        ++m_column;
    }
}

// Whether a character is there to read, asking the source for more when none is left.
bool Reader::hasMore() {
    while (m_at >= m_buffer.size()) {
        if (m_ended)
            return false;
        m_buffer.clear();
        m_at = 0;
        if (!m_source.readMore(m_buffer)) {
            m_ended = true;
            if (const QString why = m_source.error(); !why.isEmpty())
                fail(why);
        }
    }
    return true;
}

bool Reader::isFieldEnd(QChar c) const {
    return c == m_separator || c == kCr || c == kLf;
}

void Reader::fail(const QString &message) {
    if (m_error.isNull())
        m_error = {m_row, m_column, {}, message};
}

// Takes count characters into the field, or only past them when it is not kept.
void Reader::take(Field &field, bool kept, qsizetype count) {
    if (kept) {
        const qsizetype room = m_keptCharacters - field.text.size();
        field.cut = field.cut || count > room;
        field.text += QStringView(m_buffer).sliced(m_at, std::min(count, room));
    }
    m_at += count;
}

// A quote opens a quoted field only as its first character; elsewhere it is text, as
// hand-written mark-up (<img src="a.gif">) has it in unquoted fields.
bool Reader::readField(Field &field, bool kept) {
    if (!hasMore())
        return m_error.isNull();
    if (m_buffer[m_at] == kQuote)
        return readQuoted(field, kept);
    readUnquoted(field, kept);
    return m_error.isNull();
}

void Reader::readUnquoted(Field &field, bool kept) {
    for (;;) {
        const auto begin = m_buffer.cbegin() + m_at;
        const auto end =
            std::find_if(begin, m_buffer.cend(), [this](QChar c) { return isFieldEnd(c); });
        take(field, kept, end - begin);
        if (m_at < m_buffer.size() || !hasMore())
            return;
    }
}

bool Reader::readQuoted(Field &field, bool kept) {
    ++m_at;
    for (;;) {
        if (!hasMore()) {
            fail(QString::fromUtf8("引用符が閉じていません"));
            return false;
        }
        const qsizetype quote = m_buffer.indexOf(kQuote, m_at);
        take(field, kept, (quote < 0 ? m_buffer.size() : quote) - m_at);
        if (quote < 0)
            continue;
        ++m_at;
        if (!hasMore() || m_buffer[m_at] != kQuote)
            break;
        take(field, kept, 1); // a doubled quote stands for one
    }
    if (m_error.isNull() && hasMore() && !isFieldEnd(m_buffer[m_at]))
        fail(QString::fromUtf8("引用符で囲んだ値の後に余分な文字があります"));
    return m_error.isNull();
}

void appendField(QString &out, QStringView field, QChar separator) {
    if (!needsQuotes(field, separator)) {
        out += field;
        return;
    }
    out += kQuote;
    for (const QChar c : field) {
        if (c == kQuote)
            out += kQuote;
        out += c;
    }
    out += kQuote;
}

void appendRow(QString &out, const QStringList &fields, QChar separator) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += separator;
        appendField(out, fields[i], separator);
    }
    out += QLatin1String("\r\n");
}

} // namespace csv
