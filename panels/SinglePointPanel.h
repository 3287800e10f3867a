#pragma once
// The single-point panel ("单点照度计算") without a window: its grid of calculation
// points with their horizontal, vertical and inclined illuminance, the point buttons,
// and "计  算" over the current room and luminaires.
#include "calc/indoor/PointIlluminanceRecord.h"
#include "model/Luminaire.h"
#include "model/Room.h"
#include "panels/CalcPointGrid.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

class SinglePointPanel {
public:
    // Grid columns: the unnamed row number, the editable point cells, the results.
    enum Column {
        kRowNumber = 0,
        kFirstPointColumn = 1, // CalcPointGrid column + 1
        kHorizontal = 8,
        kVertical = 9,
        kInclined = 10,
        kColumnCount = 11
    };
    static const std::array<const char*, kColumnCount> kHeaders;
    static const std::array<int, kColumnCount> kColumnWidths;

    const std::string& Caption() const { return m_caption; }
    // After "写计算书" the caption is the book's name.
    void BookWritten() { m_caption = "单点照度计算书"; }

    CalcPointGrid& Points() { return m_grid; }
    const CalcPointGrid& Points() const { return m_grid; }

    // The text of a grid cell: the row number from 1, the point cells, the results with 2
    // decimals. The results of a point are empty until a calculation included it as it
    // stands (a point added or changed since shows none).
    std::string CellText(int row, int column) const;

    // "计  算": reads the grid back, takes copies of the luminaires and calculates every
    // point inside the room's outline.
    void Calculate(const Room& room, const LuminaireList& luminaires);

    // The inputs of the last calculation: the outline, the luminaires (with their last
    // contributions) and their linear distribution types.
    const std::vector<Vector>& CalculatedOutline() const { return m_outline; }
    const LuminaireList& CalculatedLuminaires() const { return m_luminaires; }
    const std::vector<int>& LinearTypes() const { return m_linearTypes; }
    // Whether "计  算" ran at least once (the book describes the last calculation).
    bool Calculated() const { return m_calculated; }
    // What the calculation book states: the grid's points with their illuminance and the
    // steps of the last calculation's luminaires at each of them.
    PointIlluminanceRecord BookRecord() const;

private:
    std::string m_caption = "单点照度计算";
    CalcPointGrid m_grid;
    std::vector<Vector> m_outline;
    Room m_room; // the room of the last calculation, stated by the book
    LuminaireList m_luminaires;
    std::vector<int> m_linearTypes;
    bool m_calculated = false;
    std::vector<CalcPoint> m_calculatedPoints; // the points as the last calculation left them
};

} // namespace qv
