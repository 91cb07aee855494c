#pragma once

#include "platform/BeepService.h"
#include "platform/ClipboardService.h"
#include "platform/ClockService.h"
#include "platform/ColorDialogService.h"
#include "platform/FileDialogService.h"
#include "platform/FontListService.h"
#include "platform/InputBoxService.h"
#include "platform/LongTaskService.h"
#include "platform/MessageBoxService.h"
#include "platform/PrintService.h"
#include "platform/RandomSource.h"
#include "platform/RegistryService.h"
#include "platform/SaverSystemService.h"
#include "platform/SettingsStore.h"
#include "platform/SystemMemoryService.h"
#include "platform/TimerService.h"

namespace korvane {

// Everything the program needs from the window system, behind one handle. The program
// runs on QtPlatform; tests run on ScriptedPlatform, which answers from queues.
class Platform {
public:
    virtual ~Platform() = default;
    virtual MessageBoxService &messages() = 0;
    virtual InputBoxService &input() = 0;
    virtual FileDialogService &fileDialog() = 0;
    virtual PrintService &printer() = 0;
    virtual ColorDialogService &colorDialog() = 0;
    virtual ClipboardService &clipboard() = 0;
    virtual BeepService &beeper() = 0;
    virtual ClockService &clock() = 0;
    virtual RandomSource &random() = 0;
    virtual FontListService &fonts() = 0;
    // The screen saver's stored settings, registry values and system services.
    virtual SettingsStore &settings() = 0;
    virtual RegistryService &registry() = 0;
    virtual SaverSystemService &saverSystem() = 0;
    virtual TimerService &timers() = 0;
    // Work the user waits for (a big file read or written), and the memory left for it.
    virtual LongTaskService &longTasks() = 0;
    virtual SystemMemoryService &memory() = 0;
};

} // namespace korvane
