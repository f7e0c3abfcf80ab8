#include "CsvEncoding.h"

#include "Cp932.h"

namespace csv {
namespace {

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

QString byteText(QByteArrayView bytes, qsizetype at) {
    return QString::number(static_cast<uchar>(bytes[at]), 16).toUpper().rightJustified(2, u'0');
}

// The error at the end of text: where the first unreadable byte would have begun.
Decoded failure(const QString &readable, const QString &message) {
    Decoded decoded;
    decoded.error = errorAt(readable, readable.size(), message);
    return decoded;
}

} // namespace

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

Decoded decode(QByteArrayView bytes) {
    const bool bom = bytes.startsWith(kUtf8Bom);
    const QByteArrayView body = bom ? bytes.sliced(3) : bytes;
    const qsizetype badUtf8 = invalidUtf8At(body);
    if (badUtf8 < 0)
        return {QString::fromUtf8(body), Encoding::Utf8, bom, {}};
    if (bom)
        return failure(QString::fromUtf8(body.first(badUtf8)),
                       QString::fromUtf8("UTF-8 として読めないバイト (0x%1) があります")
                           .arg(byteText(body, badUtf8)));
    Cp932Codec codec;
    qsizetype badCp932 = -1;
    QString text = codec.decode(body, &badCp932);
    if (badCp932 < 0)
        return {std::move(text), Encoding::Cp932, false, {}};
    // Points where the likelier of the two stopped: the one that read further.
    const qsizetype bad = qMax(badUtf8, badCp932);
    const QString readable =
        badUtf8 >= badCp932 ? QString::fromUtf8(body.first(bad)) : codec.decode(body.first(bad));
    return failure(readable,
                   QString::fromUtf8("UTF-8 としても Shift_JIS (CP932) としても読めないバイト "
                                     "(0x%1) があります")
                       .arg(byteText(body, bad)));
}

} // namespace csv
