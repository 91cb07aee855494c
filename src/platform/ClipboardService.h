#pragma once

#include <QString>

namespace korvane {

// The clipboard in its plain-text format only.
class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void clearClipboard() = 0;
    virtual void setClipboardText(const QString &text) = 0;
    virtual QString clipboardText() const = 0; // empty when the clipboard holds no text
};

} // namespace korvane
