#include <kelvorin/KvFile.h>

#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class KvFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kvfile-XXXXXX").string();
        m_folder = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(m_folder); }
    std::string Path(const std::string& name) const { return (m_folder / name).string(); }
    size_t EntriesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_folder), {}));
    }

    fs::path m_folder;
};

TEST_F(KvFileTest, WritesReplaceWholeFilesAndKeepPermissions) {
    const std::string file = Path("a.cil");
    std::string content = "stale";
    EXPECT_EQ(KvFile::ReadAll(file, content), KvFileRead::Missing);
    EXPECT_TRUE(content.empty());
    ASSERT_TRUE(KvFile::WriteAtomically(file, "first"));
    fs::permissions(file, fs::perms(0640));
    ASSERT_TRUE(KvFile::WriteAtomically(file, std::string(100000, 'x')));
    EXPECT_EQ(KvFile::ReadAll(file, content), KvFileRead::Ok);
    EXPECT_EQ(content.size(), 100000u);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
    EXPECT_EQ(EntriesInFolder(), 1u); // no temporary file left behind
}

// The reasons are the user's words, never the system's English.
TEST_F(KvFileTest, ReasonsOfFailedWritesAreChinese) {
    std::string error;
    EXPECT_FALSE(KvFile::WriteAtomically(Path("no/such/folder/a.cil"), "x", &error));
    EXPECT_EQ(error.rfind("无法在所在文件夹中建立文件（文件夹不存在）", 0), 0u) << error;
    EXPECT_FALSE(KvFile::WriteAtomically("", "x", &error));
    EXPECT_EQ(error.rfind("没有给出文件名", 0), 0u) << error;
    EXPECT_EQ(KvFile::ErrorReason(ENOSPC), "磁盘已满");
    EXPECT_EQ(KvFile::ErrorReason(EACCES), "没有写入权限");
    EXPECT_EQ(KvFile::ErrorReason(EROFS), "磁盘是只读的");
    EXPECT_EQ(KvFile::ErrorReason(123456), "系统错误 123456");
}

TEST_F(KvFileTest, RefusedWritesLeaveTheOldFileAndSayWhy) {
    const std::string file = Path("locked.cil");
    ASSERT_TRUE(KvFile::WriteAtomically(file, "keep me"));
    fs::permissions(file, fs::perms(0444));
    std::string error;
    EXPECT_FALSE(KvFile::WriteAtomically(file, "lost", &error));
    EXPECT_EQ(error.rfind("文件是只读的", 0), 0u) << error;
    std::string content;
    EXPECT_EQ(KvFile::ReadAll(file, content), KvFileRead::Ok);
    EXPECT_EQ(content, "keep me");

    fs::create_directory(Path("folder"));
    EXPECT_FALSE(KvFile::WriteAtomically(Path("folder"), "x", &error));
    EXPECT_EQ(KvFile::ReadAll(Path("folder"), content), KvFileRead::Failed);
    EXPECT_FALSE(KvFile::WriteAtomically(Path("missing/x.cil"), "x", &error));
    EXPECT_NE(error.find("missing/x.cil"), std::string::npos);
    EXPECT_FALSE(KvFile::WriteAtomically("", "x"));
    EXPECT_EQ(EntriesInFolder(), 2u);
}

TEST_F(KvFileTest, SymbolicLinksAreWrittenThrough) {
    const std::string target = Path("real.ini");
    ASSERT_TRUE(KvFile::WriteAtomically(target, "old"));
    fs::create_symlink(target, Path("link.ini"));
    ASSERT_TRUE(KvFile::WriteAtomically(Path("link.ini"), "new"));
    EXPECT_TRUE(fs::is_symlink(Path("link.ini")));
    std::string content;
    KvFile::ReadAll(target, content);
    EXPECT_EQ(content, "new");
}

TEST_F(KvFileTest, StreamedWritesAndComparisons) {
    const std::string file = Path("big.cil");
    const std::string piece(300000, 'p');
    const KvFile::Producer threePieces = [&](const KvFile::Put& put) {
        return put(piece) && put("middle") && put(piece);
    };
    ASSERT_TRUE(KvFile::WriteAtomicallyStreamed(file, threePieces));
    std::string content;
    KvFile::ReadAll(file, content);
    EXPECT_EQ(content, piece + "middle" + piece);
    EXPECT_TRUE(KvFile::HoldsExactly(file, threePieces));

    // A difference anywhere, a shorter or a longer text, or no file: not the same.
    EXPECT_FALSE(KvFile::HoldsExactly(
        file, [&](const KvFile::Put& put) { return put(piece) && put("Middle") && put(piece); }));
    EXPECT_FALSE(KvFile::HoldsExactly(file, [&](const KvFile::Put& put) { return put(piece); }));
    EXPECT_FALSE(KvFile::HoldsExactly(
        file, [&](const KvFile::Put& put) { return threePieces(put) && put("x"); }));
    EXPECT_FALSE(KvFile::HoldsExactly(Path("none"), threePieces));

    // A producer that gives up midway leaves the old file and no temporary one.
    std::string error;
    EXPECT_FALSE(KvFile::WriteAtomicallyStreamed(
        file, [&](const KvFile::Put& put) { return put("partial") && false; }, &error));
    EXPECT_FALSE(error.empty());
    KvFile::ReadAll(file, content);
    EXPECT_EQ(content.size(), 2 * piece.size() + 6);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

} // namespace
