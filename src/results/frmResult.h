#pragma once

#include <QDialog>

class Module1;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollBar;
class ReportArea;

// The results window: the counts and score of the run and the report of every question not
// answered correctly, which can be scrolled and printed. It changes nothing in the shared
// state.
class frmResult : public QDialog {
    Q_OBJECT
public:
    explicit frmResult(Module1 &state, QWidget *parent = nullptr);

    QLabel *Label1[6] = {};
    QPushButton *Command1 = nullptr;
    ReportArea *Image1 = nullptr;
    QScrollBar *VScroll1 = nullptr;

    // The unwrapped report, built at load.
    QString ReportText;

public slots:
    void Command1_Click();
    void VScroll1_Change(int value);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Layout();
    bool printReport(QPrinter &printer);
    void saveAsPdf(const QString &problem);

    Module1 &m_state;
    bool m_loaded = false;
};
