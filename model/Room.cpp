#include "model/Room.h"

#include "model/Tolerance.h"

namespace qv {

bool operator==(const Room& a, const Room& b) {
    return a.ptLeftBot == b.ptLeftBot && a.outline == b.outline &&
           NearlyEqual(a.dLength, b.dLength) && NearlyEqual(a.dWidth, b.dWidth) &&
           NearlyEqual(a.dWorkHeight, b.dWorkHeight) && NearlyEqual(a.dReflectTop, b.dReflectTop) &&
           NearlyEqual(a.dLxStandard, b.dLxStandard) &&
           NearlyEqual(a.dReflectWall, b.dReflectWall) && NearlyEqual(a.dWinInWall, b.dWinInWall) &&
           NearlyEqual(a.dReflectFloor, b.dReflectFloor) && a.nStartNum == b.nStartNum &&
           a.nEndNum == b.nEndNum && a.standardPlace == b.standardPlace;
}

} // namespace qv
