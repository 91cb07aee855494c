#include "platform/QtSettingsStore.h"

#include <QSettings>
#include <QStringList>

namespace korvane {

static constexpr const char *Organization = "Korvane";

QString QtSettingsStore::setting(const QString &application, const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    // A fresh object each time: the file is read as it is now, edits included.
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(Organization), application);
    const QString path = section + QLatin1Char('/') + key;
    if (!store.contains(path))
        return defaultValue;
    const QVariant value = store.value(path);
    // An unquoted value with commas in it reads back as a list; the stored text is wanted.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

QString QtSettingsStore::filePath(const QString &application)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(Organization), application)
        .fileName();
}

} // namespace korvane
