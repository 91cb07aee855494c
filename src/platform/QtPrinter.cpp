#include "platform/QtPrinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace korvane {

QtPrinter::QtPrinter() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtPrinter::~QtPrinter() = default;

void QtPrinter::setPdfOutput(const QString &path)
{
    m_printer->setOutputFormat(path.isEmpty() ? QPrinter::NativeFormat : QPrinter::PdfFormat);
    m_printer->setOutputFileName(path);
}

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
    printer.setCopyCount(std::max(1, copies));
    printer.setFromTo(0, 0); // the whole text, whatever range an earlier job had
    QTextDocument doc;
    doc.setDefaultFont(font);
    doc.setPlainText(text + QLatin1Char('\n'));
    doc.print(&printer); // begins and ends the job: it reaches the printer now
    return printer.printerState() != QPrinter::Error;
}

} // namespace korvane
