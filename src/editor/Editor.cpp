#include "editor/Editor.h"

#include "editor/DocumentHost.h"
#include "editor/TextDocument.h"
#include "platform/Platform.h"

namespace korvane {

Editor::Editor(Platform &platform, DocumentHost &host, QObject *parent)
    : QObject(parent), m_platform(platform), m_host(host)
{
}

Editor::~Editor() = default;

int Editor::openCount() const
{
    int count = 0;
    for (const DocumentSlot &s : m_slots)
        count += s.inUse ? 1 : 0;
    return count;
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
    return lastAllocatedSlot;
}

void Editor::takeSnapshot(int n) { slot(n).undoSnapshot = document(n).text(); }

void Editor::newDocument()
{
    const int n = allocateDocumentSlot();
    if (n == -1) {
        m_platform.messages().showMessage(LimitMessage, MsgButtons::Ok);
        return; // the last allocated slot keeps pointing at the active document
    }
    lastAllocatedSlot = n;
    DocumentSlot &s = slot(n);
    s.document = new TextDocument(this);
    s.document->setCaption(QStringLiteral("文档 %1").arg(n));
    s.fileTitle.clear();
    s.filePath.clear();
    s.undoSnapshot.clear();
    s.changed = false;
    connect(s.document, &TextDocument::changed, this, [this, n] { onTextChanged(n); });
    connect(s.document, &TextDocument::commandStarting, this, [this, n] { takeSnapshot(n); });
    m_host.openWindow(n, s.document);
    emit documentOpened(n);
}

void Editor::onTextChanged(int n)
{
    DocumentSlot &s = slot(n);
    if (!s.changed && !loadingText) {
        s.changed = true;
        s.document->setCaption(QLatin1Char('*') + s.document->caption());
    }
    loadingText = false;
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

void Editor::nextDocument()
{
    const int n = activeDocumentIndex();
    for (int i = n + 1; i <= SlotCount; ++i) {
        if (slot(i).inUse) {
            m_host.activateWindow(i);
            return;
        }
    }
    for (int i = 1; i < n; ++i) {
        if (slot(i).inUse) {
            m_host.activateWindow(i);
            return;
        }
    }
}

void Editor::previousDocument()
{
    const int n = activeDocumentIndex();
    for (int i = n - 1; i >= 1; --i) {
        if (slot(i).inUse) {
            m_host.activateWindow(i);
            return;
        }
    }
    for (int i = SlotCount; i > n; --i) {
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
    case MsgAnswer::Cancel:
        return false;
    case MsgAnswer::Yes:
        // Closing after a failed or cancelled save would throw the edits away.
        return m_saveForClose && m_saveForClose(n);
    default:
        return true;
    }
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
