#pragma once
// Horizontal, vertical and inclined illuminance at calculation points from the room's
// luminaires, each treated as a point or a linear source by its length against its
// height above the point.
//
// A run prepares every luminaire once (classification, frame matrix, intensities at the
// whole degrees the step can ask for); the per-luminaire step is then a pure function
// of a prepared luminaire and a point, which returns all its intermediate values. The
// point calculation, the room grid and the calculation book all use that one step, so
// they agree to the last bit.
#include "calc/common/Photometry.h"
#include "model/CalcPoint.h"
#include "model/Luminaire.h"

#include <array>
#include <vector>

namespace qv {

// A luminaire as one run of the point calculation needs it.
struct PreparedLuminaire {
    Vector position;
    FrameMatrix frame;         // of the luminaire's rotation
    double length = 0.0;       // L, m
    double fluxFactor = 0.0;   // Φ·K
    int linearType = kLinearA; // ClassifyLinearDistribution of curve A
    // IntensityAt of curves A and B at 0 to kMaxLookupDegrees whole degrees.
    std::array<double, kMaxLookupDegrees + 1> intensityA{};
    std::array<double, kMaxLookupDegrees + 1> intensityB{};
};

// Prepares a luminaire; previousType is the type kept when curve A cannot classify it
// (no 0° entry): kLinearA for a luminaire not classified before.
PreparedLuminaire PrepareLuminaire(const Luminaire& luminaire, int previousType = kLinearA);
std::vector<PreparedLuminaire> PrepareLuminaires(const LuminaireList& luminaires);

enum SourceKind { kPointSource = 0, kLinearSource = 1 };

// Where the foot of the perpendicular from the point falls against a linear source.
enum FootCaseKind {
    kFootOff = 0,      // none of the cases: the source contributes nothing
    kFootAtEnd = 1,    // at an end: one term of α1 + α2
    kFootBeyondE1 = 2, // on the extension beyond E1: e(α2) - e(α1)
    kFootBeyondE2 = 3, // on the extension beyond E2: e(α1) - e(α2)
    kFootOnSource = 4  // on the source: e(α1) + e(α2)
};

// The case of the foot f against the source from e1 to e2, from plan distances.
int FootCase(const Vector& e1, const Vector& e2, const Vector& f);

// Why a luminaire gave nothing at a point.
enum class StepOutcome {
    Contributes,
    LevelOrBelow,      // h below the tolerance
    NoIntensityAtZero, // curve B below the tolerance at 0°
    FootOff,           // foot case 0; the point's intensity is still set
    NotFinite          // a value overflowed or came from non-numbers in the data
};

// One term e(α) of a linear source with its azimuth factors.
struct AzimuthTerm {
    double alpha = 0.0; // radians
    AzimuthFactor factor;
    double eh = 0.0;
    double ev = 0.0;
    bool operator==(const AzimuthTerm&) const = default;
};

// Every value of one per-luminaire step, as the calculation book states them.
struct LuminaireStep {
    StepOutcome outcome = StepOutcome::LevelOrBelow;
    int sourceKind = kPointSource; // decided once h is at least the tolerance
    Vector local;                  // the point relative to the luminaire, in its frame
    double h = 0.0;                // -z' of local
    double d = 0.0;                // plan distance in the luminaire frame
    double theta = 0.0;            // radians
    int angleB = 0;                // whole degrees looked up in curve B (β, or θ for a line)
    int angleA = 0;                // whole degrees γ looked up in curve A (point source)
    double intensityA = 0.0;
    double intensityB = 0.0;
    double intensityB0 = 0.0;
    // I of a point source, I′ = I_B / L of a linear source: the point's last intensity.
    double intensity = 0.0;
    bool setsIntensity = false;
    // Linear source:
    double r = 0.0;  // distance from the point to the luminaire axis
    double r1 = 0.0; // to the end E1 = (-L/2, 0)
    double r2 = 0.0; // to the end E2 = (+L/2, 0)
    double alpha1 = 0.0;
    double alpha2 = 0.0;
    int footCase = kFootOff;
    int linearType = kLinearA;
    AzimuthTerm terms[2];
    int termCount = 0; // 1 for a foot at an end, else 2
    int termSign = 1;  // +1: sum of the terms; -1: the first minus the second
    // Contributions:
    double eh = 0.0;
    double ev = 0.0;
    double ei = 0.0;
    // Inclined plane, with n the unit normal of the point's plane and û_h the plan
    // direction from the point to the luminaire: Ei = Eh·(n_z + (d/h)·(n_h·û_h)).
    double nz = 1.0;      // n_z = cos ε
    double across = 0.0;  // n_h·û_h = sin ε·cos ψ; 0 for a luminaire straight above
    double tilt = 0.0;    // ε: the plane's tilt from level, radians
    double azimuth = 0.0; // ψ: in plan, from the plane's tilt direction to û_h, radians
    bool behind = false;  // n·u <= 0: the luminaire lies behind the plane and adds 0
    bool operator==(const LuminaireStep&) const = default;
};

// The per-luminaire step at a point (its position and the frame of its rotation).
LuminaireStep ComputeLuminaireStep(const PreparedLuminaire& luminaire, const Vector& position,
                                   const FrameMatrix& pointFrame);

// Adds a step's contributions to the point's results: the intensity when the step set
// one; Eh, Ev and Ei when it contributes, Eh also becoming lastContribution.
void ApplyStep(const LuminaireStep& step, CalcPoint& point, double& lastContribution);

// ComputeLuminaireStep at the point followed by ApplyStep; returns the step.
LuminaireStep AddLuminaireContribution(CalcPoint& point, const FrameMatrix& pointFrame,
                                       const PreparedLuminaire& luminaire,
                                       double& lastContribution);

// Zeroes the point's results, then inside the outline (on an edge or inside) adds the
// luminaires in list order. lastContributions holds one entry per luminaire (missing
// entries are added as 0).
void CalculatePoint(CalcPoint& point, const std::vector<Vector>& outline,
                    const std::vector<PreparedLuminaire>& luminaires,
                    std::vector<double>& lastContributions);

// Prepares the luminaires, then calculates the points in list order, showing the
// progress " 计算中..." every 100 points and closing it at the end. Each luminaire's
// dLastContribution is updated; returns the luminaires' linear distribution types.
std::vector<int> CalculatePoints(std::vector<CalcPoint>& points, const std::vector<Vector>& outline,
                                 LuminaireList& luminaires);

} // namespace qv
