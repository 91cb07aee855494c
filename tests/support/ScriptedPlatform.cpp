#include "ScriptedPlatform.h"

#include "platform/QtPrinter.h"
#include "platform/ScreenCover.h"

#include <QPointer>
#include <QPrinter>
#include <algorithm>
#include <utility>

namespace korvane {

template <typename T>
static std::optional<T> takeFront(std::deque<T> &queue)
{
    if (queue.empty())
        return std::nullopt;
    T value = queue.front();
    queue.pop_front();
    return value;
}

MsgAnswer ScriptedPlatform::showMessage(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title,
                                        QWidget *owner)
{
    const QPointer<QWidget> asker = owner;
    ScreenCover::waitUntilGone();
    if (owner && !asker)
        return cancelAnswer(buttons);
    shownMessages.append(
        {text, buttons, icon, title.isEmpty() ? ProgramTitle : title, owner, std::exchange(m_details, {})});
    if (onMessage)
        onMessage(shownMessages.last());
    if (buttons == MsgButtons::Ok) {
        takeFront(messageAnswers); // an OK box consumes nothing meaningful but keeps scripts in step
        return MsgAnswer::Ok;
    }
    const auto answer = takeFront(messageAnswers);
    return answer ? *answer : cancelAnswer(buttons);
}

MsgAnswer ScriptedPlatform::showDetailedMessage(const QString &text, const QString &details, MsgButtons buttons,
                                                MsgIcon icon)
{
    m_details = details; // recorded with the message, before onMessage sees it
    return showMessage(text, buttons, icon, QString(), nullptr);
}

QString ScriptedPlatform::inputBox(const QString &prompt, const QString &title, const QString &)
{
    shownInputs.append({prompt, title});
    return takeFront(inputAnswers).value_or(QString());
}

QString ScriptedPlatform::showOpen(const QString &filter, const QString &owner)
{
    openFilters << filter;
    openStarts << m_fileDialogs.openStart(owner);
    const QString path = takeFront(openAnswers).value_or(QString());
    m_fileDialogs.remember(owner, path);
    return path;
}

QString ScriptedPlatform::showSave(const QString &filter, const QString &documentPath, const QString &owner)
{
    saveFilters << filter;
    saveStarts << m_fileDialogs.saveStart(owner, documentPath);
    const QString path = takeFront(saveAnswers).value_or(QString());
    m_fileDialogs.remember(owner, path);
    return path;
}

std::optional<int> ScriptedPlatform::showPrintDialog()
{
    ++printDialogs;
    const auto answer = takeFront(printAnswers);
    return answer ? *answer : std::nullopt;
}

bool ScriptedPlatform::printText(const QString &text, int copies, const QFont &font)
{
    if (printerFails)
        return false;
    printJobs.append({text, copies, font});
    if (printPdfPath.isEmpty())
        return true;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(printPdfPath);
    return QtPrinter::printOn(pdf, text, copies, font);
}

std::optional<QColor> ScriptedPlatform::showColor(const QColor &)
{
    ++colorDialogs;
    const auto answer = takeFront(colorAnswers);
    return answer ? *answer : std::nullopt;
}

void ScriptedPlatform::clearClipboard()
{
    clipboardContent.clear();
    clipboardHasText = false;
}

void ScriptedPlatform::setClipboardText(const QString &text)
{
    clipboardContent = text;
    clipboardHasText = true;
}

QString ScriptedPlatform::clipboardText() const { return clipboardHasText ? clipboardContent : QString(); }

double ScriptedPlatform::nextRandom()
{
    if (auto v = takeFront(randomValues))
        return *v;
    // A fixed, evenly spread sequence keeps unscripted tests deterministic.
    m_randomCounter = (m_randomCounter * 1103515245u + 12345u) & 0x7fffffffu;
    return static_cast<double>(m_randomCounter) / 2147483648.0;
}

int ScriptedPlatform::startSingleShot(int msec, std::function<void()> due)
{
    m_timers.push_back({++m_lastTimerId, elapsedMsec + std::max(msec, 0), std::move(due)});
    return m_lastTimerId;
}

void ScriptedPlatform::cancelSingleShot(int id)
{
    std::erase_if(m_timers, [id](const PendingTimer &t) { return t.id == id; });
}

void ScriptedPlatform::advanceTime(int msec)
{
    const qint64 target = elapsedMsec + msec;
    for (;;) {
        // A callback may start or cancel timers, so the earliest is looked up afresh each time.
        auto next = std::min_element(m_timers.begin(), m_timers.end(),
                                     [](const PendingTimer &a, const PendingTimer &b) { return a.due < b.due; });
        if (next == m_timers.end() || next->due > target)
            break;
        elapsedMsec = next->due;
        const std::function<void()> callback = std::move(next->callback);
        m_timers.erase(next);
        callback();
    }
    elapsedMsec = target;
}

} // namespace korvane

namespace korvane {

bool ScriptedPlatform::run(const QString &label, const std::function<bool(LongTask &)> &work)
{
    longTaskLabels << label;
    struct Scripted final : LongTask {
        ScriptedPlatform &p;
        explicit Scripted(ScriptedPlatform &platform) : p(platform) {}
        bool progress(qint64, qint64) override
        {
            return !p.cancelAtProgress || ++p.progressReports < *p.cancelAtProgress;
        }
    } task(*this);
    BusyScope busy(*this);
    return work(task);
}

void ScriptedPlatform::setBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
    busyShown += busy ? 1 : 0;
}

} // namespace korvane
