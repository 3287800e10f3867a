#pragma once
// The checks both photometric fuzz targets make on a file that read: its table has the
// shape its angles give, its values keep the readers' bounds, and the intensities and
// fluxes computed from it are finite.
#include "FuzzSupport.h"

#include "catalogue/photometry/CatalogueLuminaireType.h"
#include "catalogue/photometry/PhotometricData.h"

#include <cmath>
#include <string>
#include <vector>

namespace qv::fuzz {

inline bool Ascending(const std::vector<double>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i]) || (i > 0 && !(values[i - 1] < values[i]))) {
            return false;
        }
    }
    return true;
}

// Text from a file as the catalogue may take it: bounded, without control characters.
inline bool CleanText(const std::string& text) {
    if (text.size() > kMaxPhotometricText) {
        return false;
    }
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            return false;
        }
    }
    return true;
}

inline void CheckPhotometry(const PhotometricData& data) {
    QV_FUZZ_CHECK(!data.planes.empty() && !data.angles.empty());
    QV_FUZZ_CHECK(data.candela.size() == data.planes.size());
    QV_FUZZ_CHECK(static_cast<long>(data.planes.size() * data.angles.size()) <=
                  kMaxPhotometricValues);
    QV_FUZZ_CHECK(Ascending(data.planes) && Ascending(data.angles));
    for (const auto& plane : data.candela) {
        QV_FUZZ_CHECK(plane.size() == data.angles.size());
        for (const double value : plane) {
            QV_FUZZ_CHECK(std::isfinite(value) && value <= kMaxCandela);
        }
    }
    for (const double size : {data.length, data.width, data.height}) {
        QV_FUZZ_CHECK(size >= 0.0 && size <= kMaxLuminaireSize);
    }
    QV_FUZZ_CHECK(data.lamps.count >= 1 && std::isfinite(data.lamps.lumensPerLamp) &&
                  data.lamps.count * data.lamps.lumensPerLamp <= kMaxLuminaireLumens);
    QV_FUZZ_CHECK(CleanText(data.name) && CleanText(data.model) && CleanText(data.lamps.type));
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
