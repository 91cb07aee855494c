#pragma once

#include "BenchSupport.h"
#include "ScriptedPlatform.h"
#include "app/MainFrame.h"
#include "app/ToolWindows.h"
#include "editor/Editor.h"
#include "editor/document/TextDocument.h"
#include "editor/textbox/DocumentWindow.h"
#include "editor/textbox/TextBoxView.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>

namespace korvane {

// The main frame on the scripted platform, shown at a desktop's size: the text box is
// measured in the window the user sees, driven by menu commands and keys. dir holds the
// files a benchmark writes; it outlives the frame, which may still have them open.
struct BenchFrame {
    BenchFrame() : frame(platform, tools, {})
    {
        frame.resize(1000, 800);
        frame.show();
        QApplication::processEvents();
    }
    // "打开" of path, its text painted.
    void open(const QString &path)
    {
        platform.openAnswers.push_back(path);
        trigger("mnuOpen");
        paint();
    }
    void trigger(const char *name) { frame.findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    TextBoxView *box() { return qobject_cast<DocumentWindow *>(frame.mdiArea()->currentSubWindow())->textBox(); }
    Editor &editor() { return frame.editor(); }
    TextDocument &doc() { return editor().document(1); }
    void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = QString())
    {
        pressKey(box(), key, mods, text);
    }
    void paint() { paintNow(box()->viewport()); }

    QTemporaryDir dir;
    ScriptedPlatform platform;
    ToolWindows tools;
    MainFrame frame;
};

} // namespace korvane
