#pragma once
// Lighting power density of a room (installed lamp and ballast power per floor area),
// its value converted to the standard illuminance, and the rule by which every panel
// shows the two.
#include "model/Luminaire.h"
#include "model/Room.h"

#include <kelvorin/KvMessage.h>

#include <string>

namespace qv {

// The installed power of all entries (LuminairePower: every lamp of the first slot with
// its ballast, and of the second slot when the luminaire has one) over the outline's
// area; 0 for an area below the tolerance (or a power too large to be a number).
double LightingPowerDensity(const Room& room, const LuminaireList& luminaires);

// The number (from 1) of the first luminaire whose power is no number of watts
// (HasSoundPower), or 0 when every luminaire's is: with such a luminaire no density can
// be given.
int FirstUnsoundPower(const LuminaireList& luminaires);

// LPD·E/E_std; 0 for a standard below the tolerance (or a value too large to be a
// number).
double ConvertedPowerDensity(double lpd, double e, double standard);

// The two power densities as a panel shows them, with their texts and the label of the
// second one.
struct PowerDensityDisplay {
    double lpd = 0.0;    // cut toward zero to 2 decimals and read back
    double second = 0.0; // the LPD again, or the converted density cut to 2 decimals
    std::string lpdText;
    std::string secondText;
    std::string label; // "标准功率密度w/m2" or "折算功率密度w/m2" (no unit in the grid panel)
    bool operator==(const PowerDensityDisplay&) const = default;
};

enum class DensityLabel { WithUnit, Plain };

// The display rule: above the standard (E > E_std) the second value is the LPD under
// "标准功率密度", otherwise the density converted from the shown LPD under "折算功率密度".
PowerDensityDisplay ShowSecondDensity(double lpd, double e, double standard,
                                      DensityLabel style = DensityLabel::WithUnit);

// The menu command "照明功率密度计算(&W)": the message box it shows; a warning naming
// the first luminaire whose power is no number of watts, if any.
KvMessage PowerDensityMessage(const Room& room, const LuminaireList& luminaires);

} // namespace qv
