#include <kelvorin/KvFile.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utime.h>

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

// A save killed before its rename left "<name>.tmp-XXXXXX": the next save of that target
// removes those older than the running program, and nothing else.
TEST_F(KvFileTest, TheNextSaveRemovesStaleTemporariesOfItsTarget) {
    const auto make = [this](const std::string& name, bool old) {
        std::ofstream(Path(name)) << "partial";
        if (old) {
            const std::time_t hourAgo = std::time(nullptr) - 3600;
            const utimbuf times{hourAgo, hourAgo};
            ::utime(Path(name).c_str(), &times);
        }
    };
    make("a.cil.tmp-Ab12Cd", true);   // left by a killed save: goes
    make("a.cil.tmp-Ef34Gh", false);  // newer than this run (another writer): stays
    make("b.cil.tmp-Ij56Kl", true);   // another target: stays
    make("a.cil.tmp-toolong", true);  // not of the pattern: stays
    make("a.cil.tmp-Mn78Op.x", true); // not of the pattern: stays
    ASSERT_TRUE(KvFile::WriteAtomically(Path("a.cil"), "whole"));
    EXPECT_FALSE(fs::exists(Path("a.cil.tmp-Ab12Cd")));
    for (const char* kept :
         {"a.cil.tmp-Ef34Gh", "b.cil.tmp-Ij56Kl", "a.cil.tmp-toolong", "a.cil.tmp-Mn78Op.x"}) {
        EXPECT_TRUE(fs::exists(Path(kept))) << kept;
    }
}

// SIGTERM (or SIGINT) while a save is writing ends the program without leaving its
// temporary behind; the target keeps its old content.
TEST_F(KvFileTest, ATerminatedSaveRemovesItsTemporary) {
    const std::string file = Path("a.cil");
    ASSERT_TRUE(KvFile::WriteAtomically(file, "old"));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        KvFile::WriteAtomicallyStreamed(file, [&](const KvFile::Put& put) {
            put(std::string(100000, 'x'));
            const char byte = 1;
            [[maybe_unused]] const ssize_t told = ::write(ready[1], &byte, 1);
            std::this_thread::sleep_for(std::chrono::seconds(30));
            return true;
        });
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(EntriesInFolder(), 1u); // a.cil alone
    std::string content;
    EXPECT_EQ(KvFile::ReadAll(file, content), KvFileRead::Ok);
    EXPECT_EQ(content, "old");
}

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
