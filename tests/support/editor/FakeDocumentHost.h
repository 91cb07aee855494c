#pragma once

#include "editor/DocumentHost.h"

#include <QList>

namespace korvane {

class Editor;

// Document windows as a plain list, for testing editor commands without widgets.
// The last opened or activated window is the active one, as in the frame.
class FakeDocumentHost final : public DocumentHost {
public:
    void setEditor(Editor *editor) { m_editor = editor; }

    void openWindow(int slot, TextDocument *document) override;
    bool closeWindow(int slot) override;
    int activeSlot() const override { return m_active; }
    void activateWindow(int slot) override;
    void minimizeWindow(int slot) override { minimized << slot; }
    void bringForward(int slot) override
    {
        broughtForward << slot;
        activateWindow(slot);
    }

    QList<int> open;      // open windows, in creation order
    QList<int> minimized; // every minimize request
    QList<int> activations;
    QList<int> broughtForward;

private:
    Editor *m_editor = nullptr;
    int m_active = 0;
};

} // namespace korvane
