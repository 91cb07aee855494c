#include "tools/calculator/CalculatorDisplay.h"

namespace korvane {

// The object name the window and its tests find the display by.
static constexpr char kObjectName[] = "txtDisplay";

CalculatorDisplay::CalculatorDisplay(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QLatin1String(kObjectName));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // No way in for text that bypasses the key mapping: no input method, no drops, no
    // edit menu. (A middle-click paste still gets through; the window hands it on.)
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void CalculatorDisplay::showText(const QString &text)
{
    if (this->text() != text)
        setText(text);
    deselect();
    setCursorPosition(int(this->text().size()));
}

void CalculatorDisplay::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event); // selects everything when tabbed into
    deselect();
    setCursorPosition(int(text().size()));
}

} // namespace korvane
