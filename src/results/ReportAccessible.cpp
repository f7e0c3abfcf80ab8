#include "ReportAccessible.h"

#include "Report.h"
#include "ReportArea.h"
#include "Twips.h"

#include <QAccessible>
#include <QFontMetrics>

#include <algorithm>

namespace {
QAccessibleInterface *createForReportArea(const QString &className, QObject *object) {
    if (className == QLatin1String("ReportArea") && object && object->isWidgetType())
        return new ReportAccessible(static_cast<ReportArea *>(object));
    return nullptr;
}
} // namespace

ReportAccessible::ReportAccessible(ReportArea *area)
    : QAccessibleWidget(area, QAccessible::EditableText) {
    // A screen reader hears a selection the keyboard makes (Ctrl+A) as it hears one it makes.
    QObject::connect(area, &ReportArea::selectionChanged, area, [area] { followSelection(area); });
}

void ReportAccessible::install() {
    QAccessible::installFactory(createForReportArea); // once: Qt skips a known factory
}

void ReportAccessible::followScroll(ReportArea *area) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *report = QAccessible::queryAccessibleInterface(area);
    QAccessibleTextCursorEvent moved(area, report->textInterface()->cursorPosition());
    QAccessible::updateAccessibility(&moved);
}

void ReportAccessible::followSelection(ReportArea *area) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *report = QAccessible::queryAccessibleInterface(area);
    int start = 0, end = 0;
    if (report->textInterface()->selectionCount() > 0)
        report->textInterface()->selection(0, &start, &end);
    QAccessibleTextSelectionEvent selected(area, start, end);
    QAccessible::updateAccessibility(&selected);
}

QAccessible::State ReportAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

void *ReportAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

ReportArea *ReportAccessible::area() const {
    return static_cast<ReportArea *>(widget());
}

QStringList ReportAccessible::lines() const {
    return report::lines(area()->wrappedReport());
}

QList<int> ReportAccessible::lineStarts(const QStringList &lines) {
    QList<int> starts;
    int start = 0;
    for (const QString &line : lines) {
        starts.append(start);
        start += static_cast<int>(line.size()) + 1;
    }
    return starts;
}

int ReportAccessible::lineHeight() const {
    return QFontMetrics(area()->font()).lineSpacing();
}

int ReportAccessible::originPixels() const {
    return twips::toPixels(area()->origin());
}

QString ReportAccessible::text(int startOffset, int endOffset) const {
    const QString whole = lines().join(QLatin1Char('\n'));
    startOffset = std::clamp(startOffset, 0, static_cast<int>(whole.size()));
    endOffset = endOffset < 0 ? static_cast<int>(whole.size()) : endOffset;
    return whole.mid(startOffset, std::max(0, endOffset - startOffset));
}

int ReportAccessible::characterCount() const {
    const QStringList all = lines();
    return all.isEmpty() ? 0 : lineStarts(all).constLast() + static_cast<int>(all.last().size());
}

// The caret stands at the start of the first line shown, so that reading on from the caret
// reads what the window shows.
int ReportAccessible::cursorPosition() const {
    const QStringList all = lines();
    if (all.isEmpty())
        return 0;
    const int top = std::clamp(originPixels() / lineHeight(), 0, static_cast<int>(all.size()) - 1);
    return lineStarts(all).at(top);
}

// The report moves with its scroll bar only.
void ReportAccessible::setCursorPosition(int) {}
void ReportAccessible::scrollToSubstring(int, int) {}

void ReportAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const {
    const bool all = selectionIndex == 0 && area()->allSelected();
    *startOffset = 0;
    *endOffset = all ? characterCount() : 0;
}

int ReportAccessible::selectionCount() const {
    return area()->allSelected() ? 1 : 0;
}

// Only the whole report can be selected, as with Ctrl+A.
void ReportAccessible::addSelection(int startOffset, int endOffset) {
    if (startOffset <= 0 && endOffset >= characterCount())
        area()->setAllSelected(true);
}

void ReportAccessible::removeSelection(int) {
    area()->setAllSelected(false);
}

void ReportAccessible::setSelection(int, int startOffset, int endOffset) {
    area()->setAllSelected(false);
    addSelection(startOffset, endOffset);
}

QRect ReportAccessible::characterRect(int offset) const {
    const QStringList all = lines();
    const QList<int> starts = lineStarts(all);
    if (all.isEmpty() || offset < 0)
        return {};
    const auto line = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), offset) -
                                       starts.begin() - 1);
    const QString &text = all.at(line);
    const int column = std::min(offset - starts.at(line), static_cast<int>(text.size()));
    const QFontMetrics metrics(area()->font());
    const QRect local(
        metrics.horizontalAdvance(text.left(column)), line * lineHeight() - originPixels(),
        column < text.size() ? metrics.horizontalAdvance(text.at(column)) : 1, lineHeight());
    return {area()->mapToGlobal(local.topLeft()), local.size()};
}

int ReportAccessible::offsetAtPoint(const QPoint &point) const {
    const QPoint local = area()->mapFromGlobal(point);
    const QStringList all = lines();
    const int line = (local.y() + originPixels()) / lineHeight();
    if (local.y() < 0 || line >= all.size())
        return -1;
    const QString &text = all.at(line);
    const QFontMetrics metrics(area()->font());
    int column = 0;
    while (column < text.size() && metrics.horizontalAdvance(text.left(column + 1)) <= local.x())
        ++column;
    return lineStarts(all).at(line) + column;
}

QString ReportAccessible::attributes(int offset, int *startOffset, int *endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}
