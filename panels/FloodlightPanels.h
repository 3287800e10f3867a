#pragma once
// The floodlight point panels without a window: "投光灯点照度计算" with its calculation
// points and the aiming grid (one aiming point per floodlight), and the result panel
// "投光灯点照度计算_通过灯具光强曲线查询光强" whose intensity column may be corrected by
// hand before the illuminances are computed again.
#include "calc/outdoor/FloodPoint.h"
#include "panels/CalcPointGrid.h"

#include <kelvorin/KvMessage.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// The warning when the aiming rows do not match the floodlights (the calculation goes on).
KvMessage AimingCountWarning();

// One line per floodlight of the record whose grid encloses more than 1.05 times its lamp
// flux, naming it ("%d.%s(%s)": number from 1, name, model) with both fluxes.
std::vector<std::string> FloodGridWarningLines(const FloodPointRecord& record);
// The warning that those floodlights' grids are not kcd for their lamps (the calculation
// goes on); nothing when every grid fits its lamps.
std::optional<KvMessage> FloodGridWarning(const FloodPointRecord& record);

// Column widths of a grid kept in the settings file as "w1#w2#...#".
std::string ColumnWidthsText(const std::vector<int>& widths);
// The widths of the text when it holds exactly columns items; nothing otherwise.
std::optional<std::vector<int>> ColumnWidthsFromText(const std::string& text, int columns);

class FloodlightResultPanel {
public:
    enum Column {
        kOrdinal = 0,
        kPoint,
        kLabel,
        kAlpha,
        kBeta,
        kDelta,
        kIntensity,
        kEh,
        kEv,
        kTransverse,
        kLongitudinal,
        kColumnCount
    };
    static const std::array<const char*, kColumnCount> kHeaders;
    static const std::array<int, kColumnCount> kColumnWidths;
    static constexpr int kHeaderHeight = 30;

    // Takes the rows of a calculation with the site outline and the aimed floodlights, looks
    // up each row's intensity and computes the illuminances with the intensities looked up.
    void Show(std::vector<FloodlightResultRow> rows, std::vector<Vector> outline,
              LuminaireList floodlights);

    // Why a text typed into a number cell is refused (named by its header); empty when it
    // is taken or the cell holds no number. A refused text is not taken.
    static std::string CellRefusal(int column, const std::string& text);
    // The intensity cell typed in place (read back before the next calculation); other
    // cells are read-only.
    void EditCell(int row, int column, const std::string& text);
    // "计  算": reads the intensities back, aims the floodlights again and recomputes the
    // rows with the intensities as they stand. The warnings, in this order, when the
    // aiming points do not match the floodlights and when a floodlight's grid gives more
    // light than its lamps.
    std::vector<KvMessage> Calculate(const std::vector<Vector>& outline,
                                     const LuminaireList& floodlights,
                                     const std::vector<Vector>& aimingPoints);

    // Row buttons, as the point buttons act on points.
    void Select(int row);
    int Selection() const { return m_selection; }
    void Add();
    std::optional<KvMessage> Modify();
    std::optional<KvMessage> Remove();
    void Clear();
    void MoveUp();
    void MoveDown();

    int RowCount() const { return static_cast<int>(m_record.rows.size()); }
    std::string CellText(int row, int column) const;
    const std::vector<FloodlightResultRow>& Rows() const { return m_record.rows; }
    // Every step of the last calculation, one per row.
    const std::vector<FloodlightStep>& Steps() const { return m_record.steps; }
    const LuminaireList& Floodlights() const { return m_record.floodlights; }
    // The rows, their steps and the aimed floodlights: what the calculation book states.
    const FloodPointRecord& Record() const { return m_record; }
    const std::string& Caption() const { return m_caption; }
    void BookWritten() { m_caption = "投光灯单点照度计算书"; }

private:
    void ReadBack();
    void Compute(FloodMode mode);

    std::string m_caption = "投光灯点照度计算_通过灯具光强曲线查询光强";
    FloodPointRecord m_record;
    std::vector<std::optional<std::string>> m_typed; // intensity texts typed, per row
    std::vector<Vector> m_outline;
    int m_selection = -1;
};

class FloodlightPointPanel {
public:
    static constexpr int kPointColumnCount = 8;
    static constexpr int kAimingColumnCount = 4;
    static const std::array<const char*, kPointColumnCount> kPointHeaders;
    static const std::array<const char*, kAimingColumnCount> kAimingHeaders;
    static constexpr const char* kSettingsSection = "投光灯点照度计算";
    static constexpr const char* kPointWidthsKey = "计算点Grid列宽";
    static constexpr const char* kAimingWidthsKey = "瞄准点Grid列宽";

    CalcPointGrid& Points() { return m_points; }
    const CalcPointGrid& Points() const { return m_points; }

    // Column widths: read on opening (a value with the wrong number of items is ignored),
    // written back on closing.
    void LoadColumnWidths(const std::string& settingsPath);
    void SaveColumnWidths(const std::string& settingsPath) const;
    const std::vector<int>& PointColumnWidths() const { return m_pointWidths; }
    const std::vector<int>& AimingColumnWidths() const { return m_aimingWidths; }
    void SetPointColumnWidths(std::vector<int> widths) { m_pointWidths = std::move(widths); }
    void SetAimingColumnWidths(std::vector<int> widths) { m_aimingWidths = std::move(widths); }

    // "刷新信息": one aiming row per floodlight, labelled "%d.%s", holding its aiming point.
    void RefreshAiming(const LuminaireList& floodlights);
    int AimingRowCount() const { return static_cast<int>(m_aiming.size()); }
    // Column 0 is the label, 1 to 3 the aiming point's X, Y and Z as typed.
    std::string AimingCell(int row, int column) const;
    // A coordinate typed in place: text that is neither empty nor a finite number gives
    // the message "瞄准点坐标必须是数字，请检查。" and the cell becomes "0.0".
    std::optional<KvMessage> EditAimingCell(int row, int column, const std::string& text);
    void SelectAimingRow(int row) { m_aimingSelection = row; }
    // "同  上": the previous row's X, Y, Z into the selected row (nothing on the first).
    void SameAsAbove();
    // "全部相同": the selected row's X, Y, Z into every row.
    void AllSame();
    // The aiming points of the rows (atof of the cells).
    std::vector<Vector> AimingPoints() const;
    // Keeps the rows' aiming points with the floodlights (Luminaire::ptAim), so that they
    // are saved with the project and shown again when the panel opens. Only rows that
    // stand for these floodlights (one row per floodlight) are kept. True when an aiming
    // point changed.
    bool KeepAimingPoints(LuminaireList& floodlights) const;

    // "计  算": the points, the site outline (empty without a site panel) and the
    // floodlights (empty without a luminaire panel) give the rows, computed with the
    // intensity lookup and shown in the result panel. The warnings, in this order, when
    // the aiming rows do not match the floodlights and when a floodlight's grid gives more
    // light than its lamps.
    std::vector<KvMessage> Calculate(const std::vector<Vector>& outline,
                                     const LuminaireList& floodlights,
                                     FloodlightResultPanel& result);

private:
    struct AimingRow {
        std::string label;
        std::array<std::string, 3> cells;
    };

    CalcPointGrid m_points;
    std::vector<AimingRow> m_aiming;
    int m_aimingSelection = -1;
    std::vector<int> m_pointWidths = {18, 80, 60, 60, 60, 60, 60, 60};
    std::vector<int> m_aimingWidths = {60, 50, 50, 50};
};

} // namespace qv
