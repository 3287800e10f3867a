// The UGR table of a luminaire type: the 19 rooms × 5 reflectances, crosswise and endwise,
// of a full C-γ distribution (24 planes all around × 37 γ angles, a box with luminous
// sides) at the catalogue spacing 0.25H and the standard spacing 1H, with each
// interpolation.
#include "calc/glare/UgrTable.h"
#include "catalogue/photometry/PhotometricReaders.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <sstream>

namespace {

qv::PhotometricData FullDistribution() {
    std::ostringstream out;
    out << "bench\n1\n0\n24\n15\n37\n5\nreport\nBench\nB-1\nb.ldt\ndate\n1200\n300\n50\n"
        << "1150\n250\n10\n10\n10\n10\n90\n85\n1\n0\n1\n1\nLED\n4000\n4000K\n80\n36\n";
    for (int i = 0; i < 10; ++i) {
        out << "0.5\n";
    }
    for (int p = 0; p < 24; ++p) {
        out << p * 15 << "\n";
    }
    for (int g = 0; g < 37; ++g) {
        out << g * 5 << "\n";
    }
    constexpr double kDeg = 3.141592653589793 / 180.0;
    for (int p = 0; p < 24; ++p) {
        for (int g = 0; g < 37; ++g) {
            const double cosG = std::cos(g * 5 * kDeg);
            out << (g <= 18 ? 300.0 * cosG * (1.0 + 0.4 * std::cos(p * 15 * kDeg)) : -10.0 * cosG)
                << "\n";
        }
    }
    qv::PhotometricData data;
    std::string error;
    qv::ReadEulumdat(out.str(), data, error);
    return data;
}

void BM_UgrTable(benchmark::State& state) {
    const qv::PhotometricData data = FullDistribution();
    const double shr = state.range(0) == 0 ? qv::kUgrCatalogueShr : qv::kUgrStandardShr;
    const auto interpolation = state.range(1) == 0 ? qv::IntensityInterpolation::kMonotoneCubic
                                                   : qv::IntensityInterpolation::kBilinear;
    qv::UgrTable table;
    std::string reason;
    for (auto _ : state) {
        if (!qv::ComputeUgrTable(data, shr, table, reason, interpolation)) {
            state.SkipWithError(reason.c_str());
            break;
        }
        benchmark::DoNotOptimize(table.crosswise.data());
    }
}
// Arguments: spacing (0: 0.25H, 1: 1H), interpolation (0: monotone cubic, 1: bilinear).
BENCHMARK(BM_UgrTable)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Unit(benchmark::kMillisecond);

} // namespace
