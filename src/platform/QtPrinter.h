#pragma once

#include "platform/PrintService.h"

#include <memory>

class QPrinter;

namespace korvane {

// Printing through Qt Print Support. The printer the user picks in the print dialog
// (with its copy count and page settings) is the one the next job goes to.
class QtPrinter final : public PrintService {
public:
    QtPrinter();
    ~QtPrinter() override;

    std::optional<int> showPrintDialog() override;
    bool printText(const QString &text, int copies, const QFont &font) override;

    // Lays the text out on the printer's pages, in copies copies, and ends the job.
    static bool printOn(QPrinter &printer, const QString &text, int copies, const QFont &font);

private:
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace korvane
