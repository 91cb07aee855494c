#pragma once

namespace korvane {

class Editor;

enum class InsertItem { DateShort, DateMedium, DateLong, TimeShort, TimeMedium, TimeLong, FileName, PathAndFile };

// The "插入" menu: date, time, file name or full path at the caret.
class InsertCommands {
public:
    explicit InsertCommands(Editor &editor);
    void insert(InsertItem item);

private:
    Editor &m_editor;
};

} // namespace korvane
