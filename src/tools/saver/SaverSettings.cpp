#include "tools/saver/SaverSettings.h"

#include "platform/SettingsStore.h"
#include "tools/saver/LeadingNumber.h"

#include <limits>

namespace korvane::SaverSettings {

// The buffer a registry value is read into; longer values are a failed read.
static constexpr qsizetype RegistryBufferBytes = 255;

int sizeFromText(const QString &text) { return roundClamped(leadingNumber(text), 1, 9); }

int readSize(const SettingsStore &store)
{
    return sizeFromText(store.setting(Application, Section, SizeKey, DefaultSize));
}

QString readRegistryString(const RegistryService &registry, std::uint32_t root, const QString &subKey,
                           const QString &valueName)
{
    if (root < 0x80000000u || root > 0x80000006u)
        return QString();
    const auto key = static_cast<RegistryRoot>(root);
    if (!registry.keyExists(key, subKey))
        return QString();
    const auto value = registry.value(key, subKey, valueName);
    if (!value || value->data.size() > RegistryBufferBytes)
        return QString();

    QString buffer;
    if (value->type == RegistryType::Dword) {
        if (value->data.size() < 4)
            return QString();
        std::uint32_t n = 0;
        for (int i = 0; i < 4; ++i)
            n |= static_cast<std::uint32_t>(static_cast<unsigned char>(value->data[i])) << (8 * i);
        // The number passes through single precision before it is written out.
        const double single = static_cast<double>(static_cast<float>(n));
        buffer = QString::number(single, 'f', 0).rightJustified(3, QLatin1Char('0'));
    } else {
        buffer = QString::fromUtf8(value->data);
    }
    const qsizetype keep = value->data.size() - 1;
    if (keep <= 0)
        return QString();
    // Only the stored bytes count: a string that holds a NUL ends there.
    const qsizetype nul = buffer.indexOf(QChar(0));
    if (nul >= 0)
        buffer.truncate(nul);
    return buffer.left(keep);
}

int readUsePassword(const RegistryService &registry)
{
    const QString text = readRegistryString(registry, static_cast<std::uint32_t>(RegistryRoot::CurrentUser), DesktopKey,
                                            UsePasswordValue);
    return roundClamped(leadingNumber(text), std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
}

} // namespace korvane::SaverSettings
