#include "editor/recovery/RecoveryStartup.h"

#include "editor/Editor.h"
#include "editor/TextDocument.h"
#include "editor/TextEncoding.h"
#include "editor/recovery/AbandonedRuns.h"
#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryJournal.h"
#include "platform/Platform.h"

namespace korvane {

int RecoveryStartup::offer()
{
    AbandonedRuns runs(m_journal.root(), m_journal.runFolder());
    // Kept for a person to look at, never offered: there is nothing whole to bring back.
    for (const QString &file : QStringList(runs.unreadable()))
        runs.discard(file);
    const QList<AbandonedRuns::Record> records = runs.records();
    if (records.isEmpty())
        return 0;
    const MsgAnswer answer = m_editor.platform().messages().showMessage(question(int(records.size())),
                                                                        MsgButtons::YesNo, MsgIcon::Question);
    if (answer != MsgAnswer::Yes) {
        runs.discardAll();
        return 0;
    }
    int restored = 0;
    for (const AbandonedRuns::Record &r : records) {
        const std::optional<RecoveryRecord> record = RecoveryFile::read(r.file);
        if (!record) {
            runs.discard(r.file);
            continue;
        }
        const int n = targetSlot();
        if (n < 0)
            break; // the limit message has been shown; the rest are offered at the next start
        restore(n, *record);
        // Should the move fail, the file stays where it was and is offered again.
        m_journal.adopt(n, r.file);
        ++restored;
    }
    return restored;
}

int RecoveryStartup::targetSlot()
{
    if (m_editor.openCount() == 1 && m_editor.isOpen(1) && !m_editor.isChanged(1) && m_editor.filePath(1).isEmpty() &&
        m_editor.document(1).text().isEmpty())
        return 1;
    const int n = m_editor.newDocument();
    return n > 0 ? n : -1;
}

void RecoveryStartup::restore(int n, const RecoveryRecord &record)
{
    TextDocument &document = m_editor.document(n);
    document.setFont(record.font);
    // A document without a file is named after the slot it now has, as every new one is.
    m_editor.setFile(n, record.filePath, record.fileTitle);
    // Counted as an edit: the document is changed and carries the "*", so that its
    // close prompt protects it again.
    document.setText(record.text);
    // Saved again in the encoding its file had; a record without one is from a document
    // that had none recorded, which is GB18030.
    m_editor.setEncoding(n, textEncodingFromName(record.encoding).value_or(TextEncoding::Gb18030));
}

} // namespace korvane
