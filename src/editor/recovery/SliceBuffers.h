#pragma once

#include <QtGlobal>
#include <array>
#include <condition_variable>
#include <mutex>

namespace korvane {

// The buffers that carry slices of a document's text from the program's thread to the
// recovery writer's. There are at most Count of them, Bytes each: when the writer falls
// behind the disk, whoever fills them comes back later (or waits) instead of queueing
// more, so the journal never holds more than this much beside the document's own text.
// A buffer is made when first needed, with its pages in memory at once (faulting them
// in one by one while copying costs several times the copy), and freed by trim().
class SliceBuffers {
public:
    static constexpr qint64 Bytes = qint64(256) << 10;
    static constexpr int Count = 32;

    SliceBuffers() = default;
    ~SliceBuffers();
    SliceBuffers(const SliceBuffers &) = delete;
    SliceBuffers &operator=(const SliceBuffers &) = delete;

    // A buffer of one's own until given back, by its number; -1 when all are in use and
    // wait is false, or when there is no memory for one.
    int take(bool wait);
    // The memory of a buffer taken and not yet given back.
    char *data(int buffer) const { return m_data[size_t(buffer)]; }
    void giveBack(int buffer);
    // Frees the buffers not in use.
    void trim();
    int inUse() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_returned;
    std::array<char *, Count> m_data{}; // nullptr: not made
    std::array<bool, Count> m_taken{};
};

} // namespace korvane
