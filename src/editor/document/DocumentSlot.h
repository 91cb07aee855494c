#pragma once

#include "editor/file/FileIdentity.h"
#include "editor/file/TextEncoding.h"
#include "editor/document/UndoSnapshot.h"

#include <QString>

namespace korvane {

class TextDocument;

// One of the 30 places a document can occupy.
struct DocumentSlot {
    TextDocument *document = nullptr;
    bool inUse = false;
    bool changed = false;
    QString fileTitle;
    QString filePath;
    TextEncoding encoding = TextEncoding::Gb18030; // what Save writes
    FileIdentity fileIdentity;                     // the file as last read or written here; unknown (not existing) else
    UndoSnapshot undo;                             // the text before the last command, for Undo
};

} // namespace korvane
