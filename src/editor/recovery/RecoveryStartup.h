#pragma once

#include "editor/recovery/RecoveryRecord.h"

#include <QList>
#include <QString>

namespace korvane {

class Editor;
class RecoveryJournal;

// At start-up, once "文档 1" is shown: offers the documents that earlier runs left
// unsaved, and either brings them back as changed documents, or puts them aside.
class RecoveryStartup {
public:
    static QString question(int count)
    {
        return QStringLiteral("发现 %1 个上次未保存的文档。要恢复它们吗？").arg(count);
    }

    // One line per document, in order, for the question's details: the file it will be
    // saved to, or that it has none.
    static QString details(const QList<RecoveryRecord> &records);
    // The record's file path when it is one to save to, else empty (saved as a new document).
    static QString trustedPath(const QString &path);

    RecoveryStartup(Editor &editor, RecoveryJournal &journal) : m_editor(editor), m_journal(journal) {}

    // Asks once when there is anything to offer; returns how many documents came back.
    int offer();

private:
    // The slot for the next document: "文档 1" while it is unchanged and empty, else a
    // new one; -1 at the document limit.
    int targetSlot();
    void restore(int n, const RecoveryRecord &record);

    Editor &m_editor;
    RecoveryJournal &m_journal;
};

} // namespace korvane
