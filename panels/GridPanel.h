#pragma once
// The room-grid panel ("水平、垂直照度计算") without a window: the density and drawing
// settings, the horizontal and vertical calculations over the grid points with their
// statistics, power densities and uniformity, the drawing legend, and the record handed
// to the calculation book.
#include "calc/common/PowerDensity.h"
#include "calc/indoor/GridRecord.h"
#include "calc/indoor/RoomGrid.h"
#include "model/CalcPoint.h"
#include "model/Luminaire.h"
#include "model/Room.h"

#include <kelvorin/KvMessage.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct GridColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const GridColour&, const GridColour&) = default;
};

// A band of the legend: its number, its value text ("%.1f") and its colour.
struct LegendBand {
    int index = 0;
    std::string valueText;
    GridColour colour;
};

// Everything the last calculation worked out beyond the panel's fields.
struct GridStatistics {
    double max = 0.0;
    double min = 0.0;
    double averageRaw = 0.0; // plain mean
    double average = 0.0;    // after the reflection correction (horizontal)
    double standard = 0.0;   // the room's, or the fallback from the shown average
};

class GridPanel {
public:
    static constexpr int kDefaultDensity = 200;
    static constexpr int kSpinStep = 10;
    // The drawing colour that fills bands beyond the colour list.
    static constexpr GridColour kMissingColour{7, 0, 0};
    static constexpr int kMaxBands = 200;
    static const std::array<GridColour, 8> kDefaultColours;

    // "水平照度" / "垂直照度": false, with nothing shown or stored, when the search finds
    // no point. A run stopped by cancel is false too and leaves the panel as it was.
    bool CalculateHorizontal(const Room& room, const LuminaireList& luminaires,
                             const GridCancel* cancel = nullptr);
    bool CalculateVertical(const Room& room, const LuminaireList& luminaires,
                           const GridCancel* cancel = nullptr);

    // "垂直照度" without a plane (its two ends not yet apart): the box that says so.
    std::optional<KvMessage> MissingVerticalPlane() const;

    // Spins: +1 adds 10, -1 subtracts 10 unless the value is below 11.
    void SpinDensity(int direction) { Spin(density, direction); }
    void SpinInterval(int direction);

    // "绘 制": the box to show instead of the picture, if any.
    std::optional<KvMessage> Draw() const;
    // "写计算书": the record for the book; the caption follows the last kind.
    const GridBookRecord& WriteBook();

    // The legend of the drawing, rebuilt after a calculation and when the interval moves.
    const std::vector<LegendBand>& Legend() const { return m_legend; }
    void RebuildLegend();

    // Panel fields (read by the calculations, written by them and by the spins).
    int density = kDefaultDensity;
    int drawForm = 0; // 点 / 线 / 面
    double drawMax = 0.0;
    double drawMin = 0.0;
    int interval = 0;
    // "工作区均匀度", the mean of three ratios of the shown values, and "照度均匀度U0" =
    // Emin/Eav of the shown values, the ratio the standards limit; both only for a
    // horizontal run (0 after a vertical one, shown as "—").
    double uniformity = 0.0;
    double u0 = 0.0;
    double lpd = 0.0;
    double lpd2 = 0.0;
    std::string lpd2Label;
    std::string maxText;
    std::string minText;
    std::string avgText;
    double startX = 0.0;
    double startY = 0.0;
    double endX = 0.0;
    double endY = 0.0;
    int side = kSideUpperLeft;
    std::vector<GridColour> colours{kDefaultColours.begin(), kDefaultColours.end()};
    int threads = DefaultThreadCount();

    // Whether a calculation found points; until then every result shows empty.
    bool Calculated() const { return !m_points->empty(); }
    // The two uniformities as the panel shows them: "—" after a vertical run, empty
    // before the first calculation.
    std::string UniformityText() const;
    std::string U0Text() const;

    const std::vector<CalcPoint>& Points() const { return *m_points; }
    const GridStatistics& Statistics() const { return m_statistics; }
    int LastKind() const { return m_lastKind; }
    const GridBookRecord& Record() const { return m_record; }
    // The catalogue whose standards table gives the limits of the room's standard place;
    // a horizontal run's record is judged against the room's standard.
    void SetStandards(CatalogueDatabase* catalogue) { m_standards = catalogue; }
    // The isolux picture of the last calculation, its levels the legend's.
    const GridPictureData& Picture() const { return m_record.picture; }
    const std::string& Caption() const { return m_caption; }

private:
    static void Spin(int& value, int direction);
    // Calculates the searched points with the working luminaires and keeps them as the
    // last calculation's. False when the run was cancelled (the panel as it was) or
    // found no point.
    bool KeepCalculated(std::vector<CalcPoint> points, LuminaireList& working,
                        const GridCancel* cancel);
    // Statistics of one value of the points, the shown texts and the drawing defaults.
    void Summarise(double (*value)(const CalcPoint&));
    void StoreRecord(int kind);

    // The points of the last calculation, never changed once made: copies of the panel
    // share them (a run on a copy does not copy hundreds of thousands of points).
    std::shared_ptr<const std::vector<CalcPoint>> m_points =
        std::make_shared<const std::vector<CalcPoint>>();
    std::vector<LegendBand> m_legend;
    GridStatistics m_statistics;
    int m_lastKind = kGridHorizontal;
    GridBookRecord m_record;
    CatalogueDatabase* m_standards = nullptr;
    std::string m_caption = "水平、垂直照度计算";
};

// The mean of CU(room reflectances)/CU(all reflectances 0) over the luminaires whose
// CU at zero reflectances exceeds the tolerance; 1 when there is none.
double ReflectionCorrection(const Room& room, const LuminaireList& luminaires);

// The drawing interval for a plain mean: v = 10 + trunc(mean/7), floor(v/10)·10, at
// least 10.
int DrawingInterval(double averageRaw);

// trunc(trunc(average)·0.02)·50: the average cut down to a multiple of 50.
double FallbackStandard(double shownAverage);

} // namespace qv
