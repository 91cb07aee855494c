#include "tools/saver/InputLock.h"

namespace korvane {

InputLock::InputLock(SaverSystemService &system, QObject *parent) : QObject(parent), m_system(system)
{
    m_retry.setInterval(RetryMilliseconds);
    connect(&m_retry, &QTimer::timeout, this, &InputLock::attempt);
}

InputLock::~InputLock() { release(); }

void InputLock::take(QWindow *window)
{
    if (m_state != State::Idle)
        return;
    m_window = window;
    m_attempts = 0;
    m_state = State::Trying;
    attempt();
}

void InputLock::attempt()
{
    if (m_state != State::Trying)
        return;
    ++m_attempts;
    const InputGrab result = m_window ? m_system.grabInput(m_window) : InputGrab::Unavailable;
    if (result == InputGrab::Busy && m_attempts < Attempts) {
        if (!m_retry.isActive())
            m_retry.start();
        return;
    }
    m_retry.stop();
    m_state = result == InputGrab::Taken  ? State::Held
              : result == InputGrab::Busy ? State::Refused
                                          : State::Unavailable;
    emit settled();
}

void InputLock::release()
{
    m_retry.stop();
    if (m_state == State::Held) {
        m_system.releaseInput();
        m_state = State::Released;
    } else if (m_state == State::Trying) {
        m_state = State::Refused;
    }
}

} // namespace korvane
