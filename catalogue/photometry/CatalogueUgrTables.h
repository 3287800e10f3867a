#pragma once
// Reads back the UGR tables an import stored for a luminaire type.
#include "catalogue/CatalogueDatabase.h"
#include "catalogue/photometry/CatalogueLuminaireType.h"

#include <string>
#include <vector>

namespace qv {

// The type's tables in the order of their spacing; none when the catalogue has no table
// "UGR表" or no rows for the type (a handbook type, or one imported before tables were
// kept). False when the table cannot be read or a row is not a row of numbers.
bool LoadUgrTables(CatalogueDatabase& db, const std::string& name, const std::string& model,
                   std::vector<CatalogueUgrTable>& tables);

} // namespace qv
