#pragma once

#include <QtGlobal>
#include <optional>

namespace korvane {

// How much memory the system can still give the program.
class SystemMemoryService {
public:
    virtual ~SystemMemoryService() = default;
    // Bytes that can be had without swapping (the kernel's MemAvailable); empty when the
    // system does not say.
    virtual std::optional<qint64> availableMemory() const = 0;
};

} // namespace korvane
