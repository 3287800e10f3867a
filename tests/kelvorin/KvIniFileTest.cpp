#include <kelvorin/KvIniFile.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class KvIniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kvini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        ini = (folder / "Quorvel.ini").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Content() const {
        std::ifstream in(ini, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Put(const std::string& text) const { std::ofstream(ini, std::ios::binary) << text; }
    int FilesInFolder() const {
        return static_cast<int>(std::distance(fs::directory_iterator(folder), {}));
    }

    fs::path folder;
    std::string ini;
};

TEST_F(KvIniFileTest, NumbersAreStoredAsTheirTextAndReadBackFromIt) {
    ASSERT_EQ(KvIniFile::WriteKey("S", "third", 1.0 / 3.0, ini), 1);
    KvIniFile::WriteKey("S", "tiny", 1e-7, ini);
    KvIniFile::WriteKey("S", "n", -42, ini);
    KvIniFile::WriteKey("S", "l", 7L, ini);
    EXPECT_EQ(KvIniFile::ReadKey("S", "third", "", ini), "0.333333");
    EXPECT_EQ(KvIniFile::ReadKey("S", "third", 0.0, ini), 0.333333);
    EXPECT_EQ(KvIniFile::ReadKey("S", "tiny", 5.0, ini), 0.0);
    EXPECT_EQ(KvIniFile::ReadKey("S", "n", 0, ini), -42);
    EXPECT_EQ(KvIniFile::ReadKey("S", "l", 0L, ini), 7L);
    EXPECT_EQ(KvIniFile::ReadKey("S", "missing", 0.1234567, ini), 0.123457); // rounded default
}

TEST_F(KvIniFileTest, ValuesAreTrimmedUnquotedAndParsedFromTheirLeadingNumber) {
    Put("[S]\r\nabc=abc\r\nmixed=12abc\r\nempty=\r\nquoted = \" a b \" \r\nsingle='x'\r\n"
        "half=\"x'\r\nwrap=4294967297\r\nneg=-2147483648\r\n");
    EXPECT_EQ(KvIniFile::ReadKey("S", "abc", 9.0, ini), 0.0);
    EXPECT_EQ(KvIniFile::ReadKey("S", "abc", 9, ini), 0);
    EXPECT_EQ(KvIniFile::ReadKey("S", "mixed", 9, ini), 12);
    EXPECT_EQ(KvIniFile::ReadKey("S", "empty", 9, ini), 9);
    EXPECT_EQ(KvIniFile::ReadKey("S", "empty", 9.0, ini), 0.0);
    EXPECT_EQ(KvIniFile::ReadKey("S", "quoted", "", ini), " a b ");
    EXPECT_EQ(KvIniFile::ReadKey("S", "single", "", ini), "x");
    EXPECT_EQ(KvIniFile::ReadKey("S", "half", "", ini), "\"x'");
    EXPECT_EQ(KvIniFile::ReadKey("S", "wrap", 0, ini), 1);
    EXPECT_EQ(KvIniFile::ReadKey("S", "neg", 0L, ini), -2147483648L);
}

TEST_F(KvIniFileTest, LongTextIsCutWithoutSplittingACharacter) {
    KvIniFile::WriteKey("S", "long", std::string(3000, 'a'), ini);
    EXPECT_EQ(KvIniFile::ReadKey("S", "long", "", ini), std::string(2047, 'a'));
    KvIniFile::WriteKey("S", "utf8", std::string(2045, 'a') + "中文", ini);
    EXPECT_EQ(KvIniFile::ReadKey("S", "utf8", "", ini), std::string(2045, 'a'));
}

TEST_F(KvIniFileTest, MissingFileGivesDefaultsAndIsCreatedByTheFirstWrite) {
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", "def", ini), "def");
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", 3, ini), 3);
    EXPECT_FALSE(fs::exists(ini));
    ASSERT_EQ(KvIniFile::WriteKey("照度标准", "父", "住宅", ini), 1);
    EXPECT_EQ(Content(), "[照度标准]\r\n父=住宅\r\n");
    EXPECT_EQ(KvIniFile::WriteKey("S", "k", "v", ""), 0);
}

TEST_F(KvIniFileTest, WritesKeepTheRestOfTheFileInPlace) {
    Put("\xEF\xBB\xBF; settings\n[Main]\nWidth = 5\n; note\n\n[Other]\nx=1");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(KvIniFile::ReadKey("main", "WIDTH", 0, ini), 5);
    ASSERT_EQ(KvIniFile::WriteKey("MAIN", "width", 6, ini), 1);
    KvIniFile::WriteKey("main", "height", 7, ini);
    KvIniFile::WriteKey("Other", "y", 2, ini);
    KvIniFile::WriteKey("New", "z", 3, ini);
    EXPECT_EQ(Content(), "\xEF\xBB\xBF; settings\n[Main]\nWidth=6\r\n; note\nheight=7\r\n\n"
                         "[Other]\nx=1\r\ny=2\r\n[New]\r\nz=3\r\n");
    EXPECT_EQ(KvIniFile::ReadKey("Other", "x", 0, ini), 1);
    EXPECT_EQ(fs::status(ini).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(KvIniFileTest, FailedOrRefusedWritesLeaveTheFileAsItWas) {
    Put("[S]\r\nk=v\r\n");
    EXPECT_EQ(KvIniFile::WriteKey("S", "k", "two\nlines", ini), 0);
    EXPECT_EQ(KvIniFile::WriteKey("S", "a=b", "v", ini), 0);
    EXPECT_EQ(Content(), "[S]\r\nk=v\r\n");
    const std::string inMissingFolder = (folder / "none" / "x.ini").string();
    EXPECT_EQ(KvIniFile::WriteKey("S", "k", "v", inMissingFolder), 0);
    fs::create_directory(folder / "dir.ini");
    EXPECT_EQ(KvIniFile::WriteKey("S", "k", "v", (folder / "dir.ini").string()), 0);
    EXPECT_EQ(KvIniFile::DeleteSeg("S", (folder / "dir.ini").string()), 0);
    EXPECT_EQ(FilesInFolder(), 2); // no temporary file left behind
}

TEST_F(KvIniFileTest, GetAllSegListsBracketedLines) {
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(KvIniFile::GetAllSeg(names, ini), 0);
    EXPECT_TRUE(names.empty());
    Put("[A]\r\n  [B]  \r\n[]\r\nx\r\n[A]\r\n");
    EXPECT_EQ(KvIniFile::GetAllSeg(names, ini), 1);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "A"}));
}

TEST_F(KvIniFileTest, DeleteSegDropsTheSectionAndTrimsTheOtherLines) {
    Put("  [A] \na=1\n\n[Room]x\nr=2\n  [B]\nb=3\n[C]\nc=4\n");
    ASSERT_EQ(KvIniFile::DeleteSeg("Room", ini), 1); // prefix match; indented header skipped
    EXPECT_EQ(Content(), "[A]\r\na=1\r\n\r\n[C]\r\nc=4\r\n");
    ASSERT_EQ(KvIniFile::DeleteSeg("C", ini), 1);
    EXPECT_EQ(Content(), "[A]\r\na=1\r\n\r\n");
    EXPECT_EQ(KvIniFile::DeleteSeg("Missing", ini), 1);
    EXPECT_EQ(Content(), "[A]\r\na=1\r\n\r\n");
    EXPECT_EQ(KvIniFile::DeleteSeg("A", (folder / "none.ini").string()), 0);
}

TEST_F(KvIniFileTest, WindowPositionFallsBackInsideTheDesktop) {
    const KvWindowRect desktop{0, 0, 1920, 1080};
    ASSERT_EQ(KvIniFile::SaveWindowPos({-1, 20, 300, 220}, 1001, "", ini), 1);
    EXPECT_EQ(KvIniFile::ReadKey("窗口位置", "1001X", 0, ini), 100);
    EXPECT_EQ(KvIniFile::ReadKey("窗口位置", "1001Y", 0, ini), 50);
    KvWindowRect window{10, 10, 410, 310};
    KvIniFile::WriteKey("窗口位置", "dlgX", -5, ini);
    EXPECT_EQ(KvIniFile::LoadWindowPos(window, 0, "dlg", desktop, ini), 1);
    EXPECT_EQ(window, (KvWindowRect{100, 50, 500, 350}));
    KvIniFile::WriteKey("窗口位置", "dlgX", 2000, ini);
    KvIniFile::WriteKey("窗口位置", "dlgY", 70, ini);
    KvIniFile::LoadWindowPos(window, 0, "dlg", desktop, ini);
    EXPECT_EQ(window, (KvWindowRect{100, 70, 500, 370}));
}

TEST_F(KvIniFileTest, WindowPlacementIsRestoredAndFittedToTheScreen) {
    EXPECT_EQ(KvIniFile::SaveWindowPlacement(nullptr, "主窗口", ini), 0);
    EXPECT_EQ(KvIniFile::LoadWindowPlacement(nullptr, 800, 600, "主窗口", ini), 0);
    KvWindowPlacement saved;
    saved.showCmd = 2;
    saved.rcNormalPosition = {-50, -20, 150, 100};
    ASSERT_EQ(KvIniFile::SaveWindowPlacement(&saved, "主窗口", ini), 1);
    KvWindowPlacement loaded;
    ASSERT_EQ(KvIniFile::LoadWindowPlacement(&loaded, 800, 600, "主窗口", ini), 1);
    EXPECT_EQ(loaded.showCmd, 9);
    EXPECT_EQ(loaded.rcNormalPosition, (KvWindowRect{0, 0, 200, 100}));

    KvIniFile::WriteKey("主窗口", "showCmd", 1, ini);
    KvIniFile::WriteKey("主窗口", "rcNormalPositionright", 900L, ini);
    KvIniFile::WriteKey("主窗口", "rcNormalPositionbottom", 700L, ini);
    KvIniFile::LoadWindowPlacement(&loaded, 800, 600, "主窗口", ini);
    EXPECT_EQ(loaded.rcNormalPosition, (KvWindowRect{-150, -100, 800, 600}));

    KvIniFile::WriteKey("主窗口", "showCmd", 3, ini);
    KvIniFile::LoadWindowPlacement(&loaded, 800, 600, "主窗口", ini);
    EXPECT_EQ(loaded.rcNormalPosition, (KvWindowRect{-50, -20, 900, 700}));
    KvWindowPlacement untouched;
    KvIniFile::LoadWindowPlacement(&untouched, 800, 600, "nothing", ini);
    EXPECT_EQ(untouched, KvWindowPlacement{});
}

// Hostile settings files: binary content, broken structure, odd values and paths. Reads
// give a value or the default, never a crash; writes keep every other line.
TEST_F(KvIniFileTest, BinaryContentAndNulBytesReadSafely) {
    Put(std::string("[S]\r\nk=a\0b\r\n", 12) + "n=5\r\n");
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", "", ini), "a"); // the value ends at the NUL
    EXPECT_EQ(KvIniFile::ReadKey("S", "n", 0, ini), 5);
    std::string noise;
    for (int i = 0; i < 65536; ++i) {
        noise += static_cast<char>((i * 7919 + 13) % 256);
    }
    Put(noise);
    EXPECT_EQ(KvIniFile::ReadKey("主窗口", "flags", 7, ini), 7);
    ASSERT_EQ(KvIniFile::WriteKey("主窗口", "flags", 3, ini), 1);
    EXPECT_EQ(KvIniFile::ReadKey("主窗口", "flags", 7, ini), 3);
    EXPECT_EQ(Content().substr(0, 1000), noise.substr(0, 1000)); // the rest kept in place
}

TEST_F(KvIniFileTest, InvalidUtf8AtTheCutNeverEndsInAPartialCharacter) {
    const std::string broken = std::string(2046, 'a') + "\xE4\xB8" + std::string(10, 'b');
    ASSERT_EQ(KvIniFile::WriteKey("S", "k", broken, ini), 1);
    // The cut would split the (broken) character: it goes before it.
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", "", ini), std::string(2046, 'a'));
    const std::string stray = std::string(2046, 'a') + "\x80\x80\x80" + "b";
    ASSERT_EQ(KvIniFile::WriteKey("S", "s", stray, ini), 1);
    EXPECT_EQ(KvIniFile::ReadKey("S", "s", "", ini).size(), 2047u);
}

TEST_F(KvIniFileTest, LineEndsDuplicatesOrphansAndBrokenHeaders) {
    Put("orphan=0\r[S]\rk=1\n[s]\r\nk=9\r\nk=8\n[T\nbroken=1\n[]\nempty=2\n[T]\r\nk=3\rk=4");
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", 0, ini), 1);      // the first section of a name
    EXPECT_EQ(KvIniFile::ReadKey("T", "k", 0, ini), 3);      // the first key of a name
    EXPECT_EQ(KvIniFile::ReadKey("S", "orphan", 5, ini), 5); // before any section: nowhere
    EXPECT_EQ(KvIniFile::ReadKey("s", "broken", 5, ini), 5); // "[T" is no header
    EXPECT_EQ(KvIniFile::ReadKey("", "empty", 5, ini), 2);   // "[]" names the empty section
    ASSERT_EQ(KvIniFile::WriteKey("S", "k", 7, ini), 1);
    EXPECT_EQ(
        Content(),
        "orphan=0\r[S]\rk=7\r\n[s]\r\nk=9\r\nk=8\n[T\nbroken=1\n[]\nempty=2\n[T]\r\nk=3\rk=4");
    ASSERT_EQ(KvIniFile::WriteKey("T", "new", 1, ini), 1);
    EXPECT_EQ(KvIniFile::ReadKey("T", "new", 0, ini), 1);
    EXPECT_EQ(KvIniFile::ReadKey("T", "k", 0, ini), 3);
}

TEST_F(KvIniFileTest, QuotesAndNonFiniteNumbersReadAsPlainValues) {
    Put("[S]\r\nq='\r\nd=\"\r\nqq=''\r\nnan=nan\r\ninf=-inf\r\nhuge=1e999\r\nbig=4294967297\r\n");
    EXPECT_EQ(KvIniFile::ReadKey("S", "q", "x", ini), "'");
    EXPECT_EQ(KvIniFile::ReadKey("S", "d", "x", ini), "\"");
    EXPECT_EQ(KvIniFile::ReadKey("S", "qq", "x", ini), "");
    for (const char* key : {"nan", "inf", "huge"}) {
        EXPECT_EQ(KvIniFile::ReadKey("S", key, 9.0, ini), 0.0) << key;
    }
    // 64-bit values read back through 32 bits wrap as the platform's reads do; the program
    // never writes one: a long beyond 32 bits is refused.
    EXPECT_EQ(KvIniFile::ReadKey("S", "big", 0L, ini), 1L);
    EXPECT_EQ(KvIniFile::WriteKey("S", "long", 5000000000L, ini), 0);
    EXPECT_EQ(KvIniFile::WriteKey("S", "long", -2147483648L, ini), 1);
    EXPECT_EQ(KvIniFile::ReadKey("S", "long", 0L, ini), -2147483648L);
}

TEST_F(KvIniFileTest, FoldersLinksReadOnlyAndHugeFilesAsPaths) {
    const std::string dir = (folder / "sub").string();
    fs::create_directory(dir);
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", 4, dir), 4);
    EXPECT_EQ(KvIniFile::WriteKey("S", "k", 1, dir), 0);
    EXPECT_TRUE(fs::is_directory(dir));

    const std::string link = (folder / "link.ini").string();
    fs::create_symlink(folder / "missing" / "target.ini", link);
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", 4, link), 4);

    Put("[S]\r\nk=1\r\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", 4, ini), 1);
    EXPECT_EQ(KvIniFile::WriteKey("S", "k", 2, ini), 0);
    EXPECT_EQ(Content(), "[S]\r\nk=1\r\n");
    fs::permissions(ini, fs::perms::owner_all);

    // 5 MB: not a settings file of this library. Reads give defaults, writes leave it.
    const std::string huge = "[S]\r\nk=1\r\n" + std::string(5 << 20, ';');
    Put(huge);
    EXPECT_EQ(KvIniFile::ReadKey("S", "k", 4, ini), 4);
    EXPECT_EQ(KvIniFile::WriteKey("S", "k", 2, ini), 0);
    EXPECT_EQ(Content().size(), huge.size());
}

} // namespace
