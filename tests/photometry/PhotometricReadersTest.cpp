// The IES LM-63 and EULUMDAT readers: every header and symmetry kind, and the messages of
// malformed files.
#include "catalogue/photometry/PhotometricReaders.h"
#include "catalogue/PhotometryDerivation.h"
#include "catalogue/photometry/PhotometricText.h"
#include "photometry/PhotometricSamples.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

PhotometricData Read(const std::string& text, bool ies = true) {
    PhotometricData data;
    std::string error;
    EXPECT_TRUE(ies ? ReadIes(text, data, error) : ReadEulumdat(text, data, error)) << error;
    return data;
}

std::string Refusal(const std::string& text, bool ies = true) {
    PhotometricData data;
    std::string error;
    EXPECT_FALSE(ies ? ReadIes(text, data, error) : ReadEulumdat(text, data, error));
    return error;
}

TEST(IesReaderTest, HeadersOfEveryEdition) {
    const PhotometricData bilateral = Read(kIes2002Bilateral);
    EXPECT_EQ(bilateral.format, "IES LM-63-2002");
    EXPECT_EQ(bilateral.name, "Linear test luminaire with louvre");
    EXPECT_EQ(bilateral.model, "SYN-2x28");
    EXPECT_EQ(bilateral.lamps.type, "T5 28W");
    EXPECT_EQ(bilateral.lamps.count, 2);
    EXPECT_DOUBLE_EQ(bilateral.lamps.lumensPerLamp, 2600);
    EXPECT_DOUBLE_EQ(bilateral.lamps.watts, 62);
    EXPECT_DOUBLE_EQ(bilateral.length, 1.2);
    EXPECT_DOUBLE_EQ(bilateral.width, 0.3);
    EXPECT_EQ(bilateral.coverage, PlaneCoverage::kHalf0To180);

    EXPECT_EQ(Read(std::string("\xEF\xBB\xBF") + kIes2002Bilateral).format, "IES LM-63-2002");
    EXPECT_EQ(Read(kIes1986).format, "IES LM-63-1986");
    EXPECT_EQ(Read(kIes1986).name, "Test luminaire of 1986");
    EXPECT_EQ(Read(kIes1991Quadrant).format, "IES LM-63-1991");
    EXPECT_EQ(Read(kIes1991Quadrant).coverage, PlaneCoverage::kQuadrant);
    EXPECT_EQ(Read(kIes2019Absolute).format, "IES LM-63-2019");
    EXPECT_EQ(Read(kIes2019Absolute).coverage, PlaneCoverage::kFull);

    const PhotometricData round = Read(kIes1995Rotational);
    EXPECT_EQ(round.format, "IES LM-63-1995");
    EXPECT_EQ(round.coverage, PlaneCoverage::kRotational);
    EXPECT_TRUE(round.round);
    EXPECT_NEAR(round.length, 0.1524, 1e-12); // feet
    EXPECT_DOUBLE_EQ(round.width, 0.0);
    EXPECT_DOUBLE_EQ(round.candela[0][1], 160.0); // multiplier 2
}

TEST(IesReaderTest, SymmetryUnfolds) {
    const PhotometricData bilateral = Read(kIes2002Bilateral);
    EXPECT_DOUBLE_EQ(CandelaAt(bilateral, 270, 30), 250); // mirror of C90
    EXPECT_DOUBLE_EQ(CandelaAt(bilateral, 45, 30), 300);  // between C0 and C90
    EXPECT_DOUBLE_EQ(CandelaAt(bilateral, 315, 30), 300); // mirror of C45
    EXPECT_DOUBLE_EQ(CandelaAt(bilateral, 180, 45), 255); // between γ 30 and 60
    EXPECT_DOUBLE_EQ(CandelaAt(bilateral, 0, 180), 0);
    const PhotometricData quadrant = Read(kIes1991Quadrant);
    for (const double c : {45.0, 135.0, 225.0, 315.0, -45.0}) {
        EXPECT_DOUBLE_EQ(CandelaAt(quadrant, c, 45), 400) << c;
    }
    EXPECT_DOUBLE_EQ(CandelaAt(quadrant, 180, 45), 300);
    EXPECT_DOUBLE_EQ(CandelaAt(quadrant, 100, 45), CandelaAt(quadrant, 80, 45));
    EXPECT_DOUBLE_EQ(CandelaAt(Read(kIes1995Rotational), 123, 90), 0);
    EXPECT_DOUBLE_EQ(CandelaAt(Read(kIes1995Rotational), 200, 180), 0); // beyond the last γ

    const PhotometricData flood = Read(kIesTypeB);
    EXPECT_EQ(flood.system, PhotometricSystem::kTypeB);
    EXPECT_EQ(flood.coverage, PlaneCoverage::kLateralMirrored);
    EXPECT_FALSE(flood.verticalMirrored);
    EXPECT_DOUBLE_EQ(CandelaAt(flood, -30, 0), 8000);
    EXPECT_DOUBLE_EQ(CandelaAt(flood, 15, 10), (12500 + 5000) / 2.0);
    EXPECT_DOUBLE_EQ(CandelaAt(flood, 0, -30), 0); // outside the measured vertical angles
}

TEST(IesReaderTest, AbsolutePhotometryFluxIsIntegrated) {
    // 318.31 cd ≈ 1000/π cd: a cosine distribution sampled at 0, 45 and 90 degrees.
    const PhotometricData data = Read(kIes2019Absolute);
    EXPECT_DOUBLE_EQ(data.lamps.lumensPerLamp, 0.0);
    // The same curve integrated exactly as linear between its rows.
    const double exact = RotationalFlux({{0, 318.31}, {45, 225.08}, {90, 0}}, 0, 180);
    EXPECT_NEAR(ReferenceFlux(data), exact, exact * 1e-4);
    EXPECT_NEAR(ReferenceFlux(Read(kIes2002Bilateral)), 5200.0, 1e-9);
}

TEST(IesReaderTest, Latin1FilesGiveUtf8Names) {
    // Keyword lines in ISO-8859-1: a no-break space (0xA0) and a degree sign (0xB0).
    std::string latin1 = kIes2002Bilateral;
    latin1.replace(latin1.find("SYN-2x28"), 8, "\xA0SYN-2x28");
    latin1.replace(latin1.find("with louvre"), 11, "tilted 30\xB0");
    const PhotometricData data = Read(latin1);
    EXPECT_EQ(data.model, "\u00A0SYN-2x28");
    EXPECT_EQ(data.name, "Linear test luminaire tilted 30°");
    EXPECT_EQ(data.candela, Read(kIes2002Bilateral).candela);
    // A file in UTF-8 stays as it is, and so does plain ASCII.
    std::string utf8 = kIes2002Bilateral;
    utf8.replace(utf8.find("with louvre"), 11, "格栅 30°");
    EXPECT_EQ(Read(utf8).name, "Linear test luminaire 格栅 30°");
    EXPECT_EQ(AsUtf8("30\xC2\xB0"), "30°");
    EXPECT_EQ(AsUtf8("a\xE4\xB8"), "a\xC3\xA4\xC2\xB8"); // a cut UTF-8 sequence is Latin-1
    EXPECT_EQ(AsUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80"); // no surrogates
    EXPECT_EQ(AsUtf8(""), "");
}

TEST(IesReaderTest, MalformedFilesNameTheLine) {
    const std::string good = kIes2002Bilateral;
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_EQ(Refusal(""), "1: the file is empty");
    EXPECT_EQ(Refusal("IESNA:LM-63-2002\n[TEST] x\n"),
              "2: no TILT= line: this is not an IES LM-63 file");
    EXPECT_EQ(Refusal(with("TILT=NONE", "TILT=lamp.tlt")),
              "8: TILT=lamp.tlt: tilt data in another file cannot be read; only TILT=NONE and "
              "TILT=INCLUDE are");
    EXPECT_EQ(Refusal(with("2 2600", "2 x600")), "9: the lumens per lamp expected, found \"x600\"");
    EXPECT_EQ(Refusal(with("2 2600", "0 2600")),
              "9: the number of lamps must be a whole number from 1 to 1000, found 0");
    EXPECT_EQ(Refusal(with("5 3 1 2", "5 3 3 2")),
              "9: photometric type A cannot be read; only types C and B");
    EXPECT_EQ(Refusal(with("\n0 90 180\n", "\n0 90 120\n")),
              "12: horizontal angles 0 to 120 are none of 0; 0 to 90; 0 to 180; 90 to 270; 0 to "
              "360");
    EXPECT_EQ(Refusal(with("0 30 60", "0 60 30")),
              "11: vertical angles must rise, each within -360 to 360");
    EXPECT_EQ(Refusal(with("400 330 180 0 0\n", "400 330 180 0\n")),
              "15: a candela value expected, the file ends");
    EXPECT_EQ(Refusal(good + "7\n"), "16: more values than the counts announce");
    EXPECT_EQ(Refusal(with("400 330", "400 -330")), "15: an intensity is negative");
    // The input watts become the lamp's power: none negative or absurd.
    EXPECT_EQ(Refusal(with("1.0 1.0 62", "1.0 1.0 -62")),
              "10: the input watts must be from 0 to 1e7");
    EXPECT_EQ(Refusal(with("1.0 1.0 62", "1.0 1.0 1e300")),
              "10: the input watts must be from 0 to 1e7");
    // Counts are bounded before anything is allocated for them.
    EXPECT_EQ(Refusal(with("5 3 1 2", "2000000000 3 1 2")),
              "9: the number of vertical angles must be a whole number from 1 to 1441, found "
              "2000000000");
    EXPECT_EQ(Refusal(with("5 3 1 2", "1441 1441 1 2")), "9: more than 400000 candela values");
}

// Sizes and fluxes that no luminaire has are refused at their line (a width of -1e308 m
// would reach projects as an infinite length, a flux beyond 2e9 would be cut); names lose
// their control characters and are kept to 256 bytes, cut between characters.
TEST(IesReaderTest, AbsurdSizesFluxesAndNamesAreRefusedOrCleaned) {
    const std::string good = kIes2002Bilateral;
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_EQ(Refusal(with("0.3 1.2 0.08", "-1e308 1.2 0.08")),
              "9: the luminous width, length and height must be within 100 m");
    EXPECT_EQ(Refusal(with("0.3 1.2 0.08", "0.3 1.2 101")),
              "9: the luminous width, length and height must be within 100 m");
    EXPECT_EQ(Refusal(with("2 2600", "2 1.5e9")),
              "9: the lamps' lumens together must not exceed 2e9");
    EXPECT_EQ(Read(with("0.3 1.2 0.08", "-100 -100 0.08")).length, 100.0); // round, 100 m

    const PhotometricData escaped = Read(with("Linear test", "Linear\x1b[31m\x01\ttest"));
    EXPECT_EQ(escaped.name, "Linear[31m test luminaire with louvre");
    std::string wide;
    for (int i = 0; i < 5000; ++i) {
        wide += "灯";
    }
    const PhotometricData cut = Read(with("Linear test luminaire", wide));
    EXPECT_EQ(cut.name, wide.substr(0, 255)); // 85 whole characters of 3 bytes
    const PhotometricData huge = Read(with("SYN-2x28", std::string(14 << 20, 'x')));
    EXPECT_EQ(huge.model, std::string(256, 'x'));
}

TEST(EulumdatReaderTest, AbsurdSizesAndFluxesAreRefusedAtTheirLine) {
    const std::string good = Eulumdat(1, {{300, 200, 10}});
    const auto with = [&](int line, const std::string& replacement) {
        std::string text = good;
        size_t start = 0;
        for (int i = 1; i < line; ++i) {
            start = text.find('\n', start) + 1;
        }
        text.replace(start, text.find('\n', start) - start, replacement);
        return text;
    };
    EXPECT_EQ(Refusal(with(13, "-1e308"), false), "13: the luminaire length must be within 100 m");
    EXPECT_EQ(Refusal(with(14, "100001"), false), "14: the luminaire width must be within 100 m");
    EXPECT_EQ(Refusal(with(29, "3e9"), false), "32: the total lamp flux must not exceed 2e9");
    EXPECT_EQ(Read(with(9, "a\x07"
                           "b"),
                   false)
                  .name,
              "ab"); // a bell in a name is dropped
}

TEST(EulumdatReaderTest, EverySymmetryIndicator) {
    // Per plane: the values at γ 0, 45, 90 (cd per 1000 lm).
    const std::vector<double> c0 = {300, 200, 10};
    const std::vector<double> c90 = {300, 150, 5};
    const std::vector<double> c180 = {300, 100, 0};
    const std::vector<double> c270 = {300, 50, 0};
    const double toCandela = 3000.0 / 1000.0; // two lamps of 1500 lm, factor 1

    const PhotometricData full = Read(Eulumdat(0, {c0, c90, c180, c270}), false);
    EXPECT_EQ(full.coverage, PlaneCoverage::kFull);
    EXPECT_DOUBLE_EQ(CandelaAt(full, 270, 45), 50 * toCandela);
    EXPECT_DOUBLE_EQ(CandelaAt(full, 315, 45), 125 * toCandela); // wraps to C0
    const PhotometricData rotational = Read(Eulumdat(1, {c0}, true), false);
    EXPECT_EQ(rotational.coverage, PlaneCoverage::kRotational);
    EXPECT_DOUBLE_EQ(CandelaAt(rotational, 210, 45), 200 * toCandela);
    const PhotometricData half = Read(Eulumdat(2, {c0, c90, c180}), false);
    EXPECT_DOUBLE_EQ(CandelaAt(half, 270, 45), 150 * toCandela);
    const PhotometricData other = Read(Eulumdat(3, {c90, c180, c270}), false);
    EXPECT_EQ(other.coverage, PlaneCoverage::kHalf90To270);
    EXPECT_DOUBLE_EQ(CandelaAt(other, 0, 45), 100 * toCandela); // mirror of C180
    EXPECT_DOUBLE_EQ(CandelaAt(other, 45, 45), 125 * toCandela);
    const PhotometricData quadrant = Read(Eulumdat(4, {c0, c90}), false);
    EXPECT_DOUBLE_EQ(CandelaAt(quadrant, 180, 45), 200 * toCandela);
    EXPECT_DOUBLE_EQ(CandelaAt(quadrant, 270, 45), 150 * toCandela);

    EXPECT_EQ(rotational.name, "LDT test luminaire");
    EXPECT_EQ(rotational.model, "LDT-1");
    EXPECT_EQ(rotational.lamps.count, 2);
    EXPECT_DOUBLE_EQ(rotational.lamps.lumensPerLamp, 1500);
    EXPECT_DOUBLE_EQ(rotational.lamps.watts, 72);
    EXPECT_EQ(rotational.lamps.type, "T8 36W");
    EXPECT_DOUBLE_EQ(rotational.length, 1.2005); // decimal comma
    EXPECT_DOUBLE_EQ(rotational.width, 0.15);
}

TEST(EulumdatReaderTest, MalformedFilesNameTheLine) {
    const std::string good = Eulumdat(1, {{300, 200, 10}});
    const auto with = [&](int line, const std::string& replacement) {
        std::string text = good;
        size_t start = 0;
        for (int i = 1; i < line; ++i) {
            start = text.find('\n', start) + 1;
        }
        text.replace(start, text.find('\n', start) - start, replacement);
        return text;
    };
    EXPECT_EQ(Refusal(with(3, "5"), false),
              "3: the symmetry indicator (0 to 4) must be a whole number from 0 to 4");
    EXPECT_EQ(Refusal(Eulumdat(4, {{1, 1, 1}, {1, 1, 1}}).replace(15, 1, "6"), false),
              "4: symmetry indicator 4 needs a number of C planes divisible by 4");
    EXPECT_EQ(Refusal(with(13, "12,5.0"), false),
              "13: the luminaire length expected, found \"12,5.0\"");
    EXPECT_EQ(Refusal(with(24, "0"), false), "24: the conversion factor must be positive");
    EXPECT_EQ(Refusal(with(32, "-72"), false), "32: the wattage must be from 0 to 1e7");
    EXPECT_EQ(Refusal(good.substr(0, good.rfind('\n', good.size() - 2) + 1), false),
              "51: an intensity expected, the file ends");
    EXPECT_EQ(Refusal(good + "\n\n7\n", false), "55: more lines than the counts announce");
    EXPECT_EQ(Refusal(with(45, "90"), false), "45: C angles must rise within 0 to 360");
    PhotometricData data;
    std::string error;
    EXPECT_TRUE(ReadEulumdat(good + "\n \n", data, error)) << error;
    EXPECT_FALSE(ReadPhotometricFile("lamp.txt", good, data, error));
    EXPECT_TRUE(ReadPhotometricFile("LAMP.LDT", good, data, error));
}

} // namespace
} // namespace qv::test
