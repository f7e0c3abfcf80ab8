#include "Printer.h"

#include "Design.h"
#include "MessageBox.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

namespace printing {
namespace {
bool &noPrinter() {
    static bool none = false;
    return none;
}

int &progressDelay() {
    static int milliseconds = 500;
    return milliseconds;
}

std::unique_ptr<QPrinter> prepared(std::unique_ptr<QPrinter> printer) {
    printer->setCopyCount(1);
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}
} // namespace

std::unique_ptr<QPrinter> defaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (noPrinter() || info.isNull())
        return nullptr;
    return prepared(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
}

std::unique_ptr<QPdfWriter> pdfWriter(QIODevice *file) {
    auto writer = std::make_unique<QPdfWriter>(file);
    writer->setPageOrientation(QPageLayout::Portrait);
    writer->setPageSize(QPageSize(QPageSize::A4));
    return writer;
}

std::unique_ptr<QProgressDialog> progressDialog(QWidget *window, const QString &doing, int steps) {
    auto progress =
        std::make_unique<QProgressDialog>(doing, design::uiText("キャンセル"), 0, steps, window);
    progress->setObjectName(QStringLiteral("printProgress"));
    progress->setWindowTitle(messagebox::applicationTitle());
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(progressDelay());
    progress->setValue(0);
    return progress;
}

void setNoPrinterForTesting(bool none) {
    noPrinter() = none;
}

void setProgressDelayForTesting(int milliseconds) {
    progressDelay() = milliseconds;
}

} // namespace printing
