#pragma once
// The panel "统一眩光值(UGR)计算" without a window: the eye height (seated, standing or
// typed), the observers at the working places (X, Y and the line of sight in plan) with
// their results, and "计  算" over the current project. "各点" starts with the four
// standard observers of the room, "单点" with one.
#include "calc/glare/RoomUgr.h"
#include "catalogue/CatalogueDatabase.h"
#include "model/Project.h"

#include <kelvorin/KvMessage.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class UgrPanelModel {
public:
    enum Column { kRowNumber = 0, kX, kY, kDirection, kUgr, kLb, kColumnCount };
    static const std::array<const char*, kColumnCount> kHeaders;
    static const std::array<int, kColumnCount> kColumnWidths;
    // The eye heights offered, "1.2 坐姿" and "1.5 站姿".
    static const std::array<const char*, 2> kEyeChoices;
    enum class Start { kStandardObservers, kOneObserver };

    explicit UgrPanelModel(Start start) : m_start(start) {}

    const std::string& Caption() const { return m_caption; }
    // After "写计算书" the caption is the book's name.
    void BookWritten() { m_caption = "统一眩光值(UGR)计算书"; }

    // Opening the panel places its first observers in the project's room: the four standard
    // ones, or the first of them. Nothing for an outdoor project or a room without outline (the
    // snapshot of the open panels names no kind; only an outdoor one is told apart).
    void Open(const Project& project);

    // "眼睛高度": one of kEyeChoices or a typed number of metres. The refusal (the field
    // keeps its value) or an empty text when taken.
    std::string SetEyeHeightText(const std::string& text);
    double EyeHeight() const { return m_eye; }
    // The field's text: the choice it matches, or the number.
    std::string EyeHeightText() const;

    // The grid: the row number from 1, the observer's cells, the results of the last
    // calculation (UGR to 0.1 or why there is none, Lb with 2 decimals). A row added or
    // changed since shows no result.
    int RowCount() const { return static_cast<int>(m_observers.size()); }
    std::string CellText(int row, int column) const;
    // Why a typed cell is refused: X and Y are coordinates, the line of sight an angle.
    static std::string CellRefusal(int column, const std::string& text);
    // A cell typed in place; refused texts and cells outside the grid are ignored.
    void EditCell(int row, int column, const std::string& text);
    const std::vector<UgrObserver>& Observers() const { return m_observers; }

    // "新  增": a copy of the last selected observer (or of the room's first standard one)
    // appended and selected. "删  除": the selected observers removed, or the message when
    // none is selected.
    void Select(const std::vector<int>& rows);
    const std::vector<int>& Selection() const { return m_selection; }
    int Add(const Project& project);
    std::optional<KvMessage> Remove();

    // "计  算": the refusal to show (an outdoor project, no observers, an observer outside
    // the room, a room that cannot be rated), or nothing when the results were worked out.
    // limit is the place's UGR limit, when the room names a standard place that sets one.
    std::optional<KvMessage> Calculate(const Project& project, std::optional<double> limit);

    // The results below the grid: the highest UGR, the verdict against the limit and the
    // note on how the intensities were estimated; empty before a calculation.
    std::string MaxText() const;
    std::string VerdictText() const;
    std::string NoteText() const;

    // What "写计算书" states: the last calculation's result (its observers, background
    // and maximum), its eye height and the limit it was judged against.
    bool Calculated() const { return m_calculated; }
    const RoomUgr& LastResult() const { return m_result; }
    double CalculatedEyeHeight() const { return m_calculatedEye; }
    std::optional<double> CalculatedLimit() const { return m_limit; }

    // The place's UGR limit from the standards of the catalogue; none without a place, a
    // catalogue or a value.
    static std::optional<double> UgrLimitOf(CatalogueDatabase* catalogue, const Room& room);

private:
    void ForgetResults();

    Start m_start;
    std::string m_caption = "统一眩光值(UGR)计算";
    double m_eye = kSeatedEyeHeight;
    std::vector<UgrObserver> m_observers;
    std::vector<std::optional<ObserverUgr>> m_rows; // the result each row shows
    std::vector<int> m_selection;
    bool m_calculated = false;
    RoomUgr m_result;
    double m_calculatedEye = kSeatedEyeHeight;
    std::optional<double> m_limit;
};

} // namespace qv
