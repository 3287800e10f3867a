// The folder and file name of a saved book: the setting, the desktop's documents folder
// and its fallbacks, and names that never replace an existing file.
#include "report/books/BookFolder.h"
#include "report/DesktopOpener.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace qv {
namespace {

namespace fs = std::filesystem;

// A temporary home with XDG_CONFIG_HOME unset, restoring both afterwards.
class BookFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string folder = (fs::temp_directory_path() / "qv-home-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        home = folder;
        Save("HOME", m_home);
        Save("XDG_CONFIG_HOME", m_config);
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    }
    void TearDown() override {
        Restore("HOME", m_home);
        Restore("XDG_CONFIG_HOME", m_config);
        fs::remove_all(home);
    }
    void UserDirs(const std::string& line) {
        fs::create_directories(home / ".config");
        std::ofstream(home / ".config" / "user-dirs.dirs") << "# written by the desktop\n"
                                                           << line << '\n';
    }
    fs::path home;

private:
    static void Save(const char* name, std::optional<std::string>& value) {
        const char* v = std::getenv(name);
        value = v ? std::optional<std::string>(v) : std::nullopt;
    }
    static void Restore(const char* name, const std::optional<std::string>& value) {
        value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    std::optional<std::string> m_home;
    std::optional<std::string> m_config;
};

TEST_F(BookFolderTest, SettingWinsOverTheDefault) {
    EXPECT_EQ(BookFolder(" /srv/books "), "/srv/books");
}

TEST_F(BookFolderTest, DocumentsFolderOfTheDesktop) {
    EXPECT_EQ(BookFolder(""), (home / "计算书").string()); // no Documents: the home folder
    fs::create_directories(home / "Documents");
    EXPECT_EQ(DocumentsFolder(), (home / "Documents").string());
    UserDirs("XDG_DOCUMENTS_DIR=\"$HOME/文档\"");
    EXPECT_EQ(BookFolder(""), (home / "文档" / "计算书").string());
    UserDirs("XDG_DOCUMENTS_DIR=\"$HOME/\""); // the desktop's "none"
    EXPECT_EQ(DocumentsFolder(), (home / "Documents").string());

    const fs::path config = home / "cfg";
    fs::create_directories(config);
    std::ofstream(config / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"/data/docs\"\n";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(DocumentsFolder(), "/data/docs");
}

TEST_F(BookFolderTest, NamesNeverReplaceAFile) {
    const fs::path folder = home / "计算书";
    const std::string first = FreeBookPath(folder.string(), "利用系数法照度计算书");
    EXPECT_EQ(first, (folder / "利用系数法照度计算书.docx").string());
    EXPECT_TRUE(fs::is_directory(folder));
    std::ofstream(first) << "x";
    EXPECT_EQ(FreeBookPath(folder.string(), "利用系数法照度计算书"),
              (folder / "利用系数法照度计算书 (2).docx").string());
    std::ofstream(folder / "利用系数法照度计算书 (2).docx") << "x";
    fs::create_symlink(folder / "missing", folder / "利用系数法照度计算书 (3).docx");
    EXPECT_EQ(FreeBookPath(folder.string(), "利用系数法照度计算书"),
              (folder / "利用系数法照度计算书 (4).docx").string());
    std::ofstream(home / "file") << "x";
    EXPECT_EQ(FreeBookPath((home / "file").string(), "book"), "");
}

// The opener is found only as an executable xdg-open in a folder of the search path.
TEST_F(BookFolderTest, TheDesktopOpenerIsAvailableOnlyWhenAnExecutableXdgOpenIsOnThePath) {
    const fs::path bin = fs::path(home) / "bin";
    const fs::path other = fs::path(home) / "other";
    fs::create_directories(bin);
    fs::create_directories(other);
    const std::string path = other.string() + ":" + bin.string();
    EXPECT_FALSE(DesktopOpenerIn(path));
    EXPECT_FALSE(DesktopOpenerIn(""));
    std::ofstream(bin / "xdg-open") << "#!/bin/sh\n";
    EXPECT_FALSE(DesktopOpenerIn(path)); // not executable
    fs::permissions(bin / "xdg-open", fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_TRUE(DesktopOpenerIn(path));
    EXPECT_FALSE(DesktopOpenerIn(other.string()));
}

} // namespace
} // namespace qv
