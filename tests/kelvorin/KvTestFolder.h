#pragma once
// A scratch folder for one test, removed after it, and the checks that run the system's
// Python (skipped where it or a module is missing).
#include <kelvorin/KvFile.h>
#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kv_test {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string folder = (std::filesystem::temp_directory_path() / "kv-test-XXXXXX").string();
        if (::mkdtemp(folder.data()) != nullptr) {
            m_path = folder;
        }
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// A test with a scratch folder that records the messages shown.
class ScratchTest : public ::testing::Test {
protected:
    // Writes the bytes to a file of the folder; its path.
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = folder.File(name);
        EXPECT_TRUE(KvFile::WriteAtomically(path, bytes));
        return path;
    }

    ScratchFolder folder;
    std::vector<KvMessage> messages;
    KvScopedMessageHandler recorder{[this](const KvMessage& message) {
        messages.push_back(message);
        return KvMessageAnswer::Ok;
    }};
};

// Whether /usr/bin/python3 can import the module.
inline bool HasPythonModule(const std::string& module) {
    const std::string command = "/usr/bin/python3 -c 'import " + module + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Runs a Python script with the system's Python; its exit status.
inline int RunPython(const std::string& script) {
    const std::string command = "/usr/bin/python3 - <<'PYTHON'\n" + script + "\nPYTHON";
    return std::system(command.c_str());
}

} // namespace kv_test
