// Micro-benchmarks of the hot paths: the item reader, token splitting with
// key lookup, folded number lists and number text.
#include "reader/Fields.h"
#include "reader/InputText.h"
#include "reader/ItemReader.h"
#include "reader/Tokens.h"
#include "text/NumberList.h"
#include "text/NumberText.h"

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
    const corvane::KeySet keys{{"Joint", 0}, {"GlobalX", 1}, {"GlobalY", 2}, {"GlobalZ", 3}};
    int pos[corvane::KeySet::kMaxSlots];
    for (auto _ : state) {
        t.Split(item, &keys, pos);
        benchmark::DoNotOptimize(pos[3]);
    }
    state.SetBytesProcessed(static_cast<long>(state.iterations() * item.size()));
}
BENCHMARK(SplitTokensBench);

void FoldedListBench(benchmark::State& state) {
    std::vector<std::string> list;
    for (int i = 0; i < 100000; ++i) list.push_back(std::to_string(i % 7 == 0 ? i * 2 : i));
    std::string line;
    for (auto _ : state) {
        line.clear();
        corvane::AppendFoldedList(line, list.size(), [&](std::size_t i) -> std::string_view { return list[i]; });
        benchmark::DoNotOptimize(line.size());
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * list.size()));
}
BENCHMARK(FoldedListBench);

void NumberTextBench(benchmark::State& state) {
    const char* texts[] = {"-12.5", "1.5E+02", "0.00001", "24855578.2847654", "NULL", "3"};
    std::string out;
    for (auto _ : state) {
        out.clear();
        for (const char* t : texts) corvane::AppendSignedNumber(out, t, true);
        benchmark::DoNotOptimize(out.size());
    }
    state.SetItemsProcessed(static_cast<long>(state.iterations() * 6));
}
BENCHMARK(NumberTextBench);

}  // namespace

BENCHMARK_MAIN();
