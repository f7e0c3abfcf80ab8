#include "Csv.h"

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

QString Error::text() const {
    return QString::fromUtf8("%1 行 %2 列: %3").arg(line).arg(column).arg(message);
}

Error errorAt(QStringView text, qsizetype index, const QString &message) {
    Error error{1, 1, message};
    for (qsizetype i = 0; i < index && i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == kCr || c == kLf) {
            if (c == kCr && i + 1 < index && i + 1 < text.size() && text[i + 1] == kLf)
                ++i;
            ++error.line;
            error.column = 1;
        } else if (!c.isLowSurrogate() || i == 0 || !text[i - 1].isHighSurrogate()) {
            ++error.column; // a character outside the BMP counts once
        }
    }
    return error;
}

bool Reader::next(Row &row) {
    row.clear();
    if (m_at >= m_text.size() || !m_error.isNull())
        return false;
    for (;;) {
        Field field;
        if (!readField(field)) {
            row.clear();
            return false;
        }
        row.append(std::move(field));
        if (m_at == m_text.size())
            return true;
        const QChar c = m_text[m_at++];
        if (c == m_separator)
            continue;
        if (c == kCr && m_at < m_text.size() && m_text[m_at] == kLf)
            ++m_at;
        return true;
    }
}

bool Reader::isFieldEnd(qsizetype at) const {
    if (at >= m_text.size())
        return true;
    const QChar c = m_text[at];
    return c == m_separator || c == kCr || c == kLf;
}

// A quote opens a quoted field only as its first character; elsewhere it is text, as
// hand-written mark-up (<img src="a.gif">) has it in unquoted fields.
bool Reader::readField(Field &field) {
    field.start = m_at;
    if (m_at < m_text.size() && m_text[m_at] == kQuote) {
        qsizetype at = m_at + 1;
        for (;;) {
            const qsizetype quote = m_text.indexOf(kQuote, at);
            if (quote < 0) {
                m_error = errorAt(m_text, field.start, QString::fromUtf8("引用符が閉じていません"));
                return false;
            }
            field.text += m_text.sliced(at, quote - at);
            at = quote + 1;
            if (at < m_text.size() && m_text[at] == kQuote) {
                field.text += kQuote;
                ++at;
                continue;
            }
            break;
        }
        if (!isFieldEnd(at)) {
            m_error = errorAt(m_text, at,
                              QString::fromUtf8("引用符で囲んだ値の後に余分な文字があります"));
            return false;
        }
        m_at = at;
    } else {
        qsizetype at = m_at;
        while (!isFieldEnd(at))
            ++at;
        field.text = m_text.sliced(m_at, at - m_at).toString();
        m_at = at;
    }
    field.end = m_at;
    return true;
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

void appendRow(QString &out, const QStringList &fields, QChar separator,
               QList<qsizetype> *fieldStarts) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += separator;
        if (fieldStarts)
            fieldStarts->append(out.size());
        appendField(out, fields[i], separator);
    }
    out += QLatin1String("\r\n");
}

} // namespace csv
