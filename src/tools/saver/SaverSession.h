#pragma once

#include "tools/saver/MoveCounter.h"
#include "tools/saver/PasswordProtection.h"

#include <QImage>
#include <QObject>
#include <QSize>

namespace korvane {

class Platform;
struct SaverModule;

// One run of the full-screen saver, without the window: the frozen screen with the circles
// drawn over it, what ends the run, and the password rule on the way out.
class SaverSession : public QObject {
    Q_OBJECT
public:
    SaverSession(SaverModule &module, Platform &platform, QObject *parent = nullptr);
    ~SaverSession() override;

    // Starts the run on a surface of this many pixels: password start step, frozen copy of
    // the screen scaled to the surface (black where the screen cannot be read), pointer hidden.
    void load(QSize surfacePixels);
    // One timer tick: one batch of circles added to the surface.
    void tick();

    // Input over the window. Each may ask for the close (closeRequested).
    void keyPressed();
    void mouseButtonPressed();
    void mouseMoved();

    // A close was requested by whatever means; false keeps the saver running.
    bool allowClose();
    // The window goes away (closed or destroyed): the pointer comes back. Safe to call twice.
    void finish();

    const QImage &surface() const { return m_surface; }
    const MoveCounter &moves() const { return m_moves; }

signals:
    void closeRequested();
    void surfaceChanged();

private:
    SaverModule &m_module;
    Platform &m_platform;
    PasswordProtection m_password;
    MoveCounter m_moves;
    QImage m_surface;
    bool m_askingPassword = false;
};

} // namespace korvane
