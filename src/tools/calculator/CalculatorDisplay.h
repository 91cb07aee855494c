#pragma once

#include <QLineEdit>

namespace korvane {

// The calculator's display field "txtDisplay". Keys never reach it (the window maps
// them first); it only keeps the caret behind the last character whenever its text
// changes or it gets the focus.
class CalculatorDisplay : public QLineEdit {
    Q_OBJECT
public:
    explicit CalculatorDisplay(QWidget *parent = nullptr);

    // Replaces the text and puts the caret at its end.
    void showText(const QString &text);

protected:
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace korvane
