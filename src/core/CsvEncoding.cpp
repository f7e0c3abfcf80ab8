#include "CsvEncoding.h"

#include <QIODevice>

#include <algorithm>

namespace csv {
namespace {

// Larger blocks read no faster, and the memory they take would be counted against the quiz.
constexpr qint64 kBlock = 64 * 1024;

// The range the second byte of a sequence must lie in, which the lead byte narrows so that
// overlong forms, surrogates and code points past U+10FFFF are refused.
struct Lead {
    int length = 0; // 0: not a lead byte
    uchar low = 0x80;
    uchar high = 0xBF;
};

Lead leadOf(uchar b) {
    if (b >= 0xC2 && b <= 0xDF)
        return {2};
    if (b == 0xE0)
        return {3, 0xA0};
    if (b == 0xED)
        return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {3};
    if (b == 0xF0)
        return {4, 0x90};
    if (b >= 0xF1 && b <= 0xF3)
        return {4};
    if (b == 0xF4)
        return {4, 0x80, 0x8F};
    return {};
}

// How many bytes from the start of a block are whole characters: a character cut at the
// block's end waits for the next block. Bytes that do not read count as whole.
qsizetype wholeCharacters(QByteArrayView bytes, Encoding encoding) {
    const qsizetype n = bytes.size();
    if (encoding == Encoding::Cp932) {
        qsizetype i = 0;
        while (i < n)
            i += cp932::isLeadByte(static_cast<uchar>(bytes[i])) ? 2 : 1;
        return i > n ? n - 1 : n;
    }
    for (qsizetype i = n - 1; i >= 0 && i >= n - 4; --i) {
        const auto b = static_cast<uchar>(bytes[i]);
        if ((b & 0xC0) != 0x80) // not a continuation byte
            return leadOf(b).length > n - i ? i : n;
    }
    return n;
}

qsizetype firstInvalid(QByteArrayView bytes, Encoding encoding, Cp932Codec &codec) {
    return encoding == Encoding::Utf8 ? invalidUtf8At(bytes) : codec.firstInvalid(bytes);
}

// The offset of the first byte from start on that the encoding does not read, or -1.
qint64 firstUnreadable(QIODevice &in, qint64 start, qint64 size, Encoding encoding,
                       QString &error) {
    in.seek(start);
    CharacterBlocks blocks(in, size - start, encoding);
    Cp932Codec codec;
    qint64 offset = start;
    for (QByteArrayView block = blocks.next(); !block.isEmpty(); block = blocks.next()) {
        if (const qsizetype bad = firstInvalid(block, encoding, codec); bad >= 0)
            return offset + bad;
        offset += block.size();
    }
    error = blocks.error();
    return -1;
}

QString byteText(char byte) {
    return QString::number(static_cast<uchar>(byte), 16).toUpper().rightJustified(2, u'0');
}

// Appends one row; false when CP932 lacks one of its characters.
bool appendEncodedRow(QByteArray &out, const QStringList &fields, QChar separator,
                      Encoding encoding, Cp932Codec &codec) {
    QString line;
    appendRow(line, fields, separator);
    if (encoding == Encoding::Utf8) {
        out += line.toUtf8();
        return true;
    }
    return codec.appendEncoded(line, out) >= 0;
}

// The first cell of a row that CP932 cannot hold, at its place in the table.
Error unmappableError(const QStringList &header, const QStringList &fields, qint64 row,
                      Cp932Codec &codec) {
    for (qsizetype column = 0; column < fields.size(); ++column) {
        QList<char32_t> unmappable;
        QByteArray unused;
        if (!codec.encode(fields[column], unused, &unmappable))
            return {row, column, header.value(column),
                    cp932::unmappableMessage({unmappable.value(0)})};
    }
    return {};
}
} // namespace

EncodedTable encodeTable(const QStringList &header, qsizetype rowCount,
                         const std::function<QStringList(qsizetype)> &row, QChar separator,
                         Encoding encoding) {
    EncodedTable table;
    if (encoding == Encoding::Utf8)
        table.bytes = kUtf8Bom;
    Cp932Codec codec;
    for (qsizetype i = -1; i < rowCount; ++i) {
        const QStringList fields = i < 0 ? header : row(i);
        if (!appendEncodedRow(table.bytes, fields, separator, encoding, codec)) {
            table.error = unmappableError(header, fields, i + 2, codec);
            table.bytes.clear();
            break;
        }
    }
    return table;
}

QString encodingName(Encoding encoding, bool bom) {
    if (encoding == Encoding::Cp932)
        return QStringLiteral("Shift_JIS (CP932)");
    return bom ? QString::fromUtf8("UTF-8 (BOM 付き)") : QStringLiteral("UTF-8");
}

qsizetype invalidUtf8At(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const auto b = static_cast<uchar>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const Lead lead = leadOf(b);
        if (lead.length == 0 || i + lead.length > n)
            return i;
        for (int k = 1; k < lead.length; ++k) {
            const auto next = static_cast<uchar>(bytes[i + k]);
            if (next < (k == 1 ? lead.low : 0x80) || next > (k == 1 ? lead.high : 0xBF))
                return i;
        }
        i += lead.length;
    }
    return -1;
}

// Keeps none of the bytes: reads them once for UTF-8 and, only when that fails, once more for
// CP932; random bytes fail both within the first few.
Detected detect(QIODevice &in, qint64 size) {
    Detected detected;
    in.seek(0);
    detected.bom = size >= 3 && in.read(3) == kUtf8Bom;
    const qint64 badUtf8 =
        firstUnreadable(in, detected.bom ? 3 : 0, size, Encoding::Utf8, detected.error);
    if (detected.bom || badUtf8 < 0)
        return detected;
    const qint64 badCp932 = firstUnreadable(in, 0, size, Encoding::Cp932, detected.error);
    detected.encoding = Encoding::Cp932;
    if (badCp932 >= 0) {
        detected.neither = true;
        if (badUtf8 >= badCp932)
            detected.encoding = Encoding::Utf8;
    }
    return detected;
}

QByteArrayView CharacterBlocks::next() {
    m_buffer.remove(0, m_given);
    m_given = 0;
    while (m_given == 0 && m_left > 0) {
        const qsizetype carried = m_buffer.size();
        const qint64 wanted = std::min(kBlock, m_left);
        m_buffer.resize(carried + wanted);
        const qint64 got = m_in.read(m_buffer.data() + carried, wanted);
        if (got < 0) {
            m_error = QString::fromUtf8("読み取れません (%1)").arg(m_in.errorString());
            m_buffer.clear();
            return {};
        }
        m_buffer.resize(carried + got);
        m_left = got == 0 ? 0 : m_left - got;
        m_given = m_left > 0 ? wholeCharacters(m_buffer, m_encoding) : m_buffer.size();
    }
    return QByteArrayView(m_buffer).first(m_given);
}

DecodingSource::DecodingSource(QIODevice &in, qint64 size, const Detected &detected)
    : m_detected(detected), m_blocks(in, size - (detected.bom ? 3 : 0), detected.encoding) {
    in.seek(detected.bom ? 3 : 0);
}

bool DecodingSource::readMore(QString &out) {
    if (!m_error.isEmpty())
        return false;
    const QByteArrayView block = m_blocks.next();
    if (block.isEmpty()) {
        m_error = m_blocks.error();
        return false;
    }
    const qsizetype bad = firstInvalid(block, m_detected.encoding, m_codec);
    const QByteArrayView readable = bad < 0 ? block : block.first(bad);
    if (bad >= 0)
        m_error = m_detected.neither
                      ? QString::fromUtf8("UTF-8 としても Shift_JIS (CP932) としても読めないバイト "
                                          "(0x%1) があります")
                            .arg(byteText(block[bad]))
                      : QString::fromUtf8("%1 として読めないバイト (0x%2) があります")
                            .arg(encodingName(m_detected.encoding, false), byteText(block[bad]));
    if (readable.isEmpty())
        return false;
    out += m_detected.encoding == Encoding::Utf8 ? QString::fromUtf8(readable)
                                                 : m_codec.decode(readable);
    return true;
}

} // namespace csv
