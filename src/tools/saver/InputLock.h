#pragma once

#include "platform/SaverSystemService.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace korvane {

// The saver's hold on the keyboard and the pointer. Another program may hold them for a
// moment (an open menu, a drag) and a window manager may put the window on screen a little
// late, so a refused grab is tried again for a short while before the saver does without.
class InputLock : public QObject {
    Q_OBJECT
public:
    enum class State {
        Idle,        // nothing asked yet
        Trying,      // refused so far, trying again
        Held,        // all input goes to the saver
        Refused,     // still refused after every attempt
        Unavailable, // the window system never grants it
        Released,    // was held, given back
    };
    static constexpr int RetryMilliseconds = 50;
    static constexpr int Attempts = 20; // a second in all

    explicit InputLock(SaverSystemService &system, QObject *parent = nullptr);
    ~InputLock() override;

    // First attempt now, then again every RetryMilliseconds while refused.
    void take(QWindow *window);
    // Gives the input back if held, stops trying otherwise. Idempotent.
    void release();

    State state() const { return m_state; }
    bool held() const { return m_state == State::Held; }
    bool decided() const { return m_state != State::Idle && m_state != State::Trying; }

signals:
    // The attempts are over: held, refused or unavailable.
    void settled();

private:
    void attempt();

    SaverSystemService &m_system;
    QPointer<QWindow> m_window;
    QTimer m_retry;
    int m_attempts = 0;
    State m_state = State::Idle;
};

} // namespace korvane
