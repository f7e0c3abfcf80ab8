#include "ReportArea.h"

#include "Fonts.h"
#include "Report.h"
#include "ReportAccessible.h"
#include "Twips.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

ReportArea::ReportArea(QWidget *parent) : QWidget(parent) {
    setFont(fonts::fixedGothic(11.25));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
}

void ReportArea::setReportText(const QString &text) {
    m_text = text;
    m_widths.clear();
    m_wrappedWidth = -1;
    update();
}

void ReportArea::setOrigin(int twips) {
    m_origin = twips;
    update();
}

int ReportArea::em() const {
    return static_cast<int>(font().pointSizeF() * 20);
}

int ReportArea::measure(const QString &line) const {
    const auto known = m_widths.constFind(line);
    if (known != m_widths.constEnd())
        return *known;
    const QFontMetricsF metrics(font());
    qreal widest = 0;
    for (const QString &physical : QString(line).remove(QLatin1Char('\r')).split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(physical));
    const int width = static_cast<int>(std::nearbyint(widest * 1440.0 / logicalDpiX()));
    m_widths.insert(line, width);
    return width;
}

QString ReportArea::wrap(int maxWidth) const {
    return report::WrapReport(m_text, maxWidth, em(),
                              [this](const QString &line) { return measure(line); });
}

// The whole report is wrapped once per width and text; painting then only draws.
void ReportArea::rewrapIfNeeded() {
    const int maxWidth = static_cast<int>(std::nearbyint(twips::fromPixels(width()) - 560.0));
    if (maxWidth == m_wrappedWidth)
        return;
    m_wrappedWidth = maxWidth;
    m_wrapped = wrap(maxWidth);
    m_lines = report::lines(m_wrapped);
}

const QString &ReportArea::wrappedReport() {
    rewrapIfNeeded();
    return m_wrapped;
}

int ReportArea::textHeight() {
    rewrapIfNeeded();
    return twips::fromPixels(static_cast<int>(m_lines.size()) * QFontMetrics(font()).lineSpacing());
}

void ReportArea::paintEvent(QPaintEvent *event) {
    rewrapIfNeeded();
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.lineSpacing();
    const int top = -twips::toPixels(m_origin);
    // Only the lines that reach into the exposed part are drawn.
    const int first = std::max(0, (event->rect().top() - top) / lineHeight);
    const int last = std::min<int>(m_lines.size() - 1, (event->rect().bottom() - top) / lineHeight);
    for (int i = first; i <= last; ++i)
        painter.drawText(0, top + i * lineHeight + metrics.ascent(), m_lines[i]);
}

void ReportArea::setAllSelected(bool selected) {
    if (selected == m_allSelected)
        return;
    m_allSelected = selected;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, selected ? colours.color(QPalette::Highlight) : Qt::white);
    colours.setColor(QPalette::WindowText,
                     selected ? colours.color(QPalette::HighlightedText) : Qt::black);
    setPalette(colours);
    ReportAccessible::followSelection(this);
}
