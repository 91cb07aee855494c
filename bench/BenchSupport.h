#pragma once

#include "editor/DocumentHost.h"

#include <QByteArray>
#include <benchmark/benchmark.h>

namespace korvane {

// One document and no windows: what a command costs by itself.
class SingleDocumentHost final : public DocumentHost {
public:
    void openWindow(int slot, TextDocument *) override { m_active = slot; }
    bool closeWindow(int) override { return true; }
    int activeSlot() const override { return m_active; }
    void activateWindow(int slot) override { m_active = slot; }
    void minimizeWindow(int) override {}

private:
    int m_active = 0;
};

// Every benchmark program runs headless inside the kind of application its code needs.
template <typename Application>
int runBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace korvane
