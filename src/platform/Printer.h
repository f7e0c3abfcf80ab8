#pragma once

#include <QString>

#include <memory>

class QIODevice;
class QPdfWriter;
class QPrinter;
class QProgressDialog;
class QWidget;

// Printers for the report: one copy, portrait, A4.
namespace printing {

// The system's default printer, or nullptr when none is installed.
std::unique_ptr<QPrinter> defaultPrinter();
// A PDF document standing in for the printer, written to file (open for writing).
std::unique_ptr<QPdfWriter> pdfWriter(QIODevice *file);

// The progress of printing `steps` steps, window-modal over window with a Cancel button; it
// appears once the work looks like taking longer than half a second.
std::unique_ptr<QProgressDialog> progressDialog(QWidget *window, const QString &doing, int steps);

// Testing: pretend no printer is installed, so every print goes the PDF way.
void setNoPrinterForTesting(bool none);
// Testing: how long printing runs before its progress appears (at the first page with 0).
void setProgressDelayForTesting(int milliseconds);

} // namespace printing
