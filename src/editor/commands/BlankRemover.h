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

    // When the result finds no room in memory; the text stays as it was.
    static inline const QString NoMemoryMessage = QStringLiteral("无法删除行首的空格：内存不足。");

private:
    Editor &m_editor;
};

} // namespace korvane
