#include "calc/indoor/UnitCapacity.h"

#include "calc/common/Outline.h"
#include "calc/common/Photometry.h"
#include "calc/outdoor/FloodCapacity.h"
#include "model/Constants.h"

#include <kelvorin/KvStr.h>

#include <cmath>
#include <functional>
#include <map>
#include <utility>

namespace qv {
namespace {

constexpr double kPerCent = 0.01;
constexpr double kFullEfficiency = 70.0;
constexpr double kMiddleEfficiency = 60.0;
constexpr double kLowEfficiency = 50.0;
constexpr double kCorrectionAtFull = 1.0;
constexpr double kCorrectionAtMiddle = 1.22;
constexpr double kCorrectionAtLow = 1.47;
// The adjustment of a lamp type the C2 table does not know: none.
constexpr double kNoAdjustment = 1.0;

double FiniteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// The key texts of one table column as the tables hold them, with their numbers.
struct TableKeys {
    std::vector<std::string> texts;
    std::vector<double> values;
};

TableKeys Keys(std::vector<std::string> texts) {
    TableKeys keys;
    keys.texts = std::move(texts);
    for (const std::string& text : keys.texts) {
        keys.values.push_back(KvStr::Atof(text));
    }
    return keys;
}

// The value at x between the rows of the neighbouring keys, each row read by its key's
// text (upper neighbour first); 0 without keys.
using RowValue = std::function<double(const std::string& keyText, bool upper)>;

double LookUp(const TableKeys& keys, double x, const RowValue& row) {
    const Neighbours n = FindNeighbours(static_cast<int>(keys.values.size()), x,
                                        [&](int i) { return keys.values[static_cast<size_t>(i)]; });
    if (n.lower < 0) {
        return 0.0;
    }
    const auto upper = static_cast<size_t>(n.upper);
    const auto lower = static_cast<size_t>(n.lower);
    const double yUpper = row(keys.texts[upper], true);
    const double yLower = row(keys.texts[lower], false);
    return InterpolationStep(x, keys.values[upper], keys.values[lower], yUpper, yLower);
}

// The unit-capacity tables for one calculation: the key lists are read once.
class TableLookup {
public:
    explicit TableLookup(UnitCapacityTables& tables)
        : m_tables(tables), m_ratios(Keys(tables.RoomCavityRatios())),
          m_ceilings(Keys(tables.CeilingReflectances())), m_lampTypes(Keys(tables.C2LampTypes())) {}

    double P0(const UnitCapacityInputs& inputs, const std::string& kind, double rcr) {
        if (kind != kIncandescentKind && kind != kFluorescentKind) {
            return inputs.dUnitCapacity;
        }
        const bool incandescent = kind == kIncandescentKind;
        const std::string& distributionClass = inputs.sDistributionClass;
        return LookUp(m_ratios, rcr, [&](const std::string& ratio, bool) {
            return m_tables.P0(incandescent, distributionClass, ratio);
        });
    }

    double C1(double ceilingReflectance) {
        return LookUp(m_ceilings, ceilingReflectance, [&](const std::string& ceiling, bool upper) {
            return m_tables.C1(ceiling, upper);
        });
    }

    // The first C2 lamp type found inside the lamp type text; empty when none is.
    std::string C2Type(const std::string& lampType) const {
        for (const std::string& type : m_lampTypes.texts) {
            if (lampType.find(type) != std::string::npos) {
                return type;
            }
        }
        return std::string();
    }

    double C2(const std::string& type, double power) {
        auto powers = m_powers.find(type);
        if (powers == m_powers.end()) {
            powers = m_powers.emplace(type, Keys(m_tables.C2RatedPowers(type))).first;
        }
        return LookUp(powers->second, power,
                      [&](const std::string& rated, bool) { return m_tables.C2(type, rated); });
    }

private:
    UnitCapacityTables& m_tables;
    TableKeys m_ratios;
    TableKeys m_ceilings;
    TableKeys m_lampTypes;
    std::map<std::string, TableKeys> m_powers;
};

} // namespace

double EfficiencyCorrection(double efficiency) {
    if (efficiency >= kFullEfficiency || std::fabs(efficiency - kFullEfficiency) < kTolerance) {
        return kCorrectionAtFull;
    }
    if (efficiency > kMiddleEfficiency && efficiency < kFullEfficiency) {
        return InterpolationStep(efficiency, kFullEfficiency, kMiddleEfficiency, kCorrectionAtFull,
                                 kCorrectionAtMiddle);
    }
    if (std::fabs(efficiency - kMiddleEfficiency) < kTolerance) {
        return kCorrectionAtMiddle;
    }
    if (efficiency > kLowEfficiency && efficiency < kMiddleEfficiency) {
        return InterpolationStep(efficiency, kMiddleEfficiency, kLowEfficiency, kCorrectionAtMiddle,
                                 kCorrectionAtLow);
    }
    return kCorrectionAtLow;
}

UnitCapacityResult CalculateUnitCapacity(const Room& room, LuminaireList& entries,
                                         double efficiency, UnitCapacityTables& tables) {
    UnitCapacityResult result;
    result.area = OutlineArea(room.outline);
    result.standard = room.dLxStandard;
    result.efficiency = efficiency;
    result.cavity = RoomCavityRatio(room, entries);
    if (!result.cavity.ok) {
        return result;
    }
    for (const Luminaire& entry : entries.Items()) {
        result.sumWeight += entry.unitCapacity.dAreaWeight;
    }
    if (!tables.Open()) {
        result.status = UnitCapacityStatus::NoDatabase;
        result.e = -1.0;
        return result;
    }
    result.status = UnitCapacityStatus::Calculated;
    TableLookup lookup(tables);
    const double s = result.sumWeight;
    const double c = EfficiencyCorrection(efficiency);
    for (int i = 0; i < entries.Count(); ++i) {
        Luminaire& entry = entries.At(i);
        UnitCapacityInputs& inputs = entry.unitCapacity;
        UnitCapacityEntryTrace trace;
        trace.area = FiniteOrZero(result.area * inputs.dAreaWeight / s);
        trace.kind = UnitPowerKindOf(entry);
        trace.p0 = lookup.P0(inputs, trace.kind, result.cavity.rcr);
        trace.c1 = lookup.C1(result.cavity.rhoC * kPerCent);
        trace.power = LuminairePower(entry);
        trace.c2Type = lookup.C2Type(entry.lamp1.sName);
        trace.c2Power = entry.lamp1.dPower;
        if (trace.c2Type.empty()) {
            trace.c2 = kNoAdjustment;
        } else {
            trace.c2Reference = ReferenceLampKindFor(trace.c2Type);
            trace.c2 = lookup.C2(trace.c2Type, trace.c2Power);
        }
        trace.c = c;
        trace.capacity = FiniteOrZero(trace.p0 * trace.c1 * trace.c2 * trace.c);
        trace.count = inputs.nCount;
        trace.required = FiniteOrZero(trace.capacity * trace.area * result.standard);
        inputs.dUnitCapacity = trace.p0;
        inputs.dC1 = trace.c1;
        inputs.dC2 = trace.c2;
        inputs.dC = trace.c;
        inputs.dPower = trace.power;
        result.capacity += trace.capacity / s;
        result.installed += static_cast<double>(trace.count) * trace.power;
        result.required += trace.required;
        result.entries.push_back(trace);
    }
    result.installed = FiniteOrZero(result.installed);
    result.required = FiniteOrZero(result.required);
    const double capacityArea = result.capacity * result.area;
    result.e =
        std::fabs(capacityArea) >= kTolerance ? FiniteOrZero(result.installed / capacityArea) : 0.0;
    result.deficit = FiniteOrZero(result.required - result.installed);
    for (int i = 0; i < entries.Count(); ++i) {
        UnitCapacityEntryTrace& trace = result.entries[static_cast<size_t>(i)];
        // The rule of the floodlight method: trunc(ΔP/W - 0.001) + 1 while power is
        // missing, 0 for an entry without power.
        trace.needed = AdditionalFloodlights(result.deficit, trace.power);
        entries.At(i).unitCapacity.nNeeded = trace.needed;
    }
    return result;
}

double UnitCapacityIlluminance(const Room& room, LuminaireList& entries, double efficiency,
                               UnitCapacityTables& tables) {
    return CalculateUnitCapacity(room, entries, efficiency, tables).e;
}

} // namespace qv
