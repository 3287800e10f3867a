#pragma once
// The "数据库" menu: "灯具扩充" adds the luminaire types of photometric files (.ies, .ldt)
// to the catalogue database, "打开数据库文件夹" shows the folder the database lies in. The
// user is told the outcome through the message sink.
#include "catalogue/CatalogueDatabase.h"

#include <string>
#include <vector>

namespace qv {

// The file dialog's filter of the photometric files the catalogue takes.
inline constexpr const char* kPhotometricFileFilter = "配光文件 (*.ies *.IES *.ldt *.LDT)";

// Adds the types of the files to the catalogue, all of them or none, and tells which
// were added or why none was. An empty list (the dialog cancelled) does nothing.
// Returns the number of types added.
int ExtendLuminaireCatalogue(CatalogueDatabase& catalogue, const std::vector<std::string>& files);

// The folder of the catalogue file; empty, with a message, when it does not exist.
std::string CatalogueFolder(const CatalogueDatabase& catalogue);

} // namespace qv
