#pragma once
// The catalogue data a placed luminaire carries: its lamps, its body and optical shapes,
// and its photometric tables (two intensity curves, the coefficients of utilization and,
// for floodlights, the intensity grid).
#include <string>
#include <vector>

namespace qv {

// One light source of a luminaire ("光源参数").
struct Lamp {
    std::string sName;          // lamp type ("光源类型")
    std::string sModel;         // lamp model ("灯型号")
    double dPower = 0.0;        // W
    double dBallastPower = 0.0; // W, entered by the user
    int nCount = 1;             // number of such lamps in the luminaire
    int nLuminousFlux = 0;      // lm, of one lamp
};

// Texts identical, doubles within 1e-6, integers identical.
bool operator==(const Lamp& a, const Lamp& b);

// Dimensions of a luminaire's body ("几何尺寸") or of its optical part ("光学器件").
struct LuminaireShape {
    enum Kind { kRectangle = 0, kCircle = 1 };
    int nShape = kRectangle;
    double dLength = 0.0; // m; the diameter of a circle
    double dWidth = 0.0;  // m; kept for a circle too, and compared
    double dHeight = 0.0; // m
};

bool operator==(const LuminaireShape& a, const LuminaireShape& b);

// One row of an intensity curve: angle in degrees, intensity in cd per 1000 lm.
struct IntensityRow {
    double dAngle = 0.0;
    double dLightStrong = 0.0;
};

// One row of a coefficient-of-utilization table: effective ceiling cavity, wall and
// floor reflectances, room cavity ratio, and the coefficient.
struct CuRow {
    double dPcc = 0.0;
    double dPw = 0.0;
    double dPf = 0.0;
    double dPCR = 0.0;
    double dUsing = 0.0;
};

// One node of a floodlight's intensity grid: longitudinal angle ("纵向角度"), vertical
// angle ("垂直角度"), intensity.
struct FloodIntensityRow {
    double dZXAngle = 0.0;
    double dHXAngle = 0.0;
    double dLampGq = 0.0;
};

bool operator==(const IntensityRow& a, const IntensityRow& b);
bool operator==(const CuRow& a, const CuRow& b);
bool operator==(const FloodIntensityRow& a, const FloodIntensityRow& b);

// An ordered list of table rows: clear, append, count, get by index, copy.
template <typename Row> class RecordTable {
public:
    using value_type = Row;

    void Clear() { m_rows.clear(); }
    void Append(const Row& row) { m_rows.push_back(row); }
    int Count() const { return static_cast<int>(m_rows.size()); }
    // Precondition: 0 <= index < Count().
    const Row& At(int index) const { return m_rows[static_cast<size_t>(index)]; }
    Row& At(int index) { return m_rows[static_cast<size_t>(index)]; }
    const std::vector<Row>& Rows() const { return m_rows; }
    void Reserve(int count) { m_rows.reserve(static_cast<size_t>(count)); }

    // Same length and rows pairwise equal (doubles within 1e-6).
    friend bool operator==(const RecordTable& a, const RecordTable& b) {
        return a.m_rows == b.m_rows;
    }

private:
    std::vector<Row> m_rows;
};

// One plane of a luminaire type's intensity distribution ("配光曲线").
using IntensityCurve = RecordTable<IntensityRow>;
// The type's coefficients of utilization ("利用系数表").
using CuTable = RecordTable<CuRow>;
// The intensity grid of a floodlight ("等光强曲线").
using FloodIntensityTable = RecordTable<FloodIntensityRow>;

} // namespace qv
