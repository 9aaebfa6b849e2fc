// Reading speed of the script reader over large generated scripts (1 MB and 10 MB).
#include <benchmark/benchmark.h>

#include <string>

#include "parser/LineCounter.h"
#include "parser/ParsedLine.h"
#include "parser/ScriptParser.h"
#include "support/ScriptGenerator.h"

namespace {

const std::string& script(std::size_t bytes)
{
    static std::string small = qmk::bench::ScriptGenerator(7).generate(1u << 20);
    static std::string large = qmk::bench::ScriptGenerator(7).generate(10u << 20);
    return bytes <= (1u << 20) ? small : large;
}

void readScript(benchmark::State& state)
{
    const std::string& text = script(static_cast<std::size_t>(state.range(0)));
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

} // namespace

BENCHMARK(readScript)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
