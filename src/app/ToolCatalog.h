#pragma once

#include <functional>

namespace korvane {

class ToolWindows;
struct ToolContext;

// Registers the window of every Tool.
void registerTools(ToolWindows &tools, ToolContext &context);

// The screen saver's entry point, for the menu item "pmbh".
std::function<void()> makeStartSaver(ToolContext &context);

} // namespace korvane
