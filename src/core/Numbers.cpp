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

bool parseDecimal(QStringView text, double &number) {
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    const QString trimmed = text.trimmed().toString();
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
