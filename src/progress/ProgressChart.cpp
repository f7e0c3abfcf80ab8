#include "ProgressChart.h"

#include "Design.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

using history::Entry;
using history::RunKind;

namespace {
constexpr double kDay = 24 * 3600 * 1000;

QString dateLabel(double msecs) {
    return QDateTime::fromMSecsSinceEpoch(std::llround(msecs))
        .toString(QStringLiteral("yyyy/MM/dd"));
}

QString percentLabel(double percent) {
    return QString::number(percent, 'f', 0);
}

constexpr int kKinds = 4; // every history::RunKind
enum class Marker { Circle, Square, Diamond, Triangle };
// Each kind's colour and marker shape, so that the lines tell apart in grey too.
constexpr std::array<std::pair<QRgb, Marker>, kKinds> kLooks{{
    {progress::kFullRunColour, Marker::Circle},
    {progress::kRetryRunColour, Marker::Square},
    {progress::kReviewRunColour, Marker::Diamond},
    {progress::kPracticeRunColour, Marker::Triangle},
}};

// One line: its name, its colour and a marker of its own shape.
struct Series {
    QString name;
    QColor colour;
    Marker marker;
    const QList<QPointF> *points;
    double radius; // of the marker; the line is a little thinner than it

    void drawMarker(QPainter &painter, QPointF at) const {
        painter.setPen(colour);
        painter.setBrush(colour);
        const QRectF box(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius);
        switch (marker) {
        case Marker::Circle:
            painter.drawEllipse(box);
            break;
        case Marker::Square:
            painter.drawRect(box);
            break;
        case Marker::Diamond:
            painter.drawPolygon(QPolygonF{
                QPointF(box.center().x(), box.top()), QPointF(box.right(), box.center().y()),
                QPointF(box.center().x(), box.bottom()), QPointF(box.left(), box.center().y())});
            break;
        case Marker::Triangle:
            painter.drawPolygon(QPolygonF{QPointF(box.center().x(), box.top()), box.bottomRight(),
                                          box.bottomLeft()});
            break;
        }
    }
};

// The markers and lines grow with the text, for those who read it larger.
QList<Series> seriesOf(const std::array<QList<QPointF>, 4> &points, const QFont &font) {
    const double radius = std::max(3.5, QFontMetricsF(font).height() / 4.5);
    QList<Series> lines;
    for (int kind = 0; kind < kKinds; ++kind)
        lines.append(Series{progress::kindName(static_cast<RunKind>(kind)),
                            QColor(kLooks[kind].first), kLooks[kind].second, &points[kind],
                            radius});
    return lines;
}
} // namespace

QString progress::kindName(RunKind kind) {
    static const char *const names[] = {"全問", "再挑戦", "復習", "練習"};
    return design::uiText(names[static_cast<int>(kind)]);
}

QList<double> progress::percentTicks(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || low > high)
        return {0, 25, 50, 75, 100};
    for (double scale = 1;; scale *= 10) {
        for (const double unit : {1.0, 2.0, 2.5, 5.0}) {
            const double step = unit * scale;
            const double first = std::floor(low / step) * step;
            const double last = std::ceil(high / step) * step;
            if (last - first > 4 * step)
                continue;
            QList<double> ticks;
            for (double value = first; value <= last + step / 2; value += step)
                ticks.append(value);
            if (ticks.size() < 2)
                ticks.append(first + step);
            return ticks;
        }
    }
}

QList<QDateTime> progress::dayTicks(const QDateTime &from, const QDateTime &to, int maxTicks) {
    QDate first = from.date();
    if (first.startOfDay() < from) // a day's start, also where summer time skips midnight
        first = first.addDays(1);
    const qint64 days = first.daysTo(to.date()) + 1;
    if (days <= 0 || maxTicks < 1)
        return {};
    qint64 step = 1;
    for (const qint64 tried : {1, 2, 3, 7, 14}) {
        step = tried;
        if ((days + step - 1) / step <= maxTicks)
            break;
    }
    while ((days + step - 1) / step > maxTicks)
        step *= 2; // 28, 56, ... days
    QList<QDateTime> ticks;
    for (qint64 day = 0; day < days; day += step)
        ticks.append(first.addDays(day).startOfDay());
    return ticks;
}

QPolygonF progress::thinnedToColumns(const QPolygonF &line, double columnWidth) {
    const auto column = [&](qsizetype i) { return std::floor(line[i].x() / columnWidth); };
    QPolygonF kept;
    for (qsizetype first = 0, last = 0; first < line.size(); first = ++last) {
        qsizetype high = first;
        qsizetype low = first;
        while (last + 1 < line.size() && column(last + 1) == column(first)) {
            ++last;
            high = line[last].y() < line[high].y() ? last : high;
            low = line[last].y() > line[low].y() ? last : low;
        }
        std::array<qsizetype, 4> picked{first, std::min(high, low), std::max(high, low), last};
        const auto end = std::unique(picked.begin(), picked.end());
        for (auto i = picked.begin(); i != end; ++i)
            kept.append(line[*i]);
    }
    return kept;
}

void progress::strokeInPieces(QPainter &painter, const QPolygonF &line) {
    if (line.isEmpty())
        return;
    constexpr int kPiecePoints = 32;
    const double minimumMeeting = painter.pen().widthF() + 2;
    QPainterPath piece(line.first());
    int pieceLength = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QLineF segment(line[std::max<qsizetype>(i - 1, 0)], line[i]);
        if (++pieceLength > kPiecePoints && segment.length() > minimumMeeting) {
            piece.lineTo(segment.center());
            painter.drawPath(piece);
            piece = QPainterPath(segment.center());
            pieceLength = 0;
        }
        piece.lineTo(line[i]);
    }
    painter.drawPath(piece);
}

ProgressChart::ProgressChart(QWidget *parent) : QWidget(parent) {
    setAccessibleName(design::uiText("満点に対する得点の割合 (%)"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void ProgressChart::setRuns(const QList<Entry> &oldestFirst) {
    for (QList<QPointF> &points : m_points)
        points.clear();
    Range percents{0, 100};
    m_time = {};
    for (const Entry &e : oldestFirst) {
        if (const std::optional<double> percent = e.percent()) {
            m_points[static_cast<int>(e.kind)].append(
                QPointF(static_cast<double>(e.when.toMSecsSinceEpoch()), *percent));
            percents.low = std::min(percents.low, *percent);
            percents.high = std::max(percents.high, *percent);
        }
    }
    m_percentTicks = progress::percentTicks(percents.low, percents.high);
    if (!oldestFirst.isEmpty()) {
        // Room on both sides keeps the first and last points clear of the frame.
        const auto first = static_cast<double>(oldestFirst.first().when.toMSecsSinceEpoch());
        const auto last = static_cast<double>(oldestFirst.last().when.toMSecsSinceEpoch());
        const double margin = std::max((last - first) / 20, kDay);
        m_time = {first - margin, last + margin};
    }
    m_drawn = {};
    update();
}

QList<QPointF> ProgressChart::points(RunKind kind) const {
    return m_points[static_cast<int>(kind)];
}

QSize ProgressChart::sizeHint() const {
    return QSize(40, 18) * fontMetrics().averageCharWidth();
}

QSize ProgressChart::minimumSizeHint() const {
    return QSize(24, 12) * fontMetrics().averageCharWidth();
}

// Drawn once into a picture for each size and look, which is shown again until they change.
void ProgressChart::paintEvent(QPaintEvent *) {
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawn.devicePixelRatio() != ratio) {
        m_drawn = QPixmap(size() * ratio);
        m_drawn.setDevicePixelRatio(ratio);
        m_drawn.fill(palette().color(backgroundRole()));
        QPainter painter(&m_drawn);
        draw(painter);
    }
    QPainter(this).drawPixmap(0, 0, m_drawn);
}

void ProgressChart::resizeEvent(QResizeEvent *event) {
    m_drawn = {};
    QWidget::resizeEvent(event);
}

void ProgressChart::changeEvent(QEvent *event) {
    m_drawn = {}; // the palette, font or style may have changed
    QWidget::changeEvent(event);
}

void ProgressChart::draw(QPainter &painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const double gap = QFontMetricsF(font()).height() / 2;
    const QRectF room = drawTitleAndLegend(painter, QRectF(rect()).adjusted(gap, gap, -gap, -gap));
    const QRectF plot = drawAxes(painter, room);
    if (plot.isValid())
        drawLines(painter, plot);
}

QRectF ProgressChart::drawTitleAndLegend(QPainter &painter, QRectF room) const {
    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRectF(room.left(), room.top(), room.width(), line), Qt::AlignCenter,
                     accessibleName());
    room.setTop(room.top() + 1.5 * line);

    // The legend names the lines that have points, centred under the title.
    const QList<Series> lines = seriesOf(m_points, font());
    const auto entryWidth = [&](const Series &s) {
        return 2 * s.radius + line / 4 + metrics.horizontalAdvance(s.name) + line;
    };
    double width = 0;
    for (const Series &s : lines)
        width += s.points->isEmpty() ? 0 : entryWidth(s);
    double left = room.center().x() - width / 2;
    for (const Series &s : lines) {
        if (s.points->isEmpty())
            continue;
        s.drawMarker(painter, QPointF(left + s.radius, room.top() + line / 2));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPointF(left + 2 * s.radius + line / 4, room.top() + metrics.ascent()),
                         s.name);
        left += entryWidth(s);
    }
    room.setTop(room.top() + 1.5 * line);
    return room;
}

// The percentages on the left, the dates below, a grid line at each; the plot is what is left.
QRectF ProgressChart::drawAxes(QPainter &painter, QRectF room) const {
    const QFontMetricsF metrics(font());
    const double line = metrics.height();
    double labelWidth = 0;
    for (const double value : m_percentTicks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(percentLabel(value)));
    const double dateWidth = metrics.horizontalAdvance(dateLabel(m_time.high));
    // The dates are centred under their grid lines, the first and last ones too.
    const double left = std::max(labelWidth + line / 2, dateWidth / 2);
    const QRectF plot(room.left() + left, room.top() + line / 2,
                      room.width() - left - dateWidth / 2, room.height() - 2 * line);
    if (!plot.isValid())
        return plot;
    QColor grid = palette().color(QPalette::Text);
    grid.setAlphaF(0.15);
    const QColor text = palette().color(QPalette::Text);
    for (const double value : m_percentTicks) {
        const double y = placed(QPointF(m_time.low, value), plot).y();
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(
            QRectF(plot.left() - line / 2 - labelWidth, y - line / 2, labelWidth, line),
            Qt::AlignRight | Qt::AlignVCenter, percentLabel(value));
    }
    const int roomForDates = std::max(1, int(plot.width() / (dateWidth + 2 * line)) + 1);
    const auto at = [](double msecs) {
        return QDateTime::fromMSecsSinceEpoch(std::llround(msecs));
    };
    for (const QDateTime &day : progress::dayTicks(at(m_time.low), at(m_time.high), roomForDates)) {
        const auto msecs = static_cast<double>(day.toMSecsSinceEpoch());
        const double x = placed(QPointF(msecs, percentRange().low), plot).x();
        painter.setPen(grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(text);
        painter.drawText(QRectF(x - dateWidth, plot.bottom() + line / 4, 2 * dateWidth, line),
                         Qt::AlignHCenter | Qt::AlignTop, dateLabel(msecs));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    return plot;
}

void ProgressChart::drawLines(QPainter &painter, const QRectF &plot) const {
    const QList<Series> lines = seriesOf(m_points, font());
    const double r = lines[0].radius;
    painter.setClipRect(plot.adjusted(-r, -r, r, r));
    for (const Series &s : lines) {
        if (s.points->isEmpty())
            continue;
        QPolygonF line;
        line.reserve(s.points->size());
        for (const QPointF &p : *s.points)
            line.append(placed(p, plot));
        line = progress::thinnedToColumns(line, 1 / painter.device()->devicePixelRatioF());
        painter.setPen(QPen(s.colour, s.radius * 0.6));
        painter.setBrush(Qt::NoBrush);
        progress::strokeInPieces(painter, line);
        for (const QPointF &p : *s.points)
            s.drawMarker(painter, placed(p, plot));
    }
}

QPointF ProgressChart::placed(QPointF point, const QRectF &plot) const {
    const Range percent = percentRange();
    return {plot.left() + plot.width() * (point.x() - m_time.low) / (m_time.high - m_time.low),
            plot.bottom() -
                plot.height() * (point.y() - percent.low) / (percent.high - percent.low)};
}
