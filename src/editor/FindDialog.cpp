#include "editor/EditorDialogs.h"

namespace korvane {

void showFindDialog(Editor &, QWidget *) {}

} // namespace korvane
