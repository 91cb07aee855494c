#pragma once

#include "platform/PrintService.h"

namespace korvane {

// Printing through Qt Print Support to the default printer.
class QtPrinter final : public PrintService {
public:
    std::optional<int> showPrintDialog() override;
    bool printText(const QString &text, int copies, const QFont &font) override;

private:
    int m_copies = 1;
};

} // namespace korvane
