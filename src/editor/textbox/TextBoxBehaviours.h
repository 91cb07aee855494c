#pragma once

namespace korvane {

class ClipboardService;
class FrameKeys;
class TextBoxView;

// Dresses a bare text box with what it does in a document window: the document's font and
// colour (FontDecoration), boxes for characters without a glyph (StandInMarkerPainter),
// the window's menu keys and context menu (FrameKeyRouter), the primary selection and its
// middle-click paste (MiddleClickPaste), drag and drop (TextDragAndDrop), and what a
// screen reader sees of it (TextBoxAccessible). The box knows none of them.
class TextBoxBehaviours {
public:
    // frameKeys is what the window around the box offers, or null for a box whose window
    // has no menu: such a box keeps every key to itself. Both must outlive the box.
    static void attach(TextBoxView &view, const FrameKeys *frameKeys, ClipboardService &clipboard);
};

} // namespace korvane
