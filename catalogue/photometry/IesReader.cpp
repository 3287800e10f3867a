// IES LM-63 files: a version line (none in 1986 files), label or keyword lines up to the
// TILT= line, the tilt table when TILT=INCLUDE, then a stream of numbers:
//   lamps, lumens per lamp, candela multiplier, vertical angle count, horizontal angle
//   count, photometric type (1 C, 2 B, 3 A), units (1 feet, 2 metres), width, length,
//   height; ballast factor, a factor kept for future use (the file generation type in
//   2019), input watts; the vertical angles, the horizontal angles, and the candela values
//   horizontal angle by horizontal angle.
#include "catalogue/photometry/PhotometricReaders.h"
#include "catalogue/photometry/PhotometricText.h"

#include <kelvorin/KvStr.h>

#include <cmath>
#include <map>

namespace qv {
namespace {

constexpr double kFootInMetres = 0.3048;

std::string VersionOf(const std::string& firstLine) {
    const std::string line = KvStr::MakeUpper(KvStr::Trim(firstLine));
    if (line.rfind("IESNA91", 0) == 0) {
        return "IES LM-63-1991";
    }
    for (const char* year : {"1995", "2002", "2019"}) {
        if ((line.rfind("IESNA:LM-63-", 0) == 0 || line.rfind("IES:LM-63-", 0) == 0) &&
            line.find(year) != std::string::npos) {
            return std::string("IES LM-63-") + year;
        }
    }
    return std::string();
}

// The header lines up to TILT=: keywords "[NAME] text" (with [MORE] continuing the last
// one) or, in 1986 files, free labels. Returns the text after "TILT=".
bool ReadHeader(PhotometricText& text, std::map<std::string, std::string>& keywords,
                std::string& firstLabel, std::string& tilt, std::string& error) {
    std::string line;
    std::string last;
    while (text.NextLine(line)) {
        const std::string trimmed = KvStr::Trim(line);
        if (KvStr::MakeUpper(trimmed.substr(0, 5)) == "TILT=") {
            tilt = KvStr::Trim(trimmed.substr(5));
            return true;
        }
        if (trimmed.size() > 1 && trimmed[0] == '[') {
            const size_t close = trimmed.find(']');
            if (close != std::string::npos) {
                const std::string key = KvStr::MakeUpper(trimmed.substr(1, close - 1));
                const std::string value = KvStr::Trim(trimmed.substr(close + 1));
                if (key == "MORE" && !last.empty()) {
                    keywords[last] += " " + value;
                } else if (keywords.find(key) == keywords.end()) {
                    keywords[key] = value;
                    last = key;
                }
                continue;
            }
        }
        if (firstLabel.empty()) {
            firstLabel = trimmed;
        }
    }
    error = text.Problem("no TILT= line: this is not an IES LM-63 file");
    return false;
}

bool ReadTilt(PhotometricText& text, const std::string& tilt, std::string& error) {
    const std::string kind = KvStr::MakeUpper(tilt);
    if (kind == "NONE") {
        return true;
    }
    if (kind != "INCLUDE") {
        error = text.Problem("TILT=" + tilt +
                             ": tilt data in another file cannot be read; only TILT=NONE and "
                             "TILT=INCLUDE are");
        return false;
    }
    int geometry = 0;
    int count = 0;
    if (!text.NextCount(geometry, 1, 3, "the lamp-to-luminaire geometry (1 to 3)", error) ||
        !text.NextCount(count, 1, kMaxPhotometricAngles, "the number of tilt angles", error)) {
        return false;
    }
    double previous = -1.0;
    for (int i = 0; i < count; ++i) {
        double angle = 0.0;
        if (!text.NextNumber(angle, "a tilt angle", error)) {
            return false;
        }
        if (angle < 0.0 || angle > 180.0 || (i > 0 && angle <= previous)) {
            error = text.Problem("tilt angles must rise from 0 to 180");
            return false;
        }
        previous = angle;
    }
    for (int i = 0; i < count; ++i) {
        double factor = 0.0;
        if (!text.NextNumber(factor, "a tilt multiplying factor", error)) {
            return false;
        }
        if (factor < 0.0) {
            error = text.Problem("a tilt multiplying factor is negative");
            return false;
        }
    }
    return true;
}

bool ReadAngles(PhotometricText& text, int count, const std::string& what,
                std::vector<double>& angles, std::string& error) {
    angles.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        double& angle = angles[static_cast<size_t>(i)];
        if (!text.NextNumber(angle, "a " + what, error)) {
            return false;
        }
        if (std::fabs(angle) > 360.0 || (i > 0 && angle <= angles[static_cast<size_t>(i - 1)])) {
            error = text.Problem(what + "s must rise, each within -360 to 360");
            return false;
        }
    }
    return true;
}

bool Near(double a, double b) {
    return std::fabs(a - b) < 1e-6;
}

// The symmetry that the first and last horizontal angle announce.
bool SetCoverage(PhotometricData& data, PhotometricText& text, std::string& error) {
    const double first = data.planes.front();
    const double last = data.planes.back();
    const std::string range = KvStr::FormatDouble(first) + " to " + KvStr::FormatDouble(last);
    if (data.system == PhotometricSystem::kTypeB) {
        if (first < -90.0 - 1e-6 || last > 90.0 + 1e-6 || first > 0.0 || last < 0.0) {
            error = text.Problem("type B horizontal angles " + range +
                                 " must lie in -90 to 90 "
                                 "and include 0");
            return false;
        }
        data.coverage =
            Near(first, 0.0) ? PlaneCoverage::kLateralMirrored : PlaneCoverage::kAsMeasured;
        const double low = data.angles.front();
        if (low < -90.0 - 1e-6 || data.angles.back() > 90.0 + 1e-6 || low > 0.0) {
            error = text.Problem("type B vertical angles must lie in -90 to 90 and start at or "
                                 "below 0");
            return false;
        }
        data.verticalMirrored = Near(low, 0.0);
        return true;
    }
    if (data.angles.front() < -1e-6 || data.angles.back() > 180.0 + 1e-6) {
        error = text.Problem("type C vertical angles must lie in 0 to 180");
        return false;
    }
    if (data.planes.size() == 1 && Near(first, 0.0)) {
        data.coverage = PlaneCoverage::kRotational;
    } else if (Near(first, 0.0) && Near(last, 90.0)) {
        data.coverage = PlaneCoverage::kQuadrant;
    } else if (Near(first, 0.0) && Near(last, 180.0)) {
        data.coverage = PlaneCoverage::kHalf0To180;
    } else if (Near(first, 90.0) && Near(last, 270.0)) {
        data.coverage = PlaneCoverage::kHalf90To270;
    } else if (Near(first, 0.0) && last > 180.0 && last <= 360.0 + 1e-6) {
        data.coverage = PlaneCoverage::kFull;
    } else {
        error = text.Problem("horizontal angles " + range +
                             " are none of 0; 0 to 90; 0 to 180; 90 to 270; 0 to 360");
        return false;
    }
    return true;
}

std::string Keyword(const std::map<std::string, std::string>& keywords, const char* key) {
    const auto found = keywords.find(key);
    return found == keywords.end() ? std::string() : found->second;
}

// The luminous area from the signed sizes in metres: width along 90°-270°, length along
// 0°-180°. Positive sizes are a box (height 0: a flat rectangle); negative width = length
// a vertical cylinder or disc, and with a negative height as well a sphere. Other
// shapes (ellipses, horizontal cylinders) and a zero size give no luminous area.
LuminousArea LuminousAreaOf(double width, double length, double height) {
    LuminousArea area;
    if (width > 0.0 && length > 0.0 && height >= 0.0) {
        area.shape = LuminousShape::kBox;
        area.alongC0 = length;
        area.alongC90 = width;
        area.sides.fill(height);
    } else if (width < 0.0 && Near(width, length)) {
        if (height >= 0.0) {
            area.shape = LuminousShape::kCylinder;
            area.sides.fill(height);
        } else if (Near(height, width)) {
            area.shape = LuminousShape::kSphere;
        } else {
            return area;
        }
        area.alongC0 = -width;
        area.alongC90 = -width;
    }
    return area;
}

} // namespace

bool ReadIes(const std::string& source, PhotometricData& out, std::string& error) {
    PhotometricText text(source);
    PhotometricData data;
    std::string first;
    if (!text.NextLine(first)) {
        error = "1: the file is empty";
        return false;
    }
    data.format = VersionOf(first);
    std::map<std::string, std::string> keywords;
    std::string label;
    if (data.format.empty()) {
        data.format = "IES LM-63-1986";
        const std::string trimmed = KvStr::Trim(first);
        if (KvStr::MakeUpper(trimmed.substr(0, 5)) == "TILT=") {
            error = "1: the file has no labels before TILT=";
            return false;
        }
        label = trimmed;
    }
    std::string tilt;
    if (!ReadHeader(text, keywords, label, tilt, error) || !ReadTilt(text, tilt, error)) {
        return false;
    }

    int lampCount = 0;
    double lumens = 0.0;
    double multiplier = 0.0;
    int verticalCount = 0;
    int horizontalCount = 0;
    int type = 0;
    int units = 0;
    double width = 0.0;
    double length = 0.0;
    double height = 0.0;
    double ballast = 0.0;
    double future = 0.0;
    if (!text.NextCount(lampCount, 1, 1000, "the number of lamps", error) ||
        !text.NextNumber(lumens, "the lumens per lamp", error)) {
        return false;
    }
    if (lumens <= 0.0 && !Near(lumens, -1.0)) {
        error = text.Problem("the lumens per lamp must be positive, or -1 for absolute "
                             "photometry");
        return false;
    }
    if (lumens * lampCount > kMaxLuminaireLumens) {
        error = text.Problem("the lamps' lumens together must not exceed 2e9");
        return false;
    }
    if (!text.NextNumber(multiplier, "the candela multiplier", error)) {
        return false;
    }
    if (multiplier <= 0.0) {
        error = text.Problem("the candela multiplier must be positive");
        return false;
    }
    if (!text.NextCount(verticalCount, 1, kMaxPhotometricAngles, "the number of vertical angles",
                        error) ||
        !text.NextCount(horizontalCount, 1, kMaxPhotometricAngles,
                        "the number of horizontal angles", error)) {
        return false;
    }
    if (static_cast<long>(verticalCount) * horizontalCount > kMaxPhotometricValues) {
        error =
            text.Problem("more than " + std::to_string(kMaxPhotometricValues) + " candela values");
        return false;
    }
    if (!text.NextCount(type, 1, 3, "the photometric type (1 C, 2 B, 3 A)", error)) {
        return false;
    }
    if (type == 3) {
        error = text.Problem("photometric type A cannot be read; only types C and B");
        return false;
    }
    data.system = type == 1 ? PhotometricSystem::kTypeC : PhotometricSystem::kTypeB;
    if (!text.NextCount(units, 1, 2, "the units type (1 feet, 2 metres)", error) ||
        !text.NextNumber(width, "the luminous width", error) ||
        !text.NextNumber(length, "the luminous length", error) ||
        !text.NextNumber(height, "the luminous height", error)) {
        return false;
    }
    const double unit = units == 1 ? kFootInMetres : 1.0;
    for (const double size : {width, length, height}) {
        if (!(std::fabs(size) * unit <= kMaxLuminaireSize)) {
            error = text.Problem("the luminous width, length and height must be within 100 m");
            return false;
        }
    }
    if (!text.NextNumber(ballast, "the ballast factor", error) ||
        !text.NextNumber(future, "the ballast-lamp factor or file generation type", error) ||
        !text.NextNumber(data.lamps.watts, "the input watts", error)) {
        return false;
    }
    if (data.lamps.watts < 0.0 || data.lamps.watts > 1e7) {
        error = text.Problem("the input watts must be from 0 to 1e7");
        return false;
    }
    // Negative width and length mark a round opening (LM-63-2002).
    data.round = width < 0.0 && length < 0.0 && Near(width, length);
    data.length = std::fabs(length) * unit;
    data.width = data.round ? 0.0 : std::fabs(width) * unit;
    data.height = std::fabs(height) * unit;
    data.luminous = LuminousAreaOf(width * unit, length * unit, height * unit);
    data.lamps.count = lampCount;
    data.lamps.lumensPerLamp = lumens > 0.0 ? lumens : 0.0;
    data.lamps.type = Keyword(keywords, "LAMP");
    if (data.lamps.type.empty()) {
        data.lamps.type = Keyword(keywords, "LAMPCAT");
    }
    data.name = Keyword(keywords, "LUMINAIRE");
    data.model = Keyword(keywords, "LUMCAT");
    if (data.name.empty()) {
        data.name = label;
    }

    if (!ReadAngles(text, verticalCount, "vertical angle", data.angles, error) ||
        !ReadAngles(text, horizontalCount, "horizontal angle", data.planes, error) ||
        !SetCoverage(data, text, error)) {
        return false;
    }
    if (!ReadIntensityGrid(
            data.candela, data.planes.size(), data.angles.size(), multiplier,
            [&](double& value) { return text.NextNumber(value, "a candela value", error); },
            [&](const std::string& message) { return text.Problem(message); }, error)) {
        return false;
    }
    if (text.HasMoreWords()) {
        error = text.Problem("more values than the counts announce");
        return false;
    }
    data.name = CleanPhotometricText(data.name);
    data.model = CleanPhotometricText(data.model);
    data.lamps.type = CleanPhotometricText(data.lamps.type);
    out = std::move(data);
    return true;
}

} // namespace qv
