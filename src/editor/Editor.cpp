#include "editor/Editor.h"

#include "editor/DocumentHost.h"
#include "editor/TextDocument.h"
#include "platform/NativePath.h"
#include "platform/Platform.h"

namespace korvane {

Editor::Editor(Platform &platform, DocumentHost &host, QObject *parent)
    : QObject(parent), m_platform(platform), m_host(host), m_files(std::make_unique<FileCommands>(*this)),
      m_search(std::make_unique<DocumentSearch>(*this))
{}

Editor::~Editor() = default;

int Editor::openCount() const
{
    int count = 0;
    for (const DocumentSlot &s : m_slots)
        count += s.inUse ? 1 : 0;
    return count;
}

bool Editor::isChanged(int n) const
{
    const TextDocument *doc = textDocument(n);
    return doc && doc->isChanged();
}

QString Editor::fileTitle(int n) const
{
    const TextDocument *doc = textDocument(n);
    return doc ? doc->fileTitle() : QString();
}

QString Editor::filePath(int n) const
{
    const TextDocument *doc = textDocument(n);
    return doc ? doc->filePath() : QString();
}

FileIdentity Editor::fileIdentity(int n) const
{
    const TextDocument *doc = textDocument(n);
    return doc ? doc->fileIdentity() : FileIdentity();
}

void Editor::setFileIdentity(int n, const FileIdentity &identity)
{
    if (TextDocument *doc = textDocument(n))
        doc->setFileIdentity(identity);
}

TextEncoding Editor::encoding(int n) const
{
    const TextDocument *doc = textDocument(n);
    return doc ? doc->encoding() : TextEncoding::Gb18030;
}

void Editor::setEncoding(int n, TextEncoding encoding)
{
    if (TextDocument *doc = textDocument(n))
        doc->setEncoding(encoding);
}

void Editor::setChanged(int n, bool changed)
{
    if (!changed) {
        clearChanged(n, Settled::Saved);
        return;
    }
    // The document's changed-flag signal brings the caption along.
    if (TextDocument *doc = textDocument(n))
        doc->setChanged(true);
}

void Editor::clearChanged(int n, Settled how)
{
    TextDocument *doc = textDocument(n);
    if (!doc || !doc->isChanged())
        return;
    doc->setChanged(false);
    emit documentSettled(n, how);
}

void Editor::setFile(int n, const QString &path, const QString &title)
{
    if (TextDocument *doc = textDocument(n)) {
        doc->setFile(path, title);
        updateCaption(n);
    }
}

QString Editor::title(int n) const
{
    const QString file = fileTitle(n);
    return file.isEmpty() ? QStringLiteral("文档 %1").arg(n) : NativePath::shown(file);
}

void Editor::updateCaption(int n)
{
    if (TextDocument *doc = textDocument(n))
        doc->setCaption(doc->isChanged() ? QLatin1Char('*') + title(n) : title(n));
}

void Editor::loadText(int n, const QString &text)
{
    document(n).load(text);
    clearChanged(n, Settled::Replaced);
}

int Editor::allocateDocumentSlot()
{
    for (int n = 1; n <= SlotCount; ++n) {
        if (!slot(n).inUse) {
            slot(n).inUse = true;
            return n;
        }
    }
    return -1;
}

int Editor::activeDocumentIndex()
{
    const int active = m_host.activeSlot();
    if (active >= 1 && active <= SlotCount && slot(active).inUse)
        return active;
    newDocument();
    // With all slots taken there is always an active window, so New has just succeeded.
    return m_lastAllocated;
}

void Editor::takeSnapshot(int n) { document(n).beginCommand(); }

void Editor::revertToSnapshot(int n) { document(n).revertToSnapshot(); }

QString Editor::undoSnapshot(int n) const
{
    const TextDocument *doc = textDocument(n);
    return doc ? doc->undoSnapshot() : QString();
}

int Editor::newDocument()
{
    const int n = allocateDocumentSlot();
    if (n == -1) {
        m_platform.messages().showMessage(LimitMessage, MsgButtons::Ok);
        return 0;
    }
    m_lastAllocated = n;
    DocumentSlot &s = slot(n);
    s = DocumentSlot();
    s.inUse = true;
    s.document = new TextDocument(this);
    updateCaption(n);
    connect(s.document, &TextDocument::changedFlagChanged, this, [this, n] { updateCaption(n); });
    m_host.openWindow(n, s.document);
    emit documentOpened(n);
    return n;
}

void Editor::closeActive()
{
    const int n = m_host.activeSlot();
    if (n >= 1 && n <= SlotCount && slot(n).inUse)
        m_host.closeWindow(n);
}

bool Editor::closeAll()
{
    bool all = true;
    for (int n = 1; n <= SlotCount; ++n) {
        if (slot(n).inUse && !m_host.closeWindow(n))
            all = false;
    }
    return all;
}

void Editor::nextDocument() { activateNeighbour(+1); }

void Editor::previousDocument() { activateNeighbour(-1); }

void Editor::activateNeighbour(int step)
{
    // Walks round the slot numbers from the active document, past the end to the start
    // (or the other way), to the first open one.
    const int n = activeDocumentIndex();
    for (int k = 1; k < SlotCount; ++k) {
        const int i = (n - 1 + step * k + SlotCount) % SlotCount + 1;
        if (slot(i).inUse) {
            m_host.activateWindow(i);
            return;
        }
    }
}

void Editor::minimizeAll()
{
    for (int n = 1; n <= SlotCount; ++n) {
        if (slot(n).inUse)
            m_host.minimizeWindow(n);
    }
}

bool Editor::queryClose(int n)
{
    if (!isChanged(n))
        return true;
    // The prompt reads the same for every document; Close all and the frame closing ask
    // it for one after another.
    m_host.bringForward(n);
    switch (m_platform.messages().showMessage(SavePrompt, MsgButtons::YesNoCancel, MsgIcon::None)) {
    case MsgAnswer::Cancel: return false;
    case MsgAnswer::Yes:
        // Closing after a failed or cancelled save would throw the edits away.
        return m_files->saveDocument(n);
    default: break;
    }
    // 否: the edits are given up, and nothing needs to keep them.
    emit documentSettled(n, Settled::Declined);
    return true;
}

void Editor::releaseSlot(int n)
{
    DocumentSlot &s = slot(n);
    if (!s.inUse)
        return;
    TextDocument *doc = s.document;
    s.document = nullptr;
    s.inUse = false;
    if (doc) {
        doc->disconnect(this);
        doc->deleteLater();
    }
    emit documentClosed(n);
}

} // namespace korvane
