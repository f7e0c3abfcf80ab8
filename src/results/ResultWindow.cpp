#include "ResultWindow.h"
#include "Design.h"

#include "FileDialog.h"
#include "Fonts.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "Printer.h"
#include "ProgressWindow.h"
#include "QuizState.h"
#include "Report.h"
#include "ReportArea.h"
#include "Sections.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

#include <cmath>

using design::place;
using design::text;

namespace {

// The summary labels from left to right: title and design geometry.
struct SummaryLabel {
    QLabel *ResultWindow::SummaryLabels::*label;
    const char *name;
    const char *title;
    int left, width;
};
using Labels = ResultWindow::SummaryLabels;
constexpr SummaryLabel kLabels[] = {
    {&Labels::questionCount, "questionCountLabel", "問題数", 210, 1065},
    {&Labels::totalCorrect, "totalCorrectLabel", "総正解数は", 1575, 1365},
    {&Labels::fourChoiceCorrect, "fourChoiceCorrectLabel", "4択問題", 2940, 1095},
    {&Labels::trueFalseCorrect, "trueFalseCorrectLabel", "○×問題", 4035, 1065},
    {&Labels::unanswered, "unansweredLabel", "未回答問題", 5460, 1230},
    {&Labels::score, "scoreLabel", "総得点", 6825, 1230}};
} // namespace

ResultWindow::ResultWindow(QuizState &state, QWidget *parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("ResultWindow"));
    setWindowTitle(text("結果"));
    setSizeGripEnabled(true);
    for (const SummaryLabel &l : kLabels) {
        QLabel *label = place(new QLabel(this), l.name, l.left, 135, l.width, 555);
        label->setFont(fonts::proportionalGothic(11.25));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        summary.*l.label = label;
    }
    printButton = place(new QPushButton(text("印刷"), this), QStringLiteral("printButton"), 8235,
                        135, 825, 555);
    progressButton = place(new QPushButton(text("成績の推移"), this),
                           QStringLiteral("progressButton"), 9150, 135, 1215, 555);
    reportArea = place(new ReportArea(this), QStringLiteral("reportArea"), 135, 945, 8685, 4515);
    reportScrollBar = place(new QScrollBar(Qt::Vertical, this), QStringLiteral("reportScrollBar"),
                            8820, 945, 285, 420);
    reportScrollBar->setMinimum(0);
    reportScrollBar->setMaximum(0);
    reportScrollBar->setPageStep(720);
    resize(twips::toPixels(9165 + 1305), twips::toPixels(5535)); // wider by 成績の推移
    connect(printButton, &QPushButton::clicked, this, &ResultWindow::printReportOrPdf);
    connect(reportScrollBar, &QScrollBar::valueChanged, this, &ResultWindow::scrollReport);
    connect(progressButton, &QPushButton::clicked, this, [this] {
        progress::showWindow(this, sections::sectionOfFile(m_state.currentQuizFile));
    });
    reportArea->installEventFilter(this);
    showOutcome();
}

void ResultWindow::showOutcome() {
    const QString section =
        m_state.mainWindow ? m_state.mainWindow->sectionBox->currentText() : QString();
    const report::Outcome outcome = report::evaluate(m_state, section);
    reportText = outcome.text;
    const report::Counts &c = outcome.counts;
    const QHash<QLabel *, qint32> figures = {{summary.questionCount, m_state.questionCount},
                                             {summary.totalCorrect, c.totalCorrect()},
                                             {summary.fourChoiceCorrect, c.fourChoiceCorrect},
                                             {summary.trueFalseCorrect, c.trueFalseCorrect},
                                             {summary.unanswered, c.unanswered()},
                                             {summary.score, c.score()}};
    for (const SummaryLabel &l : kLabels) {
        QLabel *label = summary.*l.label;
        label->setText(text(l.title) + QStringLiteral("\r\n") +
                       QString::number(figures.value(label)));
    }
    reportScrollBar->setSingleStep(
        static_cast<int>(std::nearbyint(reportArea->font().pointSizeF() * 20)));
    reportArea->setReportText(reportText);
}

// The wheel over the report and the paging keys scroll it as the scroll bar does.
bool ResultWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == reportArea && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(reportScrollBar, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ResultWindow::keyPressEvent(QKeyEvent *event) {
    const QHash<int, QAbstractSlider::SliderAction> actions = {
        {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
        {Qt::Key_End, QAbstractSlider::SliderToMaximum}};
    if (!actions.contains(event->key()) || event->modifiers() != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    reportScrollBar->triggerAction(actions.value(event->key()));
}

void ResultWindow::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    runRecord.appendOnce(this, m_state);
    layOut();
}

void ResultWindow::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    layOut();
}

void ResultWindow::layOut() {
    if (!isMinimized()) {
        const QSize outer = design::outerGeometry(this).size();
        const int areaHeight = std::max(0, twips::fromPixels(outer.height()) - 1400);
        const int areaWidth = std::max(0, twips::fromPixels(outer.width()) - 635);
        reportArea->resize(twips::toPixels(areaWidth), twips::toPixels(areaHeight));
        reportScrollBar->setGeometry(reportArea->x() + reportArea->width() + twips::toPixels(10),
                                     reportArea->y(), reportScrollBar->width(),
                                     reportArea->height());
    }
    reportArea->update();
    // A report shorter than the area cannot scroll: the text never moves below the top.
    const int overflow = reportArea->textHeight() - twips::fromPixels(reportArea->height());
    reportScrollBar->setMaximum(std::max(overflow, 0));
}

void ResultWindow::scrollReport(int value) {
    reportArea->setOrigin(value);
}

void ResultWindow::closeEvent(QCloseEvent *event) {
    reportText.clear();
    QDialog::closeEvent(event);
}

// Prints the wrapped report in a 10-point font, page after page; false when it failed.
bool ResultWindow::printReport(QPrinter &printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(fonts::fixedGothic(10));
    const int pageWidth =
        static_cast<int>(printer.pageLayout().paintRect(QPageLayout::Point).width() * 20);
    const QStringList lines = report::lines(reportArea->wrap(pageWidth - 324));
    const QFontMetrics metrics = painter.fontMetrics();
    const int pageHeight = painter.window().height();
    int y = 0;
    for (const QString &line : lines) {
        if (y + metrics.lineSpacing() > pageHeight) {
            if (!printer.newPage())
                return false;
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += metrics.lineSpacing();
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

void ResultWindow::printReportOrPdf() {
    std::unique_ptr<QPrinter> printer = printing::defaultPrinter();
    if (printer && printReport(*printer))
        return;
    saveAsPdf(printer ? text("印刷できませんでした。") : text("プリンタが見つかりません。"));
}

// When printing is not possible the same pages can go to a PDF file.
void ResultWindow::saveAsPdf(const QString &problem) {
    if (messagebox::show(this, problem + text("\r\n代わりに PDF ファイルとして保存しますか？"),
                         messagebox::applicationTitle(),
                         messagebox::Buttons::YesNo) != messagebox::Answer::Yes)
        return;
    const QString path = filedialog::saveFile(this, text("PDF ファイルとして保存"),
                                              text("PDF ファイル (*.pdf)|*.pdf"), QString());
    if (path.isEmpty())
        return;
    std::unique_ptr<QPrinter> pdf = printing::pdfFile(path);
    if (!printReport(*pdf))
        messagebox::show(this, text("%1 に保存できませんでした。").arg(path),
                         messagebox::applicationTitle());
}
