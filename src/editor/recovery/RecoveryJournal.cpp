#include "editor/recovery/RecoveryJournal.h"

#include "editor/Editor.h"
#include "editor/document/TextDocument.h"
#include "editor/file/TextEncoding.h"
#include "editor/file/TextFile.h"
#include "editor/recovery/RecoveryFile.h"
#include "editor/recovery/RecoveryLog.h"
#include "editor/recovery/RecoveryRecord.h"
#include "editor/recovery/RecoveryRunFolder.h"
#include "editor/recovery/RecoveryWriter.h"
#include "platform/Platform.h"
#include "platform/StateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <utility>

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
    connect(m_writer.get(), &RecoveryWriter::baseFailed, this, &RecoveryJournal::onBaseFailed);
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
    connect(doc, &TextDocument::textReplaced, this,
            [this, n](qsizetype position, qsizetype removed, const QString &added) {
        onReplaced(n, position, removed, added);
    });
}

qsizetype RecoveryJournal::baseWritten(int n) const
{
    const auto it = m_records.find(n);
    return it != m_records.end() && it->second.base ? it->second.base->written() : -1;
}

qint64 RecoveryJournal::logLimit(int n) const
{
    const qint64 textBytes = qint64(m_editor.textDocument(n)->length()) * 2;
    return std::min(std::max(m_tuning.minLogBytes, textBytes / m_tuning.logShareOfText), m_tuning.maxLogBytes);
}

void RecoveryJournal::onReplaced(int n, qsizetype position, qsizetype removed, const QString &added)
{
    const auto it = m_records.find(n);
    if (it == m_records.end())
        return; // no record yet: its first base will hold this
    Record &record = it->second;
    if (record.base)
        record.base->edited(position);
    if (!record.appendable)
        return;
    const qsizetype oldLength = m_editor.textDocument(n)->length() - added.size() + removed;
    const qint64 bytes = qint64(added.size()) * 2 + 64;
    // A text replaced as a whole (a file opened, an undo, a cipher) is a new base rather
    // than an operation as long as the text; so is an edit larger than the whole log may be.
    if ((position == 0 && removed == oldLength && oldLength > 0) || bytes > logLimit(n)) {
        record.appendable = false;
        record.pending = QByteArray();
        return;
    }
    RecoveryLog::appendReplace(record.pending, position, removed, added);
}

void RecoveryJournal::onDocumentSignal(int n)
{
    if (m_finished)
        return;
    if (!isChanged(n)) {
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
    while (!m_due.isEmpty()) {
        const int n = m_due.takeFirst();
        if (m_editor.isOpen(n) && isChanged(n))
            writeNow(n);
        else
            discardRecord(n);
    }
}

bool RecoveryJournal::isChanged(int n) const
{
    const TextDocument *doc = m_editor.textDocument(n);
    return doc && doc->isChanged();
}

void RecoveryJournal::onSettled(int n, TextDocument::Settled how)
{
    m_dirty.remove(n);
    m_due.removeAll(n);
    if (how != TextDocument::Settled::Replaced) {
        // In the file, or given up by the user: nothing is left to recover.
        removeRecord(n);
        return;
    }
    // A file was opened over the edits. They are kept aside as they were just before,
    // which is the text Open put into the undo snapshot, under the name they had.
    const auto it = m_records.find(n);
    RecoveryRecord record = it != m_records.end() ? it->second.header : RecoveryRecord();
    m_records.erase(n); // a base in the making is given up
    if (m_finished || m_off)
        return;
    QString reason;
    if (!openRunFolder(&reason)) {
        reportFailure(reason);
        return;
    }
    if (record.slot == 0) {
        record.slot = n;
        record.title = QStringLiteral("文档 %1").arg(n);
    }
    record.text = m_editor.document(n).undoSnapshot(); // not changed by further edits
    m_writer->write(recordPath(n), record);
    m_writer->discard(recordPath(n), m_root);
}

bool RecoveryJournal::forgetRecord(int n)
{
    const auto it = m_records.find(n);
    if (it == m_records.end())
        return false;
    const bool onDisk = it->second.onDisk;
    m_records.erase(it);
    return onDisk;
}

void RecoveryJournal::discardRecord(int n)
{
    if (forgetRecord(n))
        m_writer->discard(recordPath(n), m_root);
}

void RecoveryJournal::removeRecord(int n)
{
    if (forgetRecord(n))
        m_writer->remove(recordPath(n));
}

void RecoveryJournal::writeNow(int n)
{
    QString reason;
    if (!openRunFolder(&reason)) {
        reportFailure(reason);
        return;
    }
    Record &record = m_records[n];
    const RecoveryRecord now = header(n);
    if (record.appendable) {
        if (now != record.header) {
            RecoveryLog::appendHeader(record.pending, now);
            record.header = now;
        }
        if (!record.pending.isEmpty()) {
            record.logBytes += record.pending.size();
            m_writer->append(n, recordPath(n), std::exchange(record.pending, QByteArray()));
        }
    }
    // Meanwhile the edits go on being appended to the old file, which stays whole.
    if (!record.base && (!record.appendable || record.logBytes > logLimit(n)))
        startBase(n, now);
}

void RecoveryJournal::startBase(int n, const RecoveryRecord &header)
{
    Record &record = m_records[n];
    // A name of its own for every base: the previous one may still wait for its rename.
    const quint64 id = ++m_bases;
    const QString temp = recordPath(n) + QStringLiteral(".%1.tmp").arg(id);
    record.base = std::make_unique<RecoveryBaseFile>(*m_writer, n, id, temp, header);
    // A small text is written at once; a large one a slice now, the rest when idle.
    const bool behind = !writeSlice(n, m_tuning.sliceUnits);
    if (isWritingBase(n))
        scheduleSlices(behind ? m_tuning.behindDelayMsec : m_tuning.sliceDelayMsec);
}

bool RecoveryJournal::writeSlice(int n, qsizetype units, bool all)
{
    Record &record = m_records[n];
    const QString &text = m_editor.textDocument(n)->text();
    QElapsedTimer clock;
    clock.start();
    qint64 longest = 0; // the longest piece so far
    bool behind = false;
    while (!record.base->isComplete(text) && units > 0) {
        // A buffer's worth at most: pieces small enough to keep to the budget.
        const qint64 before = clock.nsecsElapsed();
        const qsizetype handed = record.base->writeSlice(text, units, all);
        if (handed == 0) {
            behind = true;
            break;
        }
        units -= handed;
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - before);
        // Another piece as long as the longest would go past the budget.
        if (!all && now + longest > m_tuning.sliceBudgetNsec)
            break;
    }
    if (record.base->isComplete(text))
        commitBase(n);
    return !behind;
}

void RecoveryJournal::commitBase(int n)
{
    Record &record = m_records[n];
    record.base->commit(m_editor.textDocument(n)->text(), recordPath(n));
    // The new file holds the text as it stands: edits made while it was written, still
    // waiting for the old file, are in it already.
    record.header = record.base->header();
    record.base.reset();
    record.onDisk = true;
    record.appendable = true;
    record.pending = QByteArray();
    record.logBytes = 0;
    if (header(n) != record.header)
        onDocumentSignal(n);
}

void RecoveryJournal::scheduleSlices(int delayMsec)
{
    if (m_sliceTimer != 0 || m_finished)
        return;
    m_sliceTimer = m_editor.platform().timers().startSingleShot(delayMsec, [this] {
        m_sliceTimer = 0;
        onSliceTimer();
    });
}

void RecoveryJournal::onSliceTimer()
{
    bool behind = false;
    for (auto &[n, record] : m_records) {
        if (record.base) {
            behind = !writeSlice(n, m_tuning.sliceUnits);
            break;
        }
    }
    for (const auto &[n, record] : m_records) {
        if (record.base) {
            // The writer holds every buffer: it gets time to give some back before more.
            scheduleSlices(behind ? m_tuning.behindDelayMsec : m_tuning.sliceDelayMsec);
            break;
        }
    }
}

void RecoveryJournal::onBaseFailed(int n, quint64 id, const QString &reason)
{
    reportFailure(reason);
    // The record on disk is as it was and goes on taking the edits; the next write that
    // finds a base due starts another.
    const auto it = m_records.find(n);
    if (it != m_records.end() && it->second.base && it->second.base->id() == id)
        it->second.base.reset();
}

void RecoveryJournal::setTuning(const Tuning &tuning)
{
    m_tuning = tuning;
    m_writer->setEarlyWriteback(tuning.earlyWriteback);
}

void RecoveryJournal::onWritten(int n, const QString &reason)
{
    if (reason.isEmpty())
        return;
    reportFailure(reason);
    // The file no longer matches what was appended to it: the next edit makes a new base.
    const auto it = m_records.find(n);
    if (it != m_records.end()) {
        it->second.appendable = false;
        it->second.pending = QByteArray();
    }
}

RecoveryRecord RecoveryJournal::header(int n) const
{
    RecoveryRecord record;
    record.slot = n;
    const TextDocument &doc = m_editor.document(n);
    record.title = doc.title();
    record.fileTitle = doc.fileTitle();
    record.filePath = doc.filePath();
    record.font = doc.font();
    record.encoding = textEncodingName(doc.encoding());
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
    m_lock = std::make_unique<QLockFile>(m_runFolder + QLatin1Char('/') + RecoveryRunFolder::LockName);
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
    // Its layout may be an older one: the next edit starts a base of this run's own.
    m_records.erase(n);
    Record &record = m_records[n];
    record.onDisk = true;
    record.header = header(n);
    return true;
}

void RecoveryJournal::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    for (int *timer : {&m_timer, &m_sliceTimer}) {
        if (*timer != 0)
            m_editor.platform().timers().cancelSingleShot(*timer);
        *timer = 0;
    }
    QList<int> due = m_due;
    for (int n : std::as_const(m_dirty)) {
        if (!due.contains(n))
            due.append(n);
    }
    for (const auto &[n, record] : m_records) {
        if (record.base && !due.contains(n))
            due.append(n);
    }
    m_dirty.clear();
    m_due.clear();
    for (int n : std::as_const(due)) {
        if (!(m_editor.isOpen(n) && isChanged(n))) {
            discardRecord(n);
            continue;
        }
        writeNow(n);
        // The end of the run does not wait for idle time: the base is finished now.
        const qsizetype all = m_editor.textDocument(n)->length() + 1;
        if (isWritingBase(n)) {
            writeSlice(n, all, true);
            // A name or font changed while the base was written follows it.
            if (m_records[n].appendable)
                writeNow(n);
        }
    }
    m_writer->drain();
    if (!m_lock)
        return;
    // Records left behind (the run ended without the documents' close prompts) stay
    // for the next start, which finds the folder unlocked and offers them.
    m_lock->unlock();
    m_lock.reset();
    if (std::none_of(m_records.begin(), m_records.end(), [](const auto &r) { return r.second.onDisk; }))
        QDir().rmdir(m_runFolder);
}

void RecoveryJournal::drain() { m_writer->drain(); }

} // namespace korvane
