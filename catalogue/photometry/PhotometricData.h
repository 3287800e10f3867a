#pragma once
// A luminaire's measured intensity distribution as a photometric file gives it (IES LM-63
// or EULUMDAT), in one form for both formats: the planes and angles of the measurement,
// the intensities in candela for the luminaire with its rated lamps, the lamps and the
// body dimensions.
//
// Plane systems:
// - type C: vertical planes around the luminaire's downward axis; a plane's angle C is
//   measured in plan from the C0 direction, the angle γ within a plane from the nadir.
// - type B (floodlights): planes through the horizontal axis across the beam; the
//   horizontal angle is lateral (left/right of the beam axis), the vertical angle up/down.
// Stored planes cover only what the file's symmetry needs; CandelaAt unfolds them.
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace qv {

enum class PhotometricSystem { kTypeC, kTypeB };

// Which part of the full circle of planes is stored (type C), or whether the lateral and
// vertical angles are mirrored about 0 (type B).
enum class PlaneCoverage {
    kRotational,      // one plane serves every C
    kQuadrant,        // C0..C90, mirrored about the C0-C180 and the C90-C270 planes
    kHalf0To180,      // C0..C180, mirrored about the C0-C180 plane
    kHalf90To270,     // C90..C270, mirrored about the C90-C270 plane
    kFull,            // planes all around; between the last plane and 360° the first repeats
    kLateralMirrored, // type B: horizontal angles 0..H stand for -H..H
    kAsMeasured       // type B: the angles as listed
};

struct PhotometricLamps {
    int count = 1;              // number of lamps of the luminaire
    double lumensPerLamp = 0.0; // rated flux of one lamp; 0 for absolute photometry
    double watts = 0.0;         // input power of the whole luminaire, W
    std::string type;           // lamp description of the file
};

// The luminous opening: the part of the luminaire that emits light, as the file gives it,
// in the luminaire's own C frame (metres). What the glare calculation divides the
// intensity by.
enum class LuminousShape {
    kNone,     // the file gives no luminous area (all sizes 0) or a shape not modelled
    kBox,      // a rectangle alongC0 × alongC90 facing down, with luminous side faces
    kCylinder, // a vertical cylinder (a disc when its sides are 0) of diameter alongC0
    kSphere    // a sphere of diameter alongC0
};

struct LuminousArea {
    LuminousShape shape = LuminousShape::kNone;
    double alongC0 = 0.0;  // extent along the C0-C180 axis; the diameter of round shapes
    double alongC90 = 0.0; // extent along the C90-C270 axis; the diameter of round shapes
    // Heights of the luminous side faces whose outward normals point to C0, C90, C180 and
    // C270 (a cylinder's side is their mean).
    std::array<double, 4> sides{};
};

struct PhotometricData {
    std::string format; // e.g. "IES LM-63-2002", "EULUMDAT"
    std::string name;   // luminaire name (description) of the file
    std::string model;  // catalogue number of the file
    PhotometricSystem system = PhotometricSystem::kTypeC;
    PlaneCoverage coverage = PlaneCoverage::kRotational;
    bool verticalMirrored = false; // type B: vertical angles 0..V stand for -V..V
    PhotometricLamps lamps;
    // Body dimensions in metres: length along the luminaire's axis (the C90-C270
    // direction), width across it; round bodies have width 0 and length = diameter.
    double length = 0.0;
    double width = 0.0;
    double height = 0.0;
    bool round = false;
    // The luminous opening. EULUMDAT: the luminous length lies along C90-C270 and the
    // width along C0-C180 (width 0: round), with the four side heights as given. LM-63:
    // the length lies along 0°-180° and the width along 90°-270°, the height is every
    // side's; negative width = length is round, all three negative a sphere.
    LuminousArea luminous;
    // Light output ratio the file declares (EULUMDAT, as a fraction of the lamp flux); 0
    // when the file gives none or an implausible one (outside 0 to 1.5).
    double declaredLor = 0.0;
    std::vector<double> planes; // C angles or type B horizontal angles, ascending
    std::vector<double> angles; // γ or type B vertical angles, ascending
    // candela[plane][angle]: intensity in cd (multipliers applied).
    std::vector<std::vector<double>> candela;
};

// Intensity in cd toward a direction: type C at plane c (any angle, degrees) and γ from
// the nadir (0..180); type B at the horizontal angle h and vertical angle v. Linear in
// both angles between the stored ones; symmetry unfolded; 0 outside the stored γ range of
// type C and outside the measured angles of type B.
double CandelaAt(const PhotometricData& data, double planeAngle, double angle);

// Intensity of a type C distribution averaged around the vertical axis at γ (cd): the
// mean over 72 planes at the middles of 5° steps of C.
double TypeCMeanIntensity(const PhotometricData& data, double gamma);

// Flux in lm of a distribution given by its intensity averaged around the vertical axis
// (cd, as a function of γ in degrees), between two whole angles from the nadir: the sum
// over the 1° rings between them of the ring's solid angle 2π(cos γ1 − cos γ2) times the
// intensity at the ring's middle angle. Exact for a constant intensity.
double RingFlux(const std::function<double(double)>& meanIntensity, int fromDegree, int toDegree);

// Total luminous flux of a type C distribution in lm: RingFlux of TypeCMeanIntensity
// from 0 to 180°.
double TypeCFlux(const PhotometricData& data);

// Total luminous flux of a type B distribution in lm: ∫∫ I cos h dh dv over the lateral
// angle h and the vertical angle v, by the midpoint rule over 1° steps.
double TypeBFlux(const PhotometricData& data);

// The rated lamp flux of the luminaire (count × lumens per lamp), or for absolute
// photometry the luminaire's own integrated flux.
double ReferenceFlux(const PhotometricData& data);

// Files hold at most this many angles of either kind; readers refuse larger counts before
// allocating.
inline constexpr int kMaxPhotometricAngles = 1441;
// Intensities above this (cd, multipliers applied) are refused as implausible, which keeps
// every sum of them finite.
inline constexpr double kMaxCandela = 1e10;
// And at most this many intensity values in all.
inline constexpr long kMaxPhotometricValues = 400000;
// A luminaire or its luminous opening is at most this long, wide or high (m); larger
// sizes are refused rather than carried into projects as unbounded lengths.
inline constexpr double kMaxLuminaireSize = 100.0;
// A luminaire's lamps give at most this flux together (lm): the catalogue stores fluxes
// as 32-bit numbers, and a larger one is refused rather than cut.
inline constexpr double kMaxLuminaireLumens = 2.0e9;
// Names, models and lamp types taken from a file keep at most this many bytes (cut at a
// character), without control characters.
inline constexpr size_t kMaxPhotometricText = 256;

// The text as a name from a file may hold it: control characters (other than tab, which
// becomes a blank) removed, at most kMaxPhotometricText bytes, not cut inside a UTF-8
// character.
std::string CleanPhotometricText(const std::string& text);

} // namespace qv
