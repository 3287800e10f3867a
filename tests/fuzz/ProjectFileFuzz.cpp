// The project-file reader on any bytes: the first byte picks the extension ('o' an
// outdoor .col, anything else an indoor .cil), the rest is the file. What loads must
// save, load again, and save to the same text as before; saved over the file it came
// from, it must load again too.
#include "FuzzSupport.h"

#include "model/ProjectFile.h"

#include <kelvorin/KvFile.h>

namespace {

std::string ReadBack(const std::string& path) {
    std::string text;
    QV_FUZZ_CHECK(KvFile::ReadAll(path, text) == KvFileRead::Ok);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv;
    if (size == 0) {
        return 0;
    }
    const std::string extension = data[0] == 'o' ? ".col" : ".cil";
    fuzz::QuietMessages quiet;
    const fuzz::TempFile input("project-in", extension);
    const fuzz::TempFile saved("project-saved", extension);
    const fuzz::TempFile again("project-again", extension);
    input.Write(fuzz::Bytes(data + 1, size - 1));

    LoadOptions readOnly;
    readOnly.writeBack = false;
    Project project;
    if (!LoadProject(input.Path(), project, readOnly)) {
        return 0;
    }
    QV_FUZZ_CHECK(SaveProject(project, saved.Path()));
    Project reloaded;
    QV_FUZZ_CHECK(LoadProject(saved.Path(), reloaded, readOnly));
    QV_FUZZ_CHECK(SaveProject(reloaded, again.Path()));
    QV_FUZZ_CHECK(ReadBack(again.Path()) == ReadBack(saved.Path()));
    // Saved over the file it came from, the project merges into those elements.
    QV_FUZZ_CHECK(SaveProject(project, input.Path()));
    Project merged;
    QV_FUZZ_CHECK(LoadProject(input.Path(), merged, readOnly));
    return 0;
}
