#pragma once
// A placed luminaire (for an outdoor project, a floodlight or a road light) with the
// full copy of its catalogue data, and the ordered list of a project's luminaires.
#include "model/CatalogueRecords.h"
#include "model/Vector.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// The reference lamps of the unit-capacity tables ("单位电功率类型"): P0 is tabulated for
// each, and C2 compares a lamp with one of them.
inline constexpr const char* kIncandescentKind = "100W白炽灯单位电功率";
inline constexpr const char* kFluorescentKind = "40W荧光灯单位电功率";

// Working values of the unit-capacity methods (indoor and floodlight) for one entry.
// They are neither stored in the project file nor compared.
struct UnitCapacityInputs {
    std::string sDistributionClass = "直接型9"; // "灯具类型"
    // "单位电功率类型" as the user chose it; empty until then, when the kind follows
    // the entry's first lamp (UnitPowerKindOf).
    std::string sUnitPowerKind;
    std::string sShareClass = "80%及其以上"; // "全部照射灯的比例"
    std::string sLampType;                   // floodlight lamp type ("光源类型")
    double dUnitCapacity = 0.0;              // P0, W/(m²·lx)
    int nCount = 1;                          // "个数"
    int nNeeded = 1;                         // "还需要"
    double dAreaWeight = 1.0;
    double dC1 = 0.0;
    double dC2 = 0.0;
    double dC = 0.0;
    double dPower = 0.0;      // W of the entry
    double dEfficiency = 0.0; // floodlight η, "灯具效率"
    double dUniformity = 0.0; // floodlight U1, "照度均匀度"
};

// The road lighting panel's grid values of a road light ("路灯参数"), kept with the
// luminaire once the panel edited them. Until then the panel starts from the road's
// arrangement and spacing and the light's mounting height.
struct RoadLightValues {
    std::string sArrangement; // "排列方式" as typed
    double dSpacing = 0.0;    // "间距", m
    double dPoleHeight = 0.0; // "灯杆高度", m
    double dElevation = 0.0;  // "仰角", degrees
    double dUsing = 0.0;      // "利用系数"
};

// Texts equal and numbers within the model tolerance.
bool operator==(const RoadLightValues& a, const RoadLightValues& b);

struct Luminaire {
    Vector ptCenter;               // position of the centre
    Rotation Rotate;               // orientation
    double dVindicate = 0.7;       // maintenance factor K ("维护系数")
    std::string sName;             // luminaire type name
    std::string sModel;            // luminaire type model
    int nLuminousFlux = 0;         // total flux of the luminaire, lm
    Lamp lamp1;                    // "第一光源"
    Lamp lamp2;                    // "第二光源", meaningful when bLampHouse2 is 1
    int bLampHouse2 = 0;           // the luminaire has a second lamp
    LuminaireShape geometricShape; // body ("几何尺寸")
    LuminaireShape opticalShape;   // optical part ("光学器件")
    std::string sLightsTable;      // catalogue table of the intensity curves
    IntensityCurve curveA;         // along the luminaire's axis ("光强A")
    IntensityCurve curveB;         // across it ("光强B")
    std::string sModulusTable;     // catalogue table of the CU coefficients
    CuTable cuTable;
    std::string sGradeTable; // catalogue table of the floodlight intensity grid
    FloodIntensityTable floodTable;
    int nState = 1;
    // Kept in outdoor project files, after the fields above, and compared:
    Vector ptAim;                        // floodlight aiming point ("瞄准点")
    std::optional<RoadLightValues> road; // nothing until the road panel edits the light

    // Not stored in the project file and not compared:
    UnitCapacityInputs unitCapacity;
    double dLastContribution = 0.0; // written by the point calculation
};

// Installed electrical power of one lamp slot, W: nCount lamps, each drawing its rated
// and its ballast power. A slot without lamps (nCount 0, or a count below 0, which no
// luminaire can hold) draws nothing, as it gives no light.
double LampSlotPower(const Lamp& lamp);

// Installed electrical power of a luminaire, W: its first lamp slot, plus the second one
// when bLampHouse2 is set. Every power density, unit-capacity method and calculation book
// counts a luminaire's power with this.
double LuminairePower(const Luminaire& luminaire);

// Whether LuminairePower is a number of watts: every fitted slot holds 0 lamps or more,
// each with a finite rated and ballast power of 0 W or more, and the sum is finite. A
// project file can hold anything; a luminaire that fails this is named to the user
// rather than counted as 0 W.
bool HasSoundPower(const Luminaire& luminaire);

// The reference lamp the unit-capacity tables compare a lamp type (a lamp's sName) with:
// the 100 W incandescent lamp for incandescent and halogen lamps, the 40 W fluorescent
// lamp for every other lamp (discharge lamps, LED), as the C2 table's rows do.
const char* ReferenceLampKindFor(const std::string& lampType);

// The entry's reference-lamp kind: the text the user chose (sUnitPowerKind), or, while
// none was chosen (empty), the kind that follows the entry's first lamp.
std::string UnitPowerKindOf(const Luminaire& luminaire);

// Position, rotation, the five texts, flux, second-lamp flag, state, both lamps, the
// maintenance factor, both shapes, the aiming point and the road values: a changed
// aiming point or road value is an edit of the project. The tables follow from the
// table names and are not compared; nor are the working values.
bool operator==(const Luminaire& a, const Luminaire& b);

// What == compares but the aiming point and the road values: the same fitting at the
// same place. Panels whose entries do not depend on those values keep their typed
// values when only those changed.
bool SameFitting(const Luminaire& a, const Luminaire& b);

// The ordered luminaires of a project; numbered from 1 where ranges select them.
class LuminaireList {
public:
    void Add(const Luminaire& luminaire) { m_items.push_back(luminaire); }
    void Add(Luminaire&& luminaire) { m_items.push_back(std::move(luminaire)); }
    // Replaces the entry at index by a copy; false when the index is out of range.
    bool Replace(int index, const Luminaire& luminaire);
    // Removes the entry at index, moving the later ones up; false when out of range.
    bool RemoveAt(int index);
    void Clear() { m_items.clear(); }
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Empty() const { return m_items.empty(); }
    // Precondition: 0 <= index < Count().
    const Luminaire& At(int index) const { return m_items[static_cast<size_t>(index)]; }
    Luminaire& At(int index) { return m_items[static_cast<size_t>(index)]; }
    const std::vector<Luminaire>& Items() const { return m_items; }
    void Reserve(int count) { m_items.reserve(static_cast<size_t>(count)); }

    // Same length, luminaires pairwise equal in order.
    friend bool operator==(const LuminaireList& a, const LuminaireList& b) {
        return a.m_items == b.m_items;
    }

private:
    bool ValidIndex(int index) const { return index >= 0 && index < Count(); }

    std::vector<Luminaire> m_items;
};

// Same length, luminaires pairwise SameFitting in order.
bool SameFittings(const LuminaireList& a, const LuminaireList& b);

} // namespace qv
