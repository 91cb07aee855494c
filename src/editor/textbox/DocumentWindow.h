#pragma once

#include <QMdiSubWindow>

namespace korvane {

class Editor;
class FrameKeys;
class TextBoxView;
class TextDocument;

// The document window "Form1": a child of the main frame holding the text box of the
// document in one slot. It builds the text box and attaches its behaviours; frameKeys
// (null for none) is what the frame offers the box: its menu keys and context menu.
class DocumentWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    DocumentWindow(Editor &editor, int slot, TextDocument *document, const FrameKeys *frameKeys = nullptr,
                   QWidget *parent = nullptr);

    static constexpr auto kObjectName = "Form1";

    int slotNumber() const { return m_slot; }
    TextBoxView *textBox() const { return m_textBox; }

    // Client area of a new document window, in pixels.
    static QSize initialClientSize();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Editor &m_editor;
    const int m_slot;
    TextBoxView *m_textBox;
};

} // namespace korvane
