#pragma once

#include "tools/saver/InputLock.h"
#include "tools/saver/MoveCounter.h"
#include "tools/saver/PasswordProtection.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>

class QWindow;

namespace korvane {

class Platform;
struct SaverModule;

// One run of the full-screen saver, without its windows: a frozen picture of each screen
// with circles drawn over it, what ends the run, the hold on the keyboard and the pointer,
// and the password rule on the way out.
//
// The password only locks when the saver holds the input: otherwise other windows can be
// reached anyway, so the saver closes without asking and says afterwards that it did not lock.
class SaverSession : public QObject {
    Q_OBJECT
public:
    SaverSession(SaverModule &module, Platform &platform, QObject *parent = nullptr);
    ~SaverSession() override;

    // Starts the run with one surface per screen (pixels, in the order of the platform's
    // screens): password start step, each screen's frozen copy scaled to its surface (black
    // where it cannot be read), pointer hidden.
    void load(const QList<QSize> &surfacePixels);
    void load(QSize surfacePixels) { load(QList<QSize>{surfacePixels}); }
    // Takes the keyboard and the pointer for this window once it is on screen.
    void lockInput(QWindow *window);
    // One timer tick of one surface's window: one batch of circles added to that surface.
    void tick(int surface = 0);

    // Input over any of the saver's windows. Each may ask for the close.
    void keyPressed();
    void mouseButtonPressed();
    void mouseMoved();
    // A request to close by whatever means. While the input is being taken the request waits
    // for the outcome; when locked, only an accepted password lets it through.
    void requestClose();
    // The windows are going away without a granted close: input and pointer come back at once.
    void abandon();

    bool hasEnded() const { return m_ended; }
    // Whether a close needs the password: protection is switched on and the input is held.
    bool locked() const;

    qsizetype surfaceCount() const { return m_surfaces.size(); }
    const QImage &surface(qsizetype index = 0) const { return m_surfaces.at(index); }
    const MoveCounter &moves() const { return m_moves; }
    const InputLock &inputLock() const { return m_lock; }

signals:
    void surfaceChanged(int surface);
    // The run is over: the saver's windows close.
    void ended();

private:
    void end(bool tellUser);
    void lockSettled();

    SaverModule &m_module;
    Platform &m_platform;
    PasswordProtection m_password;
    MoveCounter m_moves;
    InputLock m_lock;
    QList<QImage> m_surfaces;
    bool m_askingPassword = false;
    bool m_closeWaiting = false;
    bool m_ended = false;
};

} // namespace korvane
