#include "tools/calendar/CalendarWindow.h"

#include "platform/Platform.h"
#include "platform/Twips.h"
#include "tools/calendar/WrapAfterLabel.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

namespace korvane {

namespace {

// The object names of the window and its controls, as the rest of the toolbox (and its
// tests) find them; the captions and the day numbers share one name each and tell
// themselves apart by their "Index" property.
constexpr char kWindowName[] = "frmcalendar";
constexpr char kCaptionLabelName[] = "Label1";
constexpr char kMonthListName[] = "month12";
constexpr char kYearListName[] = "year12";
constexpr char kDayFrameName[] = "Shape1";
constexpr char kDayNumberName[] = "lblnumber";
constexpr char kWeekdayName[] = "lblday";
constexpr char kLongDateName[] = "lbldate";
constexpr char kShowButtonName[] = "cmdOK";
constexpr char kExitButtonName[] = "CmdCancel";

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

CalendarWindow::CalendarWindow(Platform &platform, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_platform(platform)
{
    setObjectName(QLatin1String(kWindowName));
    setWindowTitle(QStringLiteral("日历"));
    setWindowIcon(QIcon(QStringLiteral(":/calendar/calendar.png")));
    setFixedSize(clientSize());

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif); // the nearest face where it is missing
    font.setPointSizeF(8.25);
    font.setBold(true);
    setFont(font);

    QLabel *monthCaption = addLabel(this, kCaptionLabelName, QStringLiteral("月份"), twipsRect(120, 120, 615, 255));
    monthCaption->setProperty("Index", 0);
    m_month = new QComboBox(this);
    m_month->setObjectName(QLatin1String(kMonthListName));
    m_month->setGeometry(twipsRect(120, 360, 2415, 300));
    m_month->addItems(CalendarModel::monthNames());
    m_month->setMaxVisibleItems(12);

    QLabel *yearCaption = addLabel(this, kCaptionLabelName, QStringLiteral("年份"), twipsRect(2880, 120, 495, 255));
    yearCaption->setProperty("Index", 1);
    m_year = new QComboBox(this);
    m_year->setObjectName(QLatin1String(kYearListName));
    m_year->setGeometry(twipsRect(2880, 360, 1215, 300));
    m_year->addItems(CalendarModel::yearItems());
    m_year->setMaxVisibleItems(12);

    auto *shape = new QFrame(this);
    shape->setObjectName(QLatin1String(kDayFrameName));
    shape->setFrameShape(QFrame::Box);
    shape->setFrameShadow(QFrame::Plain);
    shape->setLineWidth(1);
    shape->setGeometry(twipsRect(120, 840, 2655, 1935));

    for (int i = 0; i < CalendarModel::CellCount; ++i) {
        QLabel *cell = addLabel(this, kDayNumberName, QString::number(i + 1),
                                twipsRect(240 + 360 * (i % 7), 960 + 360 * (i / 7), 300, 285));
        cell->setProperty("Index", i);
        cell->setAlignment(Qt::AlignCenter);
        cell->setFrameShadow(QFrame::Plain);
        cell->setLineWidth(1);
        cell->installEventFilter(this);
        m_cells[i] = cell;
    }

    m_day = addLabel(this, kWeekdayName, QString(), twipsRect(2880, 1000, 1215, 255));
    m_day->setAlignment(Qt::AlignCenter);
    setTextColour(m_day, Qt::darkRed);
    // The long date is wider than its label in most faces: it wraps after the year only.
    m_date = new WrapAfterLabel(QChar(u'年'), this);
    m_date->setObjectName(QLatin1String(kLongDateName));
    m_date->setGeometry(twipsRect(2880, 1200, 1215, 615));
    m_date->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColour(m_date, Qt::blue);

    auto *ok = new QPushButton(QStringLiteral("显示"), this);
    ok->setObjectName(QLatin1String(kShowButtonName));
    ok->setGeometry(twipsRect(3000, 1965, 1215, 345));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("退出"), this);
    cancel->setObjectName(QLatin1String(kExitButtonName));
    cancel->setGeometry(twipsRect(3000, 2400, 1215, 345));
    cancel->setAutoDefault(false);

    setTabOrder(m_month, m_year);
    setTabOrder(m_year, ok);
    setTabOrder(ok, cancel);

    m_model.load(m_platform.clock().now().date());
    showModel();

    connect(m_month, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.selectMonth(index);
        showModel();
    });
    connect(m_year, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.selectYear(index);
        showModel();
    });
    connect(ok, &QPushButton::clicked, this, &CalendarWindow::showDate);
    // Esc rejects the dialog, which closes it the same way.
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    m_month->setFocus();
}

QSize CalendarWindow::clientSize() { return twipsToPixels(4290, 2865); }

void CalendarWindow::showModel()
{
    {
        const QSignalBlocker monthBlocker(m_month);
        const QSignalBlocker yearBlocker(m_year);
        m_month->setCurrentIndex(m_model.monthIndex());
        m_year->setCurrentIndex(m_model.yearIndex());
    }
    for (int i = 0; i < CalendarModel::CellCount; ++i) {
        m_cells[i]->setVisible(m_model.cellVisible(i));
        m_cells[i]->setFrameShape(i == m_model.borderedCell() ? QFrame::Box : QFrame::NoFrame);
    }
    m_day->setText(m_model.dayText());
    m_date->setText(m_model.dateText());
}

void CalendarWindow::showDate()
{
    m_platform.messages().showMessage(m_model.messageText(), MsgButtons::Ok, MsgIcon::None, QString(), this);
}

bool CalendarWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *cell = qobject_cast<QLabel *>(watched);
    if (cell && event->type() == QEvent::MouseButtonPress)
        return static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton; // the release comes here
    if (cell && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        // A click: pressed and released over the same cell.
        if (mouse->button() == Qt::LeftButton && cell->rect().contains(mouse->position().toPoint())) {
            m_model.pickDay(cell->property("Index").toInt());
            showModel();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace korvane
