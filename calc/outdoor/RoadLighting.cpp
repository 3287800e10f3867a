#include "calc/outdoor/RoadLighting.h"

#include "model/Constants.h"

#include <cmath>

namespace qv {
namespace {

double UsedUtilization(const RoadEntry& entry) {
    return entry.utilizationGiven ? entry.u : 0.0;
}

} // namespace

int ArrangementIndex(const std::string& text) {
    for (size_t i = 0; i < kRoadArrangements.size(); ++i) {
        if (text == kRoadArrangements[i]) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(kRoadArrangements.size());
}

RoadEntry StartingRoadEntry(const Road& road, const Luminaire& luminaire,
                            std::string& arrangementText) {
    RoadEntry entry;
    entry.luminaire = luminaire;
    entry.count = luminaire.unitCapacity.nCount;
    if (luminaire.road) {
        const RoadLightValues& kept = *luminaire.road;
        arrangementText = kept.sArrangement;
        entry.spacing = kept.dSpacing;
        entry.poleHeight = kept.dPoleHeight;
        entry.elevation = kept.dElevation;
        entry.u = kept.dUsing;
    } else {
        const bool listed =
            road.m_nLampType >= 0 && road.m_nLampType < static_cast<int>(kRoadArrangements.size());
        arrangementText = listed ? kRoadArrangements[static_cast<size_t>(road.m_nLampType)] : "";
        entry.spacing = road.m_dLampDis;
        entry.poleHeight = luminaire.ptCenter.z; // the light's mounting height
    }
    entry.arrangement = ArrangementIndex(arrangementText);
    return entry;
}

RoadLightValues RoadValuesOf(const RoadEntry& entry, const std::string& arrangementText) {
    RoadLightValues values;
    values.sArrangement = arrangementText;
    values.dSpacing = entry.spacing;
    values.dPoleHeight = entry.poleHeight;
    values.dElevation = entry.elevation;
    values.dUsing = entry.u;
    return values;
}

double RoadWidth(const Road& road) {
    double width = 0.0;
    for (const RoadComponent& component : road.components) {
        width += component.m_dWidth;
    }
    return width;
}

RoadLightingResult CalculateRoadLighting(const Road& road, std::vector<RoadEntry>& entries) {
    RoadLightingResult result;
    result.width = RoadWidth(road);
    result.standard = road.m_dLxStandard;
    const double w = result.width;
    const double m = static_cast<double>(entries.size());
    for (RoadEntry& entry : entries) {
        entry.n = entry.arrangement < 1 ? 1 : entry.arrangement;
        entry.spacingGiven = std::isfinite(entry.spacing) && entry.spacing >= kTolerance;
        entry.utilizationGiven = std::isfinite(entry.u) && entry.u > 0.0;
        entry.counted = w >= kTolerance && entry.spacingGiven;
        if (!entry.counted) {
            continue;
        }
        result.sumFlux += entry.count * static_cast<double>(entry.luminaire.nLuminousFlux);
        result.sumA +=
            entry.n * entry.luminaire.dVindicate * UsedUtilization(entry) / (m * entry.spacing);
    }
    const double e = result.sumA * result.sumFlux / w;
    result.e = std::isfinite(e) ? e : 0.0;
    result.deficit = result.standard - result.e;
    const double wStandard = w * result.standard;
    for (RoadEntry& entry : entries) {
        if (!(result.deficit > kTolerance)) {
            entry.computedSpacing = entry.spacing;
        } else if (wStandard >= kTolerance) {
            const double spacing = entry.n * static_cast<double>(entry.luminaire.nLuminousFlux) *
                                   entry.luminaire.dVindicate * UsedUtilization(entry) / wStandard;
            entry.computedSpacing = std::isfinite(spacing) ? spacing : 0.0;
        }
    }
    return result;
}

} // namespace qv
