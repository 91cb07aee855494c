#include "editor/textbox/FontDecoration.h"

namespace korvane {

void FontDecoration::apply(const TextFont &settings, const QFont &boxFont)
{
    m_font = boxFont;
    if (!settings.name.isEmpty())
        m_font.setFamily(settings.name);
    m_font.setPointSizeF(settings.size > 0 ? settings.size : DefaultPointSize);
    m_font.setBold(settings.bold);
    m_font.setItalic(settings.italic);
    m_font.setUnderline(settings.underline);
    m_font.setStrikeOut(settings.strikethrough);
    m_textColor = settings.foreColor;
}

} // namespace korvane
