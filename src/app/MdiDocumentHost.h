#pragma once

#include "editor/DocumentHost.h"

#include <QHash>
#include <QPointer>

class QMdiArea;

namespace korvane {

class DocumentWindow;
class Editor;
class FrameKeys;

// Document windows as children of the main frame's client area.
class MdiDocumentHost final : public DocumentHost {
public:
    explicit MdiDocumentHost(QMdiArea *area) : m_area(area) {}
    void setEditor(Editor *editor) { m_editor = editor; }
    // What the frame offers every text box: its menu keys and context menu.
    void setFrameKeys(const FrameKeys *keys) { m_frameKeys = keys; }

    void openWindow(int slot, TextDocument *document) override;
    bool closeWindow(int slot) override;
    int activeSlot() const override;
    void activateWindow(int slot) override;
    void bringForward(int slot) override;
    void minimizeWindow(int slot) override;

    DocumentWindow *window(int slot) const;

private:
    QMdiArea *m_area;
    Editor *m_editor = nullptr;
    const FrameKeys *m_frameKeys = nullptr;
    QHash<int, QPointer<DocumentWindow>> m_windows;
};

} // namespace korvane
