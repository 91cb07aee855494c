#pragma once

namespace korvane {

// The calculator's own variables. They belong to the one calculator object of the run,
// not to its window: closing the window empties the display but keeps these.
struct CalculatorState {
    // The operation waiting for its second operand. Each operator's value is the Index
    // of its cmdOperator button.
    enum class Operator { None = 0, Add = 1, Subtract = 2, Multiply = 3, Divide = 4 };

    double accumulator = 0;
    Operator pendingOperator = Operator::None;
    bool newEntry = false; // the next digit replaces the display text
};

} // namespace korvane
