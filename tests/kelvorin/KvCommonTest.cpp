#include <kelvorin/CFileName.h>
#include <kelvorin/KvCommon.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "kvcommon-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(m_path); }
    const fs::path& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

void Touch(const std::string& path, const std::string& content = "x") {
    std::ofstream(path) << content;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(KvCommonFolders, RootIsTheParentOfTheModuleFolder) {
    EXPECT_EQ(KvCommon::GetRootPath("/Tools/Bin/App"), "/Tools/");
    EXPECT_EQ(KvCommon::GetTxtPath("/E/Q/Bin/Q"), "/E/Q/KvTxt/");
    EXPECT_EQ(KvCommon::GetLibPath("/E/Q/Bin/Q"), "/E/Q/Lib/");
    EXPECT_EQ(KvCommon::GetRootPath("/App"), "/");
    EXPECT_EQ(KvCommon::GetRootPath("/Bin/App"), "/");
    EXPECT_EQ(KvCommon::GetModulePath("/Tools/Bin/App"), "/Tools/Bin/");
    EXPECT_EQ(KvCommon::GetModuleName("/Tools/Bin/../Bin/App"), "/Tools/Bin/App");
}

TEST(KvCommonFolders, RunningProgramAndLibraryShareTheBuildRoot) {
    const std::string program = KvCommon::GetModuleName("");
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(fs::path(program).filename(), "kelvorin_tests");
    const std::string root = KvCommon::GetRootPath("");
    EXPECT_EQ(root, fs::path(program).parent_path().parent_path().string() + "/");
    EXPECT_EQ(KvCommon::GetTxtPath(""), root + "KvTxt/");

    const std::string library = KvCommon::GetLibraryModule();
    EXPECT_NE(library.find("libkelvorin.so"), std::string::npos) << library;
    EXPECT_EQ(KvCommon::GetRootPath(library), root);
    EXPECT_FALSE(KvCommon::TheModuleIsOpened("libkelvorin.so.0").empty());
    EXPECT_TRUE(KvCommon::TheModuleIsOpened("libnot-loaded.so").empty());
    EXPECT_FALSE(KvCommon::GetCurrentPath().empty());
}

TEST(KvCommonMakeDir, CreatesEveryLevelAndRefusesNonCanonicalPaths) {
    TempFolder temp;
    const std::string deep = temp / "a/b/c";
    EXPECT_EQ(KvCommon::MakeDir(deep), 1);
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_EQ(KvCommon::MakeDir(deep + "/"), 1); // existing levels are fine
    EXPECT_EQ(KvCommon::MakeDir("relative/dir"), 0);
    EXPECT_EQ(KvCommon::MakeDir(temp / "a/../x"), 0);
    Touch(temp / "file");
    EXPECT_EQ(KvCommon::MakeDir(temp / "file/sub"), 0);
}

TEST(KvCommonFiles, ListsBreadthFirstWithFullPaths) {
    TempFolder temp;
    fs::create_directories(temp / "b/deeper");
    fs::create_directories(temp / "a");
    Touch(temp / "z.txt");
    Touch(temp / "a/1.txt");
    Touch(temp / "b/2.txt");
    Touch(temp / "b/deeper/3.txt");
    std::vector<std::string> files{"kept"};
    EXPECT_EQ(KvCommon::KvCommon_GetAllFilesInPath(files, temp.path().string()), 4);
    const std::string base = temp.path().string() + "/";
    EXPECT_EQ(files, (std::vector<std::string>{"kept", base + "z.txt", base + "a/1.txt",
                                               base + "b/2.txt", base + "b/deeper/3.txt"}));
    EXPECT_EQ(KvCommon::KvCommon_GetAllFilesInPath(files, "not/absolute"), -1);
}

class KvCommonTrash : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_DATA_HOME");
        m_saved = old ? old : "";
        m_hadValue = old != nullptr;
        setenv("XDG_DATA_HOME", (m_data / "share").c_str(), 1);
    }
    void TearDown() override {
        if (m_hadValue) {
            setenv("XDG_DATA_HOME", m_saved.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }
    fs::path Trash() const { return fs::path(m_data / "share") / "Trash"; }

    TempFolder m_data;
    TempFolder m_work;

private:
    std::string m_saved;
    bool m_hadValue = false;
};

TEST_F(KvCommonTrash, DeletedFilesCanBeRestoredFromTheTrash) {
    const std::string file = m_work / "工程 1.cil";
    Touch(file, "project");
    EXPECT_EQ(KvCommon::GetTrashPath(), Trash().string() + "/");
    ASSERT_EQ(KvCommon::DeleteFileA(file), 1);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(ReadAll(Trash() / "files" / "工程 1.cil"), "project");
    const std::string info = ReadAll(Trash() / "info" / "工程 1.cil.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u);
    EXPECT_NE(info.find("%E5%B7%A5%E7%A8%8B%201.cil"), std::string::npos) << info;
    EXPECT_NE(info.find("\nDeletionDate="), std::string::npos);

    // A second file of the same name does not overwrite the first.
    Touch(file, "second");
    ASSERT_EQ(KvCommon::DeleteFileA(file), 1);
    EXPECT_EQ(ReadAll(Trash() / "files" / "工程 1.cil"), "project");
    EXPECT_EQ(ReadAll(Trash() / "files" / "工程 1.1.cil"), "second");
    EXPECT_TRUE(fs::exists(Trash() / "info" / "工程 1.1.cil.trashinfo"));

    EXPECT_EQ(KvCommon::DeleteFileA(m_work / "missing"), 0);
    EXPECT_EQ(KvCommon::DeleteFileA(""), 0);
}

TEST_F(KvCommonTrash, DeleteDirWholeOrFileByFile) {
    fs::create_directories(m_work / "keep/sub");
    Touch(m_work / "keep/a");
    Touch(m_work / "keep/sub/b");
    EXPECT_EQ(KvCommon::DeleteDir(m_work / "keep", 0), 1);
    EXPECT_TRUE(fs::is_directory(m_work / "keep/sub"));
    EXPECT_FALSE(fs::exists(m_work / "keep/a"));
    EXPECT_FALSE(fs::exists(m_work / "keep/sub/b"));

    EXPECT_EQ(KvCommon::DeleteDir(m_work / "keep", 1), 1);
    EXPECT_FALSE(fs::exists(m_work / "keep"));
    EXPECT_TRUE(fs::is_directory(Trash() / "files" / "keep" / "sub"));
    EXPECT_EQ(KvCommon::DeleteDir("relative", 0), 0);
}

TEST(CFileNameParts, SplitsFolderNameAndExtension) {
    CFileName file("/data/projects/office.v2.cil");
    EXPECT_EQ(file.GetFileName(), "office.v2.cil");
    EXPECT_EQ(file.GetFileTitle(), "office.v2");
    EXPECT_EQ(file.GetExtension(), ".cil");
    EXPECT_EQ(file.GetRoot(), "/data/projects/");
    EXPECT_EQ(file.GetDescription(), "CIL 文件");
    file.SetFileName("readme");
    EXPECT_EQ(file.GetRoot(), "");
    EXPECT_EQ(file.GetFileTitle(), "readme");
    EXPECT_EQ(file.GetDescription(), "文件");

    TempFolder temp;
    EXPECT_EQ(CFileName(temp.path().string() + "/").Exist(), 1);
    EXPECT_EQ(CFileName(temp.path().string() + "/").GetDescription(), "文件夹");
    EXPECT_EQ(CFileName(temp / "nothing").Exist(), 0);
    EXPECT_EQ(CFileName("").Exist(), 0);
}

} // namespace
