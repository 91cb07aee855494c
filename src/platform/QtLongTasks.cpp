#include "platform/QtLongTasks.h"

#include "platform/MessageBoxService.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QProgressDialog>
#include <algorithm>

namespace korvane {

// The dialog's scale: a QProgressDialog counts in int, a file's bytes do not fit.
static constexpr int Steps = 1000;

class QtLongTasks::Task final : public LongTask {
public:
    Task(QWidget *owner, const QString &label) : m_owner(owner), m_label(label) { m_clock.start(); }
    ~Task() override { delete m_dialog; }

    bool progress(qint64 done, qint64 total) override
    {
        if (m_cancelled)
            return false;
        if (!m_dialog && m_clock.elapsed() >= DialogDelayMsec)
            showDialog();
        if (m_dialog) {
            const int value = total > 0 ? int(std::clamp<qint64>(done, 0, total) * Steps / total) : 0;
            // QProgressDialog::setValue would handle events itself, and unasked; its bar is set directly.
            if (value != m_value) {
                m_value = value;
                m_dialog->setValue(value);
            }
        }
        // Until the dialog blocks the owner, only what keeps the windows painted: a key or
        // click, or a close, must not reach a document half read or half written.
        QCoreApplication::processEvents(m_dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
        m_cancelled = m_dialog && m_dialog->wasCanceled();
        return !m_cancelled;
    }

private:
    void showDialog()
    {
        m_dialog = new QProgressDialog(m_label, QStringLiteral("取消"), 0, Steps, m_owner);
        m_dialog->setObjectName(ProgressDialogName);
        m_dialog->setWindowTitle(ProgramTitle);
        m_dialog->setWindowModality(m_owner ? Qt::WindowModal : Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumWidth(360);
        m_dialog->setValue(0);
        m_dialog->show();
    }

    QPointer<QWidget> m_owner;
    QString m_label;
    QElapsedTimer m_clock;
    QProgressDialog *m_dialog = nullptr;
    int m_value = -1;
    bool m_cancelled = false;
};

QtLongTasks::QtLongTasks() = default;
QtLongTasks::~QtLongTasks() = default;

bool QtLongTasks::run(const QString &label, const std::function<bool(LongTask &)> &work)
{
    // Work started from inside other work (a timer's, while events are handled) reports
    // to no dialog of its own: one dialog and one cancel at a time.
    if (m_running) {
        struct Silent final : LongTask {
            bool progress(qint64, qint64) override { return true; }
        } silent;
        return work(silent);
    }
    m_running = true;
    BusyScope busy(*this);
    bool result = false;
    try {
        Task task(m_owner, label);
        result = work(task);
    } catch (...) {
        m_running = false;
        throw;
    }
    m_running = false;
    return result;
}

void QtLongTasks::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace korvane
