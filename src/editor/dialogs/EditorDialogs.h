#pragma once

class QWidget;

namespace korvane {

class Editor;

// The editor's own windows, opened from the main frame's menu.
// The Find dialog "Form3" is modeless and shared; the Font dialog "Form2" is modal.
void showFindDialog(Editor &editor, QWidget *frame);
void showFontDialog(Editor &editor, QWidget *frame);

} // namespace korvane
