#include "calc/outdoor/FloodCapacity.h"

#include "calc/common/Outline.h"
#include "model/Constants.h"

#include <climits>
#include <cmath>

namespace qv {
namespace {

constexpr double kOtherLampUnitPower = 0.148;
constexpr double kLowestShareUtilization = 0.5;

} // namespace

double ShareClassUtilization(const std::string& shareClass) {
    static const double kUtilization[] = {0.9, 0.8, 0.7, 0.6};
    for (size_t i = 0; i < std::size(kUtilization); ++i) {
        if (shareClass == kFloodShareClasses[i]) {
            return kUtilization[i];
        }
    }
    return kLowestShareUtilization;
}

double LampTypeUnitPower(const std::string& lampType) {
    static const double kUnitPower[] = {0.234, 0.222, 0.089, 0.064, 0.049};
    for (size_t i = 0; i < std::size(kUnitPower); ++i) {
        if (lampType == kFloodLampTypes[i]) {
            return kUnitPower[i];
        }
    }
    return kOtherLampUnitPower;
}

double LampTypeEfficacy(const std::string& lampType) {
    return 1.0 / (LampTypeUnitPower(lampType) * kReferenceInstallationFactor);
}

int AdditionalFloodlights(double deficit, double pL) {
    if (!(deficit > kTolerance) || std::fabs(pL) < kTolerance) {
        return 0;
    }
    const double count = std::trunc(deficit / pL - 0.001) + 1.0;
    if (!(count < static_cast<double>(INT_MAX))) {
        return INT_MAX;
    }
    return count > static_cast<double>(INT_MIN) ? static_cast<int>(count) : INT_MIN;
}

FloodCapacityResult CalculateFloodCapacity(double eMin, const Room& site,
                                           std::vector<FloodCapacityEntry>& entries) {
    FloodCapacityResult result;
    const OutlineExtent extent = ExtentOf(site.outline);
    if ((extent.maxX - extent.minX) * (extent.maxY - extent.minY) < kTolerance) {
        return result;
    }
    for (const FloodCapacityEntry& entry : entries) {
        result.sumWeight += entry.luminaire.unitCapacity.dAreaWeight;
    }
    if (result.sumWeight < kTolerance) {
        return result;
    }
    result.area = OutlineArea(site.outline);
    if (result.area < kTolerance) {
        return result;
    }
    result.degenerate = false;
    const double s = result.sumWeight;
    const double a = result.area;
    for (FloodCapacityEntry& entry : entries) {
        const Luminaire& luminaire = entry.luminaire;
        const UnitCapacityInputs& inputs = luminaire.unitCapacity;
        entry.u = ShareClassUtilization(inputs.sShareClass);
        entry.efficacy = LampTypeEfficacy(inputs.sLampType);
        entry.x = entry.efficacy * luminaire.dVindicate * inputs.dUniformity * inputs.dEfficiency *
                  entry.u;
        // Two negative factors would make a positive X: every factor must be positive.
        entry.counted = entry.x >= kTolerance && inputs.dEfficiency > 0.0 &&
                        inputs.dUniformity > 0.0 && luminaire.dVindicate > 0.0;
        if (!entry.counted) {
            continue;
        }
        result.sumInverse += 1.0 / (entry.x * s);
        entry.required = eMin / entry.x * inputs.dAreaWeight * a / s;
        entry.pL = LuminairePower(luminaire);
        result.pReq += entry.required;
        result.pInst += inputs.nCount * entry.pL;
    }
    const double e = result.pInst / (result.sumInverse * a);
    result.e = std::isfinite(e) ? e : 0.0;
    result.deficit = result.pReq - result.pInst;
    for (FloodCapacityEntry& entry : entries) {
        entry.additional = AdditionalFloodlights(result.deficit, entry.pL);
        entry.luminaire.unitCapacity.nNeeded = entry.additional;
    }
    return result;
}

double FloodInstalledPowerDensity(const Room& site,
                                  const std::vector<FloodCapacityEntry>& entries) {
    double density = 0.0;
    for (const FloodCapacityEntry& entry : entries) {
        const int count = entry.luminaire.unitCapacity.nCount;
        if (count < 1) {
            continue;
        }
        LuminaireList one;
        one.Add(entry.luminaire);
        density += count * LightingPowerDensity(site, one);
    }
    return std::isfinite(density) ? density : 0.0;
}

LuminaireList LuminairesInRange(const LuminaireList& luminaires, int first, int last) {
    LuminaireList range;
    const int from = first < 1 ? 1 : first;
    const int to = last < luminaires.Count() ? last : luminaires.Count();
    for (int number = from; number <= to; ++number) {
        range.Add(luminaires.At(number - 1));
    }
    return range;
}

} // namespace qv
