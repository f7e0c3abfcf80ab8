#pragma once

#include "History.h"

#include <QDateTime>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QPolygonF>
#include <QWidget>

#include <array>

class QPainter;

namespace progress {
// "全問", "再挑戦", "復習" or "練習", as the chart's legend and the table name the kinds of run.
QString kindName(history::RunKind kind);

// The series' colours: a blue, a vermilion, a green and a purple that readers with any colour
// vision tell apart, each above 3:1 against the white of the chart.
inline constexpr QRgb kFullRunColour = qRgb(0, 114, 178);
inline constexpr QRgb kRetryRunColour = qRgb(213, 94, 0);
inline constexpr QRgb kReviewRunColour = qRgb(0, 136, 100);
inline constexpr QRgb kPracticeRunColour = qRgb(170, 51, 119);

// Round values from low or below to high or above, four steps at most (0, 25, 50, 75, 100;
// -50, 0, 50, 100), as a spreadsheet's chart would mark its axis.
QList<double> percentTicks(double low, double high);

// Local midnights within [from, to], a whole number of days apart and at most maxTicks of
// them, so that each date is written once, under the start of its day.
QList<QDateTime> dayTicks(const QDateTime &from, const QDateTime &to, int maxTicks);

// The points of a line, in order, with only the first, highest, lowest and last of those in
// each column columnWidth wide (a pixel): the line through them covers the same pixels, and a
// line through thousands of runs is drawn as fast as one through a few hundred.
QPolygonF thinnedToColumns(const QPolygonF &line, double columnWidth);

// Strokes the line with the painter's pen a piece at a time: the outline of a stroke that
// crosses itself at every point takes long to fill (seconds for a few thousand points), pieces
// of a few dozen points take milliseconds all told. The pieces meet in the middle of a segment
// longer than the pen is wide, each one's square end within that segment, which the other
// covers: together they cover what the whole line would.
void strokeInPieces(QPainter &painter, const QPolygonF &line);
} // namespace progress

// The score as a percentage of the maximum over time: a line for each kind of run (full runs,
// retries, reviews, practice), against the date below and the percentage on the left.
class ProgressChart : public QWidget {
    Q_OBJECT
public:
    explicit ProgressChart(QWidget *parent = nullptr);

    // Runs with nothing to score are left out.
    void setRuns(const QList<history::Entry> &oldestFirst);
    // Milliseconds since the epoch against the percentage, oldest first.
    QList<QPointF> points(history::RunKind kind) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct Range {
        double low = 0;
        double high = 1;
    };

    void draw(QPainter &painter) const;
    // Each draws in room and returns what is left below.
    QRectF drawTitleAndLegend(QPainter &painter, QRectF room) const;
    QRectF drawAxes(QPainter &painter, QRectF room) const;
    void drawLines(QPainter &painter, const QRectF &plot) const;
    QPointF placed(QPointF point, const QRectF &plot) const;
    Range percentRange() const { return {m_percentTicks.first(), m_percentTicks.last()}; }

    std::array<QList<QPointF>, 4> m_points; // by kind of run
    Range m_time;
    QList<double> m_percentTicks{0, 25, 50, 75, 100};
    QPixmap m_drawn; // the chart as last drawn, empty when it is to be drawn again
};
