#pragma once

#include "../RegisteredTools.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace korvane::test {

// What a tool window needs before the test may use it: the window is up on screen, or
// up and holding the keyboard focus for tests that type into it.
enum class WindowReady { Exposed, Active };

// A tool window as its menu item opens it, among every registered tool. open() shows the
// window and waits for it; closeWindow() (run again at the end) closes it and lets Qt
// delete it, as closing it by hand does.
template <typename Window, Tool tool, WindowReady ready = WindowReady::Exposed>
class ToolWindowTest : public ::testing::Test, protected RegisteredTools {
protected:
    ~ToolWindowTest() override { closeWindow(); }

    Window *open()
    {
        auto *w = qobject_cast<Window *>(tools.show(tool));
        EXPECT_NE(w, nullptr);
        if (w) {
            EXPECT_TRUE(ready == WindowReady::Active ? QTest::qWaitForWindowActive(w)
                                                     : QTest::qWaitForWindowExposed(w));
        }
        return w;
    }
    void closeWindow()
    {
        if (QWidget *w = tools.window(tool)) {
            w->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The tool's window while it is open.
    QWidget *openWindow() const { return tools.window(tool); }
};

} // namespace korvane::test
