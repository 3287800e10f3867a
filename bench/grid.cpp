// The room grid: a 30 m × 20 m room with 48 luminaires (half point, half linear
// sources, every third one turned) at the densities 200, 500 and 1000, on one thread
// and on all cores. Reports the points, the per-luminaire steps per second and the time
// per grid (the calculation alone, and the whole panel press with the point search).
#include "calc/indoor/RoomGrid.h"
#include "panels/GridPanel.h"

#include "tests/calc/GridFittings.h"
#include "tests/calc/IndoorRooms.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kLuminaires = 48;

qv::LuminaireList BenchLuminaires() {
    return qv::test::GridFittings(kLuminaires, 30, 20, 3.5);
}

void SetCounters(benchmark::State& state, size_t points) {
    const double steps = static_cast<double>(points) * kLuminaires;
    state.counters["points"] = static_cast<double>(points);
    state.counters["steps_per_s"] = benchmark::Counter(
        steps * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

int Threads(const benchmark::State& state) {
    return state.range(1) == 0 ? 1 : qv::DefaultThreadCount();
}

void BM_GridCalculation(benchmark::State& state) {
    const qv::Room room = qv::test::RectangleRoom(30, 20);
    qv::LuminaireList luminaires = BenchLuminaires();
    std::vector<qv::CalcPoint> points;
    qv::HorizontalGridSearch(points, room, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        qv::CalculateGridPoints(points, luminaires, Threads(state));
        benchmark::DoNotOptimize(points.data());
    }
    SetCounters(state, points.size());
}

void BM_GridPanel(benchmark::State& state) {
    const qv::Room room = qv::test::RectangleRoom(30, 20);
    const qv::LuminaireList luminaires = BenchLuminaires();
    qv::GridPanel panel;
    panel.density = static_cast<int>(state.range(0));
    panel.threads = Threads(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(panel.CalculateHorizontal(room, luminaires));
    }
    SetCounters(state, panel.Points().size());
}

// Arguments: density, then 0 for one thread or 1 for all cores.
void GridArguments(benchmark::internal::Benchmark* bench) {
    for (const int density : {200, 500, 1000}) {
        bench->Args({density, 0})->Args({density, 1});
    }
    bench->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(BM_GridCalculation)->Apply(GridArguments);
BENCHMARK(BM_GridPanel)->Apply(GridArguments);
