#include "editor/FileCommands.h"

#include "editor/Editor.h"
#include "editor/TextDocument.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace korvane {

FileCommands::FileCommands(Editor &editor) : m_editor(editor) {}

void FileCommands::open()
{
    // Arrives with the file commands.
}

void FileCommands::print()
{
    // Arrives with the file commands.
}

void FileCommands::save()
{
    const int n = m_editor.activeDocumentIndex();
    DocumentSlot &slot = m_editor.slot(n);
    if (slot.filePath.isEmpty()) {
        saveAsSlot(n);
        return;
    }
    if (writeStep(n, slot.filePath) && slot.changed) {
        slot.changed = false;
        slot.document->setCaption(slot.document->caption().mid(1));
    }
}

void FileCommands::saveAs() { saveAsSlot(m_editor.activeDocumentIndex()); }

bool FileCommands::saveAsSlot(int n)
{
    const QString path = m_editor.platform().fileDialog().showSave(TextFilter);
    if (path.isEmpty() || !writeStep(n, path))
        return false;
    DocumentSlot &slot = m_editor.slot(n);
    if (slot.changed)
        slot.changed = false;
    slot.fileTitle = QFileInfo(path).fileName();
    slot.filePath = path;
    slot.document->setCaption(slot.fileTitle);
    return true;
}

bool FileCommands::saveForClose(int n)
{
    const DocumentSlot &slot = m_editor.slot(n);
    if (!slot.fileTitle.isEmpty())
        return writeStep(n, slot.filePath);
    return saveAsSlot(n);
}

bool FileCommands::writeStep(int n, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QStringEncoder encoder("GB18030");
    const QByteArray bytes = encoder.encode(m_editor.document(n).text() + QStringLiteral("\r\n"));
    return file.write(bytes) == bytes.size();
}

} // namespace korvane
