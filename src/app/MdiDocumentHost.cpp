#include "app/MdiDocumentHost.h"

#include "editor/textbox/DocumentWindow.h"
#include "editor/textbox/TextBoxView.h"

#include <QMdiArea>
#include <QStyle>

namespace korvane {

void MdiDocumentHost::openWindow(int slot, TextDocument *document)
{
    auto *window = new DocumentWindow(*m_editor, slot, document, m_frameKeys);
    m_area->addSubWindow(window);
    const int frame = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const QSize client = DocumentWindow::initialClientSize();
    window->resize(client.width() + 2 * frame, client.height() + title + frame);
    window->show();
    m_area->setActiveSubWindow(window);
    window->textBox()->setFocus();
    m_windows.insert(slot, window);
}

bool MdiDocumentHost::closeWindow(int slot)
{
    DocumentWindow *w = window(slot);
    if (!w)
        return true;
    return w->close();
}

int MdiDocumentHost::activeSlot() const
{
    // currentSubWindow() stays set while a dialog or tool window has the focus,
    // where activeSubWindow() would be empty.
    auto *w = qobject_cast<DocumentWindow *>(m_area->currentSubWindow());
    return w ? w->slotNumber() : 0;
}

void MdiDocumentHost::activateWindow(int slot)
{
    if (DocumentWindow *w = window(slot)) {
        m_area->setActiveSubWindow(w);
        w->textBox()->setFocus();
    }
}

void MdiDocumentHost::bringForward(int slot)
{
    if (DocumentWindow *w = window(slot)) {
        if (w->isMinimized())
            w->showNormal();
        activateWindow(slot);
    }
}

void MdiDocumentHost::minimizeWindow(int slot)
{
    if (DocumentWindow *w = window(slot))
        w->showMinimized();
}

DocumentWindow *MdiDocumentHost::window(int slot) const { return m_windows.value(slot).data(); }

} // namespace korvane
