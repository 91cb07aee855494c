#pragma once

#include "platform/FileDialogMemory.h"
#include "platform/Platform.h"
#include "platform/QtLongTasks.h"

#include <cstdint>

class QTimer;

namespace korvane {

class QtPrinter;
struct QtSaverServices;

// The platform on a real desktop: Qt's dialogs, clipboard and fonts.
class QtPlatform final : public Platform,
                         public MessageBoxService,
                         public InputBoxService,
                         public FileDialogService,
                         public ColorDialogService,
                         public ClipboardService,
                         public BeepService,
                         public ClockService,
                         public RandomSource,
                         public FontListService,
                         public TimerService,
                         public SystemMemoryService {
public:
    QtPlatform();
    ~QtPlatform() override;

    MessageBoxService &messages() override { return *this; }
    InputBoxService &input() override { return *this; }
    FileDialogService &fileDialog() override { return *this; }
    PrintService &printer() override;
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
    std::optional<QColor> showColor(const QColor &initial) override;
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;
    QString clipboardText() const override;
    void setSelectionText(const QString &text) override;
    QString selectionText() const override;
    void beep() override;
    QDateTime now() const override;
    double nextRandom() override;
    void seedFromTime() override;
    QStringList screenFonts() const override;
    SettingsStore &settings() override;
    RegistryService &registry() override;
    SaverSystemService &saverSystem() override;
    TimerService &timers() override { return *this; }
    void showNotice(const QString &text) override;
    int startSingleShot(int msec, std::function<void()> due) override;
    void cancelSingleShot(int id) override;
    LongTaskService &longTasks() override { return m_longTasks; }
    SystemMemoryService &memory() override { return *this; }
    std::optional<qint64> availableMemory() const override;

private:
    MsgAnswer showBox(const QString &text, const QString &details, MsgButtons buttons, MsgIcon icon,
                      const QString &title, QWidget *owner);

    FileDialogMemory m_fileDialogs;
    QtPrinter *m_printer;
    std::uint64_t m_randomState = 0x853c49e6748fea9bULL;
    QtSaverServices *m_saver;
    QHash<int, QTimer *> m_timers;
    int m_lastTimerId = 0;
    QtLongTasks m_longTasks;
};

} // namespace korvane
