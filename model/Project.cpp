#include "model/Project.h"

namespace qv {

bool Project::IsEmpty() const {
    return kind == kIndoorProject && room.outline.size() < 2 && luminaires.Empty();
}

bool operator==(const Project& a, const Project& b) {
    if (a.kind != b.kind || !(a.luminaires == b.luminaires) || !(a.info == b.info)) {
        return false;
    }
    if (a.kind == kIndoorProject) {
        return a.room == b.room;
    }
    if (a.kind == kOutdoorProject) {
        return a.room == b.room && a.road == b.road;
    }
    return true;
}

} // namespace qv
