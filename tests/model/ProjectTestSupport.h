#pragma once
// Helpers of the project-file tests: a scratch folder, whole-file text, recorders for
// the message and progress sinks, and the element outline of an XML file.
#include <kelvorin/KvMessage.h>

#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace qv::test {

// A fresh folder for one test, removed with its content afterwards.
class TempDir {
public:
    TempDir() {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::path(::testing::TempDir()) /
                 (std::string("qv_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }
    // Names of the files in the folder.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFileText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Records every message shown while it lives; answers with the default button.
class MessageRecorder {
public:
    MessageRecorder()
        : m_scope([this](const KvMessage& message) {
              messages.push_back(message);
              return KvMessageSink::DefaultAnswer(message.buttons);
          }) {}
    std::vector<KvMessage> messages;

private:
    KvScopedMessageHandler m_scope;
};

// Records every progress report while it lives.
class ProgressRecorder {
public:
    ProgressRecorder()
        : m_scope([this](const std::string& text, int position, int range) {
              reports.emplace_back(text, position, range);
          }) {}
    std::vector<std::tuple<std::string, int, int>> reports;

private:
    KvScopedProgressHandler m_scope;
};

// The elements of an XML file in document order, one line each: the element path from
// the root, then "=" and the text for an element without child elements.
inline std::vector<std::string> ElementOutline(const std::string& path) {
    pugi::xml_document document;
    const bool parsed = static_cast<bool>(document.load_file(path.c_str()));
    EXPECT_TRUE(parsed) << path;
    std::vector<std::string> lines;
    const auto visit = [&lines](const auto& self, pugi::xml_node node,
                                const std::string& prefix) -> void {
        const std::string name = prefix.empty() ? node.name() : prefix + "/" + node.name();
        if (!node.find_child([](pugi::xml_node c) { return c.type() == pugi::node_element; })) {
            lines.push_back(name + "=" + node.text().get());
            return;
        }
        lines.push_back(name);
        for (pugi::xml_node child : node.children()) {
            if (child.type() == pugi::node_element) {
                self(self, child, name);
            }
        }
    };
    visit(visit, document.document_element(), "");
    return lines;
}

} // namespace qv::test
