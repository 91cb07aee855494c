#pragma once

#include <QString>

namespace korvane {

class Editor;
class RecoveryJournal;
struct RecoveryRecord;

// At start-up, once "文档 1" is shown: offers the documents that earlier runs left
// unsaved, and either brings them back as changed documents, or puts them aside.
class RecoveryStartup {
public:
    static QString question(int count)
    {
        return QStringLiteral("发现 %1 个上次未保存的文档。要恢复它们吗？").arg(count);
    }

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
