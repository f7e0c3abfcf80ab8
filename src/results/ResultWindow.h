#pragma once

#include "RunRecord.h"

#include <QDialog>

class QuizState;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollBar;
class ReportArea;

// The results window: the counts and score of the run and the report of every question not
// answered correctly, which can be scrolled and printed. It changes nothing in the shared
// state.
class ResultWindow : public QDialog {
    Q_OBJECT
public:
    explicit ResultWindow(QuizState &state, QWidget *parent = nullptr);

    // The figures of the run, each under its title.
    struct SummaryLabels {
        QLabel *questionCount = nullptr;
        QLabel *totalCorrect = nullptr;
        QLabel *fourChoiceCorrect = nullptr;
        QLabel *trueFalseCorrect = nullptr;
        QLabel *unanswered = nullptr;
        QLabel *score = nullptr;
    };
    SummaryLabels summary;
    QPushButton *printButton = nullptr;
    QPushButton *progressButton = nullptr;
    ReportArea *reportArea = nullptr;
    QScrollBar *reportScrollBar = nullptr;

    // The unwrapped report, built at load.
    QString reportText;
    // The run's line in the score history, added when the window is first shown.
    progress::RunRecord runRecord;

public slots:
    void printReportOrPdf();
    void scrollReport(int value);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showOutcome();
    void layOut();
    bool printReport(QPrinter &printer);
    void saveAsPdf(const QString &problem);

    QuizState &m_state;
    bool m_loaded = false;
};
