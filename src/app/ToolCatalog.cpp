#include "app/ToolCatalog.h"

#include "app/AboutBox.h"
#include "app/ToolContext.h"
#include "app/ToolWindows.h"
#include "tools/media/MediaWindow.h"
#include "tools/saver/SaverLauncher.h"

#include <memory>

namespace korvane {

// Each tool registers itself in a block of its own below.

static void registerBlocks(ToolWindows &, ToolContext &)
{
    // "fankai": the falling-block game.
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

static void registerMedia(ToolWindows &tools, ToolContext &context)
{
    // "mnuMP3": the media player.
    Platform &platform = context.platform;
    tools.add(QStringLiteral("mnuMP3"), [&platform] { return new MediaWindow(platform); });
}

static void registerAbout(ToolWindows &tools, ToolContext &)
{
    // "mnuAbout": the about box.
    tools.add(QStringLiteral("mnuAbout"), [] { return new AboutBox; });
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
    auto launcher = std::make_shared<SaverLauncher>(context.platform, &SaverLauncher::primaryScreenGeometry);
    return [launcher] { launcher->startSaver(); };
}

} // namespace korvane
