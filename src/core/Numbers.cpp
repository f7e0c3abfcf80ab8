#include "Numbers.h"

#include <QRegularExpression>
#include <QString>

#include <cmath>

namespace errors {
QString message(int code) {
    switch (code) {
    case kOverflow:
        return QString::fromUtf8("6 : オーバーフローしました。");
    case kSubscriptOutOfRange:
        return QString::fromUtf8("9 : インデックスが有効範囲にありません。");
    case kTypeMismatch:
        return QString::fromUtf8("13 : 型が一致しません。");
    default:
        return {};
    }
}
} // namespace errors

namespace {
// A Japanese input method in full-width mode types digits, sign and point as their full-width
// forms (and the minus sign as U+2212); they are the same number.
QString halfWidthNumber(QStringView text) {
    QString ascii = text.toString();
    for (QChar &c : ascii) {
        const char16_t u = c.unicode();
        if ((u >= u'０' && u <= u'９') || u == u'＋' || u == u'－' || u == u'．')
            c = QChar(u - 0xFEE0);
        else if (u == u'\u2212')
            c = QLatin1Char('-');
    }
    return ascii;
}
} // namespace

bool parseDecimal(QStringView text, double &number) {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString trimmed = halfWidthNumber(text.trimmed());
    if (!decimal.match(trimmed).hasMatch())
        return false;
    number = trimmed.toDouble(); // inf for digits beyond double's range
    return true;
}

WholeNumber toWholeNumber(QStringView text, qint64 min, qint64 max) {
    double number = 0;
    if (!parseDecimal(text, number))
        return {0, errors::kTypeMismatch};
    if (!std::isfinite(number))
        return {0, errors::kOverflow};
    const double rounded = std::nearbyint(number); // the default mode rounds halves to even
    // Bounds are compared as integers: as doubles, INT64_MAX becomes 2^63 and would let a
    // number through that no qint64 holds.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (rounded < -kTwoTo63 || rounded >= kTwoTo63)
        return {0, errors::kOverflow};
    const auto whole = static_cast<qint64>(rounded);
    if (whole < min || whole > max)
        return {0, errors::kOverflow};
    return {whole, errors::kNone};
}
