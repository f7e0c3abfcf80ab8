#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>

// The results window's report area: the report wrapped to the area's width and drawn from
// the scroll position down, on white.
class ReportArea : public QWidget {
    Q_OBJECT
public:
    explicit ReportArea(QWidget *parent = nullptr);

    void setReportText(const QString &text);
    // Moves the text up by this many twips.
    void setOrigin(int twips);
    int origin() const { return m_origin; }

    // The report as wrapped for the area's present width (rewrapped when it changed).
    const QString &wrappedReport();
    // Height of the wrapped report in the area's font, in twips.
    int textHeight();
    // em of the area's font in twips: its size in points x 20.
    int em() const;
    // Width of a line in the area's font, in twips: its widest physical line.
    int measure(const QString &line) const;
    // The wrapped text for any width, measured in the area's font (also for printing).
    QString wrap(int maxWidth) const;

    // The whole report selected (Ctrl+A), shown in the selection's colours.
    void setAllSelected(bool selected);
    bool allSelected() const { return m_allSelected; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void rewrapIfNeeded();

    QString m_text;
    // Line widths do not depend on the area's width: measured once, they serve every rewrap.
    mutable QHash<QString, int> m_widths;
    int m_origin = 0;
    int m_wrappedWidth = -1;
    QString m_wrapped;
    QStringList m_lines;
    bool m_allSelected = false;
};
