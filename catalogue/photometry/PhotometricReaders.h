#pragma once
// Readers of the two photometric file formats. Both are strict: a file that does not
// follow its format is refused with "LINE: what was wrong", never half read. Counts are
// checked against kMaxPhotometricAngles and kMaxPhotometricValues before anything is
// allocated for them.
#include "catalogue/photometry/PhotometricData.h"

#include <string>

namespace qv {

// IES LM-63 (1986, 1991, 1995, 2002 and 2019 headers), photometric types C and B,
// TILT=NONE or TILT=INCLUDE. Values are separated by blanks or commas and may run over
// lines. Relative photometry (lumens per lamp given) and absolute photometry (lumens per
// lamp -1) are both read; the candela multiplier is applied, the ballast factor is not
// (it belongs to the installation, as the maintenance factor does). The tilt table is
// checked but not applied: the catalogue keeps the distribution as measured.
bool ReadIes(const std::string& text, PhotometricData& out, std::string& error);

// EULUMDAT, every symmetry indicator 0 to 4; numbers may use a decimal comma. The
// intensities (cd per 1000 lm of the first lamp set) times the conversion factor become
// candela for the first lamp set.
bool ReadEulumdat(const std::string& text, PhotometricData& out, std::string& error);

// The reader chosen by the file name's extension (.ies or .ldt, any case); false with a
// message for another extension.
bool ReadPhotometricFile(const std::string& fileName, const std::string& text, PhotometricData& out,
                         std::string& error);

} // namespace qv
