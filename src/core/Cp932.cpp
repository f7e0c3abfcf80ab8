#include "Cp932.h"

namespace cp932 {
bool isLeadByte(uchar b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrailByte(uchar b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}
// ASCII and the half-width katakana; 0x80, 0xA0 and 0xFD-0xFF have no character.
bool isSingleByte(uchar b) {
    return b <= 0x7F || (b >= 0xA1 && b <= 0xDF);
}
} // namespace cp932

namespace {
constexpr auto kFlags = QStringConverter::Flag::Stateless;
constexpr const char *kName = "windows-31j";
constexpr QChar kReplacement(0xFFFD);

// Offset of the first byte that does not start a well-formed character, or -1.
qsizetype firstMalformedByte(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<uchar>(bytes[i]);
        if (b < 0x80)
            continue;
        if (cp932::isLeadByte(b)) {
            if (i + 1 >= n || !cp932::isTrailByte(static_cast<uchar>(bytes[i + 1])))
                return i;
            ++i;
        } else if (!cp932::isSingleByte(b)) {
            return i;
        }
    }
    return -1;
}
} // namespace

Cp932Codec::Cp932Codec() {
    m_decoder.emplace(kName, kFlags);
    m_encoder.emplace(kName, kFlags);
    Q_ASSERT(m_decoder->isValid() && m_encoder->isValid());
}

QString Cp932Codec::decode(QByteArrayView bytes, qsizetype *invalidAt) {
    if (invalidAt)
        *invalidAt = -1;
    if (firstMalformedByte(bytes) < 0) {
        QString text = m_decoder->decode(bytes);
        if (!m_decoder->hasError())
            return text;
        m_decoder.emplace(kName, kFlags);
    }
    // Rare: malformed bytes or codes without a character. Go one character at a time so
    // each bad one becomes exactly one U+FFFD and its offset is known.
    return decodeCharByChar(bytes, invalidAt);
}

QString Cp932Codec::decodeCharByChar(QByteArrayView bytes, qsizetype *invalidAt) {
    QString text;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const auto b = static_cast<uchar>(bytes[i]);
        const bool pair = cp932::isLeadByte(b) && i + 1 < n &&
                          cp932::isTrailByte(static_cast<uchar>(bytes[i + 1]));
        const qsizetype width = pair ? 2 : 1;
        QString one = (pair || cp932::isSingleByte(b)) ? decodeOne(bytes.sliced(i, width))
                                                       : QString(kReplacement);
        if (one == kReplacement && invalidAt && *invalidAt < 0)
            *invalidAt = i;
        text += one;
        i += width;
    }
    return text;
}

// Reuses the codec's decoder: opening one per character made a text full of bad bytes
// spend most of its reading time in the converter's set-up.
QString Cp932Codec::decodeOne(QByteArrayView character) {
    QString one = m_decoder->decode(character);
    if (m_decoder->hasError()) {
        m_decoder.emplace(kName, kFlags);
        return QString(kReplacement);
    }
    return one.size() == 1 ? one : QString(kReplacement);
}

qsizetype Cp932Codec::appendEncoded(QStringView text, QByteArray &out) {
    const qsizetype start = out.size();
    out.resize(start + m_encoder->requiredSpace(text.size()));
    char *end = m_encoder->appendToBuffer(out.data() + start, text);
    if (m_encoder->hasError()) {
        m_encoder.emplace(kName, kFlags);
        out.resize(start);
        return -1;
    }
    out.resize(end - out.constData());
    return out.size() - start;
}

bool Cp932Codec::encode(QStringView text, QByteArray &out, QString *unmappable) {
    QByteArray bytes = m_encoder->encode(text);
    if (!m_encoder->hasError()) {
        out = std::move(bytes);
        return true;
    }
    m_encoder.emplace(kName, kFlags);
    if (unmappable) {
        // Find the culprit for the message; only on this failure path.
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype width = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            QStringEncoder encoder(kName, kFlags);
            const QByteArray tried = encoder.encode(text.sliced(i, width)); // converts lazily
            if (encoder.hasError()) {
                *unmappable = text.sliced(i, width).toString();
                break;
            }
            i += width - 1;
        }
    }
    return false;
}
