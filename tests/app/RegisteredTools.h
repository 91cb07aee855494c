#pragma once

#include "ScriptedPlatform.h"
#include "app/Tool.h"
#include "app/ToolCatalog.h"
#include "app/ToolContext.h"
#include "app/ToolWindows.h"

#include <QDir>
#include <QTemporaryDir>

namespace korvane::test {

// Every tool window registered as the program registers them. The current folder moves to
// a scratch folder for the fixture's lifetime: the puzzle keeps its score files there.
struct RegisteredTools {
    static constexpr Tool all[] = {Tool::Blocks,     Tool::Puzzle, Tool::Calendar,
                                   Tool::Calculator, Tool::Media,  Tool::About};

    RegisteredTools()
    {
        QDir::setCurrent(scratch.path());
        registerTools(tools, context);
    }
    ~RegisteredTools() { QDir::setCurrent(oldCurrent); }

    QTemporaryDir scratch;
    const QString oldCurrent = QDir::currentPath();
    ScriptedPlatform platform;
    ToolWindows tools;
    ToolContext context{platform, [] { return false; }};
};

} // namespace korvane::test
