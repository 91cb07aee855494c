#include "platform/X11InputGrab.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <memory>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace korvane {

namespace {

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The master pointers of the display: the devices whose events a program sees.
QList<xcb_input_device_id_t> masterPointers(xcb_connection_t *c)
{
    QList<xcb_input_device_id_t> ids;
    std::unique_ptr<xcb_input_xi_query_device_reply_t, decltype(&std::free)> reply(
        xcb_input_xi_query_device_reply(c, xcb_input_xi_query_device(c, XCB_INPUT_DEVICE_ALL_MASTER), nullptr),
        &std::free);
    if (!reply)
        return ids;
    for (auto it = xcb_input_xi_query_device_infos_iterator(reply.get()); it.rem; xcb_input_xi_device_info_next(&it)) {
        if (it.data->type == XCB_INPUT_DEVICE_TYPE_MASTER_POINTER)
            ids << it.data->deviceid;
    }
    return ids;
}

// The pointer events Qt itself asks for when it grabs the pointer, so that Qt sees the same
// events whether it or this class took the grab.
constexpr uint32_t PointerEvents = XCB_INPUT_XI_EVENT_MASK_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_BUTTON_RELEASE |
                                   XCB_INPUT_XI_EVENT_MASK_MOTION | XCB_INPUT_XI_EVENT_MASK_ENTER |
                                   XCB_INPUT_XI_EVENT_MASK_LEAVE | XCB_INPUT_XI_EVENT_MASK_TOUCH_BEGIN |
                                   XCB_INPUT_XI_EVENT_MASK_TOUCH_UPDATE | XCB_INPUT_XI_EVENT_MASK_TOUCH_END;

QWindow *windowOf(QObject *object)
{
    if (auto *window = qobject_cast<QWindow *>(object))
        return window;
    if (object && object->isWidgetType())
        return static_cast<QWidget *>(object)->window()->windowHandle();
    return nullptr;
}

} // namespace

bool X11InputGrab::available() { return QGuiApplication::platformName() == QLatin1String("xcb") && connection(); }

X11InputGrab::X11InputGrab()
{
    m_moveRetry.setInterval(20);
    connect(&m_moveRetry, &QTimer::timeout, this, &X11InputGrab::retryMove);
}

X11InputGrab::~X11InputGrab() { release(); }

bool X11InputGrab::grabPointer(QWindow *window)
{
    // Qt's own pointer grab does not report another client's grab, so the answer is read here.
    xcb_connection_t *c = connection();
    const auto pointers = masterPointers(c);
    if (pointers.isEmpty())
        return false;
    QList<xcb_input_device_id_t> taken;
    for (const xcb_input_device_id_t id : pointers) {
        const uint32_t mask = PointerEvents;
        std::unique_ptr<xcb_input_xi_grab_device_reply_t, decltype(&std::free)> reply(
            xcb_input_xi_grab_device_reply(c,
                                           xcb_input_xi_grab_device(c, xcb_window_t(window->winId()), XCB_CURRENT_TIME,
                                                                    XCB_CURSOR_NONE, id, XCB_INPUT_GRAB_MODE_22_ASYNC,
                                                                    XCB_INPUT_GRAB_MODE_22_ASYNC, 0, 1, &mask),
                                           nullptr),
            &std::free);
        if (!reply || reply->status != XCB_GRAB_STATUS_SUCCESS) {
            if (!m_held) {
                for (const xcb_input_device_id_t done : taken)
                    xcb_input_xi_ungrab_device(c, XCB_CURRENT_TIME, done);
                xcb_flush(c);
            }
            return false;
        }
        taken << id;
    }
    // Qt keeps its own record of the window that has the pointer; it grabs the same devices again.
    window->setMouseGrabEnabled(true);
    return true;
}

bool X11InputGrab::grabKeyboardAndPointer(QWindow *window)
{
    if (!window || !window->handle() || !connection())
        return false;
    // Qt's keyboard grab does report a refusal.
    if (!window->setKeyboardGrabEnabled(true))
        return false;
    if (!grabPointer(window)) {
        if (m_held && m_xGrabWindow) // the keyboard goes back where the pointer still is
            m_xGrabWindow->setKeyboardGrabEnabled(true);
        else
            window->setKeyboardGrabEnabled(false);
        return false;
    }
    m_xGrabWindow = window;
    return true;
}

bool X11InputGrab::take(QWindow *window)
{
    if (m_held)
        release();
    if (!grabKeyboardAndPointer(window))
        return false;
    m_held = true;
    m_holder = window;
    qGuiApp->installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &X11InputGrab::reclaimFocus, Qt::UniqueConnection);
    reclaimFocus(QGuiApplication::focusWindow());
    return true;
}

void X11InputGrab::moveTo(QWindow *window)
{
    if (!m_held || !window)
        return;
    m_holder = window;
    m_moveRetry.stop();
    if (m_xGrabWindow != window && !grabKeyboardAndPointer(window))
        m_moveRetry.start(); // not viewable yet: the old window keeps the X grab meanwhile
    reclaimFocus(QGuiApplication::focusWindow());
}

void X11InputGrab::retryMove()
{
    if (!m_held || !m_holder || m_xGrabWindow == m_holder || grabKeyboardAndPointer(m_holder))
        m_moveRetry.stop();
}

void X11InputGrab::release()
{
    m_moveRetry.stop();
    if (!m_held)
        return;
    m_held = false;
    if (qGuiApp) {
        qGuiApp->removeEventFilter(this);
        disconnect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &X11InputGrab::reclaimFocus);
    }
    if (xcb_connection_t *c = connection()) {
        xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
        for (const xcb_input_device_id_t id : masterPointers(c))
            xcb_input_xi_ungrab_device(c, XCB_CURRENT_TIME, id);
        xcb_flush(c);
    }
    if (m_xGrabWindow) // Qt's record of the grab
        m_xGrabWindow->setMouseGrabEnabled(false);
    m_xGrabWindow.clear();
    m_holder.clear();
}

void X11InputGrab::reclaimFocus(QWindow *focus)
{
    if (m_held && m_holder && focus != m_holder && m_holder->isVisible())
        m_holder->requestActivate();
}

bool X11InputGrab::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: break;
    default: return false;
    }
    if (!m_holder)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // No shortcut of any window may fire while the input is held; the key itself follows.
        event->accept();
        return true;
    }
    QWindow *target = windowOf(watched);
    if (!target || target == m_holder)
        return false;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        std::unique_ptr<QEvent> copy(event->clone());
        QCoreApplication::sendEvent(m_holder.data(), copy.get());
    }
    return true; // a button on another window reaches nobody
}

} // namespace korvane
