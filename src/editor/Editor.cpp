#include "editor/Editor.h"

#include "editor/DocumentHost.h"
#include "editor/commands/DocumentSearch.h"
#include "editor/commands/FileCommands.h"
#include "platform/Platform.h"

namespace korvane {

Editor::Editor(Platform &platform, DocumentHost &host, QObject *parent)
    : QObject(parent), m_platform(platform), m_host(host), m_files(std::make_unique<FileCommands>(platform)),
      m_search(std::make_unique<DocumentSearch>(platform, [this]() -> TextDocument & { return activeDocument(); }))
{}

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
    return m_lastAllocated;
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
    s.document = new TextDocument(n, this);
    connect(s.document, &TextDocument::settled, this,
            [this, n](TextDocument::Settled how) { emit documentSettled(n, how); });
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
