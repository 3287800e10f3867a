// EULUMDAT files: one value per line.
//    1 company / data bank        14 width of luminaire b, mm    26 number of lamp sets n
//    2 type indicator 0..3        15 height, mm                  then per set: number of
//    3 symmetry indicator 0..4    16 length of luminous area     lamps, lamp type, total
//    4 number of C planes Mc      17 width of luminous area      flux, colour, colour
//    5 distance of C planes       18-21 heights of luminous      rendering, wattage
//    6 intensities per plane Ng         area in C0/C90/C180/C270 then 10 direct ratios,
//    7 distance of intensities    22 downward flux fraction %    Mc C angles, Ng γ angles,
//    8 measurement report         23 light output ratio %        and the intensities in
//    9 luminaire name             24 conversion factor           cd per 1000 lm of the
//   10 luminaire number           25 tilt during measurement     planes the symmetry needs
//   11 file name                                                 (C0..C90 for indicator 4,
//   12 date / user                                               C0..C180 for 2, C90..C270
//   13 length (diameter) of luminaire, mm                        for 3, one plane for 1).
#include "catalogue/photometry/PhotometricReaders.h"
#include "catalogue/photometry/PhotometricText.h"

#include <kelvorin/KvStr.h>

#include <array>
#include <cmath>

namespace qv {
namespace {

constexpr double kMillimetre = 0.001;
constexpr int kMaxLampSets = 20;
constexpr int kDirectRatios = 10;

class LdtLines {
public:
    explicit LdtLines(const std::string& text) : m_text(text) {}

    bool Text(std::string& value, const std::string& what, std::string& error) {
        if (!m_text.NextLine(value)) {
            error = m_text.Problem(what + " expected, the file ends");
            return false;
        }
        value = KvStr::Trim(value);
        return true;
    }
    bool Number(double& value, const std::string& what, std::string& error) {
        std::string line;
        if (!Text(line, what, error)) {
            return false;
        }
        if (!ReadDecimal(line, value)) {
            error = m_text.Problem(what + " expected, found \"" + line.substr(0, 20) + "\"");
            return false;
        }
        return true;
    }
    bool Count(int& value, int low, int high, const std::string& what, std::string& error) {
        double number = 0.0;
        if (!Number(number, what, error)) {
            return false;
        }
        if (!IsCount(number, low, high)) {
            error = m_text.Problem(what + " must be a whole number from " + std::to_string(low) +
                                   " to " + std::to_string(high));
            return false;
        }
        value = static_cast<int>(number);
        return true;
    }
    std::string Problem(const std::string& message) const { return m_text.Problem(message); }
    // Whether anything but blank lines is left.
    bool HasMoreText() {
        std::string line;
        while (m_text.NextLine(line)) {
            if (!KvStr::Trim(line).empty()) {
                return true;
            }
        }
        return false;
    }

private:
    PhotometricText m_text;
};

struct PlaneRange {
    int first = 0; // index into the C angles
    int count = 0;
    PlaneCoverage coverage = PlaneCoverage::kFull;
    double firstAngle = 0.0; // the angles the range must start and end at
    double lastAngle = 0.0;
};

bool RangeOf(int symmetry, int planes, PlaneRange& range) {
    switch (symmetry) {
    case 0:
        range = {0, planes, PlaneCoverage::kFull, 0.0, -1.0};
        return true;
    case 1:
        range = {0, 1, PlaneCoverage::kRotational, 0.0, -1.0};
        return true;
    case 2:
        range = {0, planes / 2 + 1, PlaneCoverage::kHalf0To180, 0.0, 180.0};
        return planes % 2 == 0;
    case 3:
        range = {planes / 4, planes / 2 + 1, PlaneCoverage::kHalf90To270, 90.0, 270.0};
        return planes % 4 == 0;
    default:
        range = {0, planes / 4 + 1, PlaneCoverage::kQuadrant, 0.0, 90.0};
        return planes % 4 == 0;
    }
}

bool ReadAngleLines(LdtLines& lines, int count, double low, double high, const std::string& what,
                    std::vector<double>& angles, std::string& error) {
    angles.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        double& angle = angles[static_cast<size_t>(i)];
        if (!lines.Number(angle, "a " + what, error)) {
            return false;
        }
        if (angle < low - 1e-6 || angle > high + 1e-6 ||
            (i > 0 && angle <= angles[static_cast<size_t>(i - 1)])) {
            error = lines.Problem(what + "s must rise within " + KvStr::FormatDouble(low) + " to " +
                                  KvStr::FormatDouble(high));
            return false;
        }
    }
    return true;
}

bool Skip(LdtLines& lines, int count, const std::string& what, std::string& error) {
    std::string ignored;
    for (int i = 0; i < count; ++i) {
        if (!lines.Text(ignored, what, error)) {
            return false;
        }
    }
    return true;
}

// The luminous area from the sizes in mm (negative ones taken as their size, as the body's
// are): length along C90-C270, width along C0-C180, width 0 for a round one.
LuminousArea LuminousAreaOf(double length, double width, const std::array<double, 4>& sides) {
    LuminousArea area;
    length = std::fabs(length) * kMillimetre;
    width = std::fabs(width) * kMillimetre;
    if (length <= 0.0) {
        return area;
    }
    area.shape = width > 0.0 ? LuminousShape::kBox : LuminousShape::kCylinder;
    area.alongC90 = length;
    area.alongC0 = width > 0.0 ? width : length;
    for (size_t i = 0; i < sides.size(); ++i) {
        area.sides[i] = std::fabs(sides[i]) * kMillimetre;
    }
    return area;
}

} // namespace

bool ReadEulumdat(const std::string& source, PhotometricData& out, std::string& error) {
    LdtLines lines(source);
    PhotometricData data;
    data.format = "EULUMDAT";
    data.system = PhotometricSystem::kTypeC;
    int type = 0;
    int symmetry = 0;
    int planeCount = 0;
    int angleCount = 0;
    double ignored = 0.0;
    std::string company;
    if (!lines.Text(company, "the company line", error) ||
        !lines.Count(type, 0, 3, "the type indicator (0 to 3)", error) ||
        !lines.Count(symmetry, 0, 4, "the symmetry indicator (0 to 4)", error) ||
        !lines.Count(planeCount, 1, kMaxPhotometricAngles, "the number of C planes", error)) {
        return false;
    }
    PlaneRange range;
    if (!RangeOf(symmetry, planeCount, range)) {
        error = lines.Problem("symmetry indicator " + std::to_string(symmetry) +
                              " needs a number "
                              "of C planes divisible by " +
                              (symmetry == 2 ? "2" : "4"));
        return false;
    }
    if (!lines.Number(ignored, "the distance between C planes", error) ||
        !lines.Count(angleCount, 1, kMaxPhotometricAngles, "the number of intensities per plane",
                     error) ||
        !lines.Number(ignored, "the distance between intensities", error) ||
        !Skip(lines, 1, "the measurement report number", error) ||
        !lines.Text(data.name, "the luminaire name", error) ||
        !lines.Text(data.model, "the luminaire number", error) ||
        !Skip(lines, 2, "the file name and date", error)) {
        return false;
    }
    if (static_cast<long>(range.count) * angleCount > kMaxPhotometricValues) {
        error = lines.Problem("more than " + std::to_string(kMaxPhotometricValues) +
                              " intensity values");
        return false;
    }
    double length = 0.0;
    double width = 0.0;
    double factor = 0.0;
    int sets = 0;
    // A size of the luminaire, in mm, within kMaxLuminaireSize.
    const auto size = [&](double& value, const std::string& what) {
        if (!lines.Number(value, what, error)) {
            return false;
        }
        if (!(std::fabs(value) * kMillimetre <= kMaxLuminaireSize)) {
            error = lines.Problem(what + " must be within 100 m");
            return false;
        }
        return true;
    };
    double luminousLength = 0.0;
    double luminousWidth = 0.0;
    std::array<double, 4> sides{};
    double lor = 0.0;
    if (!size(length, "the luminaire length") || !size(width, "the luminaire width") ||
        !size(data.height, "the luminaire height") ||
        !size(luminousLength, "the luminous length") ||
        !size(luminousWidth, "the luminous width") ||
        !size(sides[0], "the luminous height in the C0 plane") ||
        !size(sides[1], "the luminous height in the C90 plane") ||
        !size(sides[2], "the luminous height in the C180 plane") ||
        !size(sides[3], "the luminous height in the C270 plane") ||
        !lines.Number(ignored, "the downward flux fraction", error) ||
        !lines.Number(lor, "the light output ratio", error) ||
        !lines.Number(factor, "the conversion factor", error)) {
        return false;
    }
    if (factor <= 0.0) {
        error = lines.Problem("the conversion factor must be positive");
        return false;
    }
    if (!lines.Number(ignored, "the tilt during measurement", error) ||
        !lines.Count(sets, 1, kMaxLampSets, "the number of lamp sets", error)) {
        return false;
    }
    data.round = width <= 0.0;
    data.length = std::fabs(length) * kMillimetre;
    data.width = std::fabs(width) * kMillimetre;
    data.height = std::fabs(data.height) * kMillimetre;
    data.luminous = LuminousAreaOf(luminousLength, luminousWidth, sides);
    data.declaredLor = lor > 0.0 && lor <= 150.0 ? lor / 100.0 : 0.0;
    for (int set = 0; set < sets; ++set) {
        double lamps = 0.0;
        double flux = 0.0;
        double watts = 0.0;
        std::string lampType;
        if (!lines.Number(lamps, "the number of lamps", error) ||
            !lines.Text(lampType, "the lamp type", error) ||
            !lines.Number(flux, "the total lamp flux", error) ||
            !Skip(lines, 2, "the colour and colour rendering", error) ||
            !lines.Number(watts, "the wattage", error)) {
            return false;
        }
        // A negative lamp count marks absolute photometry in some files: the set's flux is
        // then the luminaire's own, taken as one lamp of that flux.
        if (set == 0) {
            if (!IsCount(std::fabs(lamps), 1, 1000) || flux <= 0.0) {
                error = lines.Problem("the first lamp set needs 1 to 1000 lamps and a positive "
                                      "flux");
                return false;
            }
            if (flux > kMaxLuminaireLumens) {
                error = lines.Problem("the total lamp flux must not exceed 2e9");
                return false;
            }
            if (watts < 0.0 || watts > 1e7) {
                error = lines.Problem("the wattage must be from 0 to 1e7");
                return false;
            }
            data.lamps.count = lamps < 0.0 ? 1 : static_cast<int>(lamps);
            data.lamps.lumensPerLamp = flux / data.lamps.count;
            data.lamps.watts = watts;
            data.lamps.type = lampType;
        }
    }
    std::vector<double> cAngles;
    if (!Skip(lines, kDirectRatios, "a direct ratio", error) ||
        !ReadAngleLines(lines, planeCount, 0.0, 360.0, "C angle", cAngles, error) ||
        !ReadAngleLines(lines, angleCount, 0.0, 180.0, "γ angle", data.angles, error)) {
        return false;
    }
    data.planes.assign(cAngles.begin() + range.first, cAngles.begin() + range.first + range.count);
    const double firstAngle = data.planes.front();
    if (std::fabs(firstAngle - range.firstAngle) > 1e-6 ||
        (range.lastAngle >= 0.0 && std::fabs(data.planes.back() - range.lastAngle) > 1e-6)) {
        error =
            lines.Problem("the C angles do not fit symmetry indicator " + std::to_string(symmetry));
        return false;
    }
    data.coverage = range.coverage;
    const double scale = factor * data.lamps.count * data.lamps.lumensPerLamp / 1000.0;
    if (!ReadIntensityGrid(
            data.candela, data.planes.size(), data.angles.size(), scale,
            [&](double& value) { return lines.Number(value, "an intensity", error); },
            [&](const std::string& message) { return lines.Problem(message); }, error)) {
        return false;
    }
    if (lines.HasMoreText()) {
        error = lines.Problem("more lines than the counts announce");
        return false;
    }
    data.name = CleanPhotometricText(data.name);
    data.model = CleanPhotometricText(data.model);
    data.lamps.type = CleanPhotometricText(data.lamps.type);
    out = std::move(data);
    return true;
}

bool ReadPhotometricFile(const std::string& fileName, const std::string& text, PhotometricData& out,
                         std::string& error) {
    const size_t dot = fileName.rfind('.');
    const std::string extension =
        dot == std::string::npos ? std::string() : KvStr::MakeUpper(fileName.substr(dot));
    if (extension == ".IES") {
        return ReadIes(text, out, error);
    }
    if (extension == ".LDT") {
        return ReadEulumdat(text, out, error);
    }
    error = "the file name must end in .ies or .ldt";
    return false;
}

} // namespace qv
