#pragma once
// The room of an indoor project; the same record describes the floodlit site of an
// outdoor project.
#include "model/StandardPlace.h"
#include "model/Vector.h"

#include <vector>

namespace qv {

struct Room {
    double dLength = 0.0;        // overall length along X, m ("总长")
    double dWidth = 0.0;         // overall width along Y, m ("总宽")
    double dWorkHeight = 0.0;    // working plane above the floor, m ("工作面高度")
    Vector ptLeftBot;            // lower-left corner ("左下角位置")
    std::vector<Vector> outline; // plan corners along the walls (x, y; z is 0)
    double dReflectTop = 0.0;    // ceiling reflectance, % ("顶棚")
    double dReflectWall = 0.0;   // wall reflectance, % ("墙面")
    double dReflectFloor = 0.0;  // floor reflectance, % ("地面")
    double dWinInWall = 0.0;     // window-to-wall ratio, % ("墙窗比")
    double dLxStandard = 0.0;    // standard illuminance, lx ("照度标准lx")
    int nStartNum = 1;           // first luminaire number (from 1) of the site's floodlights
    int nEndNum = 1;             // last one, inclusive; stored as "m_nEndNum"
    StandardPlace standardPlace; // where dLxStandard came from; empty when typed

    void Reset() { *this = Room(); }
};

// ptLeftBot, the outline (same length, corners pairwise equal), the eight doubles within
// 1e-6, the two numbers and the standard place identical.
bool operator==(const Room& a, const Room& b);

} // namespace qv
