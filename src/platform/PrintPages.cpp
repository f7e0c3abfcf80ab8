#include "PrintPages.h"

#include "Design.h"
#include "FileDialog.h"
#include "Fonts.h"
#include "MessageBox.h"
#include "Printer.h"
#include "Settings.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>

using design::uiText;

namespace printing {
namespace {
const QString kPdfFolderKey = QStringLiteral("PdfFolder");

QString pdfFolder() {
    for (const QString &folder :
         {settings::readString(kPdfFolderKey, QString()),
          QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)}) {
        if (QDir::isAbsolutePath(folder) && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}
} // namespace

Printed printLines(QWidget *window, QPagedPaintDevice &device, const QString &doing,
                   const Lines &lines) {
    QPainter painter;
    if (!painter.begin(&device))
        return Printed::Failed;
    painter.setFont(fonts::fixedGothic(10));
    const QStringList text = lines(painter);
    const QFontMetrics metrics = painter.fontMetrics();
    const int pageHeight = painter.window().height();
    const std::unique_ptr<QProgressDialog> progress =
        progressDialog(window, doing, static_cast<int>(text.size()));
    int y = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (y + metrics.lineSpacing() > pageHeight) {
            progress->setValue(static_cast<int>(i));
            if (progress->wasCanceled()) {
                // A printer drops the job where the print system lets it (CUPS does not: the
                // pages drawn so far are printed); a PDF file that is not saved is discarded.
                if (auto *printer = dynamic_cast<QPrinter *>(&device))
                    printer->abort();
                return Printed::Cancelled;
            }
            if (!device.newPage())
                return Printed::Failed;
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), text[i]);
        y += metrics.lineSpacing();
    }
    return painter.end() ? Printed::Done : Printed::Failed;
}

void printOrOfferPdf(QWidget *window, const QString &name, const Pages &pages) {
    std::unique_ptr<QPrinter> printer = defaultPrinter();
    if (printer) {
        const Printed printed = pages(*printer, uiText("印刷しています…"));
        if (printed != Printed::Failed && printer->printerState() != QPrinter::Error)
            return;
    }
    const QString problem =
        printer ? uiText("印刷できませんでした。") : uiText("プリンタが見つかりません。");
    if (messagebox::show(window, problem + uiText("\r\n代わりに PDF ファイルとして保存しますか？"),
                         messagebox::applicationTitle(),
                         messagebox::Buttons::YesNo) == messagebox::Answer::Yes)
        saveAsPdf(window, name, pages);
}

void saveAsPdf(QWidget *window, const QString &name, const Pages &pages) {
    const QString proposed = pdfFolder() + QLatin1Char('/') + name + QLatin1Char('_') +
                             QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                             QStringLiteral(".pdf");
    QString path = filedialog::saveFile(window, uiText("PDF ファイルとして保存"),
                                        uiText("PDF ファイル (*.pdf)|*.pdf"), proposed);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QSaveFile file(path);
    Printed printed = Printed::Failed;
    if (file.open(QIODevice::WriteOnly))
        printed = pages(*pdfWriter(&file), uiText("PDF ファイルに保存しています…"));
    if (printed == Printed::Cancelled)
        return;
    if (printed == Printed::Done && file.commit()) {
        settings::writeString(kPdfFolderKey, QFileInfo(path).absolutePath());
        return;
    }
    messagebox::show(window, uiText("%1 に保存できませんでした。").arg(path),
                     messagebox::applicationTitle());
}

} // namespace printing
