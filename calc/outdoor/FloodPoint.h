#pragma once
// Floodlight point illuminance: at each calculation point, the horizontal and vertical
// illuminance of every floodlight from its aiming geometry and intensity, with the
// vertical illuminance split into a transverse and a longitudinal part, and the totals
// of all floodlights per point.
#include "model/CalcPoint.h"
#include "model/Luminaire.h"

#include <string>
#include <vector>

namespace qv {

// Label of a point's total row.
inline constexpr const char* kAllFloodlightsLabel = "全部灯具";

// One row of the result: a floodlight at a point, or the point's total row.
struct FloodlightResultRow {
    CalcPoint point;
    std::string label;         // "%d.%s" (0-based floodlight index, name) or "全部灯具"
    double intensity = 0.0;    // I toward the point, cd (the grid's kcd times 1000)
    double eh = 0.0;           // lx
    double ev = 0.0;           // lx
    double transverse = 0.0;   // lx
    double longitudinal = 0.0; // lx
    double alpha = 0.0;        // horizontal angle, radians
    double beta = 0.0;         // vertical angle, radians
    double delta = 0.0;        // angle of incidence, radians

    bool IsTotal() const { return label == kAllFloodlightsLabel; }
    bool operator==(const FloodlightResultRow&) const = default;
};

// How the rows are computed: kLookUp also reads each floodlight row's intensity from the
// grid after its illuminances (which use the intensity the row held); kKeepIntensity uses
// the intensities as they stand.
enum class FloodMode { kLookUp = 0, kKeepIntensity = 1 };

// Why a floodlight row stayed cleared.
enum class FloodStepOutcome { Contributes, OutsideSite, NoFloodlight, AtFloodlight };

// Every value of one floodlight at one point, as the calculation book states them.
struct FloodlightStep {
    FloodStepOutcome outcome = FloodStepOutcome::OutsideSite;
    Vector local;           // the point relative to the floodlight, in its frame
    double h = 0.0;         // H = -z of local
    double phi = 0.0;       // azimuth of the aiming direction φ
    double theta = 0.0;     // elevation of the aiming direction θ
    double phiP = 0.0;      // azimuth of the point φ′
    double gamma = 0.0;     // γ = φ′ - φ
    double rho = 0.0;       // plan distance
    double r = 0.0;         // distance
    double alpha = 0.0;     // horizontal angle α
    double thetaP = 0.0;    // θ′
    double beta = 0.0;      // vertical angle β = θ′ - θ
    double delta = 0.0;     // angle of incidence δ
    double intensity = 0.0; // I the illuminances were computed with
    double eh = 0.0;
    double ev = 0.0;
    double transverse = 0.0;
    double longitudinal = 0.0;
    bool operator==(const FloodlightStep&) const = default;
};

// The step of a floodlight at a point with the intensity I, inside the site outline.
// The angles are radians; a value that would not be a finite number is 0.
FloodlightStep ComputeFloodlightStep(const Luminaire& floodlight, const Vector& point,
                                     double intensity);

// The rows for the points and floodlights: per point, one row per floodlight in list
// order, then the total row; each row starts with the point's stored intensity.
std::vector<FloodlightResultRow> BuildFloodlightRows(const std::vector<CalcPoint>& points,
                                                     const LuminaireList& floodlights);

// The floodlight number of a row: the leading integer of its label (as atoi reads it).
int FloodlightIndexOf(const FloodlightResultRow& row);

// Computes the rows in order: floodlight rows inside the site add to the running sums,
// which each total row takes and then resets. Returns each row's step (a cleared step for
// total rows) for the calculation book.
std::vector<FloodlightStep> ComputeFloodlightRows(std::vector<FloodlightResultRow>& rows,
                                                  const std::vector<Vector>& siteOutline,
                                                  const LuminaireList& floodlights, FloodMode mode);

// A floodlight's grid holds kcd for the luminaire's lamps, so the flux it encloses is at
// most the lamps' flux (their flux times the light output ratio). A grid enclosing more
// than this share of it is in another unit, e.g. cd per 1000 lm, and overstates every
// illuminance by the ratio.
inline constexpr double kFloodGridFluxAllowance = 1.05;

// The flux a floodlight's grid encloses against the flux of its lamps.
struct FloodGridFluxCheck {
    int index = 0;         // of the floodlight in its list, from 0
    double gridFlux = 0.0; // ∫ I dΩ over the grid, lm (FloodGridFlux)
    double lampFlux = 0.0; // the luminaire's flux nLuminousFlux, lm
    bool exceeds = false;  // gridFlux > kFloodGridFluxAllowance · lampFlux
    bool operator==(const FloodGridFluxCheck&) const = default;
};

// One check per floodlight that has a grid, in list order.
std::vector<FloodGridFluxCheck> CheckFloodGrids(const LuminaireList& floodlights);

// What the calculation book of the floodlight point illuminance states: the rows (each
// point's floodlight rows, then its total row), the step of each row from the last
// computation, the aimed floodlights the rows name by their index, and the flux check of
// their grids.
struct FloodPointRecord {
    std::vector<FloodlightResultRow> rows;
    std::vector<FloodlightStep> steps; // one per row
    LuminaireList floodlights;
    std::vector<FloodGridFluxCheck> gridChecks;
    bool operator==(const FloodPointRecord&) const = default;
};

// Computes the record's rows with its floodlights (ComputeFloodlightRows) and keeps their
// steps, so that the book states the computation the rows show; checks the floodlights'
// grids.
void ComputeFloodPointRecord(FloodPointRecord& record, const std::vector<Vector>& siteOutline,
                             FloodMode mode);

// Gives floodlight i the aiming point of row i; a floodlight without a row aims at
// (0, 0, 0). True when the counts match (else the panel warns and goes on).
bool AssignAimingPoints(LuminaireList& floodlights, const std::vector<Vector>& aimingPoints);

} // namespace qv
