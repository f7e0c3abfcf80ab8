#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// Run-time error codes the windows report as "code : description".
namespace errors {
inline constexpr int kNone = 0;
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kTypeMismatch = 13;
// "13 : 型が一致しません。" and the like; empty for kNone.
QString message(int code);
} // namespace errors

struct WholeNumber {
    qint64 value = 0;
    int error = errors::kNone; // kTypeMismatch for text that is no number, kOverflow out of range
    bool ok() const { return error == errors::kNone; }
};

// The trimmed text as a decimal number (optional sign, digits, optional fraction). Full-width
// digits, sign and point count as their ASCII twins.
bool parseDecimal(QStringView text, double &number);

// The trimmed text as a decimal number as parseDecimal reads it, rounded to the nearest
// integer with halves to even, checked against [min, max].
WholeNumber toWholeNumber(QStringView text, qint64 min, qint64 max);
inline WholeNumber toInt32(QStringView text) {
    return toWholeNumber(text, INT32_MIN, INT32_MAX);
}
inline WholeNumber toInt16(QStringView text) {
    return toWholeNumber(text, INT16_MIN, INT16_MAX);
}
