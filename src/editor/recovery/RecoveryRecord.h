#pragma once

#include "editor/document/TextFont.h"

#include <QString>

namespace korvane {

// What brings an unsaved document back after the program ended without saving it.
struct RecoveryRecord {
    int slot = 0;
    QString title; // the caption without the changed mark
    QString fileTitle;
    QString filePath;
    TextFont font;
    // The document's encoding once documents record one; empty means none is recorded,
    // and the file then carries no such field.
    QString encoding;
    QString text;

    bool operator==(const RecoveryRecord &) const = default;
};

} // namespace korvane
