#include "ScriptedPlatform.h"
#include "editor/DocumentHost.h"
#include "editor/Editor.h"
#include "editor/commands/BlankRemover.h"
#include "editor/commands/DocumentSearch.h"
#include "editor/document/TextDocument.h"

#include "BenchSupport.h"
#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace korvane;

namespace {

constexpr qsizetype TenMegabytes = 10 * 1000 * 1000;

// Indented lines of ordinary text, about 10 million characters, with a marker at the very end.
QString indentedText()
{
    const QString line = QStringLiteral("        The quick brown fox jumps over the lazy dog, 敏捷的棕色狐狸.\r\n");
    QString text;
    text.reserve(TenMegabytes + line.size());
    while (text.size() < TenMegabytes)
        text += line;
    text += QStringLiteral("EndMarker");
    return text;
}

struct Fixture {
    Fixture()
    {
        editor.newDocument();
        editor.document(1).load(text);
        editor.document(1).settle(TextDocument::Settled::Replaced);
    }
    ScriptedPlatform platform;
    SingleDocumentHost host;
    Editor editor{platform, host};
    QString text = indentedText();
};

void FindNextToTheEnd(benchmark::State &state, bool matchCase)
{
    Fixture f;
    DocumentSearch &search = f.editor.search();
    search.setText(matchCase ? QStringLiteral("EndMarker") : QStringLiteral("endmarker"));
    search.setMatchCase(matchCase);
    for (auto _ : state) {
        search.setPosition(0);
        search.findNext();
        benchmark::DoNotOptimize(f.editor.document(1).selStart());
    }
    if (f.editor.document(1).selStart() != f.text.size() - 9)
        state.SkipWithError("the marker was not found");
}

} // namespace

static void FindNextToMatchAtEndIgnoringCase(benchmark::State &state) { FindNextToTheEnd(state, false); }
BENCHMARK(FindNextToMatchAtEndIgnoringCase)->Unit(benchmark::kMillisecond);

static void FindNextToMatchAtEndMatchingCase(benchmark::State &state) { FindNextToTheEnd(state, true); }
BENCHMARK(FindNextToMatchAtEndMatchingCase)->Unit(benchmark::kMillisecond);

// The whole command: snapshot, scan, and setting the new text.
static void RemoveLeadingBlanks(benchmark::State &state)
{
    Fixture f;
    BlankRemover remover(f.platform, f.editor.search());
    for (auto _ : state) {
        state.PauseTiming();
        f.editor.document(1).load(f.text);
        f.editor.document(1).settle(TextDocument::Settled::Replaced);
        state.ResumeTiming();
        remover.run(f.editor.activeDocument());
        benchmark::DoNotOptimize(f.editor.document(1).length());
    }
}
BENCHMARK(RemoveLeadingBlanks)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return korvane::runBenchmarks<QCoreApplication>(argc, argv); }
