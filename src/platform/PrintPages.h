#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QWidget;

// Lines of text on paper, or in a PDF file when there is no printer: what the results window
// and the class's figures print.
namespace printing {

enum class Printed { Done, Failed, Cancelled };

// The lines to print, given the painter they are drawn with (its font and page set).
using Lines = std::function<QStringList(const QPainter &painter)>;
// Draws the lines in a 10-point fixed-width font, page after page. Printing that would take
// longer than half a second shows its progress (titled doing) over window and can be
// cancelled.
Printed printLines(QWidget *window, QPagedPaintDevice &device, const QString &doing,
                   const Lines &lines);

// Draws a document's pages on a device.
using Pages = std::function<Printed(QPagedPaintDevice &device, const QString &doing)>;
// Prints the pages on the default printer; without one, or when printing fails, offers to
// save them as a PDF file instead.
void printOrOfferPdf(QWidget *window, const QString &name, const Pages &pages);
// Saves the pages as a PDF file, proposed as name_yyyymmdd.pdf in the folder of the last one
// saved, else in the documents folder. The file takes its name only when complete: a
// cancelled or failed save leaves whatever was there.
void saveAsPdf(QWidget *window, const QString &name, const Pages &pages);

} // namespace printing
