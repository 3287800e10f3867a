// The isolux picture of a horizontal grid: a 30 m × 20 m room with 48 luminaires at the
// densities 200, 500 and 1000. Reports the time to build the picture (lattice, field and
// contours), to render and encode the 2000-pixel PNG, and to write the SVG.
#include "panels/GridPanel.h"
#include "report/picture/IsoluxPicture.h"
#include "report/picture/PngPicture.h"
#include "report/picture/SvgPicture.h"

#include "tests/calc/GridFittings.h"
#include "tests/calc/IndoorRooms.h"

#include <benchmark/benchmark.h>

namespace {

// The picture data of one horizontal run at the density.
qv::GridPictureData RunData(int density) {
    const qv::Room room = qv::test::RectangleRoom(30, 20);
    const qv::LuminaireList luminaires = qv::test::GridFittings(48, 30, 20, 3.5);
    qv::GridPanel panel;
    panel.density = density;
    panel.CalculateHorizontal(room, luminaires);
    return panel.Picture();
}

void BM_PictureBuild(benchmark::State& state) {
    const qv::GridPictureData data = RunData(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        qv::IsoluxPicture picture(data);
        benchmark::DoNotOptimize(picture.Contours().data());
    }
    state.counters["points"] = static_cast<double>(data.points.size());
}

void BM_PicturePng(benchmark::State& state) {
    const qv::IsoluxPicture picture(RunData(static_cast<int>(state.range(0))));
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string png = qv::IsoluxPng(picture);
        bytes = png.size();
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_PictureSvg(benchmark::State& state) {
    const qv::IsoluxPicture picture(RunData(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        const std::string svg = qv::IsoluxSvg(picture);
        benchmark::DoNotOptimize(svg.data());
    }
}

} // namespace

BENCHMARK(BM_PictureBuild)->Arg(200)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PicturePng)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureSvg)->Arg(200)->Unit(benchmark::kMillisecond);
