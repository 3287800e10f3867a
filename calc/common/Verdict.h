#pragma once
// Whether a calculated result meets its standard: the basis it is judged against (the
// standard illuminance and, when it was taken from the standards table, the place with its
// limits and the standard that sets them), the rows of the "结论" table of a calculation
// book, and the message the panels show. The panels and the books both decide through
// IlluminanceMet, so the message and the book's conclusion cannot differ.
#include "catalogue/CatalogueDatabase.h"
#include "catalogue/StandardsCatalogue.h"
#include "model/StandardPlace.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// Which standard a place is read from: the building lighting standard (rooms and
// floodlit sites) or the road lighting standard.
enum class StandardScope { kBuilding, kRoad };

// The road lighting standard the road books name.
inline constexpr const char* kRoadStandard = "CJJ 45-2015";
inline constexpr const char* kRoadStandardTitle = "城市道路照明设计标准";

struct StandardBasis {
    double lux = 0.0;     // the standard illuminance (or the required one when typed), lx
    StandardPlace place;  // empty: the typed value is a design requirement ("设计要求")
    std::string standard; // "《建筑照明设计标准》GB/T 50034-2024"; empty without a place
    PlaceStandard limits; // the place's row of the table (all absent when not read)
    // The building standard allows the design illuminance to fall up to 10 % below the
    // standard value.
    bool tolerance = false;
    bool operator==(const StandardBasis&) const = default;
};

// A value typed by hand: judged as it stands, no standard named.
StandardBasis DesignRequirement(double lux);
// The basis of a standard illuminance taken from a place: the standard named from the
// edition the catalogue records (the shipped edition when it records none, or without a
// catalogue); the place's limits when the catalogue has its row. An empty place gives
// DesignRequirement(lux).
StandardBasis LookUpStandardBasis(CatalogueDatabase* db, const StandardPlace& place, double lux,
                                  StandardScope scope);

// The lowest average illuminance that still meets the basis: the standard value, or 90 %
// of it with the tolerance.
double LowestAcceptedIlluminance(const StandardBasis& basis);
// E at least the lowest accepted illuminance (an exact 90 % meets it).
bool IlluminanceMet(const StandardBasis& basis, double e);

// Whose illuminance a message speaks of.
enum class VerdictSubject { kRoom, kSite, kRoad };
// The panels' message: "照度满足房间照度标准,不需增加灯具" / "照度不满足房间照度标准，需增加灯具"
// (场地最低照度, 道路照度标准 for a site and a road).
std::string IlluminanceMessage(VerdictSubject subject, bool met);

// What a book has worked out to be judged.
struct VerdictValues {
    double e = 0.0;            // average illuminance, lx
    std::optional<double> u0;  // Emin/Eav where the calculation gives a minimum
    std::optional<double> lpd; // installed power density, W/m2, where the book states one
    std::optional<double> ugr; // the room's highest UGR, where it could be computed
};

// One row of the "结论" table: 项目 / 计算值 / 标准值 / 结论.
struct VerdictRow {
    std::string item;
    std::string computed;
    std::string standard;
    std::string verdict; // "满足", "不满足", or what the row cannot judge
    bool operator==(const VerdictRow&) const = default;
};

inline constexpr const char* kMet = "满足";
inline constexpr const char* kNotMet = "不满足";
inline constexpr const char* kByLuminaireChoice = "(由灯具选型保证)";

// The rows that apply: the average illuminance always; U0 when the calculation gives it
// and the place sets one; the power density when the book states one (against the place's
// current limit with its target shown, or saying that no limit is known, with the target
// where the catalogue holds only that); UGR and Ra when the place sets them: UGR judged on
// the computed value as printed (0.1) when there is one, else like Ra as a limit the
// choice of luminaire keeps.
std::vector<VerdictRow> VerdictRows(const StandardBasis& basis, const VerdictValues& values);
// The sentence under the table: the standard and the place, or that the typed value is a
// design requirement; with the tolerance stated where it applies.
std::string VerdictBasisText(const StandardBasis& basis);

} // namespace qv
