#pragma once
// What the calculation book of the unit-capacity method states: the entries with their
// unit-capacity values as calculated, everything the calculation worked out, and the
// texts shown beside it (actual illuminance, the efficiency chosen, the power densities).
#include "calc/common/BookInputs.h"
#include "calc/common/PowerDensity.h"
#include "calc/common/Verdict.h"
#include "calc/indoor/UnitCapacity.h"
#include "model/Luminaire.h"

#include <optional>
#include <string>

namespace qv {

struct UnitCapacityBookRecord {
    LuminaireList entries;
    UnitCapacityResult result;
    std::string illuminanceText; // "实际照度lx" as shown
    std::string efficiencyText;  // the efficiency combo's text ("灯具效率%")
    PowerDensityDisplay densities;
    BookInputs inputs; // the room and its placed luminaires
    // What the average is judged against in the book's "结论"; the result's standard as a
    // design requirement when not given.
    std::optional<StandardBasis> basis;
};

} // namespace qv
