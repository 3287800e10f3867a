// The settings store on any file: the first listed sections are read for the keys the
// file names and for a window placement, as text, integers and doubles; then one key of
// the first section is written and read back as each kind of value, and the file keeps
// its sections.
#include "FuzzSupport.h"

#include <kelvorin/KvIniFile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The key names of the file's first lines (what stands before "="), and the placement
// keys, however the file spells them.
std::vector<std::string> KeysOf(std::string_view bytes) {
    std::vector<std::string> keys = {"length", "showCmd", "X", "Y", ""};
    size_t start = 0;
    while (start < bytes.size() && keys.size() < 12) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = bytes.substr(start, end - start);
        if (const size_t equals = line.find('='); equals != std::string_view::npos) {
            keys.emplace_back(line.substr(0, equals));
        }
        start = end + 1;
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv;
    const std::string_view bytes = fuzz::Bytes(data, size);
    const fuzz::TempFile file("settings", ".ini");
    file.Write(bytes);
    const std::string& path = file.Path();

    std::vector<std::string> sections;
    QV_FUZZ_CHECK(KvIniFile::GetAllSeg(sections, path) == 1);
    std::vector<std::string> read = sections;
    read.resize(std::min<size_t>(read.size(), 4));
    read.push_back("窗口位置");
    for (const std::string& section : read) {
        for (const std::string& key : KeysOf(bytes)) {
            const std::string text = KvIniFile::ReadKey(section, key, "", path);
            QV_FUZZ_CHECK(text.size() <= 2047 && text.find('\0') == std::string::npos);
            KvIniFile::ReadKey(section, key, 7, path);
            KvIniFile::ReadKey(section, key, 7L, path);
            QV_FUZZ_CHECK(std::isfinite(KvIniFile::ReadKey(section, key, 1.5, path)));
        }
        KvWindowPlacement placement;
        QV_FUZZ_CHECK(KvIniFile::LoadWindowPlacement(&placement, 1920, 1080, section, path) == 1);
        KvWindowRect window{10, 10, 400, 300};
        QV_FUZZ_CHECK(KvIniFile::LoadWindowPos(window, 3, "", {0, 0, 1920, 1080}, path) == 1);
    }

    // A written value reads back as each kind, into an existing section or a new one.
    const std::string section = sections.empty() ? "Fuzz" : sections.front();
    QV_FUZZ_CHECK(KvIniFile::WriteKey(section, "FuzzValue", std::string(" 1.5"), path) == 1);
    QV_FUZZ_CHECK(KvIniFile::ReadKey(section, "FuzzValue", "", path) == "1.5");
    QV_FUZZ_CHECK(KvIniFile::ReadKey(section, "FuzzValue", 0, path) == 1);
    QV_FUZZ_CHECK(KvIniFile::ReadKey(section, "FuzzValue", 0.0, path) == 1.5);
    std::vector<std::string> after;
    QV_FUZZ_CHECK(KvIniFile::GetAllSeg(after, path) == 1);
    QV_FUZZ_CHECK(after.size() == sections.size() + (sections.empty() ? 1 : 0));
    return 0;
}
