#include "editor/EditorDialogs.h"

namespace korvane {

void showFontDialog(Editor &, QWidget *) {}

} // namespace korvane
