#include "panels/EditingPanels.h"

namespace qv {

void EditingPanels::CloseAll() {
    room.reset();
    site.reset();
    road.reset();
    luminaires.reset();
}

void CollectPanels(EditingPanels& panels, Project& project) {
    if (panels.room) {
        project.room = panels.room->TakeValues();
    }
    if (panels.site) {
        project.room = panels.site->TakeValues();
    }
    if (panels.road) {
        project.road = panels.road->TakeValues();
    }
    if (panels.luminaires) {
        project.luminaires = panels.luminaires->TakeValues();
    }
}

void DistributePanels(const Project& project, EditingPanels& panels) {
    if (panels.room) {
        panels.room->SetWorking(project.room);
    }
    if (panels.site) {
        panels.site->SetWorking(project.room);
    }
    if (panels.luminaires) {
        panels.luminaires->SetWorking(project.luminaires);
    }
    if (panels.road) {
        panels.road->SetWorking(project.road);
    }
}

} // namespace qv
