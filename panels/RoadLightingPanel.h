#pragma once
// The road lighting panel ("道路照明计算") without a window: the road's light entries with
// their arrangement, spacing, pole height, elevation and utilization factor, the average
// illuminance against the road's standard, and each entry's spacing that would reach it.
#include "calc/outdoor/RoadLighting.h"
#include "catalogue/CatalogueDatabase.h"
#include "model/Project.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

class RoadLightingPanel {
public:
    enum Column {
        kRowNumber = 0,
        kName,
        kModel,
        kArrangement,
        kSpacing,
        kPoleHeight,
        kElevation,
        kUtilization,
        kComputedSpacing,
        kColumnCount
    };
    static const std::array<const char*, kColumnCount> kHeaders;
    static const std::array<int, kColumnCount> kColumnWidths;
    static constexpr int kHeaderHeight = 30;

    // Opening the panel calculates once.
    void Open(const Project& project) { Calculate(project); }

    // "计  算": takes the road's entries (they replace the panel's when the luminaires
    // differ; new entries start with the values kept with their light, or for a light
    // the panel never edited with the road's arrangement and spacing, and the light's
    // mounting height as pole height) and calculates. The message tells whether the
    // standard is met, names the entries without a utilization factor or spacing (they
    // give no light), a road without width or lights, and entries that repeat one kind of
    // light (each entry stands for all the poles of its kind, so a repetition multiplies
    // the illuminance).
    void Calculate(const Project& project);

    // Why a text typed into a number cell is refused (named by its header); empty when it
    // is taken or the cell holds no number. A refused text is not taken.
    static std::string CellRefusal(int column, const std::string& text);
    // A grid cell typed in place: the arrangement text, spacing, pole height, elevation
    // or utilization factor; other cells ignore edits. The entry's values are kept with
    // its luminaire in the project (Luminaire::road), so that they are saved and the
    // panel starts from them when opened again; then the panel recalculates. False when
    // nothing was edited (another column, or a number beyond a double such as "1e999" or
    // "inf": the cell keeps its value) and the project is as it was.
    bool EditCell(int row, int column, const std::string& text, Project& project);
    // The entry's count of lights ("个数" of the luminaire).
    void SetCount(int row, int count, const Project& project);

    int RowCount() const { return static_cast<int>(m_entries.size()); }
    std::string CellText(int row, int column) const;
    // The drop-down list of the arrangement column.
    static std::vector<std::string> ArrangementChoices() {
        return {kRoadArrangements.begin(), kRoadArrangements.end()};
    }

    const std::vector<RoadEntry>& Entries() const { return m_entries; }
    const RoadLightingResult& Result() const { return m_result; }
    double Illuminance() const { return m_result.e; }
    const std::string& IlluminanceText() const { return m_eText; } // "实际照度lx"
    const std::string& Message() const { return m_message; }
    // The entries with their arrangements as typed and the result of the last
    // calculation: what the calculation book states.
    RoadLightingRecord BookRecord() const {
        return {m_entries, m_arrangementTexts, m_result, m_inputs, m_basis};
    }
    const std::string& Caption() const { return m_caption; }
    void BookWritten() { m_caption = "利用系数法照度计算书"; }

    // The catalogue whose standards table gives the road's standard place.
    void SetStandards(CatalogueDatabase* catalogue) { m_standards = catalogue; }
    // What the last calculation was judged against (the message and the book's "结论").
    const StandardBasis& Basis() const { return m_basis; }

private:
    std::string m_caption = "道路照明计算";
    std::vector<RoadEntry> m_entries;
    std::vector<std::string> m_arrangementTexts; // as typed, one per entry
    RoadLightingResult m_result;
    BookInputs m_inputs; // the road and its lights of the last calculation
    std::string m_eText;
    std::string m_message = "照度不足，需增加灯具数量";
    CatalogueDatabase* m_standards = nullptr;
    StandardBasis m_basis;
};

} // namespace qv
