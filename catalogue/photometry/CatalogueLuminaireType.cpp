#include "catalogue/photometry/CatalogueLuminaireType.h"

#include "catalogue/PhotometryDerivation.h"
#include "catalogue/photometry/ZonalCavity.h"
#include "model/Constants.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace qv {
namespace {

constexpr int kCurveLastDegree = 90;
constexpr size_t kMaxGridAngles = 181;

double Rounded(double value, double step) {
    return std::round(value / step) * step;
}

// A power or flux of the 光源 table: rounded, within what a 32-bit column holds.
int Whole(double value) {
    return static_cast<int>(std::lround(std::clamp(value, 0.0, 2.0e9)));
}

// The grid angles of one direction of a type B file: the measured angles, mirrored to
// negative ones when the file gives one side only; whole degrees across the same range
// when there are too many for a lookup table.
std::vector<double> GridAngles(const std::vector<double>& measured, bool mirrored) {
    std::vector<double> angles;
    if (mirrored) {
        for (auto it = measured.rbegin(); it != measured.rend(); ++it) {
            if (*it > 0.0) {
                angles.push_back(-*it);
            }
        }
    }
    angles.insert(angles.end(), measured.begin(), measured.end());
    if (angles.size() > kMaxGridAngles) {
        const int from = static_cast<int>(std::ceil(angles.front()));
        const int to = static_cast<int>(std::floor(angles.back()));
        angles.clear();
        for (int degree = from; degree <= to; ++degree) {
            angles.push_back(degree);
        }
    }
    return angles;
}

void FillCurves(const PhotometricData& data, double scale, CatalogueLuminaireType& type) {
    const bool typeC = data.system == PhotometricSystem::kTypeC;
    for (int degree = 0; degree <= kCurveLastDegree; ++degree) {
        const double t = degree;
        const double along = typeC ? CandelaAt(data, 90.0, t) + CandelaAt(data, 270.0, t)
                                   : CandelaAt(data, t, 0.0) + CandelaAt(data, -t, 0.0);
        const double across = typeC ? CandelaAt(data, 0.0, t) + CandelaAt(data, 180.0, t)
                                    : CandelaAt(data, 0.0, t) + CandelaAt(data, 0.0, -t);
        type.curveA.Append({t, Rounded(0.5 * along * scale, 0.01)});
        type.curveB.Append({t, Rounded(0.5 * across * scale, 0.01)});
    }
}

// The floodlight grid in kcd of the file's luminaire with the lamps the type records (its
// rated lamps; for absolute photometry the luminaire's own flux), as the floodlight
// calculation reads it: the grid encloses the file's flux, at most the lamp flux.
void FillFloodGrid(const PhotometricData& data, CatalogueLuminaireType& type) {
    const std::vector<double> lateral =
        GridAngles(data.planes, data.coverage == PlaneCoverage::kLateralMirrored);
    const std::vector<double> vertical = GridAngles(data.angles, data.verticalMirrored);
    type.flood.Reserve(static_cast<int>(lateral.size() * vertical.size()));
    for (const double h : lateral) {
        for (const double v : vertical) {
            type.flood.Append({h, v, Rounded(CandelaAt(data, h, v) / 1000.0, 0.001)});
        }
    }
}

constexpr size_t kShortNameCharacters = 40;
constexpr size_t kModelCharacters = 60;
constexpr size_t kLampTypeCharacters = 50;     // 光源类型 VARCHAR(50)
constexpr size_t kDescriptionCharacters = 255; // 说明 VARCHAR(255)
const std::string kNoBreakSpace = "\xC2\xA0";

bool IsUtf8Start(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

size_t Characters(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), IsUtf8Start));
}

// At most limit characters of the text, whole UTF-8 characters, "…" closing a cut text.
std::string CutTo(const std::string& text, size_t limit) {
    if (Characters(text) <= limit) {
        return text;
    }
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsUtf8Start(text[i]) && ++characters == limit) {
            return text.substr(0, i) + "…";
        }
    }
    return text;
}

// The text with no-break spaces (files written in Latin-1 use them as blanks) as spaces,
// trimmed.
std::string Plain(std::string text) {
    for (size_t at = text.find(kNoBreakSpace); at != std::string::npos;
         at = text.find(kNoBreakSpace, at)) {
        text.replace(at, kNoBreakSpace.size(), " ");
    }
    return KvStr::Trim(text);
}

// The first catalogue number of a [LUMCAT] text: up to the first blank, comma or
// semicolon outside brackets ("HALVS10L940-FG(1,2,3)-SA" stays whole).
std::string FirstCatalogueNumber(const std::string& text) {
    const std::string plain = Plain(text);
    int depth = 0;
    size_t end = 0;
    for (; end < plain.size(); ++end) {
        const char c = plain[end];
        if (depth == 0 && (c == ' ' || c == '\t' || c == ',' || c == ';')) {
            break;
        }
        depth += c == '(' || c == '[' ? 1 : 0;
        depth -= (c == ')' || c == ']') && depth > 0 ? 1 : 0;
    }
    return CutTo(plain.substr(0, end), kModelCharacters);
}

// Whether a text names LED light sources: "LED" not inside a longer word's end (LED,
// LEDS, LED模块) or "LIGHT EMITTING DIODE".
bool NamesLed(const std::string& text) {
    const std::string upper = KvStr::MakeUpper(text);
    if (upper.find("LIGHT EMITTING DIODE") != std::string::npos ||
        upper.find("LIGHT-EMITTING DIODE") != std::string::npos) {
        return true;
    }
    for (size_t at = upper.find("LED"); at != std::string::npos; at = upper.find("LED", at + 1)) {
        if (at == 0 || !std::isalnum(static_cast<unsigned char>(upper[at - 1]))) {
            return true;
        }
    }
    return false;
}

// Absolute photometry is how LED luminaires are measured; other files say so.
bool IsLed(const PhotometricData& data) {
    return !(data.lamps.lumensPerLamp > 0.0) || NamesLed(data.lamps.type) || NamesLed(data.name) ||
           NamesLed(data.model);
}

// Name, model and description of the type (see ToCatalogueType).
void SetNames(const PhotometricData& data, const std::string& fallbackModel,
              CatalogueLuminaireType& type) {
    const std::string description = Plain(data.name);
    const std::string numbers = Plain(data.model);
    type.model = FirstCatalogueNumber(numbers);
    if (type.model.empty()) {
        type.model = CutTo(Plain(fallbackModel), kModelCharacters);
    }
    if (!description.empty() && Characters(description) <= kShortNameCharacters) {
        type.name = description;
    } else {
        const bool flood = data.system == PhotometricSystem::kTypeB;
        type.name =
            (IsLed(data) ? "LED" : "") + std::string(flood ? "投光灯 " : "灯具 ") + type.model;
    }
    std::string full = description;
    if (!numbers.empty() && numbers != type.model) {
        full += (full.empty() ? "" : "; ") + numbers;
    }
    type.description =
        full.empty() ? "imported photometric file" : CutTo(full, kDescriptionCharacters);
}

// The lamp of the type (see ToCatalogueType).
void SetLamp(const PhotometricData& data, double reference, CatalogueLuminaireType& type) {
    const bool absolute = !(data.lamps.lumensPerLamp > 0.0);
    type.lampCount = absolute ? 1 : std::max(data.lamps.count, 1);
    type.lampFlux = Whole(reference / type.lampCount);
    type.lampPower = Rounded(std::clamp(data.lamps.watts / type.lampCount, 0.0, 2.0e9), 0.1);
    const std::string lamp = Plain(data.lamps.type);
    if (IsLed(data)) {
        type.lampType = "LED";
    } else if (!lamp.empty() && Characters(lamp) <= kLampTypeCharacters) {
        type.lampType = lamp;
    } else {
        type.lampType = "导入光源";
    }
    type.lampModel = type.model;
}

PrintedCurve Printed(const IntensityCurve& curve) {
    PrintedCurve printed;
    for (const IntensityRow& row : curve.Rows()) {
        printed.push_back({row.dAngle, row.dLightStrong});
    }
    return printed;
}

} // namespace

bool ToCatalogueType(const PhotometricData& data, const std::string& fallbackModel,
                     CatalogueLuminaireType& type, std::string& error) {
    const double reference = ReferenceFlux(data);
    if (!(reference > 0.0) || !std::isfinite(reference)) {
        error = "the file gives no luminous flux (no lamp lumens and no light)";
        return false;
    }
    const double scale = 1000.0 / reference;
    CatalogueLuminaireType made;
    SetNames(data, fallbackModel, made);
    FillCurves(data, scale, made);
    if (data.system == PhotometricSystem::kTypeC) {
        made.kind = "室内灯具";
        // Zones per 1000 lm of the reference flux: they add up to the light output ratio.
        const ZonalLumens lumens =
            ZonalLumensOf([&](double gamma) { return TypeCMeanIntensity(data, gamma) * scale; });
        made.cu = CuTableOf(lumens);
        made.downward = Rounded(lumens.Downward() / 1000.0, 0.001);
        made.upward = Rounded(lumens.Upward() / 1000.0, 0.001);
    } else {
        made.kind = "投光灯";
        FillFloodGrid(data, made);
        made.downward = Rounded(TypeBFlux(data) / reference, 0.001);
    }
    made.shape = data.round ? 1 : 0;
    made.lengthMm = Rounded(data.length * 1000.0, 0.1);
    made.widthMm = Rounded(data.width * 1000.0, 0.1);
    made.heightMm = Rounded(data.height * 1000.0, 0.1);
    SetLamp(data, reference, made);
    type = std::move(made);
    return true;
}

CuTable CuTableOfCurves(const IntensityCurve& a, const IntensityCurve& b) {
    const PrintedCurve printedA = Printed(a);
    const PrintedCurve printedB = Printed(b);
    return CuTableOf(ZonalLumensOf([&](double angle) {
        return 0.5 * (CurveValueAt(printedA, angle) + CurveValueAt(printedB, angle));
    }));
}

const std::vector<std::string>& UgrTableColumns() {
    static const std::vector<std::string> columns = {
        "名称",  "型号",  "间距比", "光通量", "X",     "Y",     "横向1", "横向2",
        "横向3", "横向4", "横向5",  "纵向1",  "纵向2", "纵向3", "纵向4", "纵向5"};
    return columns;
}

} // namespace qv
