#pragma once
// The unit-capacity (watts per square metre per lux) method: the minimum installed power
// for the design illuminance is P = P0·A·E·C1·C2·C, with the unit capacity P0 by
// distribution class and room cavity ratio, C1 by ceiling reflectance and C2 by lamp type
// and power from the catalogue's unit-capacity tables, and C by luminaire efficiency.
// From the installed power follows the actual illuminance, from the missing power the
// number of luminaires each entry still needs.
#include "calc/indoor/LumenMethod.h"
#include "catalogue/UnitCapacityTables.h"
#include "model/Luminaire.h"
#include "model/Room.h"

#include <string>
#include <vector>

namespace qv {

// C for a luminaire efficiency η in per cent: 1.0 from 70 on, 1.22 at 60, 1.47 at 50 and
// below, linear in between.
double EfficiencyCorrection(double efficiency);

// What the calculation worked out for one entry, as the calculation book prints it.
struct UnitCapacityEntryTrace {
    double area = 0.0;       // A_i: the entry's share of the room area
    double p0 = 0.0;         // W/(m²·lx), from the table or as typed
    double c1 = 0.0;         // by the effective ceiling reflectance
    std::string kind;        // the reference-lamp kind P0 was taken for
    double c2 = 0.0;         // by lamp type and rated power; 1.0 when no C2 type matches
    std::string c2Type;      // the C2 table's lamp type taken ("C2参照%s"); empty: none
    double c2Power = 0.0;    // the rated power of one first-slot lamp C2 is looked up by, W
    std::string c2Reference; // the reference-lamp kind the C2 type compares with
    double c = 0.0;          // by the luminaire efficiency
    double power = 0.0;      // W_i: installed power of one luminaire (LuminairePower)
    double capacity = 0.0;   // u_i = P0·C1·C2·C
    double required = 0.0;   // u_i·A_i·E_std: the power the entry's share asks for, W
    int count = 0;           // n_i
    int needed = 0;          // luminaires still needed
};

enum class UnitCapacityStatus {
    Calculated,
    NoCavityRatio, // the room's outline has no extent: E = 0, entries untouched
    NoDatabase,    // the catalogue cannot be opened: E = -1, entries untouched
};

struct UnitCapacityResult {
    UnitCapacityStatus status = UnitCapacityStatus::NoCavityRatio;
    CavityRatio cavity;
    double area = 0.0;       // A
    double standard = 0.0;   // E_std
    double efficiency = 0.0; // η, per cent
    double sumWeight = 0.0;  // S
    double capacity = 0.0;   // U = Σ u_i/S
    double installed = 0.0;  // P_inst = Σ n_i·W_i ("当前功率数")
    double required = 0.0;   // P_req = Σ u_i·A_i·E_std ("实际需要瓦数")
    double deficit = 0.0;    // ΔP = P_req - P_inst
    double e = 0.0;          // actual illuminance P_inst/(U·A); 0 or -1 as the status says
    std::vector<UnitCapacityEntryTrace> entries; // one per entry when calculated
};

// Calculates the actual illuminance of the room's entries at luminaire efficiency η and
// writes P0, C1, C2, C, W and the needed count into each entry's unit-capacity values.
// P0 is read for the entry's reference-lamp kind (UnitPowerKindOf). W is the luminaire's
// installed power, all its lamps with their ballasts; C2, a property of the lamp, is
// looked up by the rated power of one lamp of the first slot. Holes the tables leave are
// filled soundly: an entry whose lamp type matches no C2 type takes C2 = 1.0, an entry
// without power needs 0 more, and E is 0 when U·A vanishes.
UnitCapacityResult CalculateUnitCapacity(const Room& room, LuminaireList& entries,
                                         double efficiency, UnitCapacityTables& tables);

// The actual illuminance alone: 0 when the cavity ratio cannot be formed, -1 when the
// tables cannot be reached.
double UnitCapacityIlluminance(const Room& room, LuminaireList& entries, double efficiency,
                               UnitCapacityTables& tables);

} // namespace qv
