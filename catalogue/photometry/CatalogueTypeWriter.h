#pragma once
// Writes luminaire types made from photometric files into a catalogue database: the
// type's row of 灯具型号, its intensity table, its CU table or floodlight grid, and its
// lamp in 光源 when the catalogue does not list that lamp yet.
#include "catalogue/photometry/CatalogueLuminaireType.h"

#include <kelvorin/KvAccess.h>

#include <string>
#include <vector>

namespace qv {

// What was written for one type: the names of its tables (empty when none) and the lamp
// to choose for it ("TYPE,MODEL,POWER" as add-luminaire takes it).
struct WrittenType {
    std::string lightsTable;
    std::string cuTable;
    std::string floodTable;
    std::string lamp;
};

// Adds the types in one transaction: all of them or, on the first problem, none. A type
// whose name and model the catalogue already lists is refused. Table names are made from
// the model ("配光_…", "利用系数_…", "等光强_…"), with a number added when taken.
bool AddCatalogueTypes(KvAccess& db, const std::vector<CatalogueLuminaireType>& types,
                       std::vector<WrittenType>& written, std::string& error);

} // namespace qv
