#pragma once

#include <QString>

namespace korvane {

// The tool windows the frame's menu opens, each under its own menu item.
enum class Tool { Calendar, Calculator, Media, Blocks, Puzzle, About };

// Object name of the menu item that opens the tool ("rily", "jsq", "mnuMP3", "fankai",
// "pt", "mnuAbout").
QString toolMenuName(Tool tool);

} // namespace korvane
