#pragma once
// What the calculation book of the coefficient-of-utilization method states: the room's
// luminaire entries with their counts, the cavity ratio and the average illuminance
// against the standard, and the two power densities.
#include "calc/common/BookInputs.h"
#include "calc/common/Verdict.h"
#include "calc/indoor/LumenMethod.h"
#include "model/Luminaire.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// One luminaire entry of the room with its count ("个数"), its coefficient of utilization
// and the count still needed ("还需要").
struct LumenEntry {
    Luminaire luminaire;
    int count = 1;
    double u = 0.0;
    int needed = 0;
    bool operator==(const LumenEntry&) const = default;
};

struct LumenMethodRecord {
    std::vector<LumenEntry> entries;
    LumenMethodResult result;
    double standard = 0.0; // the room's standard illuminance, lx ("要达到的标准照度")
    // The two power densities as the panel shows them, and the label of the second one.
    double lpd = 0.0;
    double lpd2 = 0.0;
    std::string lpd2Label;
    BookInputs inputs; // the room and its placed luminaires
    // What the average is judged against in the book's "结论"; the standard above as a
    // design requirement when not given.
    std::optional<StandardBasis> basis;
    bool operator==(const LumenMethodRecord&) const = default;
};

} // namespace qv
