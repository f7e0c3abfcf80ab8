#include "LineMeasure.h"

#include <QByteArray>

#include <cmath>

namespace {
qint32 inUnits(qreal pixels) {
    return static_cast<qint32>(std::lround(pixels * 64));
}
} // namespace

LineMeasure::LineMeasure(const QFont &font)
    : m_metrics(font), m_font(QRawFont::fromFont(font)),
      m_tabStop(inUnits(m_metrics.horizontalAdvance(QStringLiteral("\t")))),
      m_advances(0x10000, kUnknown) {}

qreal LineMeasure::widest(QStringView line) {
    const qint64 units = summed(line);
    return units == kShaped ? shaped(line) : units / 64.0;
}

qint64 LineMeasure::summed(QStringView line) {
    qint64 widest = 0;
    qint64 x = 0;
    for (const QChar ch : line) {
        const char16_t c = ch.unicode();
        if (c == u'\r')
            continue;
        if (c == u'\n') {
            x = 0;
            continue;
        }
        if (c == u'\t' && m_tabStop > 0) {
            x = (x / m_tabStop + 1) * m_tabStop;
        } else {
            qint32 a = m_advances[c];
            if (a == kUnknown)
                a = m_advances[c] = advance(c);
            if (a == kShaped)
                return kShaped;
            x += a;
        }
        widest = std::max(widest, x);
    }
    return widest;
}

qint32 LineMeasure::advance(char16_t c) {
    return addsUp(c) ? inUnits(m_metrics.horizontalAdvance(QString(QChar(c)))) : kShaped;
}

// A character a quiz file can hold (it has a CP932 form), drawn by the report font itself,
// and not a control character.
bool LineMeasure::addsUp(char16_t c) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || QChar::isSurrogate(c) || !m_font.isValid() ||
        !m_font.supportsCharacter(QChar(c)))
        return false;
    QByteArray bytes;
    const QChar ch(c);
    return m_codec.encode(QStringView(&ch, 1), bytes);
}

qreal LineMeasure::shaped(QStringView line) {
    const QString key = line.toString();
    const auto known = m_shaped.constFind(key);
    if (known != m_shaped.constEnd())
        return *known;
    qreal widest = 0;
    for (const QString &physical : QString(key).remove(QLatin1Char('\r')).split(QLatin1Char('\n')))
        widest = std::max(widest, m_metrics.horizontalAdvance(physical));
    m_shaped.insert(key, widest);
    return widest;
}
