#pragma once

#include <QString>

namespace korvane {

// The clipboard in its plain-text format only, and the X11 primary selection: the text
// last selected with the mouse, which a middle click pastes. Where the window system has
// no primary selection, setting it does nothing and it reads empty.
class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void clearClipboard() = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual QString clipboardText() const = 0; // empty when the clipboard holds no text
    virtual void setSelectionText(const QString &text) = 0;
    virtual QString selectionText() const = 0;
};

} // namespace korvane
