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

QString unmappableMessage(const QList<char32_t> &characters) {
    QString listed;
    for (char32_t code : characters) {
        listed += QString::fromUtf8("「%1」(U+%2)")
                      .arg(QString::fromUcs4(&code, 1))
                      .arg(QString::number(uint(code), 16).toUpper().rightJustified(4, u'0'));
    }
    return QString::fromUtf8("Shift_JIS (CP932) で表せない文字%1 があります").arg(listed);
}
} // namespace cp932

namespace {
constexpr auto kFlags = QStringConverter::Flag::Stateless;
constexpr const char *kName = "windows-31j";
constexpr QChar kReplacement(0xFFFD);

// ICU's table reads the bytes 1A, 1C and 7F as U+001C, U+007F and U+001A; Windows reads each
// as itself, so files written on Windows keep their control characters.
bool isIcuSwappedByte(uchar b) {
    return b == 0x1A || b == 0x1C || b == 0x7F;
}

char16_t windowsControl(char16_t icu) {
    switch (icu) {
    case 0x1C:
        return 0x1A;
    case 0x7F:
        return 0x1C;
    case 0x1A:
        return 0x7F;
    default:
        return icu;
    }
}

void toWindowsControls(QString &text) {
    for (QChar &c : text)
        c = QChar(windowsControl(c.unicode()));
}

// The character ICU must be given to write what Windows writes for c: the three control
// characters ICU swaps, and the twins of what Linux input methods type for the JIS forms.
char16_t icuForm(char16_t c) {
    // The bulk of any text, checked first: printable ASCII, and kana, kanji and the
    // Japanese punctuation (、。「」) bar the wave dash.
    if ((c >= 0x20 && c < 0x7F) || (c >= 0x3000 && c != 0x301C))
        return c;
    switch (c) {
    case 0x1A:
        return 0x1C;
    case 0x1C:
        return 0x7F;
    case 0x7F:
        return 0x1A;
    case 0x301C: // wave dash
        return 0xFF5E;
    case 0x2212: // minus sign
        return 0xFF0D;
    case 0x00A2: // cent sign
        return 0xFFE0;
    case 0x00A3: // pound sign
        return 0xFFE1;
    case 0x00AC: // not sign
        return 0xFFE2;
    case 0x2016: // double vertical line
        return 0x2225;
    case 0x2014: // em dash
        return 0x2015;
    default:
        return c;
    }
}

// The text as ICU must be given it: text itself unless a character needs another form, then
// a converted copy in buffer.
QStringView inIcuForm(QStringView text, QString &buffer) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && icuForm(text[i].unicode()) == text[i].unicode())
        ++i;
    if (i == n)
        return text;
    buffer = text.toString();
    for (; i < n; ++i)
        buffer[i] = QChar(icuForm(buffer[i].unicode()));
    return buffer;
}

struct ByteScan {
    qsizetype malformedAt = -1; // the first byte that does not start a well-formed character
    bool icuSwapped = false;    // whether a byte ICU reads differently from Windows occurs
};

ByteScan scanBytes(QByteArrayView bytes) {
    ByteScan scan;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<uchar>(bytes[i]);
        if (b < 0x80) {
            scan.icuSwapped |= isIcuSwappedByte(b);
            continue;
        }
        if (cp932::isLeadByte(b)) {
            if (i + 1 >= n || !cp932::isTrailByte(static_cast<uchar>(bytes[i + 1]))) {
                scan.malformedAt = i;
                return scan;
            }
            ++i;
        } else if (!cp932::isSingleByte(b)) {
            scan.malformedAt = i;
            return scan;
        }
    }
    return scan;
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
    const ByteScan scan = scanBytes(bytes);
    if (scan.malformedAt < 0) {
        QString text = m_decoder->decode(bytes);
        if (!m_decoder->hasError()) {
            if (scan.icuSwapped)
                toWindowsControls(text);
            return text;
        }
        m_decoder.emplace(kName, kFlags);
    }
    // Rare: malformed bytes or codes without a character. Go one character at a time so
    // each bad one becomes exactly one U+FFFD and its offset is known.
    QString text = decodeCharByChar(bytes, invalidAt);
    toWindowsControls(text);
    return text;
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
    QString buffer;
    const QStringView icuText = inIcuForm(text, buffer);
    const qsizetype start = out.size();
    out.resize(start + m_encoder->requiredSpace(icuText.size()));
    char *end = m_encoder->appendToBuffer(out.data() + start, icuText);
    if (m_encoder->hasError()) {
        m_encoder.emplace(kName, kFlags);
        out.resize(start);
        return -1;
    }
    out.resize(end - out.constData());
    return out.size() - start;
}

bool Cp932Codec::encode(QStringView text, QByteArray &out, QList<char32_t> *unmappable) {
    QString buffer;
    QByteArray bytes = m_encoder->encode(inIcuForm(text, buffer));
    if (!m_encoder->hasError()) {
        out = std::move(bytes);
        return true;
    }
    m_encoder.emplace(kName, kFlags);
    if (unmappable)
        *unmappable = unmappableIn(text); // only on this failure path
    return false;
}

// Tries one character at a time; the encoder converts lazily, so its result must be taken.
QList<char32_t> Cp932Codec::unmappableIn(QStringView text) {
    QList<char32_t> found;
    QString buffer;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView one = text.sliced(i, width);
        const QByteArray tried = m_encoder->encode(inIcuForm(one, buffer));
        if (m_encoder->hasError()) {
            m_encoder.emplace(kName, kFlags);
            const char32_t code = one.toUcs4().value(0);
            if (!found.contains(code))
                found.append(code);
        }
        i += width;
    }
    return found;
}
