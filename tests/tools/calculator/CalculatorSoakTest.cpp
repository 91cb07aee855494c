// Random key sequences through the calculator. After every key the display must be a
// number, one of the failure messages, or an entry being typed; the accumulator must stay
// finite and the window must have been told of the display's text.
//   KORVANE_SOAK_SEED=<n>   replays a run (a failing run prints its seed)
//   KORVANE_SOAK_STEPS=<n>  the number of keys (a short run by default)
#include "tools/calculator/CalculatorEngine.h"
#include "tools/calculator/NumberText.h"

#include "ScriptedPlatform.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <random>

using namespace korvane;

namespace {

quint64 envNumber(const char *name, quint64 fallback)
{
    const QByteArray text = qgetenv(name);
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    return ok ? value : fallback;
}

bool isEntryBeingTyped(const QString &display)
{
    static const QRegularExpression entry(QStringLiteral("^-?[0-9]*\\.?[0-9]*$"));
    return entry.match(display).hasMatch();
}

bool isMessage(const QString &display)
{
    return display == QStringLiteral("除数不能为零") || display == QStringLiteral("结果未定义") ||
           display == QStringLiteral("溢出");
}

// What one random step does, and how it is named in a failure report.
struct Step {
    QString name;
    std::function<void(CalculatorEngine &)> run;
};

std::vector<Step> steps()
{
    std::vector<Step> all;
    // Every mapped character, and two that map to nothing.
    const QString characters = QStringLiteral("0123456789*xX+-/\r=.Cca ");
    for (const QChar c : characters) {
        const QString key(c);
        const QString name = c == u'\r' ? QStringLiteral("key Enter") : QStringLiteral("key '%1'").arg(key);
        all.push_back({name, [key](CalculatorEngine &e) { e.keyPress(key); }});
    }
    // Digits come more often, so numbers grow long enough to overflow.
    for (int d = 0; d <= 9; ++d)
        all.push_back(
            {QStringLiteral("key '%1'").arg(d), [d](CalculatorEngine &e) { e.keyPress(QString::number(d)); }});
    all.push_back({QStringLiteral("release Backspace"), [](CalculatorEngine &e) { e.keyRelease(Qt::Key_Backspace); }});
    all.push_back({QStringLiteral("release Delete"), [](CalculatorEngine &e) { e.keyRelease(Qt::Key_Delete); }});
    all.push_back({QStringLiteral("release Backspace"), [](CalculatorEngine &e) { e.keyRelease(Qt::Key_Backspace); }});
    // The buttons without a key.
    all.push_back({QStringLiteral("button +/-"), [](CalculatorEngine &e) { e.changeSign(); }});
    all.push_back({QStringLiteral("button +/-"), [](CalculatorEngine &e) { e.changeSign(); }});
    all.push_back({QStringLiteral("button C"), [](CalculatorEngine &e) { e.clear(); }});
    return all;
}

} // namespace

TEST(CalculatorSoakTest, EveryKeyLeavesANumberAMessageOrAnEntry)
{
    const quint64 seed = envNumber("KORVANE_SOAK_SEED", 20261207);
    const quint64 count = envNumber("KORVANE_SOAK_STEPS", 300000);
    std::mt19937_64 random(seed);

    ScriptedPlatform platform;
    CalculatorState state;
    CalculatorEngine engine(state, platform.beeper());
    QString shown;
    QObject::connect(&engine, &CalculatorEngine::displayChanged, [&](const QString &text) { shown = text; });

    const std::vector<Step> all = steps();
    std::uniform_int_distribution<size_t> pick(0, all.size() - 1);
    std::deque<QString> recent; // the keys that led to a failure
    std::size_t messages = 0, numbers = 0;
    for (quint64 i = 0; i < count; ++i) {
        const Step &step = all[pick(random)];
        step.run(engine);
        recent.push_back(step.name);
        if (recent.size() > 24)
            recent.pop_front();

        const QString &display = engine.display();
        const bool message = isMessage(display);
        const bool number = NumberText::parse(display).reading == NumberText::Reading::Number;
        messages += message;
        numbers += number;
        const bool fine = (message || number || isEntryBeingTyped(display)) && std::isfinite(state.accumulator) &&
                          (display.isEmpty() || shown == display);
        if (!fine) {
            ADD_FAILURE() << "seed " << seed << " (KORVANE_SOAK_SEED=" << seed << "), key " << i + 1 << " of " << count
                          << ": display \"" << display.toStdString() << "\", accumulator " << state.accumulator
                          << ", last keys: " << QStringList(recent.begin(), recent.end()).join(u", ").toStdString();
            return;
        }
    }
    // A run that never reached a message or a number tested too little to mean anything.
    EXPECT_GT(messages, 0u) << "seed " << seed;
    EXPECT_GT(numbers, 0u) << "seed " << seed;
}
