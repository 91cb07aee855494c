#pragma once

#include "platform/RegistryService.h"

#include <QString>
#include <cstdint>

namespace korvane {

class SettingsStore;

// Where the saver's size setting is kept and what it means.
namespace SaverSettings {

inline const QString Application = QStringLiteral("Samples");
inline const QString Section = QStringLiteral("Velt Screen Saver");
inline const QString SizeKey = QStringLiteral("Size");
inline const QString DefaultSize = QStringLiteral("5");
inline const QString DesktopKey = QStringLiteral("Control Panel\\Desktop");
inline const QString UsePasswordValue = QStringLiteral("ScreenSaveUsePassword");

// The circle size a stored text stands for: its leading number rounded, kept within 1..9.
int sizeFromText(const QString &text);
// Reads the stored "Size" (default "5") as a circle size.
int readSize(const SettingsStore &store);

// A registry value as text, read the way the saver always has: only the seven predefined
// roots, at most 255 bytes, a 32-bit number written with at least three digits and then
// cut (like every value) to one character less than its stored size. "" on any failure.
QString readRegistryString(const RegistryService &registry, std::uint32_t root, const QString &subKey,
                           const QString &valueName);

// The "ScreenSaveUsePassword" switch as a number (0 when absent or unreadable).
int readUsePassword(const RegistryService &registry);

} // namespace SaverSettings
} // namespace korvane
