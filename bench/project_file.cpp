// Save and load of big projects: 200, 2,000 and 20,000 luminaires, each with 37-row
// intensity curves, a 120-row CU table and a 50-row floodlight table. The cost must grow
// linearly with the size of the file.
#include "model/ProjectFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

qv::Luminaire BenchLuminaire(int index) {
    qv::Luminaire luminaire;
    luminaire.ptCenter = {index % 100 * 3.0, index / 100 * 3.0, 4};
    luminaire.sName = "格栅荧光灯盘";
    luminaire.sModel = "3×28W T5";
    luminaire.nLuminousFlux = 7980;
    luminaire.lamp1 = {"T5荧光灯", "T5 28W", 28, 2.5, 3, 2660};
    luminaire.sLightsTable = "配光";
    luminaire.sModulusTable = "利用系数";
    luminaire.sGradeTable = "等光强";
    for (int row = 0; row < 37; ++row) {
        luminaire.curveA.Append({row * 2.5, 300.0 - row * 7.25});
        luminaire.curveB.Append({row * 2.5, 280.0 - row * 6.5});
    }
    for (int row = 0; row < 120; ++row) {
        luminaire.cuTable.Append({30.0 + row / 40 * 20, 10.0 + row / 8 % 5 * 10, 20, 1.0 + row % 8,
                                  0.75 - row % 8 * 0.05});
    }
    for (int row = 0; row < 50; ++row) {
        luminaire.floodTable.Append({row / 10 * 10.0 - 20, row % 10 * 5.0 - 25, 1850.0 - row * 30});
    }
    return luminaire;
}

qv::Project BenchProject(int count) {
    qv::Project project;
    project.kind = qv::kIndoorProject;
    project.room.outline = {{0, 0, 0}, {300, 0, 0}, {300, 600, 0}, {0, 600, 0}};
    project.luminaires.Reserve(count);
    for (int i = 0; i < count; ++i) {
        project.luminaires.Add(BenchLuminaire(i));
    }
    return project;
}

std::string BenchFile(const std::string& name, int count) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qv_bench";
    std::filesystem::create_directories(folder);
    return (folder / (name + std::to_string(count) + ".cil")).string();
}

void SetBytes(benchmark::State& state, const std::string& path) {
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

// Save to a path where no file exists yet.
void BM_SaveNew(benchmark::State& state) {
    const qv::Project project = BenchProject(static_cast<int>(state.range(0)));
    const std::string path = BenchFile("save_new", static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(path);
        state.ResumeTiming();
        benchmark::DoNotOptimize(qv::SaveProject(project, path));
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

// Save over the project's own file: the file is read and every element reused.
void BM_SaveOver(benchmark::State& state) {
    const qv::Project project = BenchProject(static_cast<int>(state.range(0)));
    const std::string path = BenchFile("save_over", static_cast<int>(state.range(0)));
    qv::SaveProject(project, path);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::SaveProject(project, path));
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

// Load as the program's Open does, writing the file back.
void BM_Load(benchmark::State& state) {
    const std::string path = BenchFile("load", static_cast<int>(state.range(0)));
    qv::SaveProject(BenchProject(static_cast<int>(state.range(0))), path);
    for (auto _ : state) {
        qv::Project project;
        benchmark::DoNotOptimize(qv::LoadProject(path, project));
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

// Load as the command-line runner does, without writing back.
void BM_LoadReadOnly(benchmark::State& state) {
    const std::string path = BenchFile("load_read_only", static_cast<int>(state.range(0)));
    qv::SaveProject(BenchProject(static_cast<int>(state.range(0))), path);
    qv::LoadOptions options;
    options.writeBack = false;
    for (auto _ : state) {
        qv::Project project;
        benchmark::DoNotOptimize(qv::LoadProject(path, project, options));
    }
    SetBytes(state, path);
    std::filesystem::remove(path);
}

} // namespace

// Two runs per operation: the small sizes as often as the library likes, the biggest once.
#define QV_PROJECT_SIZES(operation)                                                                \
    BENCHMARK(operation)->Unit(benchmark::kMillisecond)->Arg(200)->Arg(2000);                      \
    BENCHMARK(operation)->Unit(benchmark::kMillisecond)->Arg(20000)->Iterations(1)

QV_PROJECT_SIZES(BM_SaveNew);
QV_PROJECT_SIZES(BM_SaveOver);
QV_PROJECT_SIZES(BM_Load);
QV_PROJECT_SIZES(BM_LoadReadOnly);
