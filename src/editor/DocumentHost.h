#pragma once

namespace korvane {

class TextDocument;

// Where document windows live: the main frame's client area in the program, a plain
// list in tests. Slots are 1..30.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // Creates and shows the window of a new document; it becomes the active one.
    virtual void openWindow(int slot, TextDocument *document) = 0;
    // Closes the window through its close handling (FileCommands::maybeSave, Editor::releaseSlot).
    // True when it closed.
    virtual bool closeWindow(int slot) = 0;
    // Slot of the active document window, 0 when none is open.
    virtual int activeSlot() const = 0;
    virtual void activateWindow(int slot) = 0;
    // Activates the window and restores it when it is minimized, so that the user sees
    // which document a question is about.
    virtual void bringForward(int slot) { activateWindow(slot); }
    virtual void minimizeWindow(int slot) = 0;
};

} // namespace korvane
