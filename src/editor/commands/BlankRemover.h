#pragma once

#include <QString>
#include <QStringView>

namespace korvane {

class DocumentSearch;
class Platform;
class TextDocument;

// "选择最后一行": strips the leading spaces from every line of the document. Find Next
// goes on from the end of the text afterwards, so it shares the editor's search.
class BlankRemover {
public:
    BlankRemover(Platform &platform, DocumentSearch &search);
    void run(TextDocument &document);

    // Every line (ended by CR LF; the rest after the last CR LF is the final line) without
    // its leading spaces. Tabs stay, and a lone CR or LF is an ordinary character of its line.
    static QString stripLeadingBlanks(QStringView text);

    // When the result finds no room in memory; the text stays as it was.
    static inline const QString NoMemoryMessage = QStringLiteral("无法删除行首的空格：内存不足。");

private:
    Platform &m_platform;
    DocumentSearch &m_search;
};

} // namespace korvane
