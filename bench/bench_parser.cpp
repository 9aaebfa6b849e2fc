// Reading speed of the script reader over large generated scripts (1 MB and 10 MB, and 10 MB of
// UTF-16).
#include <benchmark/benchmark.h>

#include <string>

#include "parser/LineCounter.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptEncoding.h"
#include "parser/ScriptParser.h"
#include "support/ScriptGenerator.h"

namespace {

const std::string& script(std::size_t bytes)
{
    static std::string small = qmk::bench::ScriptGenerator(7).generate(1u << 20);
    static std::string large = qmk::bench::ScriptGenerator(7).generate(10u << 20);
    return bytes <= (1u << 20) ? small : large;
}

// The generated script as Visual Studio saves it: UTF-16LE with a byte-order mark, 10 MB.
const std::string& utf16Script()
{
    static const std::string wide = [] {
        std::string bytes = "\xFF\xFE";
        qmk::utf8ToUtf16LE(qmk::bench::ScriptGenerator(7).generate(5u << 20), bytes);
        return bytes;
    }();
    return wide;
}

void readText(benchmark::State& state, const std::string& text)
{
    long statements = 0;
    for (auto _ : state) {
        qmk::LineCounter counter;
        qmk::ScriptParser parser(counter);
        parser.setText(text);
        parser.reset();
        std::string line;
        while (!parser.atEnd() && parser.error() >= 0) {
            parser.readLine(line);
            benchmark::DoNotOptimize(line.data());
            if (parser.kindValue() == 0)
                break;
        }
        if (parser.error() < 0) {
            state.SkipWithError("parser error in generated script");
            break;
        }
        statements = counter.value;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["statements"] = static_cast<double>(statements);
}

void readScript(benchmark::State& state) { readText(state, script(static_cast<std::size_t>(state.range(0)))); }

// Bytes processed are those of the UTF-16 file, decoding included.
void readUtf16Script(benchmark::State& state) { readText(state, utf16Script()); }

} // namespace

BENCHMARK(readScript)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(readUtf16Script)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
