#pragma once

#include "tools/calculator/CalculatorState.h"

#include <QObject>
#include <QString>

namespace korvane {

class BeepService;

// An immediate-execution pocket calculator: every operator key first completes the
// pending operation. The display text is the entry; it becomes a number only when an
// operation completes. The engine lives as long as its window; the state it works on
// outlives both.
class CalculatorEngine : public QObject {
    Q_OBJECT
public:
    CalculatorEngine(CalculatorState &state, BeepService &beeper, QObject *parent = nullptr);

    const QString &display() const { return m_display; }
    const CalculatorState &state() const { return m_state; }

    // The buttons.
    void enterDigit(int digit);                       // cmdNumber, 0..9
    void pressOperator(CalculatorState::Operator op); // cmdOperator
    void pressDecimalPoint();                         // cmdDecimal
    void pressEquals();                               // cmdEquals
    void clear();                                     // cmdClear
    void clearEntry();                                // cmdClearEntry
    void changeSign();                                // cmdPlusMinus
    void backspace();                                 // keyboard only

    // The keyboard: one typed character, and a released key (a Qt::Key). The window
    // hands every key to these first and then drops it.
    void keyPress(const QString &character);
    void keyRelease(int key);

    // Text that reached the display field some other way (the window system's own
    // editing); it is the entry from now on.
    void setDisplayFromField(const QString &text);

    static QString divisionByZeroText();
    static QString undefinedResultText();
    static QString overflowText();

signals:
    void displayChanged(const QString &text);

private:
    void setDisplay(const QString &text);
    void fail(const QString &message);

    CalculatorState &m_state;
    BeepService &m_beeper;
    QString m_display;
    bool m_showsMessage = false; // the display holds a failure message, not a number
};

} // namespace korvane
