#include "platform/QtPlatform.h"

#include "platform/ProcMemInfo.h"
#include "platform/QtPrinter.h"
#include "platform/QtSaverServices.h"
#include "platform/ScreenCover.h"
#include "platform/VbFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QTime>
#include <QTimer>

namespace korvane {

QtPlatform::QtPlatform() : m_printer(new QtPrinter), m_saver(new QtSaverServices) {}

QtPlatform::~QtPlatform()
{
    qDeleteAll(m_timers);
    delete m_saver;
    delete m_printer;
}

PrintService &QtPlatform::printer() { return *m_printer; }

std::optional<qint64> QtPlatform::availableMemory() const { return ProcMemInfo::available(); }

static QWidget *dialogParent() { return QApplication::activeWindow(); }

MsgAnswer QtPlatform::showMessage(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title,
                                  QWidget *owner)
{
    return showBox(text, QString(), buttons, icon, title, owner);
}

MsgAnswer QtPlatform::showDetailedMessage(const QString &text, const QString &details, MsgButtons buttons, MsgIcon icon)
{
    return showBox(text, details, buttons, icon, QString(), nullptr);
}

MsgAnswer QtPlatform::showBox(const QString &text, const QString &details, MsgButtons buttons, MsgIcon icon,
                              const QString &title, QWidget *owner)
{
    const QPointer<QWidget> asker = owner;
    ScreenCover::waitUntilGone();
    if (owner && !asker)
        return cancelAnswer(buttons); // the window that asked was closed meanwhile
    QMessageBox box(asker ? asker->window() : dialogParent());
    box.setWindowTitle(title.isEmpty() ? ProgramTitle : title);
    // Messages carry names of files and folders and the system's words: never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    box.setDetailedText(details); // shown as plain text; empty shows no "Show Details..." button
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    default: return cancelAnswer(buttons);
    }
}

void QtPlatform::showNotice(const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, ProgramTitle, QString(), QMessageBox::Ok, dialogParent());
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

int QtPlatform::startSingleShot(int msec, std::function<void()> due)
{
    const int id = ++m_lastTimerId;
    auto *timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer); // a coarse timer may fire 5 % late
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, timer, due = std::move(due)] {
        m_timers.remove(id);
        timer->deleteLater();
        due();
    });
    m_timers.insert(id, timer);
    timer->start(msec);
    return id;
}

void QtPlatform::cancelSingleShot(int id)
{
    if (QTimer *timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

QString QtPlatform::inputBox(const QString &prompt, const QString &title, const QString &initial)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    // The prompt is shown as it is written, never as markup.
    for (QLabel *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtPlatform::showOpen(const QString &filter, const QString &owner)
{
    const QString path = QFileDialog::getOpenFileName(dialogParent(), QString(), m_fileDialogs.openStart(owner),
                                                      filter.isEmpty() ? QString() : vbFilterToQt(filter));
    m_fileDialogs.remember(owner, path);
    return path;
}

QString QtPlatform::showSave(const QString &filter, const QString &documentPath, const QString &owner)
{
    // No overwrite prompt and no default extension: the name is used exactly as typed.
    const QString path = QFileDialog::getSaveFileName(
        dialogParent(), QString(), m_fileDialogs.saveStart(owner, documentPath),
        filter.isEmpty() ? QString() : vbFilterToQt(filter), nullptr, QFileDialog::DontConfirmOverwrite);
    m_fileDialogs.remember(owner, path);
    return path;
}

std::optional<QColor> QtPlatform::showColor(const QColor &initial)
{
    const QColor c = QColorDialog::getColor(initial, dialogParent());
    if (!c.isValid())
        return std::nullopt;
    return c;
}

void QtPlatform::clearClipboard() { QGuiApplication::clipboard()->clear(); }

void QtPlatform::setClipboardText(const QString &text) { QGuiApplication::clipboard()->setText(text); }

QString QtPlatform::clipboardText() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

void QtPlatform::setSelectionText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
}

QString QtPlatform::selectionText() const
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection) : QString();
}

void QtPlatform::beep() { QApplication::beep(); }

QDateTime QtPlatform::now() const { return QDateTime::currentDateTime(); }

// splitmix64: small, fast and well distributed; 53 bits make the double.
double QtPlatform::nextRandom()
{
    std::uint64_t z = (m_randomState += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);
}

void QtPlatform::seedFromTime()
{
    // Mixed into the current state rather than replacing it, so that two seedings within
    // the same millisecond still give different draws.
    m_randomState ^= static_cast<std::uint64_t>(QTime::currentTime().msecsSinceStartOfDay()) * 0x2545F4914F6CDD1DULL;
}

QStringList QtPlatform::screenFonts() const { return QFontDatabase::families(); }

SettingsStore &QtPlatform::settings() { return m_saver->settings; }
RegistryService &QtPlatform::registry() { return m_saver->registry; }
SaverSystemService &QtPlatform::saverSystem() { return m_saver->system; }

} // namespace korvane
