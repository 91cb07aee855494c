#include "platform/QtPrinter.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace korvane {

std::optional<int> QtPrinter::showPrintDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    m_copies = printer.copyCount();
    return m_copies;
}

bool QtPrinter::printText(const QString &text, int copies, const QFont &font)
{
    QPrinter printer;
    printer.setCopyCount(copies);
    QTextDocument doc;
    doc.setDefaultFont(font);
    doc.setPlainText(text + QLatin1Char('\n'));
    doc.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

} // namespace korvane
