#pragma once

#include <QObject>

namespace korvane {

class TextBoxView;

// As on every X11 desktop, a middle click into a text box pastes the primary selection
// (the text last selected with the mouse anywhere) where it was clicked, as one command
// with CR LF line ends, as Paste puts it in. The view says what the primary selection is.
class MiddleClickPaste : public QObject {
    Q_OBJECT
public:
    // Watches the view's viewport, where the clicks arrive; owned by the view.
    explicit MiddleClickPaste(TextBoxView *view);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TextBoxView *m_view;
};

} // namespace korvane
