#pragma once

#include <QAccessibleWidget>

class ReportArea;

// The results report as screen readers read it: the report as wrapped on screen, line by
// line, with the caret at the first line shown and the whole report selected after Ctrl+A.
// The area draws its text itself, so without this a reader would find nothing in it.
class ReportAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReportAccessible(ReportArea *area);

    // Has Qt's accessibility use this interface for every report area.
    static void install();
    // Tells screen readers that the area scrolled: the caret is now on its first line shown.
    static void followScroll(ReportArea *area);
    // Tells screen readers that the whole report was selected, or no longer is.
    static void followSelection(ReportArea *area);

    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    using QAccessibleWidget::text;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    ReportArea *area() const;
    // The lines as drawn, and where each starts in the text (lines joined by line feeds).
    QStringList lines() const;
    static QList<int> lineStarts(const QStringList &lines);
    int lineHeight() const;
    int originPixels() const;
};
