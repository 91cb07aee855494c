#pragma once

#include <QString>

namespace korvane {

class Editor;

enum class InsertItem { DateShort, DateMedium, DateLong, TimeShort, TimeMedium, TimeLong, FileName, PathAndFile };

// The "插入" menu: date, time, file name or full path at the caret.
class InsertCommands {
public:
    explicit InsertCommands(Editor &editor);
    // Replaces the selection of the active document (or inserts at its caret).
    void insert(InsertItem item);

private:
    QString textFor(InsertItem item, int n) const;

    Editor &m_editor;
};

} // namespace korvane
