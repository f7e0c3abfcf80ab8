#pragma once

#include <QString>

#include <memory>

class QPrinter;

// Printers for the report: one copy, portrait, A4.
namespace printing {

// The system's default printer, or nullptr when none is installed.
std::unique_ptr<QPrinter> defaultPrinter();
// A PDF file standing in for the printer.
std::unique_ptr<QPrinter> pdfFile(const QString &path);

// Testing: pretend no printer is installed, so every print goes the PDF way.
void setNoPrinterForTesting(bool none);

} // namespace printing
