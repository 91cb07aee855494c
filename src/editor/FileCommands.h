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

    // Saves document n for the close prompt's Yes; false when nothing was written.
    bool saveForClose(int n);

private:
    bool writeStep(int n, const QString &path);
    bool saveAsSlot(int n);

    Editor &m_editor;
};

} // namespace korvane
