#pragma once

#include <QWidget>

class QTimer;

namespace korvane {

class Platform;
class SaverSession;
struct SaverModule;

// "MainForm": the borderless, top-most window over the whole screen that shows the frozen
// screen and adds a batch of circles every 400 ms until a key, a mouse button or enough
// mouse movement closes it.
class SaverWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString Title = QStringLiteral("Screen Saver Main Form");

    SaverWindow(SaverModule &module, Platform &platform, QWidget *parent = nullptr);
    ~SaverWindow() override;

    // Covers the screen, freezes it and starts drawing; the window is shown by the caller.
    void load(const QRect &screenGeometry);
    SaverSession &session() { return *m_session; }
    QTimer *timer() const { return m_timer; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    SaverSession *m_session;
    QTimer *m_timer;
};

} // namespace korvane
