// Development check: photometric files with the CU tables published for exactly those
// files (the shared photometry-validation folder beside the project, or the folder named
// by QV_CU_PAIRS). Each gated pair must match the published table at two decimals in at
// least 95 % of its cells and within 0.01 in all of them; the import's own table must be
// those same coefficients. Skipped when the folder is not there: the files are published
// data, not part of the project.
#include "catalogue/CatalogueSourceText.h"
#include "catalogue/photometry/CatalogueLuminaireType.h"
#include "catalogue/photometry/PhotometricReaders.h"
#include "catalogue/photometry/ZonalCavity.h"

#include <kelvorin/KvFile.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <tuple>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

fs::path PairsFolder() {
    if (const char* folder = std::getenv("QV_CU_PAIRS"); folder != nullptr && *folder != '\0') {
        return folder;
    }
    return fs::path(QV_SOURCE_DIR) / ".." / "shared" / "photometry-validation" / "cu-pairs";
}

std::string ReadText(const fs::path& path) {
    std::string text;
    EXPECT_EQ(KvFile::ReadAll(path.string(), text), KvFileRead::Ok) << path;
    return text;
}

struct PublishedCell {
    double rcr = 0.0;
    double ceiling = 0.0; // per cent
    double wall = 0.0;
    double floor = 0.0;
    double cu = 0.0;
};

std::vector<PublishedCell> PublishedTable(const fs::path& path) {
    CsvRows csv;
    std::string error;
    EXPECT_TRUE(ParseCsv(ReadText(path), csv, error)) << path << ": " << error;
    std::vector<PublishedCell> cells;
    for (const CsvRows::Row& row : csv.rows) {
        PublishedCell cell;
        EXPECT_EQ(row.fields.size(), 5u) << path << ":" << row.line;
        if (row.fields.size() == 5 && IsNumberText(row.fields[0], &cell.rcr) &&
            IsNumberText(row.fields[1], &cell.ceiling) && IsNumberText(row.fields[2], &cell.wall) &&
            IsNumberText(row.fields[3], &cell.floor) && IsNumberText(row.fields[4], &cell.cu)) {
            cells.push_back(cell);
        }
    }
    return cells;
}

TEST(PublishedCuPairsTest, GatedPairsMatchThePublishedTables) {
    const fs::path folder = PairsFolder();
    if (!fs::is_regular_file(folder / "manifest.json")) {
        GTEST_SKIP() << "no published CU pairs at " << folder;
    }
    const nlohmann::json manifest = nlohmann::json::parse(ReadText(folder / "manifest.json"));
    int gated = 0;
    for (const nlohmann::json& pair : manifest.at("pairs")) {
        const std::string name = pair.at("name");
        const fs::path iesPath = folder / pair.at("ies").get<std::string>();
        PhotometricData data;
        std::string error;
        ASSERT_TRUE(ReadIes(ReadText(iesPath), data, error)) << name << ": " << error;
        ASSERT_EQ(data.system, PhotometricSystem::kTypeC) << name;
        const double scale = 1000.0 / ReferenceFlux(data);
        const ZonalLumens lumens =
            ZonalLumensOf([&](double gamma) { return TypeCMeanIntensity(data, gamma) * scale; });

        // The import's table holds these coefficients, rounded.
        CatalogueLuminaireType type;
        ASSERT_TRUE(ToCatalogueType(data, name, type, error)) << name << ": " << error;
        std::map<std::tuple<double, double, double>, double> imported; // (ρcc, ρw, RCR)
        for (const CuRow& row : type.cu.Rows()) {
            imported[{row.dPcc, row.dPw, row.dPCR}] = row.dUsing;
        }

        const std::vector<PublishedCell> cells = PublishedTable(folder / pair.at("cu"));
        int equal = 0;
        double worst = 0.0;
        double bias = 0.0;
        for (const PublishedCell& cell : cells) {
            const double computed = CoefficientOfUtilization(lumens, cell.rcr, cell.ceiling / 100,
                                                             cell.wall / 100, cell.floor / 100);
            const double shown = std::round(computed * 100.0) / 100.0;
            const bool same = std::fabs(shown - cell.cu) < 1e-9;
            equal += same ? 1 : 0;
            if (!same && pair.value("gate", false)) {
                std::cout << name << " RCR " << cell.rcr << " ρcc " << cell.ceiling << " ρw "
                          << cell.wall << ": computed " << computed << ", published " << cell.cu
                          << '\n';
            }
            worst = std::max(worst, std::fabs(shown - cell.cu));
            bias += computed - cell.cu;
            const auto row = imported.find({cell.ceiling, cell.wall, cell.rcr});
            if (cell.rcr >= 1.0 && row != imported.end()) {
                EXPECT_DOUBLE_EQ(row->second, shown) << name << " RCR " << cell.rcr;
            }
        }
        const double share = cells.empty() ? 0.0 : double(equal) / double(cells.size());
        std::cout << name << ": " << equal << " of " << cells.size()
                  << " cells equal at two decimals, largest difference " << worst << ", mean "
                  << (cells.empty() ? 0.0 : bias / double(cells.size())) << '\n';
        if (!pair.value("gate", false)) {
            continue;
        }
        ++gated;
        ASSERT_FALSE(cells.empty()) << name;
        EXPECT_GE(share, 0.95) << name;
        EXPECT_LE(worst, 0.01 + 1e-9) << name;
    }
    EXPECT_GT(gated, 0);
}

} // namespace
} // namespace qv::test
