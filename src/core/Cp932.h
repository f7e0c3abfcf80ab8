#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

// Code page 932 (Shift_JIS with the Windows mappings), the encoding of every text in a
// quiz file: single bytes as Windows reads them (00-7F ASCII, A1-DF half-width katakana),
// and on writing the characters Linux input methods type for the JIS forms (〜 − ¢ £ ¬ ‖ —)
// become their CP932 twins. One codec object is meant to be reused for many short strings.
class Cp932Codec {
public:
    Cp932Codec();

    // Decodes bytes; every byte that is not part of a valid CP932 character becomes U+FFFD.
    // When invalidAt is given it receives the offset of the first such byte, or -1.
    QString decode(QByteArrayView bytes, qsizetype *invalidAt = nullptr);

    // Encodes text; returns false (and leaves out untouched) when a character has no CP932
    // form. unmappable, when given, receives every such character once, in text order.
    bool encode(QStringView text, QByteArray &out, QList<char32_t> *unmappable = nullptr);

    // Appends the encoded text to out; returns the number of bytes appended, or -1 (with out
    // unchanged) when a character has no CP932 form.
    qsizetype appendEncoded(QStringView text, QByteArray &out);

private:
    QList<char32_t> unmappableIn(QStringView text);
    QString decodeCharByChar(QByteArrayView bytes, qsizetype *invalidAt);
    QString decodeOne(QByteArrayView character);

    // Rebuilt in place after an error: their error flag survives resetState(), and a
    // move-assigned ICU converter loses track of errors.
    std::optional<QStringDecoder> m_decoder;
    std::optional<QStringEncoder> m_encoder;
};

namespace cp932 {
// The byte classes of the encoding: lead and trail byte of a two-byte character, and
// the bytes that stand for a character on their own.
bool isLeadByte(uchar byte);
bool isTrailByte(uchar byte);
bool isSingleByte(uchar byte);

// "Shift_JIS (CP932) で表せない文字「…」(U+…) があります", naming each character.
QString unmappableMessage(const QList<char32_t> &characters);
} // namespace cp932
