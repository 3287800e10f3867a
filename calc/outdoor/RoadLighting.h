#pragma once
// Average illuminance of a road by the utilization (lumen) method, E = φ·U·K·N / (S·W),
// for one or several kinds of road light at once, and for each kind the spacing at which
// it alone would reach the road's standard illuminance.
#include "calc/common/BookInputs.h"
#include "calc/common/Verdict.h"
#include "model/Luminaire.h"
#include "model/Road.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// The index of an arrangement text among "单侧", "双侧交错", "双侧对称", or 3 for any other.
int ArrangementIndex(const std::string& text);

// One road light entry with the values typed into the road panel's grid.
struct RoadEntry {
    Luminaire luminaire;  // name, model, flux φ, maintenance factor K
    int arrangement = 0;  // index of "排列方式"
    double spacing = 0.0; // S, m
    double poleHeight = 0.0;
    double elevation = 0.0; // degrees
    double u = 0.0;         // utilization factor
    int count = 1;
    double computedSpacing = 0.0; // m, written by the calculation
    // Worked out by the calculation:
    int n = 1;                     // arrangement factor N: the index, at least 1
    bool counted = false;          // W and S positive (at least the tolerance)
    bool spacingGiven = false;     // S is a number of at least the tolerance
    bool utilizationGiven = false; // U is a number above 0; any other U counts 0
    bool operator==(const RoadEntry&) const = default;
};

struct RoadLightingResult {
    double width = 0.0;    // W: sum of the component widths
    double standard = 0.0; // E_std
    double sumA = 0.0;     // Σ N·K·U / (m·S)
    double sumFlux = 0.0;  // Σ count·φ
    double e = 0.0;        // lx; 0 when no entry is counted
    double deficit = 0.0;  // E_std - E
    bool operator==(const RoadLightingResult&) const = default;
};

// What the calculation book of road lighting states: the entries with what the
// calculation worked out, each entry's arrangement as typed (the book names an
// arrangement outside the list by this text), and the result.
struct RoadLightingRecord {
    std::vector<RoadEntry> entries;
    std::vector<std::string> arrangementTexts; // one per entry
    RoadLightingResult result;
    BookInputs inputs; // the road and its lights
    // What E is judged against in the book's "结论"; the result's standard as a design
    // requirement when not given.
    std::optional<StandardBasis> basis;
    bool operator==(const RoadLightingRecord&) const = default;
};

// The entry of a road light with the values kept with it (Luminaire::road), or for a
// light without them the road's arrangement (index and text) and spacing, the light's
// mounting height as pole height, elevation and utilization factor 0. arrangementText
// receives the arrangement as typed.
RoadEntry StartingRoadEntry(const Road& road, const Luminaire& luminaire,
                            std::string& arrangementText);

// The values an entry keeps with its light, its arrangement as typed.
RoadLightValues RoadValuesOf(const RoadEntry& entry, const std::string& arrangementText);

// Sum of the widths of every cross-section component; 0 without components.
double RoadWidth(const Road& road);

// Calculates E and writes each entry's N and, where the standard is not reached, the
// spacing N·φ·K·U / (W·E_std) (kept when W·E_std is not positive); where it is
// reached, the entry's own spacing. An entry counts when W and its S are positive; a U
// that is not a number above 0 counts 0, so that no input makes E or a spacing negative.
//
// Each entry is one kind of light: S and N already stand for every pole of the road, so
// m entries of the same light give m times its illuminance (Σa keeps N·K·U/S while Σφ
// grows m-fold).
RoadLightingResult CalculateRoadLighting(const Road& road, std::vector<RoadEntry>& entries);

} // namespace qv
