#pragma once

#include "tools/calendar/CalendarModel.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace korvane {

class Platform;

// The calendar window "frmcalendar": month and year lists, the grid of 31 day cells,
// the weekday name and long date of the picked day, "显示" and "退出". A view over a
// CalendarModel; each opening builds a fresh one from today's date.
class CalendarWindow : public QDialog {
    Q_OBJECT
public:
    explicit CalendarWindow(Platform &platform, QWidget *parent = nullptr);

    static QSize clientSize();

    const CalendarModel &model() const { return m_model; }
    QLabel *dayCell(int index) const { return m_cells[index]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showModel();
    void showDate();

    Platform &m_platform;
    CalendarModel m_model;
    QComboBox *m_month;
    QComboBox *m_year;
    QLabel *m_cells[CalendarModel::CellCount] = {};
    QLabel *m_day;
    QLabel *m_date;
};

} // namespace korvane
