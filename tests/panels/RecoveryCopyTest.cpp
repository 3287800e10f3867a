// The recovery copy on disk: what it holds, when it is offered, and that a write that
// fails leaves the previous copy whole.
#include "panels/RecoveryCopy.h"
#include "model/ProjectFile.h"
#include "model/ProjectTestSupport.h"
#include "panels/ProjectHistory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

class RecoveryCopyTest : public ::testing::Test {
protected:
    static Project Office(const std::string& path) {
        Project project;
        project.kind = kIndoorProject;
        project.path = path;
        project.room.dLength = 12.5;
        project.room.dWidth = 6;
        project.room.outline = {{0, 0, 0}, {12.5, 0, 0}, {12.5, 6, 0}, {0, 6, 0}};
        Luminaire luminaire;
        luminaire.sName = "格栅灯";
        luminaire.ptCenter = {3, 2, 2.8};
        project.luminaires.Add(luminaire);
        return project;
    }
    // The note as a program that has ended would have left it: a process id no process
    // can have.
    void WriterGone(const std::string& rest) const {
        std::ofstream(copy.NotePath(), std::ios::binary | std::ios::trunc)
            << "2147483646 1796000000\n"
            << rest;
    }

    test::TempDir dir;
    RecoveryCopy copy{dir.Path().string()};
};

TEST_F(RecoveryCopyTest, TheCopyHoldsTheProjectAndItsPathAndIsOfferedOnlyOnceItsWriterIsGone) {
    const std::string odd = "/home/设计/a\nb.cil"; // a path may hold anything
    const Project project = Office(odd);
    ASSERT_TRUE(copy.Write(project));
    EXPECT_TRUE(fs::exists(copy.CopyPath(kIndoorProject)));
    EXPECT_FALSE(copy.Find()); // written by this very program, which still runs

    WriterGone(odd);
    const auto found = copy.Find();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->file, copy.CopyPath(kIndoorProject));
    EXPECT_EQ(found->projectPath, odd);
    EXPECT_EQ(found->writtenAt, 1796000000);
    Project read;
    ASSERT_TRUE(RecoveryCopy::Read(*found, read));
    EXPECT_TRUE(SameEdits(read, project));
    EXPECT_EQ(read.path, odd);

    copy.Remove();
    EXPECT_FALSE(copy.Find());
    EXPECT_TRUE(dir.Files().empty());
}

TEST_F(RecoveryCopyTest, AFailedWriteKeepsThePreviousCopyAndAnotherKindReplacesIt) {
    Project first = Office("");
    ASSERT_TRUE(copy.Write(first));
    Project second = first;
    second.room.dLength = 99;
    // Something in the way of the temporary file: the write fails, the copy stays.
    const fs::path blocker = copy.CopyPath(kIndoorProject) + ".writing.cil";
    fs::create_directories(blocker / "inside");
    EXPECT_FALSE(copy.Write(second));
    fs::remove_all(blocker);
    WriterGone("");
    Project read;
    ASSERT_TRUE(copy.Find());
    ASSERT_TRUE(RecoveryCopy::Read(*copy.Find(), read));
    EXPECT_TRUE(SameEdits(read, first));
    EXPECT_EQ(read.path, "");

    // An outdoor project's copy replaces the indoor one.
    Project site;
    site.kind = kOutdoorProject;
    site.room.outline = {{0, 0, 0}, {50, 0, 0}, {50, 40, 0}};
    ASSERT_TRUE(copy.Write(site));
    EXPECT_FALSE(fs::exists(copy.CopyPath(kIndoorProject)));
    WriterGone("");
    ASSERT_TRUE(copy.Find());
    EXPECT_EQ(copy.Find()->file, copy.CopyPath(kOutdoorProject));
}

TEST_F(RecoveryCopyTest, ABrokenNoteOrAMissingCopyOffersNothing) {
    ASSERT_TRUE(copy.Write(Office("/p.cil")));
    for (const char* note : {"", "abc", "-5 7\n/p.cil", "99999999999999999999 1\n/p.cil"}) {
        std::ofstream(copy.NotePath(), std::ios::binary | std::ios::trunc) << note;
        EXPECT_FALSE(copy.Find()) << note;
    }
    WriterGone("/p.cil");
    fs::remove(copy.CopyPath(kIndoorProject));
    EXPECT_FALSE(copy.Find());
    // A copy that is not a project file is offered, and reading it fails without harm.
    std::ofstream(copy.CopyPath(kIndoorProject)) << "<not xml";
    ASSERT_TRUE(copy.Find());
    Project untouched = Office("/keep.cil");
    const KvScopedMessageHandler quiet(
        [](const KvMessage& message) { return KvMessageSink::DefaultAnswer(message.buttons); });
    EXPECT_FALSE(RecoveryCopy::Read(*copy.Find(), untouched));
    EXPECT_EQ(untouched.path, "/keep.cil");
}

// Two programs open at once keep two copies: neither overwrites or removes the other's,
// and the newest copy of a program that is gone is offered.
TEST_F(RecoveryCopyTest, EachProgramKeepsItsOwnCopyAndTheNewestOfTheGoneIsOffered) {
    const fs::path other = dir.Path() / "recovery-2147483645";
    std::ofstream(other.string() + ".cil") << "<Main/>";
    std::ofstream(other.string() + ".note") << "2147483645 1700000000\n/old.cil";
    ASSERT_TRUE(copy.Write(Office("/mine.cil")));
    copy.Remove(); // this program's copy only
    EXPECT_TRUE(fs::exists(other.string() + ".cil"));
    ASSERT_TRUE(copy.Find());
    EXPECT_EQ(copy.Find()->projectPath, "/old.cil");

    ASSERT_TRUE(copy.Write(Office("/mine.cil")));
    WriterGone("/mine.cil"); // written later than the other one
    ASSERT_TRUE(copy.Find());
    EXPECT_EQ(copy.Find()->projectPath, "/mine.cil");
    RecoveryCopy::Discard(*copy.Find());
    ASSERT_TRUE(copy.Find());
    EXPECT_EQ(copy.Find()->projectPath, "/old.cil");
    RecoveryCopy::Discard(*copy.Find());
    EXPECT_FALSE(copy.Find());
    EXPECT_TRUE(dir.Files().empty());
}

} // namespace
} // namespace qv
