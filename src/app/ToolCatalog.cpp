#include "app/ToolCatalog.h"

#include "app/ToolContext.h"
#include "app/ToolWindows.h"
#include "tools/puzzle/FormPT.h"
#include "tools/puzzle/PuzzleState.h"

#include <memory>

namespace korvane {

// Each tool registers itself in a block of its own below.

static void registerBlocks(ToolWindows &, ToolContext &)
{
    // "fankai": the falling-block game.
}

static void registerPuzzle(ToolWindows &tools, ToolContext &context)
{
    // "pt": the tile puzzle. Its variables (the move count above all) outlive the window.
    auto state = std::make_shared<PuzzleState>();
    tools.add(QStringLiteral("pt"), [state, &context] {
        return new FormPT(context.platform, state, context.quitProgram);
    });
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
