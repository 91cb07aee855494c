#include "ScriptedPlatform.h"
#include "editor/document/TextDocument.h"
#include "editor/textbox/TextBoxBehaviours.h"
#include "editor/textbox/TextBoxView.h"

#include "BenchSupport.h"
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <benchmark/benchmark.h>

using namespace korvane;

namespace {

// A text box in a document sub-window holding 20 MB of mixed lines with combining
// accents and emoji, the caret at the end of the line in the middle.
struct Box {
    Box()
    {
        const QString line = QString::fromUcs4(
            U"第行 text with cafe\u0301 and \U0001F469\u200D\U0001F4BB in it, 中文。\n");
        QString text;
        text.reserve(20 * 1000 * 1000 + line.size());
        while (text.size() < 20 * 1000 * 1000)
            text += line;
        doc.setText(text);
        TextBoxBehaviours::attach(box, nullptr, platform);
        area.resize(1000, 800);
        area.addSubWindow(&box)->showMaximized();
        area.show();
        QApplication::setActiveWindow(&area);
        box.setFocus();
        doc.setSelStart(text.size() / 2 / line.size() * line.size() - 1);
        paint();
    }
    void paint()
    {
        QApplication::processEvents();
        box.viewport()->repaint();
    }
    void send(QEvent &&e) { QApplication::sendEvent(&box, &e); }

    ScriptedPlatform platform;
    TextDocument doc;
    QMdiArea area;
    TextBoxView &box = *new TextBoxView(&doc);
};

} // namespace

// One key of an input method composing (the pre-edit grows), until painted.
static void ComposeInTheMiddle(benchmark::State &state)
{
    Box b;
    const QString pinyin = QStringLiteral("nihaoshijie");
    qsizetype n = 0;
    for (auto _ : state) {
        b.send(QInputMethodEvent(pinyin.left(n++ % pinyin.size() + 1), {}));
        b.paint();
    }
    b.send(QInputMethodEvent(QString(), {}));
}
BENCHMARK(ComposeInTheMiddle)->Unit(benchmark::kMillisecond);

// Left and Right over clusters, each until painted.
static void ClusterStepInTheMiddle(benchmark::State &state)
{
    Box b;
    bool right = false;
    for (auto _ : state) {
        const int key = (right = !right) ? Qt::Key_Left : Qt::Key_Right;
        b.send(QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        b.paint();
    }
}
BENCHMARK(ClusterStepInTheMiddle)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return korvane::runBenchmarks<QApplication>(argc, argv); }
