// Development check: EULUMDAT files with the UGR tables published for exactly those files
// (the shared photometry-validation folder beside the project, or the folder named by
// QV_UGR_PAIRS). Every gated table must be reproduced within its max_diff after rounding
// to 0.1, and a cell printed "<10.0" must come out below 10. Prints the mean and largest
// difference of every pair, for both interpolations (each must hold the gate). Skipped when the
// folder is not there: the files are published data, not part of the project.
#include "calc/glare/UgrTable.h"
#include "catalogue/CatalogueSourceText.h"
#include "catalogue/photometry/PhotometricReaders.h"

#include <kelvorin/KvFile.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

fs::path PairsFolder() {
    if (const char* folder = std::getenv("QV_UGR_PAIRS"); folder != nullptr && *folder != '\0') {
        return folder;
    }
    return fs::path(QV_SOURCE_DIR) / ".." / "shared" / "photometry-validation" / "ugr-pairs";
}

std::string ReadText(const fs::path& path) {
    std::string text;
    EXPECT_EQ(KvFile::ReadAll(path.string(), text), KvFileRead::Ok) << path;
    return text;
}

int RoomIndex(double x, double y) {
    for (size_t r = 0; r < kUgrRooms.size(); ++r) {
        if (kUgrRooms[r].x == x && kUgrRooms[r].y == y) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

int ReflectanceIndex(double c, double w, double f) {
    for (size_t i = 0; i < kUgrReflectances.size(); ++i) {
        if (kUgrReflectances[i][0] == c && kUgrReflectances[i][1] == w &&
            kUgrReflectances[i][2] == f) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

struct Comparison {
    int numeric = 0;
    int below = 0;      // "<10.0" cells
    int belowWrong = 0; // of them, computed at 10 or above
    double sum = 0.0;
    double max = 0.0;
    int exact = 0;
};

// One published cell against the computed value rounded to 0.1. A "<v" cell holds when
// the table prints the value as "<v" too (the value is below v).
void Compare(const std::string& published, double computed, Comparison& result) {
    if (published.rfind('<', 0) == 0) {
        double limit = 0.0;
        ASSERT_TRUE(IsNumberText(published.substr(1), &limit)) << published;
        ++result.below;
        result.belowWrong += UgrCellText(computed) == published ? 0 : 1;
        return;
    }
    double value = 0.0;
    ASSERT_TRUE(IsNumberText(published, &value)) << published;
    const double difference = std::fabs(std::round(computed * 10.0) / 10.0 - value);
    ++result.numeric;
    result.sum += difference;
    result.max = std::max(result.max, difference);
    result.exact += difference < 1e-6 ? 1 : 0;
}

Comparison CompareTable(const CsvRows& csv, const UgrTable& table) {
    Comparison result;
    for (const CsvRows::Row& row : csv.rows) {
        EXPECT_EQ(row.fields.size(), 7u) << row.line;
        double v[5] = {};
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(IsNumberText(row.fields[static_cast<size_t>(i)], &v[i])) << row.line;
        }
        const int room = RoomIndex(v[0], v[1]);
        const int rho = ReflectanceIndex(v[2], v[3], v[4]);
        EXPECT_GE(room, 0) << row.line;
        EXPECT_GE(rho, 0) << row.line;
        if (room < 0 || rho < 0) {
            continue;
        }
        Compare(row.fields[5], table.crosswise[static_cast<size_t>(room)][static_cast<size_t>(rho)],
                result);
        Compare(row.fields[6], table.endwise[static_cast<size_t>(room)][static_cast<size_t>(rho)],
                result);
    }
    return result;
}

TEST(UgrPublishedPairsTest, GatedTablesAreReproduced) {
    const fs::path folder = PairsFolder();
    if (!fs::is_regular_file(folder / "manifest.json")) {
        GTEST_SKIP() << "no published UGR pairs at " << folder;
    }
    const nlohmann::json manifest = nlohmann::json::parse(ReadText(folder / "manifest.json"));
    int gated = 0;
    for (const nlohmann::json& pair : manifest.at("pairs")) {
        const std::string table = pair.at("table");
        PhotometricData data;
        std::string error;
        ASSERT_TRUE(ReadEulumdat(ReadText(folder / pair.at("ldt").get<std::string>()), data, error))
            << table << ": " << error;
        CsvRows csv;
        ASSERT_TRUE(ParseCsv(ReadText(folder / table), csv, error)) << table << ": " << error;
        ASSERT_EQ(csv.rows.size(), 95u) << table;
        const bool gate = pair.at("gate");
        const double maxDiff = pair.at("max_diff");
        for (const auto interpolation :
             {IntensityInterpolation::kBilinear, IntensityInterpolation::kMonotoneCubic}) {
            UgrTable computed;
            ASSERT_TRUE(ComputeUgrTable(data, pair.at("shr"), computed, error, interpolation))
                << table << ": " << error;
            const Comparison c = CompareTable(csv, computed);
            const bool chosen = interpolation == IntensityInterpolation::kMonotoneCubic;
            std::cout << (gate ? "gated   " : "shown   ") << table
                      << (chosen ? "  monotone cubic" : "  bilinear") << ": " << c.numeric
                      << " numeric, mean " << (c.numeric > 0 ? c.sum / c.numeric : 0.0) << ", max "
                      << c.max << ", exact " << c.exact << "; \"<10.0\" " << c.below << " ("
                      << c.belowWrong << " not below)\n";
            // Both interpolations hold the gate; the monotone cubic (the default) is closer.
            if (gate) {
                EXPECT_LE(c.max, maxDiff + 1e-6) << table;
                EXPECT_EQ(c.belowWrong, 0) << table;
            }
        }
        gated += gate ? 1 : 0;
    }
    EXPECT_GT(gated, 0);
}

} // namespace
} // namespace qv::test
