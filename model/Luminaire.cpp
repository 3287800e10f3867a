#include "model/Luminaire.h"

#include "model/Tolerance.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

// Incandescent and halogen lamps by the words the catalogue and imported photometric
// files name them with.
bool IsIncandescent(const std::string& lampType) {
    for (const char* word : {"白炽", "卤钨", "卤素"}) {
        if (lampType.find(word) != std::string::npos) {
            return true;
        }
    }
    const std::string upper = KvStr::MakeUpper(lampType);
    return upper.find("INCANDESCENT") != std::string::npos ||
           upper.find("HALOGEN") != std::string::npos;
}

bool SlotIsSound(const Lamp& lamp) {
    if (lamp.nCount == 0) {
        return true;
    }
    return lamp.nCount > 0 && std::isfinite(lamp.dPower) && lamp.dPower >= 0.0 &&
           std::isfinite(lamp.dBallastPower) && lamp.dBallastPower >= 0.0;
}

} // namespace

double LampSlotPower(const Lamp& lamp) {
    if (lamp.nCount <= 0) {
        return 0.0;
    }
    return static_cast<double>(lamp.nCount) * (lamp.dPower + lamp.dBallastPower);
}

double LuminairePower(const Luminaire& luminaire) {
    double power = LampSlotPower(luminaire.lamp1);
    if (luminaire.bLampHouse2 != 0) {
        power += LampSlotPower(luminaire.lamp2);
    }
    return power;
}

bool HasSoundPower(const Luminaire& luminaire) {
    const bool second = luminaire.bLampHouse2 != 0;
    return SlotIsSound(luminaire.lamp1) && (!second || SlotIsSound(luminaire.lamp2)) &&
           std::isfinite(LuminairePower(luminaire));
}

const char* ReferenceLampKindFor(const std::string& lampType) {
    return IsIncandescent(lampType) ? kIncandescentKind : kFluorescentKind;
}

std::string UnitPowerKindOf(const Luminaire& luminaire) {
    const std::string& chosen = luminaire.unitCapacity.sUnitPowerKind;
    return chosen.empty() ? std::string(ReferenceLampKindFor(luminaire.lamp1.sName)) : chosen;
}

bool operator==(const Luminaire& a, const Luminaire& b) {
    return SameFitting(a, b) && a.ptAim == b.ptAim && a.road == b.road;
}

bool SameFitting(const Luminaire& a, const Luminaire& b) {
    return a.ptCenter == b.ptCenter && a.Rotate == b.Rotate && a.sName == b.sName &&
           a.sModel == b.sModel && a.sLightsTable == b.sLightsTable &&
           a.sModulusTable == b.sModulusTable && a.sGradeTable == b.sGradeTable &&
           a.nLuminousFlux == b.nLuminousFlux && a.bLampHouse2 == b.bLampHouse2 &&
           a.nState == b.nState && a.lamp1 == b.lamp1 && a.lamp2 == b.lamp2 &&
           NearlyEqual(a.dVindicate, b.dVindicate) && a.geometricShape == b.geometricShape &&
           a.opticalShape == b.opticalShape;
}

bool SameFittings(const LuminaireList& a, const LuminaireList& b) {
    return std::equal(a.Items().begin(), a.Items().end(), b.Items().begin(), b.Items().end(),
                      SameFitting);
}

bool operator==(const RoadLightValues& a, const RoadLightValues& b) {
    return a.sArrangement == b.sArrangement && NearlyEqual(a.dSpacing, b.dSpacing) &&
           NearlyEqual(a.dPoleHeight, b.dPoleHeight) && NearlyEqual(a.dElevation, b.dElevation) &&
           NearlyEqual(a.dUsing, b.dUsing);
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
