#pragma once

namespace korvane {

class TextDocument;

// One of the 30 places a document can occupy. What belongs to the document itself, its
// file, encoding, changed flag and undo snapshot, the document keeps.
struct DocumentSlot {
    TextDocument *document = nullptr;
    bool inUse = false;
};

} // namespace korvane
