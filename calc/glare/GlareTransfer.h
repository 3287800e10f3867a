#pragma once
// Inter-reflection in a rectangular room taken as three diffuse surfaces: the reference
// plane ("floor", at eye height), the walls between it and the luminaire plane, and the
// ceiling (the luminaire plane). The UGR background needs the light that reaches the
// walls after at least one reflection.
namespace qv {

// Exact form factor between two directly opposed, parallel a × b rectangles a distance c
// apart (the share of the diffuse flux leaving one that reaches the other). 0 for a
// degenerate room.
double ParallelRectanglesFormFactor(double a, double b, double c);

// Reflectances (0..1) of the three surfaces.
struct RoomReflectances {
    double ceiling = 0.7;
    double walls = 0.5;
    double floor = 0.2;
};

// Flux arriving at the walls after one or more reflections, per unit of flux first
// falling on the floor, on the walls (that first incidence not counted) and on the
// ceiling, in an x × y room whose walls are h high.
struct WallTransferFactors {
    double fromFloor = 0.0;
    double fromWalls = 0.0;
    double fromCeiling = 0.0;
};

// The factors from the exact three-surface solution: form factors of the box and the
// 3 × 3 balance Φ = D + Mᵀ·ρ·Φ solved for a unit first incidence on each surface. Zero
// factors for a degenerate room.
WallTransferFactors WallTransfer(double x, double y, double h, const RoomReflectances& rho);

} // namespace qv
