#include "ScriptedPlatform.h"
#include "editor/document/TextDocument.h"
#include "editor/textbox/TextBoxBehaviours.h"
#include "editor/textbox/TextBoxView.h"

#include "BenchSupport.h"
#include <QAccessible>
#include <QApplication>

#include <benchmark/benchmark.h>

using namespace korvane;

namespace {

// What a screen reader asks on every caret move, in a 20 MB document of short lines and in
// one line of 20 MB.
void ItemAtTheCaret(benchmark::State &state)
{
    const bool oneLine = state.range(0) == 1;
    const QString line = QStringLiteral("第一行：这是一段文字。 Plain words, a sentence.");
    QString text;
    text.reserve(20 * 1000 * 1000);
    while (text.size() < 20 * 1000 * 1000)
        text += oneLine ? line + u' ' : line + u'\n';
    TextDocument doc;
    doc.setText(text);
    ScriptedPlatform platform;
    TextBoxView view(&doc);
    TextBoxBehaviours::attach(view, nullptr, platform);
    QAccessibleTextInterface *t = QAccessible::queryAccessibleInterface(&view)->textInterface();
    const int middle = int(text.size() / 2);
    const auto type = QAccessible::TextBoundaryType(state.range(1));
    for (auto _ : state) {
        int s, e;
        benchmark::DoNotOptimize(t->textAtOffset(middle, type, &s, &e));
        benchmark::DoNotOptimize(t->textBeforeOffset(middle, type, &s, &e));
    }
}
BENCHMARK(ItemAtTheCaret)
    ->ArgNames({"one_line", "boundary"})
    ->ArgsProduct({{0, 1},
                   {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
                    QAccessible::LineBoundary}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return runBenchmarks<QApplication>(argc, argv); }
