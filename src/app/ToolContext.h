#pragma once

#include <functional>

namespace korvane {

class Platform;

// What the tools get from the program.
struct ToolContext {
    Platform &platform;
    // Ends the whole program: closes the main frame's documents through their save
    // prompts first; false when the user cancelled a prompt and nothing was ended.
    std::function<bool()> quitProgram;
};

} // namespace korvane
