#pragma once

#include <QString>

namespace korvane {

class Platform;
class TextDocument;

enum class InsertItem { DateShort, DateMedium, DateLong, TimeShort, TimeMedium, TimeLong, FileName, PathAndFile };

// The "插入" menu: date, time, file name or full path at the caret.
class InsertCommands {
public:
    explicit InsertCommands(Platform &platform);
    // Replaces the document's selection (or inserts at its caret).
    void insert(TextDocument &document, InsertItem item);

private:
    QString textFor(const TextDocument &document, InsertItem item) const;

    Platform &m_platform;
};

} // namespace korvane
