#include "tools/calculator/CalculatorEngine.h"

#include "platform/BeepService.h"
#include "tools/calculator/NumberText.h"

#include <QRegularExpression>
#include <cmath>

namespace korvane {

using Operator = CalculatorState::Operator;

CalculatorEngine::CalculatorEngine(CalculatorState &state, BeepService &beeper, QObject *parent)
    : QObject(parent), m_state(state), m_beeper(beeper)
{}

QString CalculatorEngine::divisionByZeroText() { return QStringLiteral("除数不能为零"); }
QString CalculatorEngine::undefinedResultText() { return QStringLiteral("结果未定义"); }
QString CalculatorEngine::overflowText() { return QStringLiteral("溢出"); }

void CalculatorEngine::enterDigit(int digit)
{
    if (digit < 0 || digit > 9)
        return;
    const QString d = QString::number(digit);
    if (m_state.newEntry) {
        m_state.newEntry = false;
        setDisplay(d);
    } else {
        setDisplay(m_display + d);
    }
}

void CalculatorEngine::pressOperator(CalculatorState::Operator op)
{
    pressEquals();
    m_state.newEntry = true;
    m_state.pendingOperator = op;
}

void CalculatorEngine::pressDecimalPoint()
{
    // Checked before the new-entry flag: a result that holds a point refuses another.
    if (m_display.contains(QLatin1Char('.'))) {
        m_beeper.beep();
        return;
    }
    if (m_state.newEntry) {
        m_state.newEntry = false;
        setDisplay(QStringLiteral("."));
    } else {
        setDisplay(m_display + QLatin1Char('.'));
    }
}

void CalculatorEngine::pressEquals()
{
    // An empty display, or one that holds no number ("." or "-" at the start of an
    // entry, a message), counts as 0.
    double operand = 0;
    if (!m_display.isEmpty()) {
        const NumberText::Parsed parsed = NumberText::parse(m_display);
        if (parsed.reading == NumberText::Reading::TooLarge) {
            fail(overflowText());
            return;
        }
        operand = parsed.value;
    }

    double result = m_state.accumulator;
    switch (m_state.pendingOperator) {
    case Operator::None: result = operand; break;
    case Operator::Add: result = operand + m_state.accumulator; break;
    case Operator::Subtract: result = m_state.accumulator - operand; break;
    case Operator::Multiply: result = operand * m_state.accumulator; break;
    case Operator::Divide:
        if (operand == 0) {
            fail(m_state.accumulator == 0 ? undefinedResultText() : divisionByZeroText());
            return;
        }
        result = m_state.accumulator / operand;
        break;
    }
    if (!std::isfinite(result)) {
        fail(overflowText());
        return;
    }

    m_state.accumulator = result;
    m_state.pendingOperator = Operator::None;
    m_state.newEntry = true;
    setDisplay(NumberText::format(result));
}

void CalculatorEngine::clear()
{
    clearEntry();
    m_state.accumulator = 0;
    m_state.pendingOperator = Operator::None;
}

void CalculatorEngine::clearEntry() { setDisplay(QString()); }

void CalculatorEngine::changeSign()
{
    if (m_state.newEntry) {
        // The digits that follow build a negative number.
        m_state.newEntry = false;
        setDisplay(QStringLiteral("-"));
    } else if (m_display.startsWith(QLatin1Char('-'))) {
        setDisplay(m_display.mid(1));
    } else {
        setDisplay(QLatin1Char('-') + m_display);
    }
}

void CalculatorEngine::backspace()
{
    const qsizetype keep = m_display.startsWith(QLatin1Char('-')) ? 2 : 1;
    if (!m_showsMessage && m_display.size() > keep) {
        QString rest = m_display.left(m_display.size() - 1);
        // A result in exponent form goes back to its mantissa once the exponent's last
        // digit is gone: "1E+" would be shown as a number but count as 0.
        static const QRegularExpression danglingExponent(QStringLiteral("[eE][+-]?$"));
        rest.remove(danglingExponent);
        setDisplay(rest);
    } else
        setDisplay(QStringLiteral("0"));
}

void CalculatorEngine::keyPress(const QString &character)
{
    if (character.size() != 1)
        return;
    const QChar c = character.at(0);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
        enterDigit(c.unicode() - '0');
        return;
    }
    switch (c.unicode()) {
    case '*':
    case 'x':
    case 'X': pressOperator(Operator::Multiply); break;
    case '+': pressOperator(Operator::Add); break;
    case '-': pressOperator(Operator::Subtract); break;
    case '/': pressOperator(Operator::Divide); break;
    case '\r':
    case '=': pressEquals(); break;
    case '.': pressDecimalPoint(); break;
    case 'C':
    case 'c': clearEntry(); break; // no key clears everything
    default: break;
    }
}

void CalculatorEngine::keyRelease(int key)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
        backspace();
}

void CalculatorEngine::setDisplayFromField(const QString &text)
{
    m_showsMessage = false;
    if (m_display != text) {
        m_display = text;
        emit displayChanged(m_display);
    }
}

void CalculatorEngine::setDisplay(const QString &text)
{
    m_showsMessage = false;
    m_display = text;
    emit displayChanged(m_display);
}

void CalculatorEngine::fail(const QString &message)
{
    // The failed operation leaves nothing behind: a fresh start with the message shown.
    m_state.accumulator = 0;
    m_state.pendingOperator = Operator::None;
    m_state.newEntry = true;
    setDisplay(message);
    m_showsMessage = true;
}

} // namespace korvane
