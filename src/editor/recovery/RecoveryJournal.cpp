#include "editor/recovery/RecoveryJournal.h"

#include "editor/Editor.h"
#include "editor/TextDocument.h"
#include "editor/TextEncoding.h"
#include "editor/TextFile.h"
#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryRecord.h"
#include "editor/recovery/RecoveryWriter.h"
#include "platform/Platform.h"
#include "platform/StateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace korvane {

RecoveryJournal::RecoveryJournal(Editor &editor, const QString &root, QObject *parent)
    : QObject(parent), m_editor(editor), m_root(QDir::cleanPath(root)), m_writer(std::make_unique<RecoveryWriter>())
{
    // The process id tells a person which program a folder belonged to; the random
    // part keeps a later run that gets the same id out of it.
    m_runFolder = m_root + QStringLiteral("/run-%1-%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    connect(m_writer.get(), &RecoveryWriter::written, this, &RecoveryJournal::onWritten);
    connect(&editor, &Editor::documentOpened, this, &RecoveryJournal::watch);
    connect(&editor, &Editor::documentSettled, this, &RecoveryJournal::onSettled);
    connect(&editor, &Editor::documentClosed, this, [this](int n) {
        m_dirty.remove(n);
        m_due.removeAll(n);
        // Closed without the user giving the edits up: they are kept aside.
        discardRecord(n);
    });
    for (int n = 1; n <= Editor::SlotCount; ++n) {
        if (editor.isOpen(n))
            watch(n);
    }
}

RecoveryJournal::~RecoveryJournal() { finish(); }

QString RecoveryJournal::recordPath(int slot) const
{
    return m_runFolder + QStringLiteral("/slot-%1").arg(slot) + RecoveryFile::Suffix;
}

void RecoveryJournal::watch(int n)
{
    TextDocument *doc = m_editor.textDocument(n);
    auto touch = [this, n] { onDocumentSignal(n); };
    connect(doc, &TextDocument::changed, this, touch);
    connect(doc, &TextDocument::captionChanged, this, touch);
    connect(doc, &TextDocument::fontChanged, this, touch);
    // Changed while the writer still shares it, the whole text would be copied on the
    // spot, into fresh memory; the writer's own copy into memory it keeps is far quicker.
    connect(doc, &TextDocument::aboutToChangeInPlace, this, [this, n] {
        if (m_writing == n)
            m_writer->waitForTexts();
    });
}

void RecoveryJournal::onDocumentSignal(int n)
{
    if (m_finished)
        return;
    if (!m_editor.isChanged(n)) {
        // What becomes of the record is up to how the edits settled (onSettled).
        m_dirty.remove(n);
        m_due.removeAll(n);
        return;
    }
    m_dirty.insert(n);
    if (m_timer == 0)
        m_timer = m_editor.platform().timers().startSingleShot(WriteDelayMsec, [this] {
            m_timer = 0;
            onTimer();
        });
}

void RecoveryJournal::onTimer()
{
    QList<int> dirty(m_dirty.begin(), m_dirty.end());
    std::sort(dirty.begin(), dirty.end());
    m_dirty.clear();
    for (int n : dirty) {
        if (!m_due.contains(n))
            m_due.append(n);
    }
    pump();
}

void RecoveryJournal::pump()
{
    // One write at a time: the text handed to the writer is shared with the document,
    // and the sooner the writer has copied it, the fewer keypresses have to copy it.
    while (m_writing == 0 && !m_due.isEmpty()) {
        const int n = m_due.takeFirst();
        if (m_editor.isOpen(n) && m_editor.isChanged(n))
            writeNow(n);
        else
            discardRecord(n);
    }
}

void RecoveryJournal::onSettled(int n, Editor::Settled how)
{
    m_dirty.remove(n);
    m_due.removeAll(n);
    if (how != Editor::Settled::Replaced) {
        // In the file, or given up by the user: nothing is left to recover.
        removeRecord(n);
        return;
    }
    // A file was opened over the edits. They are kept aside as they were just before,
    // which is the text Open put into the undo snapshot, under the name they had.
    if (m_finished || m_off)
        return;
    QString reason;
    if (!openRunFolder(&reason)) {
        reportFailure(reason);
        return;
    }
    RecoveryRecord record = m_headers.value(n);
    if (record.slot == 0) {
        record.slot = n;
        record.title = QStringLiteral("文档 %1").arg(n);
    }
    record.text = m_editor.undoSnapshot(n);
    m_recorded.remove(n);
    m_headers.remove(n);
    m_writer->write(recordPath(n), record);
    m_writer->discard(recordPath(n), m_root);
}

void RecoveryJournal::discardRecord(int n)
{
    if (!m_recorded.remove(n))
        return;
    m_headers.remove(n);
    m_writer->discard(recordPath(n), m_root);
    if (m_recorded.isEmpty())
        m_writer->releaseBuffer();
}

void RecoveryJournal::writeNow(int n)
{
    QString reason;
    if (!openRunFolder(&reason)) {
        reportFailure(reason);
        return;
    }
    m_writing = n;
    m_recorded.insert(n);
    RecoveryRecord record = capture(n);
    rememberHeader(record);
    m_writer->write(recordPath(n), std::move(record));
}

void RecoveryJournal::rememberHeader(const RecoveryRecord &record)
{
    RecoveryRecord &header = m_headers[record.slot];
    header = record;
    header.text = QString();
}

void RecoveryJournal::removeRecord(int n)
{
    if (!m_recorded.remove(n))
        return;
    m_headers.remove(n);
    m_writer->remove(recordPath(n));
    if (m_recorded.isEmpty())
        m_writer->releaseBuffer();
}

void RecoveryJournal::onWritten(int n, const QString &reason)
{
    if (m_writing == n)
        m_writing = 0;
    if (!reason.isEmpty())
        reportFailure(reason);
    pump();
}

RecoveryRecord RecoveryJournal::capture(int n) const
{
    const TextDocument &document = *m_editor.textDocument(n);
    RecoveryRecord record;
    record.slot = n;
    record.title = m_editor.title(n);
    record.fileTitle = m_editor.fileTitle(n);
    record.filePath = m_editor.filePath(n);
    record.font = document.font();
    record.encoding = textEncodingName(m_editor.encoding(n));
    record.text = document.text(); // shared with the document, not copied
    return record;
}

bool RecoveryJournal::checkFolders(bool create, QString *reason)
{
    if (m_off)
        return false;
    // The state folder above the recovery folder too: whoever may write there could
    // swap the recovery folder for one of their own.
    for (const QString &folder : {QFileInfo(m_root).absolutePath(), m_root}) {
        const PrivateFolder found = checkPrivateFolder(folder, create);
        switch (found.kind) {
        case PrivateFolder::Private: continue;
        case PrivateFolder::Unusable: *reason = TextFile::reasonFor(found.error); return false;
        case PrivateFolder::Foreign:
        case PrivateFolder::Shared:
            // Records there could be read, changed or planted by others: none are kept
            // for the rest of the run.
            m_off = true;
            reportOff(folder, found.kind == PrivateFolder::Foreign);
            return false;
        }
    }
    return true;
}

bool RecoveryJournal::checkFolders()
{
    QString reason;
    return checkFolders(false, &reason);
}

void RecoveryJournal::reportOff(const QString &folder, bool foreign)
{
    if (m_failureShown)
        return;
    m_failureShown = true;
    const QString why = foreign ? QStringLiteral("不属于当前用户")
                                : QStringLiteral("允许其他用户访问，且无法改为仅限本人访问");
    m_editor.platform().messages().showNotice(
        QStringLiteral("文件夹 “%1” %2，为安全起见，本次运行不保存恢复文件。程序意外退出时未保存的修改可能会丢失。")
            .arg(QDir::toNativeSeparators(folder), why));
}

bool RecoveryJournal::openRunFolder(QString *reason)
{
    if (m_lock && m_lock->isLocked())
        return true;
    if (!checkFolders(true, reason))
        return false;
    // Made only when there is something to keep, so that a program that never has
    // unsaved changes leaves nothing behind, even when it is killed.
    std::error_code error;
    const std::filesystem::path folder(QFile::encodeName(m_runFolder).toStdString());
    std::filesystem::create_directories(folder, error);
    if (error) {
        *reason = TextFile::reasonFor(error.value());
        return false;
    }
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    m_lock = std::make_unique<QLockFile>(m_runFolder + QLatin1Char('/') + LockName);
    m_lock->setStaleLockTime(0); // alive is decided by the process id, never by age
    errno = 0;
    if (m_lock->tryLock(0))
        return true;
    const int code = m_lock->error() == QLockFile::PermissionError ? EACCES : (errno ? errno : EIO);
    *reason = TextFile::reasonFor(code);
    m_lock.reset();
    return false;
}

void RecoveryJournal::reportFailure(const QString &reason)
{
    // Without a reason, the journal is off and has said so.
    if (m_failureShown || reason.isEmpty())
        return;
    m_failureShown = true;
    m_editor.platform().messages().showNotice(
        QStringLiteral("无法在文件夹 “%1” 中保存恢复文件：%2。问题解决之前，程序意外退出时未保存的修改可能会丢失。")
            .arg(QDir::toNativeSeparators(m_runFolder), reason));
}

bool RecoveryJournal::adopt(int n, const QString &file)
{
    QString reason;
    if (!openRunFolder(&reason)) {
        reportFailure(reason);
        return false;
    }
    m_writer->drain(); // a job still queued for this slot must not land after the move
    if (std::rename(QFile::encodeName(file).constData(), QFile::encodeName(recordPath(n)).constData()) != 0)
        return false;
    m_recorded.insert(n);
    rememberHeader(capture(n));
    return true;
}

void RecoveryJournal::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_timer != 0) {
        m_editor.platform().timers().cancelSingleShot(m_timer);
        m_timer = 0;
    }
    QList<int> due = m_due;
    for (int n : std::as_const(m_dirty)) {
        if (!due.contains(n))
            due.append(n);
    }
    m_dirty.clear();
    m_due.clear();
    for (int n : std::as_const(due)) {
        QString reason;
        if (!(m_editor.isOpen(n) && m_editor.isChanged(n))) {
            discardRecord(n);
        } else if (openRunFolder(&reason)) {
            m_recorded.insert(n);
            m_writer->write(recordPath(n), capture(n));
        }
    }
    m_writer->drain();
    if (!m_lock)
        return;
    // Records left behind (the run ended without the documents' close prompts) stay
    // for the next start, which finds the folder unlocked and offers them.
    m_lock->unlock();
    m_lock.reset();
    if (m_recorded.isEmpty())
        QDir().rmdir(m_runFolder);
}

void RecoveryJournal::drain()
{
    // Each reported write may hand out the next one.
    do
        m_writer->drain();
    while (m_writing != 0);
}

} // namespace korvane
