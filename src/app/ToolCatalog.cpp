#include "app/ToolCatalog.h"

#include "app/AboutBox.h"
#include "app/ToolContext.h"
#include "app/ToolWindows.h"
#include "platform/Platform.h"
#include "tools/blocks/BlocksWindow.h"
#include "tools/calculator/CalculatorWindow.h"
#include "tools/calendar/CalendarWindow.h"
#include "tools/media/MediaWindow.h"
#include "tools/puzzle/PuzzleState.h"
#include "tools/puzzle/PuzzleWindow.h"
#include "tools/saver/SaverLauncher.h"

#include <memory>

namespace korvane {

// Each tool registers itself in a block of its own below.

static void registerBlocks(ToolWindows &tools, ToolContext &context)
{
    // "fankai": the falling-block game. The game lives in its window: closing the
    // window ends it, and the next opening starts without a game.
    tools.add(Tool::Blocks, [&context] { return new blocks::BlocksWindow(context.platform); });
}

static void registerPuzzle(ToolWindows &tools, ToolContext &context)
{
    // "pt": the tile puzzle. Its variables (the move count above all) outlive the window.
    auto state = std::make_shared<PuzzleState>();
    tools.add(Tool::Puzzle,
              [state, &context] { return new PuzzleWindow(context.platform, state, context.quitProgram); });
}

static void registerCalendar(ToolWindows &tools, ToolContext &context)
{
    // "rily": the calendar. Each opening starts from today; nothing outlives the window.
    Platform &platform = context.platform;
    tools.add(Tool::Calendar, [&platform] { return new CalendarWindow(platform); });
}

static void registerCalculator(ToolWindows &tools, ToolContext &context)
{
    // "jsq": the calculator. Its accumulator, pending operator and new-entry flag live
    // here for the whole run; every window it opens carries on with them.
    auto state = std::make_shared<CalculatorState>();
    Platform &platform = context.platform;
    tools.add(Tool::Calculator, [state, &platform] { return new CalculatorWindow(state, platform); });
}

static void registerMedia(ToolWindows &tools, ToolContext &context)
{
    // "mnuMP3": the media player.
    Platform &platform = context.platform;
    tools.add(Tool::Media, [&platform] { return new MediaWindow(platform); });
}

static void registerAbout(ToolWindows &tools, ToolContext &context)
{
    // "mnuAbout": the about box.
    Platform &platform = context.platform;
    tools.add(Tool::About, [&platform] { return new AboutBox(platform.fonts()); });
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

std::function<void()> makeStartSaver(ToolContext &context)
{
    // "pmbh": the screen saver. Its state lives as long as the menu item's action.
    auto launcher = std::make_shared<SaverLauncher>(context.platform);
    return [launcher] { launcher->startSaver(); };
}

} // namespace korvane
