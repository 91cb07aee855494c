#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace korvane {

// The seven predefined roots of the registry.
enum class RegistryRoot : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
    PerformanceData = 0x80000004u,
    CurrentConfig = 0x80000005u,
    DynData = 0x80000006u,
};

enum class RegistryType : std::uint32_t {
    String = 1, // REG_SZ: the text's bytes followed by one NUL
    Dword = 4,  // REG_DWORD: four bytes, little-endian
};

// A value exactly as the registry returns it: its type and its raw bytes.
struct RegistryValue {
    RegistryType type = RegistryType::String;
    QByteArray data;
};

// A small per-user registry of typed values, read only.
class RegistryService {
public:
    virtual ~RegistryService() = default;
    // Whether the key can be opened for reading.
    virtual bool keyExists(RegistryRoot root, const QString &subKey) const = 0;
    virtual std::optional<RegistryValue> value(RegistryRoot root, const QString &subKey,
                                               const QString &valueName) const = 0;
};

} // namespace korvane
