#include "app/MainFrame.h"
#include "app/ToolCatalog.h"
#include "app/ToolContext.h"
#include "app/ToolWindows.h"
#include "editor/file/NativePath.h"
#include "editor/recovery/RecoveryJournal.h"
#include "editor/recovery/RecoveryStartup.h"
#include "platform/QtPlatform.h"
#include "platform/StateFolder.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <climits>
#include <csignal>
#include <unistd.h>

namespace {

// A path from the command line, kept as the bytes it was given (NativePath) and made
// absolute, so that exactly that file is opened and saved.
QString commandLinePath(const char *argument)
{
    QByteArray path(argument);
    if (!path.startsWith('/')) {
        QByteArray folder(PATH_MAX, '\0');
        if (::getcwd(folder.data(), size_t(folder.size())))
            path = QByteArray(folder.constData()) + '/' + path;
    }
    return korvane::NativePath::decode(path);
}

} // namespace

int main(int argc, char *argv[])
{
    // Under a file-size limit (ulimit -f) a write that reaches it fails with EFBIG, which
    // is reported like a full disk; the signal would end the program with unsaved work.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setOrganizationName(QStringLiteral("Korvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/korvane-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    // Qt's own dialogs and message-box buttons speak Chinese (是/否/取消/确定).
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    korvane::QtPlatform platform;
    korvane::ToolWindows tools;
    QPointer<korvane::MainFrame> frame;
    korvane::ToolContext context{platform, [&frame] {
                                     if (frame && frame->isVisible() && !frame->close())
                                         return false;
                                     // At once, without the tool windows' own closing steps.
                                     QCoreApplication::exit(0);
                                     return true;
                                 }};
    korvane::registerTools(tools, context);
    korvane::MainFrame mainFrame(platform, tools, korvane::makeStartSaver(context));
    frame = &mainFrame;
    mainFrame.show();
    // Unsaved documents are kept on disk until they are saved or closed; those that an
    // earlier run left behind are offered back first.
    korvane::RecoveryJournal journal(mainFrame.editor(), korvane::stateFolder() + QStringLiteral("/recovery"));
    korvane::RecoveryStartup(mainFrame.editor(), journal).offer();
    // A file manager offers text files by their paths; each opens in a document of its own.
    // QApplication has taken its own options out of argv; QApplication::arguments() would
    // turn each byte of a name that is not UTF-8 into U+FFFD, and so into another name.
    QStringList files;
    for (int i = 1; i < argc; ++i)
        files << commandLinePath(argv[i]);
    mainFrame.openFiles(files);
    return app.exec();
}
