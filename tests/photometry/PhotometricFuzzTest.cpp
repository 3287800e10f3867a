// Both readers on truncated and mangled files: they refuse or read, and what they read is
// consistent; never a crash, a hang or a large allocation.
#include "catalogue/photometry/CatalogueLuminaireType.h"
#include "catalogue/photometry/PhotometricReaders.h"
#include "photometry/PhotometricSamples.h"

#include <gtest/gtest.h>

#include <random>

namespace qv::test {
namespace {

void ReadAndCheck(const std::string& text, bool ies) {
    PhotometricData data;
    std::string error;
    const bool read = ies ? ReadIes(text, data, error) : ReadEulumdat(text, data, error);
    if (!read) {
        ASSERT_FALSE(error.empty());
        ASSERT_NE(error.find(": "), std::string::npos) << error; // "LINE: ..."
        return;
    }
    ASSERT_EQ(data.candela.size(), data.planes.size());
    ASSERT_LE(static_cast<long>(data.planes.size() * data.angles.size()), kMaxPhotometricValues);
    for (const auto& plane : data.candela) {
        ASSERT_EQ(plane.size(), data.angles.size());
    }
    CatalogueLuminaireType type;
    if (ToCatalogueType(data, "fuzz", type, error)) {
        ASSERT_EQ(type.curveA.Count(), 91);
        ASSERT_LE(type.flood.Count(), 181 * 181);
    }
}

std::vector<std::pair<std::string, bool>> Samples() {
    return {{kIes2002Bilateral, true},
            {kIes1995Rotational, true},
            {kIes1986, true},
            {kIes1991Quadrant, true},
            {kIes2019Absolute, true},
            {kIesTypeB, true},
            {Eulumdat(0, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 1, 1}}), false},
            {Eulumdat(3, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, true), false}};
}

TEST(PhotometricFuzzTest, EveryTruncation) {
    for (const auto& [text, ies] : Samples()) {
        for (size_t length = 0; length < text.size(); ++length) {
            ReadAndCheck(text.substr(0, length), ies);
        }
    }
}

TEST(PhotometricFuzzTest, MangledBytesAndHugeCounts) {
    std::mt19937 random(20240531);
    const std::string pieces[] = {"0",  "9",   "-1", ".",     ",",          " ",    "\n", "\r",
                                  "e9", "nan", "[",  "TILT=", "2000000000", "1441", "-",  "x"};
    for (const auto& [text, ies] : Samples()) {
        for (int round = 0; round < 400; ++round) {
            std::string mangled = text;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int c = 0; c < changes && !mangled.empty(); ++c) {
                const size_t at = random() % mangled.size();
                const std::string& piece = pieces[random() % std::size(pieces)];
                if (random() % 2 == 0) {
                    mangled.replace(at, 1, piece);
                } else {
                    mangled.insert(at, piece);
                }
            }
            ReadAndCheck(mangled, ies);
        }
    }
}

TEST(PhotometricFuzzTest, LargestAllowedFileReadsAndConverts) {
    // 1441 vertical × 277 horizontal values (within the cap) read and convert quickly.
    std::string text = "IESNA:LM-63-2002\nTILT=NONE\n1 1000 1 181 277 1 2 0 0 0\n1 1 10\n";
    for (int i = 0; i < 181; ++i) {
        text += std::to_string(i * 0.5) + " ";
    }
    text += "\n";
    for (int i = 0; i < 277; ++i) {
        text += std::to_string(i * 360.0 / 276) + " ";
    }
    text += "\n";
    for (int i = 0; i < 277 * 181; ++i) {
        text += "100 ";
    }
    ReadAndCheck(text, true);
}

} // namespace
} // namespace qv::test
