#include "ScriptedPlatform.h"
#include "app/MainFrame.h"
#include "app/ToolCatalog.h"
#include "app/ToolContext.h"
#include "app/ToolWindows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvane;

// What the program shows is exactly what it says: no invisible characters steering the
// layout, which screen readers would read and copies would carry along.
TEST(VisibleText, NoLabelOrCaptionHoldsInvisibleCharacters)
{
    QTemporaryDir dir; // the puzzle looks for its score files in the current folder
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ScriptedPlatform platform;
    ToolWindows tools;
    ToolContext context{platform, [] { return false; }};
    registerTools(tools, context);
    MainFrame frame(platform, tools, {});
    frame.show();
    QList<QWidget *> windows{&frame};
    for (const char *name : {"fankai", "pt", "rily", "jsq", "mnuMP3", "mnuAbout"})
        windows << tools.show(QString::fromLatin1(name));

    for (QWidget *w : windows) {
        ASSERT_TRUE(w);
        QStringList texts{w->windowTitle()};
        for (const QLabel *l : w->findChildren<QLabel *>())
            texts << l->text();
        for (const QAbstractButton *b : w->findChildren<QAbstractButton *>())
            texts << b->text();
        for (const QAction *a : w->findChildren<QAction *>())
            texts << a->text();
        for (const QString &text : texts)
            for (const QChar c : text)
                EXPECT_NE(c.category(), QChar::Other_Format)
                    << w->objectName().toStdString() << ": " << text.toStdString();
    }
    for (QWidget *w : windows.mid(1))
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(oldCurrent);
}
