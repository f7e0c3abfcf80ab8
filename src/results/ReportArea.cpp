#include "ReportArea.h"

#include "Fonts.h"
#include "LineMeasure.h"
#include "Report.h"
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

ReportArea::~ReportArea() = default;

void ReportArea::setReportText(const QString &text) {
    m_text = text;
    m_measure.reset();
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

namespace {
int inTwips(qreal pixels, int dpi) {
    return static_cast<int>(std::nearbyint(pixels * 1440.0 / dpi));
}
} // namespace

int ReportArea::measure(const QString &line) const {
    return inTwips(lineMeasure().widest(line), logicalDpiX());
}

QString ReportArea::wrap(int maxWidth) const {
    LineMeasure &lines = lineMeasure();
    const int dpi = logicalDpiX();
    return report::wrapReport(m_text, maxWidth, em(), [&lines, dpi](const QString &line) {
        return inTwips(lines.widest(line), dpi);
    });
}

LineMeasure &ReportArea::lineMeasure() const {
    if (!m_measure)
        m_measure = std::make_unique<LineMeasure>(font());
    return *m_measure;
}

// The whole report is wrapped once per width and text; painting then only draws.
void ReportArea::rewrapIfNeeded() {
    const int maxWidth = static_cast<int>(std::nearbyint(twips::fromPixels(width()) - 560.0));
    if (maxWidth == m_wrappedWidth)
        return;
    m_wrappedWidth = maxWidth;
    m_wrapped = wrap(maxWidth);
    m_lineStarts = report::lineStarts(m_wrapped);
}

const QString &ReportArea::wrappedReport() {
    rewrapIfNeeded();
    return m_wrapped;
}

int ReportArea::textHeight() {
    rewrapIfNeeded();
    return twips::fromPixels(static_cast<int>(m_lineStarts.size()) *
                             QFontMetrics(font()).lineSpacing());
}

void ReportArea::changeEvent(QEvent *event) {
    if (event->type() == QEvent::FontChange) {
        m_measure.reset();
        m_wrappedWidth = -1;
    }
    QWidget::changeEvent(event);
}

void ReportArea::paintEvent(QPaintEvent *event) {
    rewrapIfNeeded();
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.lineSpacing();
    const int top = -twips::toPixels(m_origin);
    // Only the lines that reach into the exposed part are drawn.
    const int first = std::max(0, (event->rect().top() - top) / lineHeight);
    const int last =
        std::min<int>(m_lineStarts.size() - 1, (event->rect().bottom() - top) / lineHeight);
    for (int i = first; i <= last; ++i)
        painter.drawText(0, top + i * lineHeight + metrics.ascent(),
                         report::lineAt(m_wrapped, m_lineStarts, i).toString());
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
    emit selectionChanged();
}
