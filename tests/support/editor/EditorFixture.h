#pragma once

#include "FakeDocumentHost.h"
#include "ScriptedPlatform.h"
#include "editor/Editor.h"
#include "editor/commands/DocumentSearch.h"
#include "editor/commands/FileCommands.h"
#include "editor/document/TextDocument.h"

#include <gtest/gtest.h>

namespace korvane {

// An editor on the scripted platform and the list host, with "文档 1" open as at start-up.
class EditorFixture : public ::testing::Test {
protected:
    EditorFixture() : editor(platform, host)
    {
        host.setEditor(&editor);
        editor.newDocument();
    }

    TextDocument &doc(int n) { return editor.document(n); }
    QString caption(int n) { return editor.document(n).caption(); }
    // Text put in as a file load would, so that it does not count as an edit.
    void setText(const QString &text, int n = 1)
    {
        editor.document(n).load(text);
        editor.document(n).settle(TextDocument::Settled::Replaced);
    }

    ScriptedPlatform platform;
    FakeDocumentHost host;
    Editor editor;
};

} // namespace korvane
