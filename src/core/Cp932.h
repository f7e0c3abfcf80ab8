#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// Code page 932 (Shift_JIS with the Windows mappings), the encoding of every text in a
// quiz file. One codec object is meant to be reused for many short strings.
class Cp932Codec {
public:
    Cp932Codec();

    // Decodes bytes; every byte that is not part of a valid CP932 character becomes U+FFFD.
    // When invalidAt is given it receives the offset of the first such byte, or -1.
    QString decode(QByteArrayView bytes, qsizetype *invalidAt = nullptr);

    // Encodes text; returns false (and leaves out untouched) when a character has no CP932
    // form. unmappable, when given, receives the first such character.
    bool encode(QStringView text, QByteArray &out, QString *unmappable = nullptr);

private:
    QString decodeCharByChar(QByteArrayView bytes, qsizetype *invalidAt);
    QString decodeOne(QByteArrayView character);

    QStringDecoder m_decoder;
    QStringEncoder m_encoder;
};

namespace cp932 {
// The byte classes of the encoding: lead and trail byte of a two-byte character, and
// the bytes that stand for a character on their own.
bool isLeadByte(uchar byte);
bool isTrailByte(uchar byte);
bool isSingleByte(uchar byte);
} // namespace cp932
