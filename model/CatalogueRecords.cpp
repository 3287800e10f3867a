#include "model/CatalogueRecords.h"

#include "model/Tolerance.h"

namespace qv {

bool operator==(const Lamp& a, const Lamp& b) {
    return a.sName == b.sName && a.sModel == b.sModel && NearlyEqual(a.dPower, b.dPower) &&
           NearlyEqual(a.dBallastPower, b.dBallastPower) && a.nCount == b.nCount &&
           a.nLuminousFlux == b.nLuminousFlux;
}

bool operator==(const LuminaireShape& a, const LuminaireShape& b) {
    return a.nShape == b.nShape && NearlyEqual(a.dLength, b.dLength) &&
           NearlyEqual(a.dWidth, b.dWidth) && NearlyEqual(a.dHeight, b.dHeight);
}

bool operator==(const IntensityRow& a, const IntensityRow& b) {
    return NearlyEqual(a.dAngle, b.dAngle) && NearlyEqual(a.dLightStrong, b.dLightStrong);
}

bool operator==(const CuRow& a, const CuRow& b) {
    return NearlyEqual(a.dPcc, b.dPcc) && NearlyEqual(a.dPw, b.dPw) && NearlyEqual(a.dPf, b.dPf) &&
           NearlyEqual(a.dPCR, b.dPCR) && NearlyEqual(a.dUsing, b.dUsing);
}

bool operator==(const FloodIntensityRow& a, const FloodIntensityRow& b) {
    return NearlyEqual(a.dZXAngle, b.dZXAngle) && NearlyEqual(a.dHXAngle, b.dHXAngle) &&
           NearlyEqual(a.dLampGq, b.dLampGq);
}

} // namespace qv
