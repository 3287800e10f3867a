#include "calc/indoor/AtanDegrees.h"

#include <limits>

namespace qv {

const AtanDegrees& AtanDegrees::Table() {
    static const AtanDegrees table;
    return table;
}

AtanDegrees::AtanDegrees() {
    for (int k = 0; k <= kMaxLookupDegrees; ++k) {
        m_tangent[static_cast<size_t>(k)] = std::tan(k * kDegToRad);
    }
    m_tangent[kMaxLookupDegrees + 1] = std::numeric_limits<double>::infinity();
    int degrees = 0;
    for (size_t bucket = 0; bucket < m_degreesAtBucket.size(); ++bucket) {
        const double start = static_cast<double>(bucket) / kBucketsPerUnit;
        while (start >= m_tangent[static_cast<size_t>(degrees) + 1]) {
            ++degrees;
        }
        m_degreesAtBucket[bucket] = static_cast<uint8_t>(degrees);
    }
}

} // namespace qv
