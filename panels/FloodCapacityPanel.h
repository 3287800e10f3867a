#pragma once
// The floodlight unit-capacity panel ("投光灯单位面积容量计算") without a window: the
// site's floodlight entries with their four classifications and counts, the actual
// illuminance against the minimum, the power densities, and applying the counts to the
// project ("确定调整场内灯具数量").
#include "calc/common/PowerDensity.h"
#include "calc/outdoor/FloodCapacity.h"
#include "catalogue/CatalogueDatabase.h"
#include "model/Project.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

class FloodCapacityPanel {
public:
    enum Column {
        kRowNumber = 0,
        kName,
        kModel,
        kShare,
        kEfficiency,
        kUniformity,
        kLampType,
        kCount,
        kAdditional,
        kColumnCount
    };
    static const std::array<const char*, kColumnCount> kHeaders;
    static const std::array<int, kColumnCount> kColumnWidths;
    static constexpr int kHeaderHeight = 30;
    // "确定调整场内灯具数量" refuses to place more floodlights than this.
    static constexpr long long kMaxAppliedLuminaires = 100000;

    // Opening the panel calculates once.
    void Open(const Project& project) { Calculate(project); }

    // "平面上最低照度lx".
    void SetMinimumIlluminance(double eMin) { m_eMin = eMin; }
    double MinimumIlluminance() const { return m_eMin; }

    // "计  算": takes the site's entries (they replace the panel's when the luminaires
    // differ) and calculates. Until some entry can be counted (η and U1 above 0) on a site
    // with an area, nothing is calculated: the illuminance and the converted density show
    // "—" and the message says what to enter. The message also names the entries that do
    // not count. "计算功率密度" is the installed power of every floodlight the counts give
    // over the site's area.
    void Calculate(const Project& project);
    // Whether the last calculation gave an illuminance.
    bool Calculated() const { return m_calculated; }

    // Why a text typed into a number cell is refused (named by its header); empty when it
    // is taken or the cell holds no number. A refused text is not taken.
    static std::string CellRefusal(int column, const std::string& text);
    // A grid cell typed in place: share class, η, U1, lamp type or count; other cells
    // ignore edits. The panel recalculates after every edit.
    void EditCell(int row, int column, const std::string& text, const Project& project);

    // "确定调整场内灯具数量": replaces the site's range of the project's luminaires by the
    // entries, each repeated count times (copies with count 1 and 1 still needed; every
    // copy after the first at plan position -1, -1). Luminaires outside the site's range
    // stay; the site's and the road's numbers move with them. False, with the project
    // untouched, when the counts add up to more than kMaxAppliedLuminaires.
    bool ApplyCounts(Project& project) const;

    int RowCount() const { return static_cast<int>(m_entries.size()); }
    std::string CellText(int row, int column) const;
    // The drop-down lists of the grid's share-class and lamp-type columns.
    static std::vector<std::string> ChoicesOf(int column);

    const std::vector<FloodCapacityEntry>& Entries() const { return m_entries; }
    const FloodCapacityResult& Result() const { return m_result; }
    double Illuminance() const { return m_result.e; }                    // E, unrounded
    const std::string& IlluminanceText() const { return m_eText; }       // "实际照度lx"
    const std::string& Message() const { return m_message; }             // the message line
    const PowerDensityDisplay& Densities() const { return m_densities; } // LPD and the second
    // The minimum illuminance with the entries, results and shown values of the last
    // calculation: what the calculation book states.
    FloodCapacityRecord BookRecord() const;
    const std::string& Caption() const { return m_caption; }
    void BookWritten() { m_caption = "投光灯单位容量法照度计算"; }

    // The catalogue whose standards table gives the limits of the site's standard place.
    void SetStandards(CatalogueDatabase* catalogue) { m_standards = catalogue; }
    // What the last calculation was judged against: the site's place while the minimum
    // illuminance is the site's standard illuminance, else the typed minimum as a design
    // requirement.
    const StandardBasis& Basis() const { return m_basis; }

private:
    std::string m_caption = "投光灯单位面积容量计算";
    double m_eMin = 0.0;
    std::vector<FloodCapacityEntry> m_entries;
    FloodCapacityResult m_result;
    std::string m_eText;
    std::string m_message = "照度不足，需增加灯具数量";
    PowerDensityDisplay m_densities;
    BookInputs m_inputs; // the site and floodlights of the last calculation
    bool m_calculated = false;
    CatalogueDatabase* m_standards = nullptr;
    StandardBasis m_basis;
};

// The project's luminaires with those numbered first to last (from 1, inclusive; the ones
// that exist) replaced by replacement. The range's first and last numbers become the
// replacement's; numbers of other ranges (numbers after the replaced ones) move with
// their luminaires.
struct RangeNumbers {
    int* first;
    int* last;
};
void ReplaceLuminaireRange(LuminaireList& luminaires, RangeNumbers replaced,
                           const LuminaireList& replacement, const std::vector<int*>& others);

} // namespace qv
