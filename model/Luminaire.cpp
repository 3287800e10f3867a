#include "model/Luminaire.h"

#include "model/Tolerance.h"

namespace qv {

bool operator==(const Luminaire& a, const Luminaire& b) {
    return a.ptCenter == b.ptCenter && a.Rotate == b.Rotate && a.sName == b.sName &&
           a.sModel == b.sModel && a.sLightsTable == b.sLightsTable &&
           a.sModulusTable == b.sModulusTable && a.sGradeTable == b.sGradeTable &&
           a.nLuminousFlux == b.nLuminousFlux && a.bLampHouse2 == b.bLampHouse2 &&
           a.nState == b.nState && a.lamp1 == b.lamp1 && a.lamp2 == b.lamp2 &&
           NearlyEqual(a.dVindicate, b.dVindicate) && a.geometricShape == b.geometricShape &&
           a.opticalShape == b.opticalShape;
}

bool LuminaireList::Replace(int index, const Luminaire& luminaire) {
    if (!ValidIndex(index)) {
        return false;
    }
    m_items[static_cast<size_t>(index)] = luminaire;
    return true;
}

bool LuminaireList::RemoveAt(int index) {
    if (!ValidIndex(index)) {
        return false;
    }
    m_items.erase(m_items.begin() + index);
    return true;
}

} // namespace qv
