#pragma once
// The one registry of the run: the open editing panels, which panel kinds a command has
// opened, the program's catalogue connection and the installation paths.
#include "panels/EditingPanels.h"
#include "ui/AppPaths.h"

#include "catalogue/CatalogueDatabase.h"

#include <set>

namespace qv {

struct PanelRegistry {
    AppPaths paths;
    EditingPanels editing;
    std::set<int> opened; // the commands whose panel was opened (read by the plan)
    CatalogueDatabase* catalogue = nullptr; // the program's one connection, opened on use

    // Every panel closed with its working copy; the catalogue connection released.
    void CloseAll() {
        editing.CloseAll();
        if (catalogue != nullptr) {
            catalogue->Access().CloseAll();
        }
    }
};

} // namespace qv
