#pragma once

#include <functional>

namespace korvane {

class ToolWindows;
struct ToolContext;

// Registers every tool window under the object name of the menu item that opens it
// ("fankai", "pt", "rily", "jsq", "mnuMP3", "mnuAbout").
void registerTools(ToolWindows &tools, ToolContext &context);

// The screen saver's entry point, for the menu item "pmbh".
std::function<void()> makeStartSaver(ToolContext &context);

} // namespace korvane
