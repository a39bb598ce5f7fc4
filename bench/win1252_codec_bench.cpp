// The Windows-1252 codec against Qt's own Latin-1 conversion of the same text (the baseline: the
// same one-byte-per-character work without the 0x80..0x9F table). Compare the Codec/* times with
// the Latin1/* times of the same run.
#include "toolkit/qt/win1252_codec.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <string>

namespace {

// A quote-list sized text with accents, euro signs and dashes among plain ASCII.
std::string SampleBytes() {
    std::string line = "Soci\xE9t\xE9 G\xE9n\xE9rale|GLE.PA|\x80 38.12|+0.45 \x96 1.2%|\x93Koers\x94\r\n";
    std::string text;
    while (text.size() < 64 * 1024) {
        text += line;
    }
    return text;
}

void Latin1Decode(benchmark::State& state) {
    const std::string bytes = SampleBytes();
    for (auto _ : state) {
        benchmark::DoNotOptimize(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void CodecDecode(benchmark::State& state) {
    const std::string bytes = SampleBytes();
    for (auto _ : state) {
        benchmark::DoNotOptimize(vc::FromWin1252(bytes));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void Latin1Encode(benchmark::State& state) {
    const QString text = vc::FromWin1252(SampleBytes());
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.toLatin1());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void CodecEncode(benchmark::State& state) {
    const QString text = vc::FromWin1252(SampleBytes());
    for (auto _ : state) {
        benchmark::DoNotOptimize(vc::ToWin1252(text));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

BENCHMARK(Latin1Decode)->Name("Latin1/Decode");
BENCHMARK(CodecDecode)->Name("Codec/Decode");
BENCHMARK(Latin1Encode)->Name("Latin1/Encode");
BENCHMARK(CodecEncode)->Name("Codec/Encode");

} // namespace

BENCHMARK_MAIN();
