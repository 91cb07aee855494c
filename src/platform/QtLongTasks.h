#pragma once

#include "platform/LongTaskService.h"

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;

namespace korvane {

// Long work on the desktop: run on the GUI thread, with the events that came in meanwhile
// handled between its pieces (so the windows repaint), a progress dialog after half a
// second, window-modal on the owner, and the busy cursor throughout.
//
// The work runs on the GUI thread rather than on a worker because what it reads and fills
// (the document's text, a file's decoder) belongs to the GUI thread: a worker would need
// locks around both, or a second copy of a text that may take gigabytes. Its pieces take a
// few milliseconds, so the windows repaint as smoothly as they would with a worker.
class QtLongTasks final : public LongTaskService {
public:
    // The dialog shows once the work has taken this long.
    static constexpr int DialogDelayMsec = 500;
    static inline const QString ProgressDialogName = QStringLiteral("longTaskProgress");

    QtLongTasks();
    ~QtLongTasks() override;

    void setOwner(QWidget *window) override { m_owner = window; }
    bool run(const QString &label, const std::function<bool(LongTask &)> &work) override;
    bool running() const override { return m_running; }
    void setBusy(bool busy) override;

private:
    class Task;

    QPointer<QWidget> m_owner;
    bool m_running = false;
};

} // namespace korvane
