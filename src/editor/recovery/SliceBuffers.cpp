#include "editor/recovery/SliceBuffers.h"

#include <algorithm>

namespace korvane {

int SliceBuffers::take(bool wait)
{
    std::unique_lock lock(m_mutex);
    const auto isFree = [this] { return std::find(m_taken.begin(), m_taken.end(), false) != m_taken.end(); };
    if (wait)
        m_returned.wait(lock, isFree);
    else if (!isFree())
        return -1;
    // A buffer already made, before one to be made: its pages are in memory already.
    int buffer = -1;
    for (int i = 0; i < Count; ++i) {
        if (!m_taken[size_t(i)] && (buffer < 0 || m_data[size_t(i)]))
            buffer = i;
        if (buffer >= 0 && m_data[size_t(buffer)])
            break;
    }
    if (!m_data[size_t(buffer)])
        m_data[size_t(buffer)] = std::make_unique_for_overwrite<char[]>(size_t(Bytes));
    m_taken[size_t(buffer)] = true;
    return buffer;
}

void SliceBuffers::giveBack(int buffer)
{
    {
        const std::lock_guard lock(m_mutex);
        m_taken[size_t(buffer)] = false;
    }
    m_returned.notify_all();
}

void SliceBuffers::trim()
{
    const std::lock_guard lock(m_mutex);
    for (int i = 0; i < Count; ++i) {
        if (!m_taken[size_t(i)])
            m_data[size_t(i)].reset();
    }
}

int SliceBuffers::inUse() const
{
    const std::lock_guard lock(m_mutex);
    return int(std::count(m_taken.begin(), m_taken.end(), true));
}

} // namespace korvane
