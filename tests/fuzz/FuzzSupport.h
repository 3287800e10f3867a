#pragma once
// What the fuzz entry points share: a check that aborts (so libFuzzer and the corpus
// replay both report it, in every build type), files named after the process for the
// readers that take a path, and a quiet message sink for the refusals the readers show.
#include <kelvorin/KvMessage.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define QV_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace qv::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A file in the temporary folder named after the process and a tag (several fuzzers and
// replays may run at once); removed when the object goes.
class TempFile {
public:
    TempFile(const std::string& tag, const std::string& extension);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return m_path; }
    // Replaces the file's content; aborts when it cannot be written.
    void Write(std::string_view bytes) const;

private:
    std::string m_path;
};

// Messages of refused inputs go nowhere while the object lives.
class QuietMessages {
public:
    QuietMessages();

private:
    KvScopedMessageHandler m_messages;
    KvScopedProgressHandler m_progress;
};

} // namespace qv::fuzz
