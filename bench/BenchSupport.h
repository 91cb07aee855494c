#pragma once

#include "editor/DocumentHost.h"

#include <QApplication>
#include <QByteArray>
#include <QKeyEvent>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <functional>

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

// A key pressed and released on a widget, as the window system delivers it.
inline void pressKey(QWidget *widget, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                     const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(widget, &release);
}

// Posted events handled and a widget painted now.
inline void paintNow(QWidget *widget)
{
    QApplication::processEvents();
    widget->repaint();
}

// Every benchmark program runs headless inside the kind of application its code needs.
// beforeQuit runs while the application still exists: windows kept across benchmarks go then.
template <typename Application>
int runBenchmarks(int argc, char **argv, const std::function<void()> &beforeQuit = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeQuit)
        beforeQuit();
    return 0;
}

} // namespace korvane
