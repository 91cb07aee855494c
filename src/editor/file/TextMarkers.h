#pragma once

#include <QString>
#include <QStringView>

namespace korvane {

// Characters that would otherwise show as nothing, as an empty box or as a break of
// the line: control characters, byte stand-ins, the Unicode line and paragraph
// separators and halves of surrogate pairs. The text box shows each as a small box
// with a label ("NUL", "B5" for the file byte B5).
namespace TextMarkers {

// The label for the character at index i of text, or a null string when it is shown as
// it is. A tab is shown as a tab; CR and LF end lines and are never shown.
QString labelAt(QStringView text, qsizetype i);

} // namespace TextMarkers
} // namespace korvane
