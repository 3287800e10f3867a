#pragma once
// Filling the catalogue records of a luminaire from the catalogue database: the lists
// the luminaire dialog offers, one lamp, one luminaire type with its three photometric
// tables. Values arrive as texts and are read with decimal conversion.
#include "catalogue/CatalogueDatabase.h"
#include "model/Luminaire.h"

#include <kelvorin/KvStTable.h>

#include <string>
#include <vector>

namespace qv {

// The drop-down lists, in the order the queries give; each returns the number of
// entries, -1 on failure.
int ListLuminaireNames(CatalogueDatabase& db, std::vector<std::string>& out);
int ListLuminaireModels(CatalogueDatabase& db, const std::string& name,
                        std::vector<std::string>& out);
int ListLampTypes(CatalogueDatabase& db, std::vector<std::string>& out);
int ListLampModels(CatalogueDatabase& db, const std::string& type, std::vector<std::string>& out);
int ListLampPowers(CatalogueDatabase& db, const std::string& type, const std::string& model,
                   std::vector<std::string>& out);

// The lamp of the first row matching the given keys (empty keys are left out of the
// condition): type, model, power and flux are taken; the ballast power and the count
// stay. 1 when a row was found; 0 otherwise, with the lamp unchanged. A power that is
// not a plain decimal number finds nothing.
int LoadLamp(CatalogueDatabase& db, const std::string& type, const std::string& model,
             const std::string& power, Lamp& lamp);

// The lamp a luminaire type records for itself, as the types imported from photometric
// files do: the 光源 rows whose type is the type's 光源 and whose model is the type's
// model, when they list exactly one power. 1 with that lamp's type and power (the text
// as ListLampPowers gives it); 0, outputs unchanged, when the type records none.
int FindRecordedLamp(CatalogueDatabase& db, const std::string& name, const std::string& model,
                     std::string& lampType, std::string& power);

// The luminaire type of the first row matching name and model: the type fields, both
// shapes (body dimensions from millimetres to metres) and the three tables, which are
// emptied first so that nothing of a previous type stays. 1 when a row was found; 0
// when the query fails or finds nothing, with the luminaire unchanged.
int LoadLuminaireType(CatalogueDatabase& db, const std::string& name, const std::string& model,
                      Luminaire& luminaire);

// Intensity curves A and B from the named table. A missing table writes
// "<NAME>数据已删除,请在(灯具扩充)中修改!" and a failing query
// "<NAME>数据错误,请在(灯具扩充)中修改!" to the catalogue's report; both leave the curves unchanged
// and give 0.
int LoadIntensityCurves(CatalogueDatabase& db, const std::string& table, IntensityCurve& a,
                        IntensityCurve& b);
// The coefficients of utilization; 0, table unchanged, when the query fails.
int LoadCuTable(CatalogueDatabase& db, const std::string& table, CuTable& cu);
// The floodlight intensity grid; 0, table unchanged, when the query fails.
int LoadFloodTable(CatalogueDatabase& db, const std::string& table, FloodIntensityTable& flood);

// The rows of a query result taken into the records: only rows with exactly the
// record's number of fields (3 for the curves and the grid, 5 for the coefficients);
// the others are skipped. The records are emptied first.
void TakeIntensityRows(const KvStTable& rows, IntensityCurve& a, IntensityCurve& b);
void TakeCuRows(const KvStTable& rows, CuTable& cu);
void TakeFloodRows(const KvStTable& rows, FloodIntensityTable& flood);

} // namespace qv
