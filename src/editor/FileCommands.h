#pragma once

#include <QString>

namespace korvane {

class Editor;

// Open, Save, Save As and Print of the "文件" menu, and the write step the close prompt uses.
class FileCommands {
public:
    static inline const QString TextFilter = QStringLiteral("Text Files (*.TXT)|*.txt|All Files (*.*)|*.*");

    explicit FileCommands(Editor &editor);

    void open();
    void save();
    void saveAs();
    void print();

    // Saves document n for the close prompt's Yes; false when nothing was written
    // (a failure or a cancelled save dialog), so that the window stays open.
    bool saveForClose(int n);

    // The text as the printer gets it: one line feed per line end, and the characters the
    // text box shows as symbols printed as those symbols.
    static QString printableText(const QString &text);

private:
    bool writeStep(int n, const QString &path);
    bool saveAsSlot(int n);
    void markSaved(int n);

    Editor &m_editor;
};

} // namespace korvane
