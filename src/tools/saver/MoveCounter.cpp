#include "tools/saver/MoveCounter.h"

#include "platform/Twips.h"

#include <limits>

namespace korvane {

bool MoveCounter::mouseMoved(double secondsOfDay)
{
    // The count is a small integer; it stops at its top rather than wrapping to negative.
    if (m_moveCount < std::numeric_limits<short>::max())
        ++m_moveCount;
    const bool close = m_moveCount == 4;
    if (m_firstMoveTime == 0) {
        m_firstMoveTime = static_cast<int>(roundHalfEven(secondsOfDay));
    } else if (secondsOfDay - m_firstMoveTime > 10) {
        // Just after midnight the difference is negative, so no reset happens then.
        m_firstMoveTime = 0;
        m_moveCount = 0;
    }
    return close;
}

} // namespace korvane
