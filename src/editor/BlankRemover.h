#pragma once

#include <QString>
#include <QStringView>

namespace korvane {

class Editor;

// "选择最后一行": strips the leading spaces from every line of the active document.
class BlankRemover {
public:
    explicit BlankRemover(Editor &editor);
    void run();

    // Every line (ended by CR LF; the rest after the last CR LF is the final line) without
    // its leading spaces. Tabs stay, and a lone CR or LF is an ordinary character of its line.
    static QString stripLeadingBlanks(QStringView text);

private:
    Editor &m_editor;
};

} // namespace korvane
