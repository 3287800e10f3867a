#pragma once
// The registry slots of the four editing panels (room, site, road, luminaire list): each
// empty or an open panel with its working copy; and the two hand-overs between them and
// the project.
#include "model/Project.h"
#include "panels/LuminaireListPanelModel.h"
#include "panels/RoadPanelModel.h"
#include "panels/RoomPanelModel.h"
#include "panels/SitePanelModel.h"

#include <memory>

namespace qv {

struct EditingPanels {
    std::unique_ptr<RoomPanelModel> room;
    std::unique_ptr<SitePanelModel> site;
    std::unique_ptr<RoadPanelModel> road;
    std::unique_ptr<LuminaireListPanelModel> luminaires;

    // Closes every panel; the working copies are lost.
    void CloseAll();
    bool AnyOpen() const { return room || site || road || luminaires; }
};

// Collect: each open panel (room, site, road, luminaires, in this order) takes the values
// from its controls and its working object is copied into the project; an open site
// panel wins over the room panel.
void CollectPanels(EditingPanels& panels, Project& project);

// Distribute: the project's objects are copied into the open panels (room, site,
// luminaires, road, in this order), which show them.
void DistributePanels(const Project& project, EditingPanels& panels);

} // namespace qv
