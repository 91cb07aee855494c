#include "platform/QtPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace korvane {

QtPrinter::QtPrinter() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtPrinter::~QtPrinter() = default;

std::optional<int> QtPrinter::showPrintDialog()
{
    QPrintDialog dialog(m_printer.get(), QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return m_printer->copyCount();
}

bool QtPrinter::printText(const QString &text, int copies, const QFont &font)
{
    return printOn(*m_printer, text, copies, font);
}

bool QtPrinter::printOn(QPrinter &printer, const QString &text, int copies, const QFont &font)
{
    copies = std::max(1, copies);
    printer.setCopyCount(copies);
    printer.setFromTo(0, 0); // the whole text, whatever range an earlier job had
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&printer);
    doc.setDefaultFont(font);
    doc.setPlainText(text + QLatin1Char('\n'));
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    doc.setPageSize(page);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // A printer that cannot make copies itself (a PDF file, for one) gets them one after another.
    const int passes = printer.supportsMultipleCopies() ? 1 : copies;
    const int pages = doc.pageCount();
    for (int copy = 0; copy < passes; ++copy) {
        for (int p = 0; p < pages; ++p) {
            if ((copy > 0 || p > 0) && !printer.newPage())
                return false;
            painter.save();
            painter.translate(0, -p * page.height());
            doc.drawContents(&painter, QRectF(QPointF(0, p * page.height()), page));
            painter.restore();
        }
    }
    painter.end(); // ends the job: it reaches the printer now
    return printer.printerState() != QPrinter::Error;
}

} // namespace korvane
