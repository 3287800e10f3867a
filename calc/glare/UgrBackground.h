#pragma once
// The background luminance of the UGR tables: the walls' mean indirect illuminance taken
// as the eye's indirect vertical illuminance, from the luminaire's zone fluxes, the share
// of its direct flux on the floor, walls and ceiling of an x × y room (fitted factors by
// room index) and the room's inter-reflection.
#include "calc/glare/GlareTransfer.h"
#include "catalogue/photometry/PhotometricData.h"

#include <array>

namespace qv {

// Flux of the 18 zones of 10° from the nadir (0-10°, …, 170-180°) per lamp lumen: the
// intensity averaged around the vertical at each zone's middle angle times 2π·sin γ·Δγ,
// scaled so that the zones add up to the light output ratio (the declared one, or the
// integrated flux over the lamp flux when the file declares none). Type C data only.
using ZoneFluxes = std::array<double, 18>;
ZoneFluxes ZoneFluxesPerLampLumen(const PhotometricData& data);

// The fitted factors F_GL1..4 at room index k = x·y / (h·(x + y)): the tabulated row when
// k is one of the 13 keys (to two decimals), else linear between the nearest keys and the
// first or last row beyond them.
std::array<double, 4> DirectFloorFactors(double roomIndex);

// Direct flux per lamp lumen first falling on the floor, the walls and the ceiling.
struct DirectFractions {
    double floor = 0.0;
    double walls = 0.0;
    double ceiling = 0.0;
};
// From the zone fluxes: the floor's share from the cumulative flux into the cones of
// 41.4°, 60°, 75.5° and 90° weighted by DirectFloorFactors, the walls the rest of the
// downward flux, the ceiling all the upward flux (luminaires in the ceiling plane).
DirectFractions DirectFractionsOf(const ZoneFluxes& zones, double roomIndex);

// The walls' mean indirect illuminance in lx: count luminaires of lamp flux lampFlux (lm)
// in an x × y room whose walls are h high (the luminaires h above the eye).
double WallIndirectIlluminance(const DirectFractions& direct, double x, double y, double h,
                               const RoomReflectances& rho, int count, double lampFlux);

// The background luminance in cd/m² for an indirect illuminance at the eye (lx).
double BackgroundLuminance(double indirectIlluminance);

} // namespace qv
