#pragma once

#include "ScriptedSaverSystem.h"
#include "platform/FileDialogMemory.h"
#include "platform/Platform.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace korvane {

// The platform for tests: every modal question is answered from a queue filled in
// advance ("the next input box answers abc"), and everything shown is recorded.
// An empty queue answers as a user who cancels (OK boxes answer OK).
class ScriptedPlatform final : public Platform,
                               public MessageBoxService,
                               public InputBoxService,
                               public FileDialogService,
                               public PrintService,
                               public ColorDialogService,
                               public ClipboardService,
                               public BeepService,
                               public ClockService,
                               public RandomSource,
                               public FontListService,
                               public TimerService,
                               public LongTaskService,
                               public SystemMemoryService {
public:
    struct ShownMessage {
        QString text;
        MsgButtons buttons;
        MsgIcon icon;
        QString title;
        QWidget *owner; // the window the box belongs to; null for the active one
        QString details = QString();
    };
    struct ShownInput {
        QString prompt;
        QString title;
    };
    struct PrintJob {
        QString text;
        int copies;
        QFont font;
    };

    MessageBoxService &messages() override { return *this; }
    InputBoxService &input() override { return *this; }
    FileDialogService &fileDialog() override { return *this; }
    PrintService &printer() override { return *this; }
    ColorDialogService &colorDialog() override { return *this; }
    ClipboardService &clipboard() override { return *this; }
    BeepService &beeper() override { return *this; }
    ClockService &clock() override { return *this; }
    RandomSource &random() override { return *this; }
    FontListService &fonts() override { return *this; }

    MsgAnswer showMessage(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title,
                          QWidget *owner) override;
    MsgAnswer showDetailedMessage(const QString &text, const QString &details, MsgButtons buttons,
                                  MsgIcon icon) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &initial) override;
    QString showOpen(const QString &filter, const QString &owner) override;
    QString showSave(const QString &filter, const QString &documentPath, const QString &owner) override;
    std::optional<int> showPrintDialog() override;
    bool printText(const QString &text, int copies, const QFont &font) override;
    std::optional<QColor> showColor(const QColor &initial) override;
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;
    QString clipboardText() const override;
    void setSelectionText(const QString &text) override { selectionContent = text; }
    QString selectionText() const override { return selectionContent; }
    void beep() override { ++beeps; }
    QDateTime now() const override { return fixedNow; }
    double nextRandom() override;
    void seedFromTime() override { ++seedings; }
    QStringList screenFonts() const override { return fontList; }
    SettingsStore &settings() override { return saver; }
    RegistryService &registry() override { return saver; }
    SaverSystemService &saverSystem() override { return saver; }
    TimerService &timers() override { return *this; }
    void showNotice(const QString &text) override { shownNotices << text; }
    int startSingleShot(int msec, std::function<void()> due) override;
    void cancelSingleShot(int id) override;
    LongTaskService &longTasks() override { return *this; }
    SystemMemoryService &memory() override { return *this; }
    void setOwner(QWidget *) override {}
    // Runs the work at once; its progress() calls are counted, and the one numbered
    // cancelAtProgress (1 for the first) answers, like every later one, that the user cancelled.
    bool run(const QString &label, const std::function<bool(LongTask &)> &work) override;
    bool running() const override { return false; }
    void setBusy(bool busy) override;
    std::optional<qint64> availableMemory() const override { return memoryAvailable; }
    // Moves the simulated time on, firing every timer that falls due on the way, in order.
    void advanceTime(int msec);
    int pendingTimers() const { return int(m_timers.size()); }

    // Answers, consumed front first.
    std::deque<MsgAnswer> messageAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<std::optional<int>> printAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    std::deque<double> randomValues; // when empty, a fixed sequence continues
    bool printerFails = false;
    std::optional<int> cancelAtProgress;   // long work is cancelled at this progress report
    std::optional<qint64> memoryAvailable; // bytes; empty: the system does not say
    QString printPdfPath;                  // when set, each print job is also laid out as Qt prints it, into this PDF

    // What was shown.
    QList<ShownMessage> shownMessages;
    // Runs as each message box shows, before it is answered: a look at the screen then.
    std::function<void(const ShownMessage &)> onMessage;
    QList<ShownInput> shownInputs;
    QStringList openFilters;
    QStringList saveFilters;
    // Where each dialog started: the file or folder it offered (FileDialogMemory).
    QStringList openStarts;
    QStringList saveStarts;
    int printDialogs = 0;
    QList<PrintJob> printJobs;
    int colorDialogs = 0;
    int beeps = 0;
    int seedings = 0;
    QStringList shownNotices;
    QStringList longTaskLabels; // one for each long work run
    int progressReports = 0;    // in long work while cancelAtProgress is set
    int busyDepth = 0;          // the busy cursor shows while above 0
    int busyShown = 0;          // how often the busy cursor was switched on
    qint64 elapsedMsec = 0;     // simulated time since the start

    // State of the simulated system.
    QDateTime fixedNow{QDate(2026, 12, 7), QTime(17, 45, 30)};
    QString clipboardContent;
    bool clipboardHasText = false;
    QString selectionContent; // the primary selection
    QStringList fontList{QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("宋体")};

    // The screen saver's settings, registry and system, scripted.
    ScriptedSaverSystem saver;

private:
    struct PendingTimer {
        int id;
        qint64 due;
        std::function<void()> callback;
    };

    unsigned m_randomCounter = 0;
    std::vector<PendingTimer> m_timers;
    int m_lastTimerId = 0;
    FileDialogMemory m_fileDialogs;
    QString m_details; // for the message being shown
};

} // namespace korvane
