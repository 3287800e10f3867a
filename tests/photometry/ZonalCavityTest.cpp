// Coefficients of utilization by the zonal-cavity method on cases worked out by hand: the
// zonal flux of isotropic and cosine sources against their exact integrals, the form
// factor's fit and its shallow-room limit, rooms whose inter-reflection has a closed form
// (black walls, no walls at RCR 0, lossless ceiling and walls), and the catalogue table.
#include "catalogue/photometry/ZonalCavity.h"
#include "catalogue/PhotometryDerivation.h"
#include "catalogue/photometry/CatalogueLuminaireType.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

double Cos(double degrees) {
    return std::cos(degrees * M_PI / 180.0);
}

// 1000/(4π) cd in every direction: 1000 lm, half of it upward.
ZonalLumens Isotropic() {
    return ZonalLumensOf([](double) { return 1000.0 / (4.0 * M_PI); });
}

// 1000/π cd·cosθ below the horizontal: 1000 lm, all of it downward.
ZonalLumens Lambertian() {
    return ZonalLumensOf(
        [](double angle) { return angle < 90.0 ? 1000.0 / M_PI * Cos(angle) : 0.0; });
}

// The cavity form factor of the square-room fit.
double Fit(double rcr) {
    return 0.026 + 0.503 * std::exp(-0.270 * rcr) + 0.470 * std::exp(-0.119 * rcr);
}

TEST(ZonalCavityTest, ZonesAreTheExactIntegralsOfIsotropicAndCosineSources) {
    const ZonalLumens isotropic = Isotropic();
    const ZonalLumens lambertian = Lambertian();
    for (int zone = 0; zone < 18; ++zone) {
        const double from = zone * 10.0;
        const double to = from + 10.0;
        // Φ = I·2π(cos θ1 − cos θ2): exact, whatever the rings.
        EXPECT_NEAR(isotropic.zones[zone], 500.0 * (Cos(from) - Cos(to)), 1e-9) << zone;
        // Φ = ∫ (1000/π)·cosθ·2π sinθ dθ = 1000·(sin²θ2 − sin²θ1) = 1000·(cos²θ1 − cos²θ2).
        const double exact = zone < 9 ? 1000.0 * (Cos(from) * Cos(from) - Cos(to) * Cos(to)) : 0.0;
        EXPECT_NEAR(lambertian.zones[zone], exact, 0.01) << zone;
    }
    // The zones add up to the source's flux: the zone-centre rule gave 1003.8 lm here.
    EXPECT_NEAR(isotropic.Downward(), 500.0, 1e-9);
    EXPECT_NEAR(isotropic.Upward(), 500.0, 1e-9);
    EXPECT_NEAR(lambertian.Downward(), 1000.0, 0.05);
    EXPECT_DOUBLE_EQ(lambertian.Upward(), 0.0);
}

TEST(ZonalCavityTest, ZonesOfAPrintedCurveMatchItsExactFlux) {
    // A piecewise linear curve with rows at whole degrees (as the catalogue keeps them):
    // each zone against the exact integral of the linear pieces.
    PrintedCurve curve;
    for (int degree = 0; degree <= 90; ++degree) {
        curve.push_back({double(degree), 300.0 * std::pow(Cos(degree), 3) + 20.0 * (degree < 60)});
    }
    const ZonalLumens lumens =
        ZonalLumensOf([&](double angle) { return CurveValueAt(curve, angle); });
    for (int zone = 0; zone < 9; ++zone) {
        const double exact = RotationalFlux(curve, zone * 10.0, zone * 10.0 + 10.0);
        EXPECT_NEAR(lumens.zones[zone], exact, 1e-4 * exact + 1e-9) << zone;
    }
}

TEST(ZonalCavityTest, FormFactorIsTheSquareRoomFitWithItsShallowLimit) {
    for (const double rcr : {0.5, 1.0, 2.0, 3.7, 5.0, 10.0}) {
        EXPECT_DOUBLE_EQ(CavityPlaneFormFactor(rcr), Fit(rcr)) << rcr;
    }
    EXPECT_NEAR(CavityPlaneFormFactor(1.0), 0.8272, 0.0001); // 0.026 + 0.3838 + 0.4173
    // No walls: the planes see only each other.
    EXPECT_DOUBLE_EQ(CavityPlaneFormFactor(0.0), 1.0);
    // Very shallow: the walls see half of each plane, f = 1 − RCR/5, joining the fit
    // where the fit's walls would see more.
    EXPECT_DOUBLE_EQ(CavityPlaneFormFactor(0.05), 0.99);
    double previous = 1.0;
    for (int step = 1; step <= 1000; ++step) {
        const double f = CavityPlaneFormFactor(step * 0.001);
        EXPECT_LT(f, previous) << step;
        EXPECT_LT(previous - f, 0.0003) << step; // continuous, slope at most 1/5
        EXPECT_LE((1.0 - f) * 2.5 / (step * 0.001), 0.5 + 1e-12) << step;
        previous = f;
    }
}

TEST(ZonalCavityTest, RoomsWithAClosedForm) {
    const ZonalLumens lambertian = Lambertian();
    const double down = lambertian.Downward() / 1000.0;

    // RCR 2: the zonal multipliers exp(−A·2^B) of the nine downward zones weigh the zones.
    const double a[] = {0.0, 0.041, 0.070, 0.100, 0.136, 0.190, 0.315, 0.640, 2.10};
    const double b[] = {0.0, 0.98, 1.05, 1.12, 1.16, 1.25, 1.25, 1.25, 0.80};
    double weighted = 0.0;
    for (int z = 0; z < 9; ++z) {
        weighted += std::exp(-a[z] * std::pow(2.0, b[z])) * lambertian.zones[z];
    }
    EXPECT_NEAR(DirectRatio(lambertian, 2.0), weighted / lambertian.Downward(), 1e-12);
    const double direct = DirectRatio(lambertian, 2.0) * down;

    // Black room: only the direct flux counts.
    EXPECT_NEAR(CoefficientOfUtilization(lambertian, 2.0, 0, 0, 0), direct, 1e-12);
    // Black walls: floor and ceiling exchange through f, p = D / (1 − ρc·ρf·f²).
    const double f = Fit(2.0);
    EXPECT_NEAR(CoefficientOfUtilization(lambertian, 2.0, 0.8, 0, 0.2),
                direct / (1 - 0.8 * 0.2 * f * f), 1e-12);

    // No walls (RCR 0): everything reaches the floor; p = (down + ρc·up)/(1 − ρc·ρf),
    // 1/0.84 for a downward luminaire under ceiling 80 and floor 20.
    EXPECT_NEAR(CoefficientOfUtilization(lambertian, 0.0, 0.8, 0.5, 0.2), down / 0.84, 1e-12);
    const ZonalLumens isotropic = Isotropic();
    for (const double wall : {0.0, 0.5, 0.9}) {
        EXPECT_NEAR(CoefficientOfUtilization(isotropic, 0.0, 0.7, wall, 0.2),
                    (0.5 + 0.7 * 0.5) / (1 - 0.7 * 0.2), 1e-12);
    }
    // ... and the shallowest rooms tend to it.
    EXPECT_NEAR(CoefficientOfUtilization(isotropic, 1e-6, 0.7, 0.5, 0.2),
                CoefficientOfUtilization(isotropic, 0.0, 0.7, 0.5, 0.2), 1e-5);

    // Lossless ceiling and walls: every lumen ends absorbed by the floor, so
    // (1 − ρf)·CU = 1 per lumen of the luminaire, whatever the form factors are, as long
    // as each surface's view adds up to the whole.
    for (const double rcr : {0.0, 0.03, 0.5, 1.0, 4.0, 10.0}) {
        for (const double floor : {0.0, 0.2}) {
            EXPECT_NEAR(CoefficientOfUtilization(isotropic, rcr, 1.0, 1.0, floor) * (1 - floor),
                        1.0, 1e-9)
                << rcr;
        }
    }
}

TEST(ZonalCavityTest, HostileRoomsGiveNoNumber) {
    const ZonalLumens lumens = Lambertian();
    for (const double rcr : {-1.0, std::nan(""), HUGE_VAL}) {
        EXPECT_TRUE(std::isnan(CoefficientOfUtilization(lumens, rcr, 0.7, 0.5, 0.2))) << rcr;
    }
    for (const double rho : {-0.1, 1.5, std::nan("")}) {
        EXPECT_TRUE(std::isnan(CoefficientOfUtilization(lumens, 2.0, rho, 0.5, 0.2))) << rho;
        EXPECT_TRUE(std::isnan(CoefficientOfUtilization(lumens, 2.0, 0.7, rho, 0.2))) << rho;
        EXPECT_TRUE(std::isnan(CoefficientOfUtilization(lumens, 2.0, 0.7, 0.5, rho))) << rho;
    }
}

TEST(ZonalCavityTest, TableKeysAndMonotony) {
    const CuTable table = CuTableOf(Lambertian());
    ASSERT_EQ(table.Count(), 300);
    EXPECT_EQ(table.At(0).dPcc, 0);
    EXPECT_EQ(table.At(299).dPcc, 80);
    EXPECT_EQ(table.At(299).dPw, 70);
    EXPECT_EQ(table.At(299).dPCR, 10);
    for (int i = 0; i < table.Count(); ++i) {
        const CuRow& row = table.At(i);
        EXPECT_EQ(row.dPf, 20);
        EXPECT_EQ(row.dUsing, std::round(row.dUsing * 100) / 100);
        if (row.dPCR > 1) { // falls as the room gets deeper
            EXPECT_LE(row.dUsing, table.At(i - 1).dUsing) << i;
        }
        if (row.dPw > 0) { // rises with the wall reflectance
            EXPECT_GE(row.dUsing, table.At(i - 10).dUsing) << i;
        }
    }
}

TEST(ZonalCavityTest, TableOfTwoCurvesIsTheTableOfTheirMean) {
    IntensityCurve a;
    IntensityCurve b;
    PrintedCurve mean;
    for (int degree = 0; degree <= 90; ++degree) {
        a.Append({double(degree), 400.0 * std::pow(Cos(degree), 2)});
        b.Append({double(degree), 250.0 * Cos(degree)});
        mean.push_back(
            {double(degree), 0.5 * (a.At(degree).dLightStrong + b.At(degree).dLightStrong)});
    }
    EXPECT_EQ(CuTableOfCurves(a, b),
              CuTableOf(ZonalLumensOf([&](double angle) { return CurveValueAt(mean, angle); })));
}

} // namespace
} // namespace qv::test
