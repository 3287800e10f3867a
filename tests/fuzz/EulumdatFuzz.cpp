// The EULUMDAT reader on any text: a refusal says where, a file that reads passes the
// shared checks of its table, intensities and fluxes.
#include "PhotometricChecks.h"

#include "catalogue/photometry/PhotometricReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv;
    PhotometricData read;
    std::string error;
    if (!ReadEulumdat(std::string(fuzz::Bytes(data, size)), read, error)) {
        QV_FUZZ_CHECK(error.find(": ") != std::string::npos); // "LINE: what was wrong"
        return 0;
    }
    fuzz::CheckPhotometry(read);
    return 0;
}
