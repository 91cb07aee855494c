#pragma once

#include "tools/calculator/CalculatorState.h"

#include <QPixmap>
#include <QWidget>
#include <memory>

class QPushButton;

namespace korvane {

class CalculatorDisplay;
class CalculatorEngine;
class Platform;

// The calculator window "Form5": a fixed dialog with the display and 19 buttons over a
// landscape picture. Every key of the window goes to the engine's key mapping first,
// whichever control has the focus, and is dropped after it.
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(std::shared_ptr<CalculatorState> state, Platform &platform, QWidget *parent = nullptr);
    ~CalculatorWindow() override;

    static QSize clientSize();

    CalculatorEngine &engine() { return *m_engine; }
    CalculatorDisplay *display() const { return m_display; }
    QPushButton *numberButton(int digit) const { return m_numbers[digit]; }
    QPushButton *operatorButton(CalculatorState::Operator op) const
    {
        return m_operators[static_cast<int>(op) - static_cast<int>(CalculatorState::Operator::Add)];
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPushButton *addButton(const char *name, int index, const QString &caption, int leftTwips, int topTwips);
    void setTabOrder(const QList<QWidget *> &order);

    std::shared_ptr<CalculatorState> m_state;
    CalculatorEngine *m_engine;
    CalculatorDisplay *m_display;
    QPushButton *m_numbers[10] = {};
    QPushButton *m_operators[4] = {}; // Add, Subtract, Multiply, Divide
    QPixmap m_background;
};

} // namespace korvane
