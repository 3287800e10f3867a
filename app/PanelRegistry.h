#pragma once
// The one registry of the run: the open editing panels, which panel kinds a command has
// opened, the catalogue database connection and the installation paths.
#include "app/AppPaths.h"
#include "model/panels/EditingPanels.h"

#include <kelvorin/KvAccess.h>

#include <set>

namespace qv {

struct PanelRegistry {
    AppPaths paths;
    EditingPanels editing;
    std::set<int> opened; // the commands whose panel was opened (read by the plan)
    KvAccess database;    // connects on its first statement

    // Every panel closed with its working copy; the database connection released.
    void CloseAll() {
        editing.CloseAll();
        database.CloseAll();
    }
};

} // namespace qv
