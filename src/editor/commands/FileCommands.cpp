#include "editor/commands/FileCommands.h"

#include "editor/document/TextDocument.h"
#include "editor/file/LineEnds.h"
#include "editor/file/NativePath.h"
#include "editor/file/TextFile.h"
#include "editor/file/TextMarkers.h"
#include "platform/LongTaskService.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <utility>

namespace korvane {

FileCommands::FileCommands(Platform &platform) : m_platform(platform), m_readChunkSize(TextFile::ReadChunkSize) {}

static QString shownPath(const QString &path) { return NativePath::shown(QDir::toNativeSeparators(path)); }

void FileCommands::open(TextDocument &document)
{
    document.beginCommand();
    const QString chosen = m_platform.fileDialog().showOpen(TextFilter);
    if (chosen.isEmpty())
        return;
    if (const std::optional<QString> path = NativePath::fromDialog(chosen))
        openPath(document, *path);
    else
        m_platform.messages().showMessage(
            QStringLiteral("无法打开文件 “%1”：%2。").arg(shownPath(chosen), NativePath::ambiguousReason()),
            MsgButtons::Ok, MsgIcon::Exclamation);
}

bool FileCommands::openPath(TextDocument &document, const QString &path)
{
    // The window stays usable while the file is read: should its document be closed
    // meanwhile, the text has nowhere to go.
    const QPointer<TextDocument> doc(&document);
    TextFile::ReadResult file;
    m_platform.longTasks().run(OpeningLabel.arg(shownPath(QFileInfo(path).fileName())), [&](LongTask &task) {
        TextFile::ReadGuards guards;
        guards.availableMemory = m_platform.memory().availableMemory();
        guards.progress = [&task](qint64 done, qint64 total) { return task.progress(done, total); };
        file = TextFile::read(path, m_readChunkSize, guards);
        if (!file.ok || !doc)
            return false;
        // Still under the progress dialog and the busy cursor: on a big file the document
        // takes a moment more to index its lines.
        doc->setFile(path, QFileInfo(path).fileName());
        doc->setFileIdentity(file.identity);
        doc->setEncoding(file.encoding);
        // Filling the document is no edit, and the document reads as unchanged afterwards.
        doc->load(std::exchange(file.text, QString()));
        doc->settle(TextDocument::Settled::Replaced);
        return true;
    });
    // A cancelled Open is no failure to report: the document simply stays as it was.
    if (file.cancelled || !file.ok) {
        if (!file.cancelled)
            m_platform.messages().showMessage(
                QStringLiteral("无法打开文件 “%1”：%2。").arg(shownPath(path), file.reason), MsgButtons::Ok,
                MsgIcon::Exclamation);
        return false;
    }
    return !doc.isNull();
}

bool FileCommands::saveAs(TextDocument &document)
{
    const QString chosen = m_platform.fileDialog().showSave(TextFilter, document.filePath());
    if (chosen.isEmpty())
        return false;
    const std::optional<QString> exact = NativePath::fromDialog(chosen);
    if (!exact) {
        m_platform.messages().showMessage(
            QStringLiteral("无法保存文件 “%1”：%2。").arg(shownPath(chosen), NativePath::ambiguousReason()),
            MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    const QString path = *exact;
    if (!writeStep(document, path, false))
        return false;
    const FileIdentity written = document.fileIdentity();
    document.settle(TextDocument::Settled::Saved);
    document.setFile(path, QFileInfo(path).fileName());
    document.setFileIdentity(written);
    return true;
}

bool FileCommands::save(TextDocument &document)
{
    const QString path = document.filePath();
    if (path.isEmpty())
        return saveAs(document);
    if (!writeStep(document, path, true))
        return false;
    // Only now, with the text on disk, may the recovery journal let go of its copy.
    document.settle(TextDocument::Settled::Saved);
    return true;
}

bool FileCommands::maybeSave(TextDocument &document)
{
    if (!document.isChanged())
        return true;
    // The prompt reads the same for every document; Close all and the frame closing ask
    // it for one after another.
    switch (m_platform.messages().showMessage(SavePrompt, MsgButtons::YesNoCancel, MsgIcon::None)) {
    case MsgAnswer::Cancel: return false;
    case MsgAnswer::Yes: return save(document);
    default: break;
    }
    // 否: the edits are given up, and nothing needs to keep them.
    document.settle(TextDocument::Settled::Declined);
    return true;
}

bool FileCommands::changedOutside(const TextDocument &document, const QString &path)
{
    const FileIdentity &known = document.fileIdentity();
    const std::optional<QByteArray> native = NativePath::encode(path);
    if (!known.exists || !native)
        return false;
    // A file deleted meanwhile is simply written anew.
    const FileIdentity now = FileIdentity::ofPath(*native);
    return now.exists && now != known;
}

bool FileCommands::writeStep(TextDocument &document, const QString &path, bool ownFile)
{
    if (ownFile && changedOutside(document, path) &&
        m_platform.messages().showMessage(ChangedOutsideQuestion.arg(document.title()), MsgButtons::YesNo,
                                          MsgIcon::Exclamation) != MsgAnswer::Yes)
        return false;
    FileIdentity written;
    bool cancelled = false;
    QString reason;
    // A copy that shares the document's text: should it change meanwhile, what is written stays whole.
    const QString text = document.text();
    const TextEncoding encoding = document.encoding();
    const QPointer<TextDocument> doc(&document);
    m_platform.longTasks().run(SavingLabel.arg(shownPath(QFileInfo(path).fileName())), [&](LongTask &task) {
        reason = TextFile::write(
            path, text, encoding, &written, [&task](qint64 done, qint64 total) { return task.progress(done, total); },
            &cancelled);
        return reason.isEmpty();
    });
    if (cancelled)
        return false; // the file is as it was, the document still changed
    if (reason.isEmpty()) {
        if (doc)
            doc->setFileIdentity(written);
        return true;
    }
    m_platform.messages().showMessage(QStringLiteral("无法保存文件 “%1”：%2。").arg(shownPath(path), reason),
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

void FileCommands::print(TextDocument &document)
{
    PrintService &printer = m_platform.printer();
    const std::optional<int> copies = printer.showPrintDialog();
    if (!copies)
        return; // a cancelled dialog prints nothing
    const QString text = document.selLength() > 0 ? document.selText() : document.text();
    if (!printer.printText(printableText(text), *copies, QFont()))
        m_platform.messages().showMessage(QStringLiteral("无法打印 “%1”：打印机出错。").arg(document.caption()),
                                          MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace korvane
