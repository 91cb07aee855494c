#include "tools/calculator/CalculatorWindow.h"

#include "platform/Platform.h"
#include "platform/Twips.h"
#include "tools/calculator/CalculatorDisplay.h"
#include "tools/calculator/CalculatorEngine.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

namespace korvane {

namespace {

// The object names of the window and its buttons, as the rest of the toolbox (and its
// tests) find them; the digit and operator buttons share one name each and tell
// themselves apart by their "Index" property.
constexpr char kWindowName[] = "Form5";
constexpr char kNumberButtonName[] = "cmdNumber";
constexpr char kOperatorButtonName[] = "cmdOperator";
constexpr char kClearEntryButtonName[] = "cmdClearEntry";
constexpr char kClearButtonName[] = "cmdClear";
constexpr char kPlusMinusButtonName[] = "cmdPlusMinus";
constexpr char kDecimalButtonName[] = "cmdDecimal";
constexpr char kEqualsButtonName[] = "cmdEquals";

using Operator = CalculatorState::Operator;
constexpr Operator kOperators[] = {Operator::Add, Operator::Subtract, Operator::Multiply, Operator::Divide};

constexpr int ButtonWidth = 615;
constexpr int ButtonHeight = 495;

bool passesToFocusChain(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
}

bool isEditingKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete || event->matches(QKeySequence::Paste) ||
           event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) ||
           event->matches(QKeySequence::Redo) || event->matches(QKeySequence::DeleteStartOfWord) ||
           event->matches(QKeySequence::DeleteEndOfWord) || event->matches(QKeySequence::DeleteEndOfLine);
}

// "Courier New", or where it is missing the nearest face: one cut to its measure,
// then any fixed-pitch face.
QString keyFontFamily()
{
    for (const char *name : {"Courier New", "Liberation Mono", "Nimbus Mono PS", "Cousine", "Courier"}) {
        const QString family = QString::fromLatin1(name);
        // The database may add the foundry: "Nimbus Mono PS [urw]".
        if (QFontInfo(QFont(family)).family().startsWith(family, Qt::CaseInsensitive))
            return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

} // namespace

CalculatorWindow::CalculatorWindow(std::shared_ptr<CalculatorState> state, Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_state(std::move(state)), m_engine(new CalculatorEngine(*m_state, platform.beeper(), this)),
      m_display(new CalculatorDisplay(this)), m_background(QStringLiteral(":/calculator/landscape.png"))
{
    setObjectName(QLatin1String(kWindowName));
    setWindowTitle(QStringLiteral("计算器"));
    setWindowIcon(QIcon(QStringLiteral(":/calculator/calculator.png")));
    setFixedSize(clientSize());

    QFont font(keyFontFamily());
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(12);
    font.setWeight(QFont::Normal);
    setFont(font);

    m_display->setGeometry(twipsRect(240, 240, 2055, 390));
    connect(m_engine, &CalculatorEngine::displayChanged, m_display, &CalculatorDisplay::showText);
    connect(m_display, &QLineEdit::textEdited, m_engine, &CalculatorEngine::setDisplayFromField);

    const int rows[] = {720, 1320, 1920, 2520};
    const int columns[] = {240, 960, 1680, 2520, 3240};
    for (int digit = 1; digit <= 9; ++digit)
        m_numbers[digit] = addButton(kNumberButtonName, digit, QString::number(digit), columns[(digit - 1) % 3],
                                     rows[(digit - 1) / 3]);
    m_numbers[0] = addButton(kNumberButtonName, 0, QStringLiteral("0"), columns[1], rows[3]);
    const QString operatorCaptions[] = {QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("x"),
                                        QStringLiteral("/")};
    for (int row = 0; row < 4; ++row)
        m_operators[row] = addButton(kOperatorButtonName, static_cast<int>(kOperators[row]), operatorCaptions[row],
                                     columns[3], rows[row]);
    QPushButton *clearEntry = addButton(kClearEntryButtonName, -1, QStringLiteral("CE"), columns[4], rows[0]);
    QPushButton *clear = addButton(kClearButtonName, -1, QStringLiteral("C"), columns[4], rows[1]);
    QPushButton *plusMinus = addButton(kPlusMinusButtonName, -1, QStringLiteral("+/-"), columns[0], rows[3]);
    QPushButton *decimal = addButton(kDecimalButtonName, -1, QStringLiteral("."), columns[2], rows[3]);
    QPushButton *equals = addButton(kEqualsButtonName, -1, QStringLiteral("="), columns[4], rows[3]);

    for (int digit = 0; digit <= 9; ++digit)
        connect(m_numbers[digit], &QPushButton::clicked, m_engine, [this, digit] { m_engine->enterDigit(digit); });
    for (int row = 0; row < 4; ++row)
        connect(m_operators[row], &QPushButton::clicked, m_engine,
                [this, op = kOperators[row]] { m_engine->pressOperator(op); });
    connect(clearEntry, &QPushButton::clicked, m_engine, &CalculatorEngine::clearEntry);
    connect(clear, &QPushButton::clicked, m_engine, &CalculatorEngine::clear);
    connect(plusMinus, &QPushButton::clicked, m_engine, &CalculatorEngine::changeSign);
    connect(decimal, &QPushButton::clicked, m_engine, &CalculatorEngine::pressDecimalPoint);
    connect(equals, &QPushButton::clicked, m_engine, &CalculatorEngine::pressEquals);

    setTabOrder({m_display,
                 m_numbers[0],
                 m_numbers[1],
                 m_numbers[2],
                 m_numbers[3],
                 m_numbers[4],
                 m_numbers[5],
                 m_numbers[6],
                 m_numbers[7],
                 m_numbers[8],
                 m_numbers[9],
                 operatorButton(Operator::Multiply),
                 operatorButton(Operator::Add),
                 operatorButton(Operator::Subtract),
                 equals,
                 operatorButton(Operator::Divide),
                 clear,
                 clearEntry,
                 decimal,
                 plusMinus});
    m_display->setFocus();

    // Window-level key preview: the window sees every key before the focused control.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

CalculatorWindow::~CalculatorWindow() = default;

QSize CalculatorWindow::clientSize() { return twipsToPixels(4095, 3225); }

QPushButton *CalculatorWindow::addButton(const char *name, int index, const QString &caption, int leftTwips,
                                         int topTwips)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    if (index >= 0)
        button->setProperty("Index", index);
    button->setAutoDefault(false);
    button->setGeometry(twipsRect(leftTwips, topTwips, ButtonWidth, ButtonHeight));
    return button;
}

void CalculatorWindow::setTabOrder(const QList<QWidget *> &order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

bool CalculatorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (passesToFocusChain(key))
            return false;
        const QString text = key->text();
        if (!text.isEmpty()) {
            // Each character is mapped, then dropped: nothing typed reaches the display.
            for (const QChar c : text)
                m_engine->keyPress(QString(c));
            return true;
        }
        return isEditingKey(key);
    }
    if (event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (passesToFocusChain(key))
            return false;
        // A held key repeats its presses but is released once.
        if (!key->isAutoRepeat())
            m_engine->keyRelease(key->key());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(0, 0, m_background);
}

} // namespace korvane
