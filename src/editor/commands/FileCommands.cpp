#include "editor/commands/FileCommands.h"

#include "editor/document/Editor.h"
#include "editor/file/LineEnds.h"
#include "editor/document/TextDocument.h"
#include "editor/file/TextFile.h"
#include "editor/file/TextMarkers.h"
#include "platform/LongTaskService.h"
#include "editor/file/NativePath.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace korvane {

FileCommands::FileCommands(Editor &editor) : m_editor(editor), m_readChunkSize(TextFile::ReadChunkSize) {}

static QString shownPath(const QString &path) { return NativePath::shown(QDir::toNativeSeparators(path)); }

void FileCommands::open()
{
    const int n = m_editor.activeDocumentIndex();
    m_editor.takeSnapshot(n);
    const QString chosen = m_editor.platform().fileDialog().showOpen(TextFilter);
    if (chosen.isEmpty())
        return;
    if (const std::optional<QString> path = NativePath::fromDialog(chosen))
        openPath(n, *path);
    else
        m_editor.platform().messages().showMessage(
            QStringLiteral("无法打开文件 “%1”：%2。").arg(shownPath(chosen), NativePath::ambiguousReason()),
            MsgButtons::Ok, MsgIcon::Exclamation);
}

bool FileCommands::openPath(int n, const QString &path)
{
    Platform &platform = m_editor.platform();
    TextFile::ReadResult file;
    platform.longTasks().run(OpeningLabel.arg(shownPath(QFileInfo(path).fileName())), [&](LongTask &task) {
        TextFile::ReadGuards guards;
        guards.availableMemory = platform.memory().availableMemory();
        guards.progress = [&task](qint64 done, qint64 total) { return task.progress(done, total); };
        file = TextFile::read(path, m_readChunkSize, guards);
        if (!file.ok || !m_editor.isOpen(n))
            return false;
        // Still under the progress dialog and the busy cursor: on a big file the document
        // takes a moment more to index its lines.
        m_editor.setFile(n, path, QFileInfo(path).fileName());
        m_editor.setFileIdentity(n, file.identity);
        m_editor.setEncoding(n, file.encoding);
        m_editor.loadText(n, std::exchange(file.text, QString()));
        return true;
    });
    // A cancelled Open is no failure to report: the document simply stays as it was.
    if (file.cancelled || !file.ok) {
        if (!file.cancelled)
            platform.messages().showMessage(QStringLiteral("无法打开文件 “%1”：%2。").arg(shownPath(path), file.reason),
                                            MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return m_editor.isOpen(n);
}

void FileCommands::save() { saveDocument(m_editor.activeDocumentIndex()); }

void FileCommands::saveAs() { saveAsSlot(m_editor.activeDocumentIndex()); }

bool FileCommands::saveAsSlot(int n)
{
    const QString chosen = m_editor.platform().fileDialog().showSave(TextFilter, m_editor.filePath(n));
    if (chosen.isEmpty())
        return false;
    const std::optional<QString> exact = NativePath::fromDialog(chosen);
    if (!exact) {
        m_editor.platform().messages().showMessage(
            QStringLiteral("无法保存文件 “%1”：%2。").arg(shownPath(chosen), NativePath::ambiguousReason()),
            MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    const QString path = *exact;
    if (!writeStep(n, path, false))
        return false;
    const FileIdentity written = m_editor.fileIdentity(n);
    m_editor.setChanged(n, false);
    m_editor.setFile(n, path, QFileInfo(path).fileName());
    m_editor.setFileIdentity(n, written);
    return true;
}

bool FileCommands::saveDocument(int n)
{
    const QString path = m_editor.filePath(n);
    if (path.isEmpty())
        return saveAsSlot(n);
    if (!writeStep(n, path, true))
        return false;
    // Only now, with the text on disk, may the recovery journal let go of its copy.
    m_editor.setChanged(n, false);
    return true;
}

bool FileCommands::changedOutside(int n, const QString &path) const
{
    const FileIdentity known = m_editor.fileIdentity(n);
    const std::optional<QByteArray> native = NativePath::encode(path);
    if (!known.exists || !native)
        return false;
    // A file deleted meanwhile is simply written anew.
    const FileIdentity now = FileIdentity::ofPath(*native);
    return now.exists && now != known;
}

bool FileCommands::writeStep(int n, const QString &path, bool ownFile)
{
    if (ownFile && changedOutside(n, path) &&
        m_editor.platform().messages().showMessage(ChangedOutsideQuestion.arg(m_editor.title(n)), MsgButtons::YesNo,
                                                   MsgIcon::Exclamation) != MsgAnswer::Yes)
        return false;
    FileIdentity written;
    bool cancelled = false;
    QString reason;
    // A copy that shares the document's text: should it change meanwhile, what is written stays whole.
    const QString text = m_editor.document(n).text();
    const TextEncoding encoding = m_editor.encoding(n);
    m_editor.platform().longTasks().run(SavingLabel.arg(shownPath(QFileInfo(path).fileName())), [&](LongTask &task) {
        reason = TextFile::write(
            path, text, encoding, &written, [&task](qint64 done, qint64 total) { return task.progress(done, total); },
            &cancelled);
        return reason.isEmpty();
    });
    if (cancelled)
        return false; // the file is as it was, the document still changed
    if (reason.isEmpty()) {
        if (m_editor.isOpen(n))
            m_editor.setFileIdentity(n, written);
        return true;
    }
    m_editor.platform().messages().showMessage(QStringLiteral("无法保存文件 “%1”：%2。").arg(shownPath(path), reason),
                                               MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

QString FileCommands::printableText(const QString &text)
{
    // Printed as the text box shows it: every line end is a line break, and a character
    // the text box shows as a marker box is printed as the marker's label in brackets.
    QString out;
    out.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (const qsizetype lineEnd = LineEnds::printedLineEndAt(text, i)) {
            out.append(LineEnds::PrintedLineEnd);
            i += lineEnd - 1;
            continue;
        }
        const QChar c = text[i];
        const QString label = TextMarkers::labelAt(text, i);
        if (label.isNull())
            out.append(c);
        else
            out.append(QLatin1Char('[') + label + QLatin1Char(']'));
    }
    return out;
}

void FileCommands::print()
{
    const int n = m_editor.activeDocumentIndex();
    PrintService &printer = m_editor.platform().printer();
    const std::optional<int> copies = printer.showPrintDialog();
    if (!copies)
        return; // a cancelled dialog prints nothing
    const TextDocument &doc = m_editor.document(n);
    const QString text = doc.selLength() > 0 ? doc.selText() : doc.text();
    if (!printer.printText(printableText(text), *copies, QFont()))
        m_editor.platform().messages().showMessage(QStringLiteral("无法打印 “%1”：打印机出错。").arg(doc.caption()),
                                                   MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace korvane
