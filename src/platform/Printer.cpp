#include "Printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace printing {
namespace {
bool &noPrinter() {
    static bool none = false;
    return none;
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

void setNoPrinterForTesting(bool none) {
    noPrinter() = none;
}

} // namespace printing
