#pragma once

#include <QObject>

namespace korvane {

class ClipboardService;
class TextBoxView;

// As on every X11 desktop, a middle click into a text box pastes the primary selection
// (the text last selected with the mouse anywhere) where it was clicked, as one command
// with CR LF line ends, as Paste puts it in. The clipboard service reads the selection.
class MiddleClickPaste : public QObject {
    Q_OBJECT
public:
    // Watches the view's viewport, where the clicks arrive; owned by the view.
    MiddleClickPaste(TextBoxView *view, const ClipboardService &clipboard);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TextBoxView *m_view;
    const ClipboardService &m_clipboard;
};

} // namespace korvane
