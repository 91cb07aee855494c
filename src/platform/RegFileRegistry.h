#pragma once

#include "platform/RegistryService.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>

namespace korvane {

// A registry kept in a text file in the familiar export form:
//
//   [HKEY_CURRENT_USER\Control Panel\Desktop]
//   "ScreenSaveUsePassword"="1"
//   "SomeNumber"=dword:000004d2
//
// Key paths and value names compare without regard to case. Strings are stored as UTF-8
// with their terminating NUL, numbers as four little-endian bytes. Lines that cannot be
// read are skipped, so one bad line never hides the rest of the file.
class RegFileRegistry final : public RegistryService {
public:
    RegFileRegistry() = default;
    explicit RegFileRegistry(const QString &filePath);

    // Replaces the contents by what the text describes.
    void parse(const QString &text);
    // Re-reads the file; a missing or unreadable file gives an empty registry. Reads also
    // re-read it whenever it changed on disk, so edits take effect without a restart.
    void reload() const;
    QString filePath() const { return m_filePath; }

    bool keyExists(RegistryRoot root, const QString &subKey) const override;
    std::optional<RegistryValue> value(RegistryRoot root, const QString &subKey,
                                       const QString &valueName) const override;

    // The root's name as written in the file, e.g. "HKEY_CURRENT_USER".
    static QString rootName(RegistryRoot root);

private:
    static QString keyId(const QString &rootName, const QString &subKey);
    void parseInto(const QString &text) const;
    void refresh() const;

    QString m_filePath;
    mutable QDateTime m_loadedStamp;
    mutable qint64 m_loadedSize = -1;
    mutable QHash<QString, QHash<QString, RegistryValue>> m_keys; // lower-cased "ROOT\sub\key" -> values
};

} // namespace korvane
