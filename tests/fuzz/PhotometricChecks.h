#pragma once
// The checks both photometric fuzz targets make on a file that read: its table has the
// shape its angles give, and the intensities and fluxes computed from it are finite.
#include "FuzzSupport.h"

#include "catalogue/photometry/CatalogueLuminaireType.h"
#include "catalogue/photometry/PhotometricData.h"

#include <cmath>

namespace qv::fuzz {

inline void CheckPhotometry(const PhotometricData& data) {
    QV_FUZZ_CHECK(data.candela.size() == data.planes.size());
    QV_FUZZ_CHECK(static_cast<long>(data.planes.size() * data.angles.size()) <=
                  kMaxPhotometricValues);
    for (const auto& plane : data.candela) {
        QV_FUZZ_CHECK(plane.size() == data.angles.size());
    }
    QV_FUZZ_CHECK(std::isfinite(data.length) && std::isfinite(data.width) &&
                  std::isfinite(data.height));
    QV_FUZZ_CHECK(data.name.size() <= kMaxPhotometricText &&
                  data.model.size() <= kMaxPhotometricText);
    // Planes and angles on, between and beyond the stored ones, negative ones included.
    const double planes[] = {-90.0, 0.0, 17.5, 90.0, 180.0, 271.0, 359.9, 725.0};
    const double angles[] = {-95.0, -30.0, 0.0, 0.5, 45.0, 90.0, 135.0, 180.0};
    for (const double plane : planes) {
        for (const double angle : angles) {
            QV_FUZZ_CHECK(std::isfinite(CandelaAt(data, plane, angle)));
        }
    }
    const double flux =
        data.system == PhotometricSystem::kTypeC ? TypeCFlux(data) : TypeBFlux(data);
    QV_FUZZ_CHECK(std::isfinite(flux));
    QV_FUZZ_CHECK(std::isfinite(ReferenceFlux(data)));

    CatalogueLuminaireType type;
    std::string error;
    if (!ToCatalogueType(data, "fuzz", type, error)) {
        QV_FUZZ_CHECK(!error.empty());
    }
}

} // namespace qv::fuzz
