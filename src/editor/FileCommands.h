#pragma once

#include <QString>

namespace korvane {

class Editor;

// Open, Save, Save As and Print of the "文件" menu, and the save the close prompt uses.
// The editor owns one (Editor::files()).
class FileCommands {
public:
    static inline const QString TextFilter = QStringLiteral("Text Files (*.TXT)|*.txt|All Files (*.*)|*.*");

    explicit FileCommands(Editor &editor);

    void open();
    // Loads a file into document n in place, as Open does after its dialog; false (and a
    // message naming the file) when it cannot be read.
    bool openPath(int n, const QString &path);
    void save();
    void saveAs();
    void print();

    // Save for document n: written to its file, or through Save As when it has none.
    // False when nothing was written (a failure or a cancelled save dialog); the close
    // prompt's Yes (Editor::queryClose) then keeps the window open.
    bool saveDocument(int n);

    // The text as the printer gets it: one line feed per line end, and the characters the
    // text box shows as symbols printed as those symbols.
    static QString printableText(const QString &text);

private:
    bool writeStep(int n, const QString &path);
    bool saveAsSlot(int n);

    Editor &m_editor;
};

} // namespace korvane
