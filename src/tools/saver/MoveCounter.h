#pragma once

namespace korvane {

// Counts the mouse moves over a saver window: the fourth counted move asks for the close,
// and a move more than ten seconds after the first counted one starts the count afresh.
// The count itself belongs to the whole program (it survives the window); the time of
// the first counted move belongs to one window and starts at 0 (none).
class MoveCounter {
public:
    explicit MoveCounter(int &moveCount) : m_moveCount(moveCount) {}

    // One mouse move at this time of day (seconds since midnight, fractions allowed).
    // True when this move asks for the saver to close.
    bool mouseMoved(double secondsOfDay);

    int firstMoveTime() const { return m_firstMoveTime; }

private:
    int &m_moveCount;
    int m_firstMoveTime = 0; // whole seconds since midnight; 0 = no move counted
};

} // namespace korvane
