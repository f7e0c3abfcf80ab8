#pragma once

#include <QString>

#include <memory>

class QIODevice;
class QPdfWriter;
class QPrinter;

// Printers for the report: one copy, portrait, A4.
namespace printing {

// The system's default printer, or nullptr when none is installed.
std::unique_ptr<QPrinter> defaultPrinter();
// A PDF document standing in for the printer, written to file (open for writing).
std::unique_ptr<QPdfWriter> pdfWriter(QIODevice *file);

// Testing: pretend no printer is installed, so every print goes the PDF way.
void setNoPrinterForTesting(bool none);

} // namespace printing
