// The per-user registry file is outside input: any text must parse without a crash, and
// reading a value back through the saver's rules must keep to them.
#include "platform/RegFileRegistry.h"
#include "tools/saver/SaverSettings.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    korvane::RegFileRegistry registry;
    registry.parse(text);
    for (std::uint32_t root = 0x7FFFFFFFu; root <= 0x80000007u; ++root) {
        const QString value = korvane::SaverSettings::readRegistryString(
            registry, root, QStringLiteral("Control Panel\\Desktop"), QStringLiteral("ScreenSaveUsePassword"));
        // A bad root gives "", and nothing read back is longer than the 255-byte buffer.
        if ((root < 0x80000000u || root > 0x80000006u) && !value.isEmpty())
            std::abort();
        if (value.toUtf8().size() > 255)
            std::abort();
    }
    return 0;
}
