#pragma once

#include "Cp932.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QRawFont>
#include <QString>

#include <vector>

// Widths of report lines in the report's fixed-pitch font, exactly as shaping the line with
// QFontMetricsF::horizontalAdvance gives them, without shaping every line. The characters a
// quiz file can hold that the font draws itself take no part in kerning, ligatures or marks,
// so a line of them is as wide as the sum of their cached advances; a tab moves on to the
// next tab stop. A line with any other character (a surrogate pair, a combining mark, a
// control, one drawn by a fallback font) is shaped, once.
class LineMeasure {
public:
    explicit LineMeasure(const QFont &font);

    // Width in pixels of the widest physical line: CR is left out and LF starts a new line.
    qreal widest(QStringView line);

private:
    static constexpr qint32 kUnknown = -1;
    static constexpr qint32 kShaped = -2;

    // The widest physical line in 1/64 pixel from the cached advances, or kShaped.
    qint64 summed(QStringView line);
    // A character's own advance in 1/64 pixel, or kShaped.
    qint32 advance(char16_t c);
    bool addsUp(char16_t c);
    qreal shaped(QStringView line);

    QFontMetricsF m_metrics;
    QRawFont m_font;
    Cp932Codec m_codec;
    qint32 m_tabStop;
    // In 1/64 pixel, the unit shaping adds advances in; indexed by UTF-16 code unit.
    std::vector<qint32> m_advances;
    QHash<QString, qreal> m_shaped;
};
