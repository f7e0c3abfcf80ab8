#pragma once

#include "Cp932.h"
#include "Csv.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

// The encodings a CSV file is read and written in: UTF-8, which spreadsheets open correctly
// when it starts with a byte order mark, and Shift_JIS (CP932), as older ones write it. A file
// is read a block at a time, so that reading costs memory for what is kept of it, not for
// the file.
namespace csv {

enum class Encoding { Utf8, Cp932 };

inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// "UTF-8 (BOM 付き)", "UTF-8" or "Shift_JIS (CP932)".
QString encodingName(Encoding encoding, bool bom);

// A table written out as a file: UTF-8 with a byte order mark, or CP932.
struct EncodedTable {
    QByteArray bytes; // empty on an error
    Error error;      // the first character CP932 lacks, at its row (the header is row 1)
    bool ok() const { return error.isNull(); }
};
// The header and rowCount rows, each as row gives it, separated by separator.
EncodedTable encodeTable(const QStringList &header, qsizetype rowCount,
                         const std::function<QStringList(qsizetype)> &row, QChar separator,
                         Encoding encoding);

// The offset of the first byte that does not begin a well-formed UTF-8 sequence, or -1.
qsizetype invalidUtf8At(QByteArrayView bytes);

// How a file of bytes is to be read.
struct Detected {
    Encoding encoding = Encoding::Utf8;
    bool bom = false;
    bool neither = false; // neither encoding reads it all: the one that reads further is taken
    QString error;        // the file could not be read
};

// Decides by the bytes from the start of in, at most size of them: UTF-8 when they start with
// its byte order mark or are all well-formed UTF-8 (plain ASCII included), otherwise CP932.
Detected detect(QIODevice &in, qint64 size);

// Reads bytes a block at a time from in's position, at most size of them, each block cut after
// its last whole character; a file that is shortened meanwhile ends where the reading ends.
class CharacterBlocks {
public:
    CharacterBlocks(QIODevice &in, qint64 size, Encoding encoding)
        : m_in(in), m_left(size), m_encoding(encoding) {}
    // The next block: whole characters, and at the end of the input whatever bytes are left.
    // Empty at the end, or when reading fails (error() then says why).
    QByteArrayView next();
    const QString &error() const { return m_error; }

private:
    QIODevice &m_in;
    qint64 m_left;
    Encoding m_encoding;
    QByteArray m_buffer; // from m_given on, the start of a character the next block ends
    qsizetype m_given = 0;
    QString m_error;
};

// The text of a file as detect() found it should be read, decoded a block at a time; the
// first byte that does not read ends it, with an error that names the byte.
class DecodingSource : public TextSource {
public:
    DecodingSource(QIODevice &in, qint64 size, const Detected &detected);
    bool readMore(QString &out) override;
    QString error() const override { return m_error; }

private:
    Detected m_detected;
    CharacterBlocks m_blocks;
    Cp932Codec m_codec;
    QString m_error;
};

} // namespace csv
