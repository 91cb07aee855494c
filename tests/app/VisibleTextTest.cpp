#include "RegisteredTools.h"
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
    test::RegisteredTools registered;
    MainFrame frame(registered.platform, registered.tools, {});
    frame.show();
    QList<QWidget *> windows{&frame};
    for (const Tool tool : test::RegisteredTools::all)
        windows << registered.tools.show(tool);

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
}
