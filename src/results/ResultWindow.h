#pragma once

#include "PrintPages.h"

#include <QDialog>

class QuizState;
class QLabel;
class QPagedPaintDevice;
class QPushButton;
class QScrollBar;
class ReportArea;

// The results window: the counts and score of the run and the report of every question not
// answered correctly, which can be scrolled and printed. It changes nothing in the shared
// state.
class ResultWindow : public QDialog {
    Q_OBJECT
public:
    // section: the name the report and the printed heading give the run.
    ResultWindow(QuizState &state, const QString &section, QWidget *parent = nullptr);

    // The figures of the run, each under its title.
    struct SummaryLabels {
        QLabel *questionCount = nullptr;
        QLabel *totalCorrect = nullptr;
        QLabel *fourChoiceCorrect = nullptr;
        QLabel *trueFalseCorrect = nullptr;
        QLabel *unanswered = nullptr;
        QLabel *score = nullptr;
    };

    // The unwrapped report, built at load.
    const QString &reportText() const { return m_reportText; }
    // The learner asked to answer again the questions the report lists.
    bool retryRequested() const { return m_retryRequested; }
    // The questions the report lists, by index into the run's questions.
    const QList<qsizetype> &listedQuestions() const { return m_listed; }

public slots:
    void printReportOrPdf();
    void saveReportAsPdf();
    // Qt's print preview of the report's pages.
    void previewReport();
    void scrollReport(int value);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls, each named (objectName) as here.
    SummaryLabels summary;
    QPushButton *printButton = nullptr;
    QPushButton *retryButton = nullptr;
    QPushButton *pdfButton = nullptr;
    QPushButton *progressButton = nullptr;
    ReportArea *reportArea = nullptr;
    QScrollBar *reportScrollBar = nullptr;

    void addCopyKeys();
    void zoomReport(double points);
    void showOutcome();
    void showReport();
    void layOut();
    printing::Printed printReport(QPagedPaintDevice &device, const QString &doing);
    QString pdfName() const;

    QuizState &m_state;
    bool m_loaded = false;
    bool m_retryRequested = false;
    QList<qsizetype> m_listed;
    QString m_section;
    QString m_reportText;
    QString m_heading; // the first line on paper
};
