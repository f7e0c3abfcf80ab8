#include "frmResult.h"
#include "Design.h"

#include "FileDialog.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "Module1.h"
#include "Printer.h"
#include "Report.h"
#include "ReportArea.h"
#include "frmMain.h"

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

// Label index, title and design geometry of the six summary labels.
struct SummaryLabel {
    int index;
    const char *title;
    int left, width;
};
constexpr SummaryLabel kLabels[] = {{5, "問題数", 210, 1065},      {0, "総正解数は", 1575, 1365},
                                    {1, "4択問題", 2940, 1095},    {2, "○×問題", 4035, 1065},
                                    {3, "未回答問題", 5460, 1230}, {4, "総得点", 6825, 1230}};
} // namespace

frmResult::frmResult(Module1 &state, QWidget *parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmResult"));
    setWindowTitle(text("結果"));
    setSizeGripEnabled(true);
    for (const SummaryLabel &l : kLabels) {
        Label1[l.index] = place(new QLabel(this), QStringLiteral("Label1_%1").arg(l.index), l.left,
                                135, l.width, 555);
        Label1[l.index]->setFont(fonts::proportionalGothic(11.25));
        Label1[l.index]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    Command1 =
        place(new QPushButton(text("印刷"), this), QStringLiteral("Command1"), 8235, 135, 825, 555);
    Image1 = place(new ReportArea(this), QStringLiteral("Image1"), 135, 945, 8685, 4515);
    VScroll1 =
        place(new QScrollBar(Qt::Vertical, this), QStringLiteral("VScroll1"), 8820, 945, 285, 420);
    VScroll1->setMinimum(0);
    VScroll1->setMaximum(0);
    VScroll1->setPageStep(720);
    resize(twips::toPixels(9165), twips::toPixels(5535));
    connect(Command1, &QPushButton::clicked, this, &frmResult::Command1_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmResult::VScroll1_Change);
    Image1->installEventFilter(this);
    Form_Load();
}

void frmResult::Form_Load() {
    const QString section = m_state.MainForm ? m_state.MainForm->Combo1->currentText() : QString();
    const report::Outcome outcome = report::evaluate(m_state, section);
    ReportText = outcome.text;
    const report::Counts &c = outcome.counts;
    const qint32 figures[6] = {c.totalCorrect(), c.fourChoiceCorrect, c.trueFalseCorrect,
                               c.unanswered(),   c.score(),           m_state.QuestionCount};
    for (const SummaryLabel &l : kLabels)
        Label1[l.index]->setText(text(l.title) + QStringLiteral("\r\n") +
                                 QString::number(figures[l.index]));
    VScroll1->setSingleStep(static_cast<int>(std::nearbyint(Image1->font().pointSizeF() * 20)));
    Image1->setReportText(ReportText);
}

// The wheel over the report and the paging keys scroll it as the scroll bar does.
bool frmResult::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Image1 && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(VScroll1, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmResult::keyPressEvent(QKeyEvent *event) {
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
    VScroll1->triggerAction(actions.value(event->key()));
}

void frmResult::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Form_Layout();
}

void frmResult::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    Form_Layout();
}

void frmResult::Form_Layout() {
    if (!isMinimized()) {
        const QSize outer = design::outerGeometry(this).size();
        const int areaHeight = std::max(0, twips::fromPixels(outer.height()) - 1400);
        const int areaWidth = std::max(0, twips::fromPixels(outer.width()) - 635);
        Image1->resize(twips::toPixels(areaWidth), twips::toPixels(areaHeight));
        VScroll1->setGeometry(Image1->x() + Image1->width() + twips::toPixels(10), Image1->y(),
                              VScroll1->width(), Image1->height());
    }
    Image1->update();
    // A report shorter than the area cannot scroll: the text never moves below the top.
    const int overflow = Image1->textHeight() - twips::fromPixels(Image1->height());
    VScroll1->setMaximum(std::max(overflow, 0));
}

void frmResult::VScroll1_Change(int value) {
    Image1->setOrigin(value);
}

void frmResult::closeEvent(QCloseEvent *event) {
    ReportText.clear();
    QDialog::closeEvent(event);
}

// Prints the wrapped report in a 10-point font, page after page; false when it failed.
bool frmResult::printReport(QPrinter &printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setFont(fonts::fixedGothic(10));
    const int pageWidth =
        static_cast<int>(printer.pageLayout().paintRect(QPageLayout::Point).width() * 20);
    const QStringList lines = report::lines(Image1->wrap(pageWidth - 324));
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

void frmResult::Command1_Click() {
    std::unique_ptr<QPrinter> printer = printing::defaultPrinter();
    if (printer && printReport(*printer))
        return;
    saveAsPdf(printer ? text("印刷できませんでした。") : text("プリンタが見つかりません。"));
}

// When printing is not possible the same pages can go to a PDF file.
void frmResult::saveAsPdf(const QString &problem) {
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
