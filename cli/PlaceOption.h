#pragma once
// The standard places of the runner: the catalogue the calculations read the limits of a
// project's standard place from, and "quorvel-calc info PROJECT --place 类别/场所", which
// sets the place and its standard illuminance of the room, or of the site or the road.
#include "catalogue/CatalogueDatabase.h"
#include "model/Project.h"

#include <kelvorin/KvAccess.h>

#include <string>

namespace qv::cli {

// The catalogue of the standards table, opened only when the project chose a place (the
// room's, the site's or the road's); Get() is null otherwise or when it cannot be opened,
// and the place is then judged by its illuminance alone.
class StandardsSource {
public:
    explicit StandardsSource(const Project& project, const std::string& cataloguePath = "");
    CatalogueDatabase* Get() { return m_connected ? &m_catalogue : nullptr; }

private:
    KvAccess m_access;
    CatalogueDatabase m_catalogue;
    bool m_connected = false;
};

struct PlaceArguments {
    std::string project;
    std::string place;     // "类别/场所"
    std::string catalogue; // empty: the catalogue in the text folder
    std::string target;    // "room", "site", "road"; empty: the room, or the site
};

// Looks the place up in the catalogue's standards table and stores it with its standard
// illuminance in the project file: the room of an indoor project, the site (target
// "site") or the road ("road") of an outdoor one. kBadInput with a message for a place
// that is not "类别/场所", that the table does not hold or that sets no illuminance, a
// target the project has not, or a catalogue that cannot be opened.
int SetStandardPlace(const PlaceArguments& arguments);

// The places of the project as "info" prints them: one line per place chosen
// ("照度标准场所(房间): 办公建筑/普通办公室, 300 lx"), or that none was chosen.
std::string PlaceLines(const Project& project);

} // namespace qv::cli
