#pragma once
// Floodlight unit-capacity (watts per square metre) method: the illuminance the site's
// floodlights give, the power the minimum illuminance asks for, and how many more
// floodlights of each entry would be needed.
#include "calc/common/BookInputs.h"
#include "calc/common/PowerDensity.h"
#include "calc/common/Verdict.h"
#include "model/Luminaire.h"
#include "model/Room.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// Share classes ("全部照射灯的比例") and lamp types ("光源类型") in the order of the
// panel's drop-down lists.
inline const std::array<std::string, 5> kFloodShareClasses = {
    "80%及其以上", "60%及其以上", "40%及其以上", "20%及其以上", "20%以下"};
inline const std::array<std::string, 6> kFloodLampTypes = {
    "白炽灯", "卤钨灯", "荧光高压汞灯", "金属卤化物灯", "高压钠灯", "氙灯"};

// η·U·U1·K of the reference floodlight installation the unit powers belong to
// (0.6 × 0.7 × 0.75 × 0.7).
inline constexpr double kReferenceInstallationFactor = 0.22049999999999997;

// Utilization factor U of a share class; 0.5 for any text outside the first four.
double ShareClassUtilization(const std::string& shareClass);
// Unit power P0 (W per m² per lx) of a lamp type; 0.148 for any other text.
double LampTypeUnitPower(const std::string& lampType);
// Lamp efficacy η_s = 1 / (P0 · 0.2205), lm/W.
double LampTypeEfficacy(const std::string& lampType);

// The luminaires still needed to cover a power deficit with entries of power pL:
// trunc(deficit / pL - 0.001) + 1 while the deficit exceeds the tolerance, else 0. An
// entry without power (pL below the tolerance) cannot cover anything and needs 0; a
// count beyond the int range is held at the int maximum.
int AdditionalFloodlights(double deficit, double pL);

// What the calculation works out for one entry. The inputs are the luminaire's
// unit-capacity values (share class, lamp type, η, U1, count, area weight).
struct FloodCapacityEntry {
    Luminaire luminaire;
    double u = 0.0;        // utilization factor from the share class
    double efficacy = 0.0; // η_s, lm/W
    double x = 0.0;        // η_s·K·U1·η·U
    bool counted = false;  // X at least the tolerance, with η, U1 and K each positive
    double pL = 0.0;       // installed power of one floodlight (LuminairePower), W, if counted
    double required = 0.0; // E_min / X · w · A / S, W (counted entries)
    int additional = 0;    // floodlights still needed ("还需要")
    bool operator==(const FloodCapacityEntry&) const = default;
};

struct FloodCapacityResult {
    bool degenerate = true;  // no bounding-box area, no area weight or no outline area
    double sumWeight = 0.0;  // S
    double area = 0.0;       // A
    double sumInverse = 0.0; // Σ 1/(X·S)
    double pReq = 0.0;       // W
    double pInst = 0.0;      // W
    double deficit = 0.0;    // P_req - P_inst
    double e = 0.0;          // lx
    bool operator==(const FloodCapacityResult&) const = default;
};

// Calculates E for the minimum illuminance eMin over the site and writes each entry's
// values (U, η_s, X, P_L, required power, additional). A degenerate site gives E = 0 and
// leaves the entries as they were; E is 0 when no entry is counted.
FloodCapacityResult CalculateFloodCapacity(double eMin, const Room& site,
                                           std::vector<FloodCapacityEntry>& entries);

// What the calculation book of the unit-capacity method states: the minimum illuminance,
// every entry with its values, the sums, the actual illuminance as shown ("实际照度") and
// the two power densities as shown.
struct FloodCapacityRecord {
    double eMin = 0.0;
    std::vector<FloodCapacityEntry> entries;
    FloodCapacityResult result;
    std::string eText;
    PowerDensityDisplay densities;
    BookInputs inputs; // the site and the floodlights
    // What E is judged against in the book's "结论"; eMin as a design requirement when
    // not given.
    std::optional<StandardBasis> basis;
    bool operator==(const FloodCapacityRecord&) const = default;
};

// Installed power density of the site, W/m²: Σ count · P over the entries (P the power a
// luminaire counts for the lighting power density) divided by the outline's area; a count
// below 1 counts none. 0 for an area below the tolerance.
double FloodInstalledPowerDensity(const Room& site, const std::vector<FloodCapacityEntry>& entries);

// The luminaires numbered first to last (from 1, inclusive) that exist, in order.
LuminaireList LuminairesInRange(const LuminaireList& luminaires, int first, int last);

} // namespace qv
