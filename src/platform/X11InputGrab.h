#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace korvane {

// Holds the keyboard and the pointer of an X11 display for one window of this program.
//
// The X server then sends every key and pointer event to this program, but Qt still hands a
// key to whichever of the program's windows has the focus, and anyone may move that focus
// (a window manager, `xdotool windowfocus`). So while the grab is held, keys and buttons
// meant for any other window of the program go to the holder instead, and the focus is
// taken back whenever it leaves the holder.
class X11InputGrab : public QObject {
    Q_OBJECT
public:
    // Whether the program runs on X11, the one window system here that grants grabs.
    static bool available();

    X11InputGrab();
    ~X11InputGrab() override;

    // Takes both for this window. False, with nothing held, when another client holds either
    // or the window is not viewable yet.
    bool take(QWindow *window);
    // Moves a held grab to another window of the program (a dialog over the holder) without
    // letting go in between. Input goes to that window at once; the X grab follows as soon as
    // the window is viewable.
    void moveTo(QWindow *window);
    // Lets go of both; does nothing when nothing is held.
    void release();

    bool held() const { return m_held; }
    QWindow *holder() const { return m_holder.data(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool grabKeyboardAndPointer(QWindow *window);
    bool grabPointer(QWindow *window);
    void retryMove();
    void reclaimFocus(QWindow *focus);

    QPointer<QWindow> m_holder;      // where input goes inside the program
    QPointer<QWindow> m_xGrabWindow; // where the X server sends it
    QTimer m_moveRetry;
    bool m_held = false;
};

} // namespace korvane
