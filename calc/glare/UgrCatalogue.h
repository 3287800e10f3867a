#pragma once
// UGR tables between the calculation and the catalogue: made for a type when its
// photometric file is imported, and read back for the luminaire dialog and the runner.
#include "calc/glare/UgrTable.h"
#include "catalogue/photometry/CatalogueLuminaireType.h"

#include <optional>

namespace qv {

// Adds the type's tables at the catalogue spacing (0.25H) and the standard one (1H); a
// distribution that cannot have a table gets none. Given to the photometric import.
void AddUgrTables(const PhotometricData& data, CatalogueLuminaireType& type);

CatalogueUgrTable ToCatalogueUgrTable(const UgrTable& table);

// The stored table as the calculation gives it; none unless it holds the 19 rooms in
// their order.
std::optional<UgrTable> FromCatalogueUgrTable(const CatalogueUgrTable& stored);

} // namespace qv
