#include "platform/FileDialogMemory.h"

#include <QFileInfo>

namespace korvane {

QString FileDialogMemory::saveStart(const QString &owner, const QString &documentPath) const
{
    if (!documentPath.isEmpty())
        return documentPath;
    const QString last = m_lastChosen.value(owner);
    return last.isEmpty() ? QString() : QFileInfo(last).absolutePath();
}

void FileDialogMemory::remember(const QString &owner, const QString &chosenPath)
{
    if (!chosenPath.isEmpty())
        m_lastChosen.insert(owner, chosenPath);
}

} // namespace korvane
