#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

class LineMeasure;

// The results window's report area: the report wrapped to the area's width and drawn from
// the scroll position down, on white.
class ReportArea : public QWidget {
    Q_OBJECT
public:
    explicit ReportArea(QWidget *parent = nullptr);
    ~ReportArea() override;

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

signals:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void rewrapIfNeeded();
    LineMeasure &lineMeasure() const;

    QString m_text;
    // Made for the area's font when a line is first measured.
    mutable std::unique_ptr<LineMeasure> m_measure;
    int m_origin = 0;
    int m_wrappedWidth = -1;
    QString m_wrapped;
    QList<qsizetype> m_lineStarts; // of m_wrapped
    bool m_allSelected = false;
};
