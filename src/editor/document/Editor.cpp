#include "editor/document/Editor.h"

#include "editor/document/DocumentHost.h"
#include "editor/document/TextDocument.h"
#include "editor/file/NativePath.h"
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

void Editor::setChanged(int n, bool changed)
{
    if (!changed) {
        clearChanged(n, Settled::Saved);
        return;
    }
    if (slot(n).changed)
        return;
    slot(n).changed = true;
    updateCaption(n);
}

void Editor::clearChanged(int n, Settled how)
{
    if (!slot(n).changed)
        return;
    slot(n).changed = false;
    updateCaption(n);
    emit documentSettled(n, how);
}

void Editor::setFile(int n, const QString &path, const QString &title)
{
    DocumentSlot &s = slot(n);
    s.filePath = path;
    s.fileTitle = title;
    s.fileIdentity = FileIdentity();
    updateCaption(n);
}

QString Editor::title(int n) const
{
    const QString &file = slot(n).fileTitle;
    return file.isEmpty() ? QStringLiteral("文档 %1").arg(n) : NativePath::shown(file);
}

void Editor::updateCaption(int n)
{
    const DocumentSlot &s = slot(n);
    if (s.document)
        s.document->setCaption(s.changed ? QLatin1Char('*') + title(n) : title(n));
}

void Editor::loadText(int n, const QString &text)
{
    m_loading = true;
    document(n).setText(text);
    m_loading = false;
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

void Editor::takeSnapshot(int n) { slot(n).undo.take(document(n).text()); }

QString Editor::undoSnapshot(int n) const
{
    const DocumentSlot &s = slot(n);
    return s.undo.text(s.document ? s.document->text() : QString());
}

void Editor::revertToSnapshot(int n)
{
    DocumentSlot &s = slot(n);
    if (s.undo.isEmpty())
        return;
    TextDocument &doc = *s.document;
    // Afterwards the snapshot and the text read the same, so the snapshot follows the
    // document's text again, which nothing else then shares: the next keystroke changes
    // it in place. Meanwhile the snapshot is left out of the change.
    if (s.undo.revertsInPlace(doc.length())) {
        // Typing since the last command: taken back where it happened.
        const std::vector<TextReplacement> reversals = s.undo.reversals();
        s.undo.clear();
        doc.setTextByReplacing(reversals);
    } else {
        const QString before = s.undo.text(doc.text());
        s.undo.clear();
        doc.setText(before);
    }
    s.undo.take(doc.text());
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
    connect(s.document, &TextDocument::changed, this, [this, n] { onTextChanged(n); });
    connect(s.document, &TextDocument::commandStarting, this, [this, n] { takeSnapshot(n); });
    connect(s.document, &TextDocument::replacing, this,
            [this, n](qsizetype position, qsizetype removed, qsizetype added) {
        slot(n).undo.recordReplace(slot(n).document->text(), position, removed, added);
    });
    m_host.openWindow(n, s.document);
    emit documentOpened(n);
    return n;
}

void Editor::onTextChanged(int n)
{
    if (!m_loading)
        setChanged(n, true);
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
    if (!slot(n).changed)
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
