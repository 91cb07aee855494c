#pragma once

namespace korvane {

class Editor;

// "选择最后一行": strips the leading spaces from every line of the active document.
class BlankRemover {
public:
    explicit BlankRemover(Editor &editor);
    void run();

private:
    Editor &m_editor;
};

} // namespace korvane
