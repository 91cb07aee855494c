#include "ScriptedPlatform.h"
#include "editor/DocumentHost.h"
#include "editor/Editor.h"
#include "editor/commands/CipherCommands.h"
#include "editor/commands/TextCipher.h"
#include "editor/document/TextDocument.h"

#include "BenchSupport.h"
#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace korvane;

namespace {

constexpr qsizetype OneMegabyte = 1 << 20;

// Ordinary single-byte prose with CR LF line ends, cut to exactly 1 MB.
QString plainText()
{
    QString text;
    text.reserve(OneMegabyte + 64);
    for (int line = 0; text.size() < OneMegabyte; ++line)
        text += QStringLiteral("Line %1: The quick brown fox jumps over the lazy dog.\r\n").arg(line);
    text.truncate(OneMegabyte);
    return text;
}

const QString Code = QStringLiteral("密码Key42");

// 1 MB of input for each command: plain text to encrypt, cipher text to decrypt.
QString inputFor(void (CipherCommands::*command)(TextDocument &))
{
    const QString plain = plainText();
    if (command == &CipherCommands::decryptHex)
        return cipher::encryptHex(plain, Code).left(OneMegabyte);
    if (command == &CipherCommands::decryptBinary)
        return cipher::encryptBinary(plain, Code).left(OneMegabyte);
    return plain;
}

// The whole menu command: snapshot, prompt, cipher, and setting the document's text.
void runCommand(benchmark::State &state, void (CipherCommands::*command)(TextDocument &))
{
    ScriptedPlatform platform;
    SingleDocumentHost host;
    Editor editor(platform, host);
    editor.newDocument();
    CipherCommands commands(platform);
    const QString input = inputFor(command);
    for (auto _ : state) {
        state.PauseTiming();
        editor.document(1).setText(input);
        platform.inputAnswers = {Code};
        state.ResumeTiming();
        (commands.*command)(editor.document(1));
        benchmark::DoNotOptimize(editor.document(1).text().size());
    }
    state.SetBytesProcessed(state.iterations() * input.size());
}

void EncryptHexCommand(benchmark::State &state) { runCommand(state, &CipherCommands::encryptHex); }
void DecryptHexCommand(benchmark::State &state) { runCommand(state, &CipherCommands::decryptHex); }
void EncryptBinaryCommand(benchmark::State &state) { runCommand(state, &CipherCommands::encryptBinary); }
void DecryptBinaryCommand(benchmark::State &state) { runCommand(state, &CipherCommands::decryptBinary); }

// The cipher functions alone, without the document around them.
void EncryptHexFunction(benchmark::State &state)
{
    const QString text = plainText();
    for (auto _ : state)
        benchmark::DoNotOptimize(cipher::encryptHex(text, Code).size());
}

void DecryptBinaryFunction(benchmark::State &state)
{
    const QString text = cipher::encryptBinary(plainText(), Code).left(OneMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(cipher::decryptBinary(text, Code).size());
}

// Text with Chinese characters goes through the GBK code table.
void EncryptHexChineseText(benchmark::State &state)
{
    QString text;
    while (text.size() < OneMegabyte)
        text += QStringLiteral("中文文本加密测试，");
    text.truncate(OneMegabyte);
    for (auto _ : state)
        benchmark::DoNotOptimize(cipher::encryptHex(text, Code).size());
}

} // namespace

BENCHMARK(EncryptHexCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(DecryptHexCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(EncryptBinaryCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(DecryptBinaryCommand)->Unit(benchmark::kMillisecond);
BENCHMARK(EncryptHexFunction)->Unit(benchmark::kMillisecond);
BENCHMARK(DecryptBinaryFunction)->Unit(benchmark::kMillisecond);
BENCHMARK(EncryptHexChineseText)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return korvane::runBenchmarks<QCoreApplication>(argc, argv); }
