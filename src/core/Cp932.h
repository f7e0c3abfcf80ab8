#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringEncoder>

#include <optional>
#include <vector>

// Code page 932 (Shift_JIS with the Windows mappings), the encoding of every text in a
// quiz file: single bytes as Windows reads them (00-7F ASCII, A1-DF half-width katakana),
// and on writing the characters Linux input methods type for the JIS forms (〜 − ¢ £ ¬ ‖ —)
// become their CP932 twins. One codec object is meant to be reused for many short strings.
// Decoding goes through a table made once per process from ICU's windows-31j converter.
class Cp932Codec {
public:
    Cp932Codec();

    // Decodes bytes into a string of exactly the decoded length; every byte that is not part
    // of a valid CP932 character becomes U+FFFD (a lead byte and its trail byte with no
    // character between them become one). When invalidAt is given it receives the offset of
    // the first such byte, or -1.
    QString decode(QByteArrayView bytes, qsizetype *invalidAt = nullptr);
    // The offset of the first byte decode would replace, or -1; keeps no text.
    qsizetype firstInvalid(QByteArrayView bytes);

    // Encodes text; returns false (and leaves out untouched) when a character has no CP932
    // form. unmappable, when given, receives every such character once, in text order.
    bool encode(QStringView text, QByteArray &out, QList<char32_t> *unmappable = nullptr);

    // Appends the encoded text to out; returns the number of bytes appended, or -1 (with out
    // unchanged) when a character has no CP932 form.
    qsizetype appendEncoded(QStringView text, QByteArray &out);

private:
    QList<char32_t> unmappableIn(QStringView text);
    // Decodes into m_decoded; returns the decoded length.
    qsizetype decodeToBuffer(QByteArrayView bytes, qsizetype &invalidAt);

    std::vector<char16_t> m_decoded;
    // Rebuilt in place after an error: its error flag survives resetState(), and a
    // move-assigned ICU converter loses track of errors.
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
