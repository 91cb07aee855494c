#include "app/ToolCatalog.h"

#include "app/ToolContext.h"
#include "app/ToolWindows.h"
#include "tools/blocks/BlocksWindow.h"

#include <memory>

namespace korvane {

// Each tool registers itself in a block of its own below.

static void registerBlocks(ToolWindows &tools, ToolContext &context)
{
    // "fankai": the falling-block game. The game lives in its window: closing the
    // window ends it, and the next opening starts without a game.
    tools.add(QStringLiteral("fankai"), [&context] { return new blocks::BlocksWindow(context.platform); });
}

static void registerPuzzle(ToolWindows &, ToolContext &)
{
    // "pt": the tile puzzle.
}

static void registerCalendar(ToolWindows &, ToolContext &)
{
    // "rily": the calendar.
}

static void registerCalculator(ToolWindows &, ToolContext &)
{
    // "jsq": the calculator.
}

static void registerMedia(ToolWindows &, ToolContext &)
{
    // "mnuMP3": the media player.
}

static void registerAbout(ToolWindows &, ToolContext &)
{
    // "mnuAbout": the about box.
}

void registerTools(ToolWindows &tools, ToolContext &context)
{
    registerBlocks(tools, context);
    registerPuzzle(tools, context);
    registerCalendar(tools, context);
    registerCalculator(tools, context);
    registerMedia(tools, context);
    registerAbout(tools, context);
}

std::function<void()> makeStartSaver(ToolContext &)
{
    // "pmbh": the screen saver.
    return [] {};
}

} // namespace korvane
