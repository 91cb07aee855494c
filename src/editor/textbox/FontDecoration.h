#pragma once

#include "editor/document/TextFont.h"

#include <QColor>
#include <QFont>

namespace korvane {

// How a text box dresses its whole text from the document's TextFont: one family and
// size, bold and italic, underline and strikethrough drawn by the font over every line,
// and one text colour. A document that names no font keeps the box's own family; one
// with no size shows at 10.5 points.
class FontDecoration {
public:
    static constexpr double DefaultPointSize = 10.5;

    // Takes the document's settings over the box's own font.
    void apply(const TextFont &settings, const QFont &boxFont);

    const QFont &font() const { return m_font; }
    const QColor &textColor() const { return m_textColor; }

private:
    QFont m_font;
    QColor m_textColor = Qt::black;
};

} // namespace korvane
