#include "panels/GridPanel.h"

#include "calc/indoor/LumenMethod.h"
#include "model/FormatTruncated.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace qv {

const std::array<GridColour, 8> GridPanel::kDefaultColours = {{{192, 192, 192},
                                                               {0, 0, 255},
                                                               {0, 255, 255},
                                                               {0, 255, 0},
                                                               {255, 255, 0},
                                                               {255, 0, 0},
                                                               {255, 0, 255},
                                                               {255, 255, 255}}};

namespace {

constexpr int kShownDecimals = 2;
constexpr int kUniformityDecimals = 3;
const char* const kCaption = "系统提示";

std::string Shown(double value) {
    return KvStr::Format("%.2f", value);
}

double HorizontalValue(const CalcPoint& point) {
    return point.dEh;
}

double VerticalValue(const CalcPoint& point) {
    return point.dEv;
}

// (Emin/Emax + Emin/Eavg + Eavg/Emax)/3 of the shown values, cut to 3 decimals; 0 unless
// all three exceed the tolerance.
double Uniformity(double max, double min, double average) {
    if (!(max > kTolerance && min > kTolerance && average > kTolerance)) {
        return 0.0;
    }
    return TruncatedValue((min / max + min / average + average / max) / 3.0, kUniformityDecimals);
}

// Emin/Eav of the shown values, cut to 3 decimals; 0 unless the average exceeds the
// tolerance.
double UniformityU0(double min, double average) {
    if (!(average > kTolerance)) {
        return 0.0;
    }
    return TruncatedValue(std::max(min, 0.0) / average, kUniformityDecimals);
}

const char* const kNotShown = "—";

} // namespace

double ReflectionCorrection(const Room& room, const LuminaireList& luminaires) {
    const CavityRatio cavity = RoomCavityRatio(room, luminaires);
    double sum = 0.0;
    int count = 0;
    for (const Luminaire& luminaire : luminaires.Items()) {
        const double cu1 =
            CuAt(luminaire.cuTable, cavity.rhoC, cavity.rhoW, cavity.rhoF, cavity.rcr);
        const double cu0 = CuAt(luminaire.cuTable, 0.0, 0.0, 0.0, cavity.rcr);
        if (cu0 > kTolerance) {
            sum += cu1 / cu0;
            ++count;
        }
    }
    return count > 0 ? sum / count : 1.0;
}

int DrawingInterval(double averageRaw) {
    const double v = 10.0 + std::trunc(averageRaw / 7.0);
    const double interval = std::floor(v * 0.1) * 10.0;
    // A mean too large for an int interval draws one band per int range.
    const int shown = interval < INT_MAX ? static_cast<int>(interval) : INT_MAX;
    return shown == 0 ? 10 : shown;
}

double FallbackStandard(double shownAverage) {
    return std::trunc(std::trunc(shownAverage) * 0.02) * 50.0;
}

void GridPanel::Spin(int& value, int direction) {
    if (direction > 0) {
        value += kSpinStep;
    } else if (direction < 0 && value >= 11) {
        value -= kSpinStep;
    }
}

void GridPanel::SpinInterval(int direction) {
    Spin(interval, direction);
    RebuildLegend();
}

void GridPanel::Summarise(double (*value)(const CalcPoint&)) {
    GridStatistics& s = m_statistics;
    const std::vector<CalcPoint>& points = *m_points;
    s.max = value(points.front());
    s.min = s.max;
    double sum = 0.0;
    for (const CalcPoint& point : points) {
        const double e = value(point);
        if (e < s.min) {
            s.min = e;
        }
        if (e > s.max) {
            s.max = e;
        }
        sum += e;
    }
    s.averageRaw = sum / static_cast<double>(points.size());
    s.average = s.averageRaw;
}

void GridPanel::StoreRecord(int kind) {
    GridStatistics& s = m_statistics;
    maxText = Shown(s.max);
    minText = Shown(s.min);
    avgText = Shown(s.average);
    drawMin = std::floor(s.min * 0.1) * 10.0;
    drawMax = (std::floor(s.max * 0.1) + 1.0) * 10.0;
    interval = DrawingInterval(s.averageRaw);
    m_lastKind = kind;
    m_record.kind = kind;
    m_record.density = density;
    m_record.maxText = maxText;
    m_record.minText = minText;
    m_record.avgText = avgText;
    m_record.uniformity = uniformity;
    m_record.u0 = u0;
    m_record.lpd = lpd;
    m_record.lpd2 = lpd2;
    m_record.lpd2Label = lpd2Label;
    m_record.start = {startX, startY, 0.0};
    m_record.end = {endX, endY, 0.0};
    m_record.side = side;
    m_record.picture.density = density;
    m_record.picture.maxText = maxText;
    m_record.picture.minText = minText;
    m_record.picture.avgText = avgText;
    RebuildLegend();
}

bool GridPanel::KeepCalculated(std::vector<CalcPoint> points, LuminaireList& working,
                               const GridCancel* cancel) {
    CalculateGridPoints(points, working, threads, cancel);
    if (Cancelled(cancel)) {
        return false;
    }
    m_points = std::make_shared<const std::vector<CalcPoint>>(std::move(points));
    return !m_points->empty();
}

bool GridPanel::CalculateHorizontal(const Room& room, const LuminaireList& luminaires,
                                    const GridCancel* cancel) {
    std::vector<CalcPoint> points;
    LuminaireList working = luminaires;
    HorizontalGridSearch(points, room, density, threads, cancel);
    if (!KeepCalculated(std::move(points), working, cancel)) {
        return false;
    }
    Summarise(HorizontalValue);
    m_record.picture = MakeGridPicture(false, *m_points, room, working, {}, {}, side, 0.0);
    GridStatistics& s = m_statistics;
    s.average = s.averageRaw * ReflectionCorrection(room, working);
    const std::string shownAverage = Shown(s.average);
    s.standard =
        room.dLxStandard > 0.0 ? room.dLxStandard : FallbackStandard(KvStr::Atof(shownAverage));
    const PowerDensityDisplay densities = ShowSecondDensity(
        LightingPowerDensity(room, working), s.averageRaw, s.standard, DensityLabel::Plain);
    lpd = densities.lpd;
    lpd2 = densities.second;
    lpd2Label = densities.label;
    uniformity =
        Uniformity(KvStr::Atof(Shown(s.max)), KvStr::Atof(Shown(s.min)), KvStr::Atof(shownAverage));
    u0 = UniformityU0(KvStr::Atof(Shown(s.min)), KvStr::Atof(shownAverage));
    m_record.inputs = {room, luminaires, std::nullopt};
    StoreRecord(kGridHorizontal);
    m_record.basis = LookUpStandardBasis(m_standards, room.standardPlace, room.dLxStandard,
                                         StandardScope::kBuilding);
    return true;
}

bool GridPanel::CalculateVertical(const Room& room, const LuminaireList& luminaires,
                                  const GridCancel* cancel) {
    std::vector<CalcPoint> points;
    LuminaireList working = luminaires;
    VerticalGridSearch(points, room, density, TopHeight(working), {startX, startY, 0.0},
                       {endX, endY, 0.0}, side, threads, cancel);
    if (!KeepCalculated(std::move(points), working, cancel)) {
        return false;
    }
    Summarise(VerticalValue);
    m_record.picture = MakeGridPicture(true, *m_points, room, working, {startX, startY, 0.0},
                                       {endX, endY, 0.0}, side, TopHeight(working));
    GridStatistics& s = m_statistics;
    s.standard =
        room.dLxStandard > 0.0 ? room.dLxStandard : FallbackStandard(KvStr::Atof(Shown(s.average)));
    lpd = 0.0;
    lpd2 = 0.0;
    // The uniformities describe the working plane; a vertical plane has none.
    uniformity = 0.0;
    u0 = 0.0;
    m_record.inputs = {room, luminaires, std::nullopt};
    StoreRecord(kGridVertical);
    m_record.basis.reset(); // the standards judge the working plane
    return true;
}

std::optional<KvMessage> GridPanel::MissingVerticalPlane() const {
    const double length = std::hypot(endX - startX, endY - startY);
    if (std::isfinite(length) && length > kTolerance) {
        return std::nullopt;
    }
    return KvMessage{"请先确定垂直计算面", "系统提示", KvMessageIcon::Warning,
                     KvMessageButtons::Ok};
}

std::string GridPanel::UniformityText() const {
    if (!Calculated()) {
        return std::string();
    }
    return m_lastKind == kGridVertical ? kNotShown : KvStr::FormatDouble(uniformity);
}

std::string GridPanel::U0Text() const {
    if (!Calculated()) {
        return std::string();
    }
    return m_lastKind == kGridVertical ? kNotShown : KvStr::FormatDouble(u0);
}

void GridPanel::RebuildLegend() {
    m_legend.clear();
    if (interval <= 0) {
        return;
    }
    const double bands = std::trunc((drawMax - drawMin) / interval + 1.0);
    const int count = bands > kMaxBands ? kMaxBands : (bands > 0.0 ? static_cast<int>(bands) : 0);
    for (int i = 1; i <= count; ++i) {
        const size_t slot = static_cast<size_t>(i - 1);
        m_legend.push_back({i, KvStr::Format("%.1f", drawMin + i * interval),
                            slot < colours.size() ? colours[slot] : kMissingColour});
    }
    // The picture's contours follow the legend's values; its colour scale starts below.
    std::vector<GridPictureLevel>& levels = m_record.picture.levels;
    levels.clear();
    for (const LegendBand& band : m_legend) {
        levels.push_back({drawMin + band.index * interval, band.valueText});
    }
    m_record.picture.scaleLow = drawMin;
}

std::optional<KvMessage> GridPanel::Draw() const {
    KvMessage message;
    message.caption = kCaption;
    message.icon = KvMessageIcon::Warning;
    if (colours.empty()) {
        message.text = "颜色值设置有误!";
        return message;
    }
    if (m_points->empty()) {
        message.text = "没有计算结果!";
        return message;
    }
    return std::nullopt;
}

const GridBookRecord& GridPanel::WriteBook() {
    m_caption = m_lastKind == kGridHorizontal ? "平面照度计算书" : "垂直面照度计算书";
    return m_record;
}

} // namespace qv
