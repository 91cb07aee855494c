#pragma once

#include <QMdiSubWindow>

namespace korvane {

class Editor;
class TextBoxView;
class TextDocument;

// The document window "Form1": a child of the main frame holding one text box. Its
// "Tag" property is the slot number as decimal text.
class DocumentWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    DocumentWindow(Editor &editor, int slot, TextDocument *document, QWidget *parent = nullptr);

    int slotNumber() const { return property("Tag").toString().toInt(); }
    TextBoxView *textBox() const { return m_textBox; }

    // Client area of a new document window, in pixels.
    static QSize initialClientSize();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Editor &m_editor;
    TextBoxView *m_textBox;
};

} // namespace korvane
