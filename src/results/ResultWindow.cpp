#include "ResultWindow.h"
#include "Accessibility.h"
#include "Design.h"

#include "FileDialog.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "PrintPages.h"
#include "Printer.h"
#include "ProgressWindow.h"
#include "QuizState.h"
#include "Report.h"
#include "ReportAccessible.h"
#include "ReportArea.h"
#include "Sections.h"
#include "Settings.h"
#include "Zoom.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QShowEvent>
#include <QStandardPaths>

#include <cmath>

using design::placeTwips;
using design::uiText;

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

// The row of buttons for what comes after a run, between the figures and the report.
constexpr int kActionsTop = 765, kActionsHeight = 375;
constexpr int kReportTop = kActionsTop + kActionsHeight + 90;
} // namespace

ResultWindow::ResultWindow(QuizState &state, const QString &section, QWidget *parent)
    : QDialog(parent), m_state(state), m_section(section) {
    setObjectName(QStringLiteral("ResultWindow"));
    setWindowTitle(uiText("結果"));
    setSizeGripEnabled(true);
    for (const SummaryLabel &l : kLabels) {
        QLabel *label = placeTwips(new QLabel(this), l.name, l.left, 135, l.width, 555);
        label->setFont(fonts::proportionalGothic(11.25));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        summary.*l.label = label;
    }
    printButton = placeTwips(new QPushButton(uiText("印刷(&P)"), this),
                             QStringLiteral("printButton"), 8235, 135, 825, 555);
    retryButton = placeTwips(new QPushButton(uiText("間違えた問題を再挑戦(&R)"), this),
                             QStringLiteral("retryButton"), 135, kActionsTop, 2400, kActionsHeight);
    pdfButton = placeTwips(new QPushButton(uiText("PDF に保存(&F)"), this),
                           QStringLiteral("pdfButton"), 2640, kActionsTop, 1500, kActionsHeight);
    reportArea =
        placeTwips(new ReportArea(this), QStringLiteral("reportArea"), 135, kReportTop, 8685, 4515);
    progressButton =
        placeTwips(new QPushButton(uiText("成績の推移(&G)"), this),
                   QStringLiteral("progressButton"), 4245, kActionsTop, 1500, kActionsHeight);
    reportScrollBar = placeTwips(new QScrollBar(Qt::Vertical, this),
                                 QStringLiteral("reportScrollBar"), 8820, kReportTop, 285, 420);
    reportScrollBar->setMinimum(0);
    reportScrollBar->setMaximum(0);
    reportScrollBar->setPageStep(720);
    reportArea->setFocusPolicy(Qt::StrongFocus); // a screen reader reads it from the caret
    reportScrollBar->setFocusPolicy(Qt::TabFocus);
    ReportAccessible::install();
    accessibility::name({{reportArea, "結果レポート"}, {reportScrollBar, "結果レポートの移動"}});
    resize(twips::toPixels(9165), twips::toPixels(5535 + kReportTop - 945));
    connect(printButton, &QPushButton::clicked, this, &ResultWindow::printReportOrPdf);
    connect(pdfButton, &QPushButton::clicked, this, &ResultWindow::saveReportAsPdf);
    connect(retryButton, &QPushButton::clicked, this, [this] {
        m_retryRequested = true;
        accept();
    });
    connect(reportScrollBar, &QScrollBar::valueChanged, this, &ResultWindow::scrollReport);
    connect(progressButton, &QPushButton::clicked, this, [this] {
        progress::showWindow(this, sections::sectionOfFile(m_state.currentQuizFile),
                             m_state.quizFolder, false);
    });
    reportArea->installEventFilter(this);
    addCopyKeys();
    showOutcome();
    new ZoomKeys(this, [this, points = reportArea->font().pointSizeF()](int percent) {
        zoomReport(zoom::scaled(points, percent));
    });
}

// Ctrl+A selects the whole report and Ctrl+C copies it, unwrapped, for another program.
void ResultWindow::addCopyKeys() {
    auto *selectAll = new QAction(this);
    selectAll->setShortcut(QKeySequence::SelectAll);
    connect(selectAll, &QAction::triggered, this, [this] { reportArea->setAllSelected(true); });
    auto *copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] {
        if (reportArea->allSelected())
            QGuiApplication::clipboard()->setText(
                QString(m_reportText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    });
    addActions({selectAll, copy});
}

// The report is drawn larger or smaller and wrapped again; the figures keep their size.
void ResultWindow::zoomReport(double points) {
    if (points == reportArea->font().pointSizeF())
        return;
    reportArea->setFont(fonts::fixedGothic(points));
    showReport(); // measured and wrapped again in the new font
    layOut();
}

void ResultWindow::showOutcome() {
    const report::Outcome outcome = report::evaluate(m_state, m_section);
    m_reportText = outcome.text;
    m_heading = uiText("%1　%2　得点 %3 / %4")
                    .arg(m_section.isEmpty() ? uiText("結果") : m_section,
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd H:mm")))
                    .arg(outcome.counts.score())
                    .arg(outcome.counts.maxScore());
    m_listed = outcome.listed;
    retryButton->setEnabled(!m_listed.isEmpty());
    const report::Counts &c = outcome.counts;
    const QHash<QLabel *, qint32> figures = {{summary.questionCount, m_state.questionCount},
                                             {summary.totalCorrect, c.totalCorrect()},
                                             {summary.fourChoiceCorrect, c.fourChoiceCorrect},
                                             {summary.trueFalseCorrect, c.trueFalseCorrect},
                                             {summary.unanswered, c.unanswered()},
                                             {summary.score, c.score()}};
    for (const SummaryLabel &l : kLabels) {
        QLabel *label = summary.*l.label;
        const QString figure = QString::number(figures.value(label));
        label->setText(uiText(l.title) + QStringLiteral("\r\n") + figure);
        // Heard, the score also says what it is out of, as the heading shows it.
        const QString heard =
            label == summary.score ? uiText("%1 / 満点 %2").arg(figure).arg(c.maxScore()) : figure;
        accessibility::nameFigure(label, uiText(l.title), heard);
    }
    showReport();
}

// One line of text a step, in the area's font.
void ResultWindow::showReport() {
    reportScrollBar->setSingleStep(
        static_cast<int>(std::nearbyint(reportArea->font().pointSizeF() * 20)));
    reportArea->setReportText(m_reportText);
}

// The wheel over the report and the paging keys scroll it as the scroll bar does.
bool ResultWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == reportArea && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(reportScrollBar, event);
        return true;
    }
    if (watched == reportArea && event->type() == QEvent::MouseButtonPress)
        reportArea->setAllSelected(false);
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
    layOut();
}

void ResultWindow::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    layOut();
}

void ResultWindow::layOut() {
    if (!isMinimized()) {
        const QSize outer = design::outerGeometry(this).size();
        const int areaHeight =
            std::max(0, twips::fromPixels(outer.height()) - 1400 - (kReportTop - 945));
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
    ReportAccessible::followScroll(reportArea);
}

void ResultWindow::closeEvent(QCloseEvent *event) {
    m_reportText.clear();
    QDialog::closeEvent(event);
}

// Prints the wrapped report, page after page.
printing::Printed ResultWindow::printReport(QPagedPaintDevice &device, const QString &doing) {
    return printing::printLines(this, device, doing, [this, &device](const QPainter &painter) {
        const int pageWidth =
            static_cast<int>(device.pageLayout().paintRect(QPageLayout::Point).width() * 20);
        // Paper is not zoomed: the report is measured as the area measures it at its own size.
        const ReportArea *measuring = reportArea;
        ReportArea unzoomed;
        if (unzoomed.font() != reportArea->font()) {
            unzoomed.setReportText(m_reportText);
            measuring = &unzoomed;
        }
        // Paper carries what the window's title and figures show: whose run, when, the score.
        return QStringList{painter.fontMetrics().elidedText(m_heading, Qt::ElideMiddle,
                                                            painter.window().width()),
                           QString()} +
               report::lines(measuring->wrap(pageWidth - 324));
    });
}

QString ResultWindow::pdfName() const {
    return m_section.isEmpty() ? uiText("結果") : m_section;
}

void ResultWindow::printReportOrPdf() {
    printing::printOrOfferPdf(this, pdfName(),
                              [this](QPagedPaintDevice &device, const QString &doing) {
                                  return printReport(device, doing);
                              });
}

void ResultWindow::saveReportAsPdf() {
    printing::saveAsPdf(this, pdfName(), [this](QPagedPaintDevice &device, const QString &doing) {
        return printReport(device, doing);
    });
}

void ResultWindow::previewReport() {
    std::unique_ptr<QPrinter> printer = printing::defaultPrinter();
    if (!printer) { // the pages as a PDF would have them
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
    }
    QPrintPreviewDialog preview(printer.get(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *pages) {
        printReport(*pages, uiText("印刷ﾌﾟﾚﾋﾞｭｰを作成しています…"));
    });
    preview.exec();
}
