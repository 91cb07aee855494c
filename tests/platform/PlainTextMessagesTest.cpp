#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

// Names of files and folders and the system's error texts reach the message boxes; one
// that looks like markup is shown as the characters it is.
TEST(PlainTextMessagesTest, MarkupInAMessageIsShownLiterally)
{
    const QString text = QStringLiteral("无法打开文件 “<h1><font color=red>系统错误</font></h1>”");
    QtPlatform platform;
    QList<Qt::TextFormat> shown; // the format of each label that shows the text
    auto lookThenClose = [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            for (QLabel *label : w->findChildren<QLabel *>()) {
                if (label->text() == text)
                    shown << label->textFormat();
            }
            if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
                dialog->reject();
        }
    };
    const std::pair<bool, std::function<void()>> asks[] = {
        {true, [&] { platform.messages().showMessage(text, MsgButtons::Ok, MsgIcon::Exclamation); }},
        {true, [&] { platform.input().inputBox(text, QString(), QString()); }},
        {false, [&] { platform.messages().showNotice(text); }}, // waits beside the windows
    };
    for (const auto &[modal, ask] : asks) {
        shown.clear();
        if (modal)
            QTimer::singleShot(0, lookThenClose);
        ask();
        if (!modal)
            lookThenClose();
        ASSERT_EQ(shown.size(), 1);
        EXPECT_EQ(shown[0], Qt::PlainText);
    }
}

} // namespace
