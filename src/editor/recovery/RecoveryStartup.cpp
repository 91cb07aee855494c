#include "editor/recovery/RecoveryStartup.h"

#include "editor/Editor.h"
#include "editor/document/TextDocument.h"
#include "editor/file/TextEncoding.h"
#include "editor/recovery/AbandonedRuns.h"
#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryJournal.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>

namespace korvane {

QString RecoveryStartup::details(const QList<RecoveryRecord> &records)
{
    QStringList lines;
    for (const RecoveryRecord &r : records) {
        QString path = QDir::toNativeSeparators(trustedPath(r.filePath));
        // One line per document, however the name is made.
        path.replace(QLatin1Char('\n'), QLatin1String("\\n")).replace(QLatin1Char('\r'), QLatin1String("\\r"));
        lines << (path.isEmpty() ? QStringLiteral("新文档，尚未保存过") : QStringLiteral("保存到 ") + path);
    }
    return lines.join(QLatin1Char('\n'));
}

QString RecoveryStartup::trustedPath(const QString &path)
{
    // Saving writes to the record's path, which anything that wrote the record chose:
    // only a full path that names a file is taken, and taken as it reads.
    if (path.isEmpty() || !QDir::isAbsolutePath(path) || path.contains(QChar(0)))
        return QString();
    const QString clean = QDir::cleanPath(path);
    return QFileInfo(clean).fileName().isEmpty() ? QString() : clean;
}

int RecoveryStartup::offer()
{
    // Records in a folder that others can write to are not the user's to trust.
    if (!m_journal.checkFolders())
        return 0;
    AbandonedRuns runs(m_journal.root(), m_journal.runFolder());
    // Kept for a person to look at, never offered: there is nothing whole to bring back.
    for (const QString &file : QStringList(runs.unreadable()))
        runs.discard(file);
    const QList<AbandonedRuns::Record> records = runs.records();
    if (records.isEmpty())
        return 0;
    QList<RecoveryRecord> headers;
    for (const AbandonedRuns::Record &r : records)
        headers << r.header;
    // Where each document would be saved, so that a record naming a file the user never
    // had open shows itself before anything is written there.
    const MsgAnswer answer = m_editor.platform().messages().showDetailedMessage(
        question(int(records.size())), details(headers), MsgButtons::YesNo, MsgIcon::Question);
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
    if (m_editor.openCount() == 1 && m_editor.isOpen(1)) {
        const TextDocument &first = m_editor.document(1);
        if (!first.isChanged() && first.filePath().isEmpty() && first.text().isEmpty())
            return 1;
    }
    const int n = m_editor.newDocument();
    return n > 0 ? n : -1;
}

void RecoveryStartup::restore(int n, const RecoveryRecord &record)
{
    TextDocument &document = m_editor.document(n);
    document.setFont(record.font);
    // A document without a file is named after the slot it now has, as every new one is.
    const QString path = trustedPath(record.filePath);
    document.setFile(path, path.isEmpty() ? QString() : QFileInfo(path).fileName());
    // Counted as an edit: the document is changed and carries the "*", so that its
    // close prompt protects it again.
    document.setText(record.text);
    // Saved again in the encoding its file had; a record without one is from a document
    // that had none recorded, which is GB18030.
    document.setEncoding(textEncodingFromName(record.encoding).value_or(TextEncoding::Gb18030));
}

} // namespace korvane
