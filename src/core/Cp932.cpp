#include "Cp932.h"

#include <QStringDecoder>

#include <algorithm>

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
constexpr char16_t kReplacement = 0xFFFD;

// ICU's table reads the bytes 1A, 1C and 7F as U+001C, U+007F and U+001A; Windows reads each
// as itself, so files written on Windows keep their control characters.
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

// Whether ICU must be given c in another form. Called for every character written, so the
// bulk of any text (kana, kanji, printable ASCII) is decided without a call.
bool needsIcuForm(char16_t c) {
    return c >= 0x3000 ? c == 0x301C : (c < 0x20 || c >= 0x7F) && icuForm(c) != c;
}

// The text as ICU must be given it: text itself unless a character needs another form, then
// a converted copy in buffer.
QStringView inIcuForm(QStringView text, QString &buffer) {
    const auto other =
        std::find_if(text.begin(), text.end(), [](QChar c) { return needsIcuForm(c.unicode()); });
    if (other == text.end())
        return text;
    buffer = text.toString();
    for (qsizetype i = other - text.begin(); i < buffer.size(); ++i)
        buffer[i] = QChar(icuForm(buffer[i].unicode()));
    return buffer;
}

// The decode table: a character for each single byte and for each lead and trail byte pair,
// U+FFFD where ICU has none. kNone marks the lead bytes among the single bytes and, among the
// pairs, the bytes that cannot follow a lead byte; no character is U+FFFF.
constexpr char16_t kNone = 0xFFFF;
constexpr int kLeadRows = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);

int leadRow(uchar lead) {
    return lead < 0xA0 ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
}

struct DecodeTable {
    char16_t single[256];
    char16_t pairs[kLeadRows][256];
};

// ICU's character for one code as Windows reads it, or U+FFFD.
char16_t icuCharacter(std::optional<QStringDecoder> &icu, QByteArrayView code) {
    const QString one = icu->decode(code);
    if (icu->hasError()) {
        icu.emplace(kName, kFlags);
        return kReplacement;
    }
    return one.size() == 1 ? windowsControl(one[0].unicode()) : kReplacement;
}

// ICU stays the source of the mapping, asked once per code instead of once per text: its
// converter costs more per call than a whole text takes through the table.
DecodeTable makeDecodeTable() {
    DecodeTable table;
    std::optional<QStringDecoder> icu(std::in_place, kName, kFlags);
    Q_ASSERT(icu->isValid());
    for (int b = 0; b < 256; ++b) {
        const char single = char(b);
        table.single[b] = cp932::isLeadByte(b)     ? kNone
                          : cp932::isSingleByte(b) ? icuCharacter(icu, {&single, 1})
                                                   : kReplacement;
        if (!cp932::isLeadByte(b))
            continue;
        for (int trail = 0; trail < 256; ++trail) {
            const char pair[] = {char(b), char(trail)};
            table.pairs[leadRow(b)][trail] =
                cp932::isTrailByte(trail) ? icuCharacter(icu, {pair, 2}) : kNone;
        }
    }
    return table;
}

const DecodeTable &decodeTable() {
    static const DecodeTable table = makeDecodeTable();
    return table;
}
} // namespace

Cp932Codec::Cp932Codec() {
    m_encoder.emplace(kName, kFlags);
    Q_ASSERT(m_encoder->isValid());
}

qsizetype Cp932Codec::decodeToBuffer(QByteArrayView bytes, qsizetype &invalidAt) {
    const DecodeTable &table = decodeTable();
    if (m_decoded.size() < size_t(bytes.size()))
        m_decoded.resize(bytes.size());
    const auto *begin = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *in = begin, *end = begin + bytes.size();
    char16_t *out = m_decoded.data();
    invalidAt = -1;
    while (in < end) {
        const uchar *at = in;
        char16_t c = table.single[*in++];
        if (c == kNone) {
            c = in < end ? table.pairs[leadRow(*at)][*in] : kNone;
            if (c == kNone)
                c = kReplacement; // a lead byte on its own
            else
                ++in;
        }
        if (c == kReplacement && invalidAt < 0)
            invalidAt = at - begin;
        *out++ = c;
    }
    return out - m_decoded.data();
}

QString Cp932Codec::decode(QByteArrayView bytes, qsizetype *invalidAt) {
    qsizetype bad = -1;
    const qsizetype length = decodeToBuffer(bytes, bad);
    if (invalidAt)
        *invalidAt = bad;
    // Exactly sized: a quiz keeps every text it reads for as long as it is open.
    return QString(reinterpret_cast<const QChar *>(m_decoded.data()), length);
}

qsizetype Cp932Codec::firstInvalid(QByteArrayView bytes) {
    qsizetype bad = -1;
    decodeToBuffer(bytes, bad);
    return bad;
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
