#pragma once
// Photometric files (.ies, .ldt) added to a catalogue as luminaire types: every file read
// and converted first, then all types written in one transaction, so that a bad file
// leaves the catalogue as it was. Used by `quorvel-calc catalogue import` and the
// luminaire dialog's "导入配光文件...".
#include "catalogue/photometry/CatalogueLuminaireType.h"
#include "catalogue/photometry/CatalogueTypeWriter.h"

#include <kelvorin/KvAccess.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

// Larger photometric files are refused before they are read.
inline constexpr std::uintmax_t kMaxPhotometricFileBytes = 16u << 20;

// Reads one photometric file (.ies or .ldt, at most kMaxPhotometricFileBytes); the message
// names the file (and the line).
bool ReadPhotometricDataFile(const std::string& file, PhotometricData& data, std::string& error);

// What a higher layer adds to a type from the file's full distribution before it is
// written (the UGR tables).
using TypeCompletion = std::function<void(const PhotometricData&, CatalogueLuminaireType&)>;

// Reads one file into a catalogue type; the message names the file (and the line).
bool ReadPhotometricType(const std::string& file, CatalogueLuminaireType& type, std::string& error,
                         const TypeCompletion& complete = nullptr);

// Reads every file, then adds the types to the catalogue; types and written get one entry
// per file. False with the reason (nothing written) on the first problem.
bool ImportPhotometricFiles(KvAccess& db, const std::vector<std::string>& files,
                            std::vector<CatalogueLuminaireType>& types,
                            std::vector<WrittenType>& written, std::string& error,
                            const TypeCompletion& complete = nullptr);

} // namespace qv
