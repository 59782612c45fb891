// Micro-benchmarks of the hot paths: the item reader, token splitting,
// shortList and number text.
#include "reader/Fields.h"
#include "reader/InputText.h"
#include "reader/ItemReader.h"
#include "staad/NumberList.h"
#include "staad/NumberText.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::string Records(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "   Joint=" + std::to_string(i) + "   CoordSys=GLOBAL   CoordType=Cartesian   XorR=" + std::to_string(i * 6) +
                "   Y=12.5   Z=3.5   SpecialJt=No   GlobalX=" + std::to_string(i * 6) + "   GlobalY=12.5   GlobalZ=3.5\r\n";
    return text;
}

void ItemReaderBench(benchmark::State& state) {
    const std::string text = Records(10000);
    for (auto _ : state) {
        corvane::ItemReader r(text, 0);
        std::size_t n = 0;
        while (!r.AtEnd()) n += r.ReadItem().size();
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<long>(state.iterations() * text.size()));
}
BENCHMARK(ItemReaderBench);

void SplitTokensBench(benchmark::State& state) {
    const std::string item =
        "Joint=12345   CoordSys=GLOBAL   CoordType=Cartesian   XorR=600   Y=12.5   Z=3.5   SpecialJt=No   GlobalX=600   GlobalY=12.5   GlobalZ=3.5";
    corvane::TokenStore t;
    for (auto _ : state) {
        t.SplitTokens(item);
        benchmark::DoNotOptimize(corvane::FieldPosition(t, "GlobalZ"));
    }
    state.SetBytesProcessed(static_cast<long>(state.iterations() * item.size()));
}
BENCHMARK(SplitTokensBench);

void ShortListBench(benchmark::State& state) {
    std::vector<std::string> list;
    for (int i = 0; i < 100000; ++i) list.push_back(std::to_string(i % 7 == 0 ? i * 2 : i));
    corvane::RunList runs;
    for (auto _ : state) {
        corvane::shortList(list, runs);
        benchmark::DoNotOptimize(corvane::joinArray(runs).size());
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * list.size()));
}
BENCHMARK(ShortListBench);

void NumberTextBench(benchmark::State& state) {
    const char* texts[] = {"-12.5", "1.5E+02", "0.00001", "24855578.2847654", "NULL", "3"};
    for (auto _ : state)
        for (const char* t : texts) benchmark::DoNotOptimize(corvane::NumberToText(-corvane::TextToNumber(t)));
    state.SetItemsProcessed(static_cast<long>(state.iterations() * 6));
}
BENCHMARK(NumberTextBench);

}  // namespace

BENCHMARK_MAIN();
