#pragma once

#include <QtGlobal>
#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace korvane {

// The buffers that carry slices of a document's text from the program's thread to the
// recovery writer's. There are at most Count of them, Bytes each: when the writer falls
// behind the disk, whoever fills them comes back later (or waits) instead of queueing
// more, so the journal never holds more than this much beside the document's own text.
// A buffer is made when first needed and freed by trim() once no base needs it.
class SliceBuffers {
public:
    static constexpr qint64 Bytes = qint64(1) << 20;
    static constexpr int Count = 8;

    // A buffer of one's own until given back, by its number; -1 when all are in use and
    // wait is false.
    int take(bool wait);
    // The memory of a buffer taken and not yet given back.
    char *data(int buffer) const { return m_data[size_t(buffer)].get(); }
    void giveBack(int buffer);
    // Frees the buffers not in use.
    void trim();
    int inUse() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_returned;
    std::array<std::unique_ptr<char[]>, Count> m_data;
    std::array<bool, Count> m_taken{};
};

} // namespace korvane
