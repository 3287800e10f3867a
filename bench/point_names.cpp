// Naming the points of a points file: n rows of one name become A, A1 … A(n-1). The batch
// namer keeps this linear in n (the one-by-one search is cubic).
#include "panels/CalcPointGrid.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_PointsOfOneName(benchmark::State& state) {
    qv::CalcPoint row;
    row.name.assign(1, 'A');
    const std::vector<qv::CalcPoint> rows(static_cast<size_t>(state.range(0)), row);
    for (auto _ : state) {
        qv::CalcPointGrid grid;
        grid.Append(rows);
        benchmark::DoNotOptimize(grid.Points().back().name);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PointsOfOneName)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity();

} // namespace
