#pragma once

#include <QColor>
#include <QString>

namespace korvane {

// A text box has one font and one text colour for its whole text.
struct TextFont {
    QString name;
    double size = 10.5;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    QColor foreColor = Qt::black;

    bool operator==(const TextFont &) const = default;
};

} // namespace korvane
