#pragma once
// The one open project: its kind, the room (indoor) or site (outdoor), the road and the
// luminaires. The editing panels hand whole objects to it and take them back.
#include "model/Luminaire.h"
#include "model/ProjectInfo.h"
#include "model/Road.h"
#include "model/Room.h"

#include <string>

namespace qv {

enum ProjectKind { kNoProject = -1, kIndoorProject = 0, kOutdoorProject = 1 };

struct Project {
    std::string path;      // the project file; empty while never saved or opened
    int kind = kNoProject; // stored as "计算类型"
    Room room;             // the room, or the site of an outdoor project
    Road road;             // used by an outdoor project
    LuminaireList luminaires;
    ProjectInfo info; // stored as "项目信息"

    // New: room and road to their defaults, no luminaires, no path, no kind.
    void Reset() { *this = Project(); }
    // An indoor project with fewer than two corners and no luminaires; never offered for
    // saving.
    bool IsEmpty() const;
};

// The modified check: kinds identical, luminaire lists equal, and the room equal for an
// indoor project; for an outdoor project the site and the road are compared too, so an
// edit to either counts as a change. The project information counts for every kind. The
// path takes no part.
bool operator==(const Project& a, const Project& b);

} // namespace qv
