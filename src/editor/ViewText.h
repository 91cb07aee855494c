#pragma once

#include <QString>

namespace korvane {

// How a document's text is shown in a QPlainTextEdit: every CR LF becomes a paragraph
// break, and the characters the text box would otherwise turn into breaks (a lone CR,
// a lone LF, the Unicode line and paragraph separators) or hide (NUL, byte stand-ins)
// are shown as one visible symbol each. So a view position differs from a text
// position only by one per CR LF before it.
namespace ViewText {

QChar displayChar(QChar c);
// The whole text as the view shows it, with QChar::ParagraphSeparator for each CR LF.
QString toView(QStringView text);
// Text typed into the view back into document form: each paragraph break becomes CR LF.
QString fromTyped(QStringView typed);

} // namespace ViewText
} // namespace korvane
