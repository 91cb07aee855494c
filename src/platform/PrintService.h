#pragma once

#include <QFont>
#include <QString>
#include <optional>

namespace korvane {

class PrintService {
public:
    virtual ~PrintService() = default;
    // Shows the print dialog; the chosen copy count, or nothing when the user cancels.
    virtual std::optional<int> showPrintDialog() = 0;
    // Prints the text as one block followed by a line end; false when the printer fails.
    virtual bool printText(const QString &text, int copies, const QFont &font) = 0;
};

} // namespace korvane
