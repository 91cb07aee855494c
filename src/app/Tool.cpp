#include "app/Tool.h"

namespace korvane {

namespace {

struct ToolName {
    Tool tool;
    const char *menuName;
};

// The one place the tools' menu item names are written down.
constexpr ToolName MenuNames[] = {
    {Tool::Calendar, "rily"}, {Tool::Calculator, "jsq"}, {Tool::Media, "mnuMP3"},
    {Tool::Blocks, "fankai"}, {Tool::Puzzle, "pt"},      {Tool::About, "mnuAbout"},
};

} // namespace

QString toolMenuName(Tool tool)
{
    for (const ToolName &n : MenuNames) {
        if (n.tool == tool)
            return QString::fromLatin1(n.menuName);
    }
    return QString();
}

} // namespace korvane
