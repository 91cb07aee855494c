#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class QWidget;

namespace korvane {

// What a long piece of work (reading or writing a big file) is given to report on.
class LongTask {
public:
    virtual ~LongTask() = default;
    // How far the work has come, in any unit; false once the user has asked to stop, and
    // from then on. Called between pieces of the work, often enough to keep the window
    // painted (every few milliseconds of work).
    virtual bool progress(qint64 done, qint64 total) = 0;
};

// Work the user waits for. The program runs it on the GUI thread in pieces: between
// pieces the window repaints, and once the work has taken half a second a progress dialog
// with the label and a "取消" button shows. The busy cursor shows throughout.
class LongTaskService {
public:
    virtual ~LongTaskService() = default;
    // The window the progress dialog belongs to (and blocks while it shows).
    virtual void setOwner(QWidget *window) = 0;
    // Runs work with a task to report on, and returns what the work returned.
    virtual bool run(const QString &label, const std::function<bool(LongTask &)> &work) = 0;
    // Work is under way: a close or other command that arrives meanwhile (from a tool
    // window, which the progress dialog does not block) must wait.
    virtual bool running() const = 0;
    // The busy cursor on (true) and off again; nests.
    virtual void setBusy(bool busy) = 0;
};

// The busy cursor while it lives, for commands that take a while without pieces to report.
class BusyScope {
public:
    explicit BusyScope(LongTaskService &service) : m_service(service) { m_service.setBusy(true); }
    ~BusyScope() { m_service.setBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    LongTaskService &m_service;
};

} // namespace korvane
