#pragma once
// The tabular UGR of a luminaire type: 19 rooms x × y (in multiples of H) times 5
// reflectance combinations, looking crosswise and endwise. The observer sits at the middle
// of the wall x, eye 1.2 m above the floor, looking horizontally along y; the luminaires
// hang H above the eye on a square grid of spacing S = SHR·H, the first row and column S/2
// from the walls. The background luminance is the walls' indirect illuminance over π.
// Crosswise the line of sight runs across the luminaire's long axis (the luminous
// length: C90-C270 in EULUMDAT, 0°-180° in LM-63), endwise along it.
#include "calc/glare/GlareIntensity.h"
#include "calc/glare/GlareTransfer.h"
#include "catalogue/photometry/PhotometricData.h"

#include <array>
#include <string>

namespace qv {

inline constexpr int kUgrRoomCount = 19;
inline constexpr int kUgrReflectanceCount = 5;

// The rooms in table order, x and y in multiples of H.
struct UgrRoom {
    int x;
    int y;
};
inline constexpr std::array<UgrRoom, kUgrRoomCount> kUgrRooms{{{2, 2},
                                                               {2, 3},
                                                               {2, 4},
                                                               {2, 6},
                                                               {2, 8},
                                                               {2, 12},
                                                               {4, 2},
                                                               {4, 3},
                                                               {4, 4},
                                                               {4, 6},
                                                               {4, 8},
                                                               {4, 12},
                                                               {8, 4},
                                                               {8, 6},
                                                               {8, 8},
                                                               {8, 12},
                                                               {12, 4},
                                                               {12, 6},
                                                               {12, 8}}};

// Ceiling / walls / floor reflectances in per cent, in column order.
inline constexpr std::array<std::array<int, 3>, kUgrReflectanceCount> kUgrReflectances{
    {{70, 50, 20}, {70, 30, 20}, {50, 50, 20}, {50, 30, 20}, {30, 30, 20}}};

// The two spacings tables are made for: the catalogue table (0.25) and the standard
// condition (1.0).
inline constexpr double kUgrCatalogueShr = 0.25;
inline constexpr double kUgrStandardShr = 1.0;

struct UgrTable {
    double shr = kUgrCatalogueShr; // spacing over H
    double flux = 0.0;             // lamp flux of one luminaire the table is for, lm
    // [room][reflectance combination]
    std::array<std::array<double, kUgrReflectanceCount>, kUgrRoomCount> crosswise{};
    std::array<std::array<double, kUgrReflectanceCount>, kUgrRoomCount> endwise{};
};

// Whether the distribution can have a UGR table; false with the reason (Chinese, for the
// user) when not: type B data, not a full C-γ distribution down to 90°, no lamp flux, or
// no luminous area.
bool CanHaveUgrTable(const PhotometricData& data, std::string& reason);

// Whether the luminaire's long axis (its luminous length) lies along C0-C180, as LM-63
// files have it; EULUMDAT puts it along C90-C270.
bool LuminousLengthAlongC0(const PhotometricData& data);

// The table at spacing shr (> 0, at most 4) for the distribution's own lamp flux. The
// table is the same for every H; heightAboveEye only sets the scale of the layout.
// False with the reason when the type cannot have one or shr is out of range. Intensities
// by monotone cubic interpolation unless told otherwise: both interpolations reproduce the
// published tables within 0.1, the cubic one more often exactly.
bool ComputeUgrTable(const PhotometricData& data, double shr, UgrTable& table, std::string& reason,
                     IntensityInterpolation interpolation = IntensityInterpolation::kMonotoneCubic,
                     double heightAboveEye = 2.0);

// A table cell as printed: "<10.0" for a value below 10 (as the published tables print
// 9.97), else the value to 0.1.
std::string UgrCellText(double ugr);

// UGR at another lamp flux: + 8·log10(flux / tableFlux).
double UgrAtFlux(double ugr, double tableFlux, double flux);

} // namespace qv
