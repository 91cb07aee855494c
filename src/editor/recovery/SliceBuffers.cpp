#include "editor/recovery/SliceBuffers.h"

#include <algorithm>
#include <sys/mman.h>
#include <utility>

namespace korvane {

SliceBuffers::~SliceBuffers() { trim(); }

int SliceBuffers::take(bool wait)
{
    std::unique_lock lock(m_mutex);
    // A buffer already made before one to be made.
    auto find = [this] {
        int found = -1;
        for (int i = 0; i < Count; ++i) {
            if (!m_taken[size_t(i)] && (found < 0 || m_data[size_t(i)]))
                found = i;
        }
        return found;
    };
    int buffer = find();
    if (buffer < 0 && !wait)
        return -1;
    if (buffer < 0)
        m_returned.wait(lock, [&] { return (buffer = find()) >= 0; });
    if (!m_data[size_t(buffer)]) {
        // Mapped rather than allocated, so that trim() surely gives the memory back.
        void *memory = ::mmap(nullptr, size_t(Bytes), PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (memory == MAP_FAILED)
            return -1;
        m_data[size_t(buffer)] = static_cast<char *>(memory);
    }
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
        if (!m_taken[size_t(i)] && m_data[size_t(i)])
            ::munmap(std::exchange(m_data[size_t(i)], nullptr), size_t(Bytes));
    }
}

int SliceBuffers::inUse() const
{
    const std::lock_guard lock(m_mutex);
    return int(std::count(m_taken.begin(), m_taken.end(), true));
}

} // namespace korvane
