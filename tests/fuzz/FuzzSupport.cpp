#include "FuzzSupport.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace qv::fuzz {

TempFile::TempFile(const std::string& tag, const std::string& extension) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        folder = "/tmp";
    }
    m_path =
        (folder / ("quorvel-fuzz-" + std::to_string(::getpid()) + "-" + tag + extension)).string();
}

TempFile::~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}

void TempFile::Write(std::string_view bytes) const {
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    QV_FUZZ_CHECK(out.good());
}

QuietMessages::QuietMessages()
    : m_messages(
          [](const KvMessage& message) { return KvMessageSink::DefaultAnswer(message.buttons); }),
      m_progress([](const std::string&, int, int) {}) {}

} // namespace qv::fuzz
