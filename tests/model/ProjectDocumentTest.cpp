// The path-addressed store: open statuses, how paths create and find elements, value
// conversions, list entries, and saving that never destroys the previous file.
#include "model/ProjectDocument.h"

#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <sys/stat.h>

namespace qv {
namespace {

using test::ElementOutline;
using test::ReadFileText;
using test::TempDir;
using test::WriteFileText;
using Lines = std::vector<std::string>;

TEST(ProjectDocument, OpenStatuses) {
    TempDir dir;
    ProjectDocument document;
    EXPECT_EQ(document.Open("", "Main"), ProjectDocument::kNoDocument);

    // A missing file gives a new document with the root named; nothing is created.
    EXPECT_EQ(document.Open(dir.File("new.cil")), ProjectDocument::kOpened);
    EXPECT_TRUE(dir.Files().empty());
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(ElementOutline(dir.File("new.cil")), Lines{"xmlRoot="});

    WriteFileText(dir.File("broken.cil"), "<Main><Main>");
    EXPECT_EQ(document.Open(dir.File("broken.cil"), "Main"), ProjectDocument::kParseFailed);
    EXPECT_NE(document.ErrorText().find("XML"), std::string::npos);
    // The reason names the line and the fault in Chinese, never the parser's English.
    WriteFileText(dir.File("mismatch.cil"), "<Main>\n  <a>1</a>\n  <b>2</c>\n</Main>");
    EXPECT_EQ(document.Open(dir.File("mismatch.cil"), "Main"), ProjectDocument::kParseFailed);
    EXPECT_EQ(document.ErrorText(), "文件不是有效的XML（第3行：开始标记与结束标记不匹配）");
    WriteFileText(dir.File("plain"), "x");
    EXPECT_EQ(document.Open(dir.File("plain/y.cil"), "Main"), ProjectDocument::kParseFailed);
    EXPECT_EQ(document.ErrorText(), "路径中有一级不是文件夹");

    for (const char* text :
         {"", "just text", "<Main/><Main/>", "<?xml version=\"1.0\" encoding=\"GBK\"?><Main/>"}) {
        WriteFileText(dir.File("bad.cil"), text);
        EXPECT_EQ(document.Open(dir.File("bad.cil"), "Main"), ProjectDocument::kParseFailed)
            << text;
    }
    WriteFileText(dir.File("other.xml"), "<html><body/></html>");
    EXPECT_EQ(document.Open(dir.File("other.xml"), "Main"), ProjectDocument::kParseFailed);
    EXPECT_EQ(document.Open(dir.File("other.xml")), ProjectDocument::kOpened);
    EXPECT_EQ(document.Open(dir.Path().string(), "Main"), ProjectDocument::kParseFailed);
}

// A document nested as deep as allowed saves to a text of about its own size (deep
// elements are indented at most a few dozen tabs); one level deeper is refused on open.
TEST(ProjectDocument, DeepNestingIsRefusedAndSavesStayLinear) {
    TempDir dir;
    const auto nested = [](int levels) {
        std::string text = "<Main>";
        for (int i = 1; i < levels; ++i) {
            text += "<d>";
        }
        text += "x";
        for (int i = 1; i < levels; ++i) {
            text += "</d>";
        }
        return text + "</Main>";
    };
    const std::string deepest = nested(ProjectDocument::kMaxDepth);
    WriteFileText(dir.File("deep.cil"), deepest);
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("deep.cil"), "Main"), ProjectDocument::kOpened)
        << document.ErrorText();
    ASSERT_EQ(document.WriteInt("s", "k", 1), ProjectDocument::kWritten);
    ASSERT_TRUE(document.Save(dir.File("saved.cil")));
    const size_t saved = ReadFileText(dir.File("saved.cil")).size();
    // Each level takes its two tags and at most 32 tabs and a line end twice.
    EXPECT_LT(saved, deepest.size() + 2 * 34 * static_cast<size_t>(ProjectDocument::kMaxDepth));

    WriteFileText(dir.File("deeper.cil"), nested(ProjectDocument::kMaxDepth + 1));
    EXPECT_EQ(document.Open(dir.File("deeper.cil"), "Main"), ProjectDocument::kParseFailed);
    EXPECT_EQ(document.ErrorText(), "元素嵌套超过256层，不是本程序的工程文件");
    // 100000 levels: refused at once, nothing written.
    WriteFileText(dir.File("abyss.cil"), nested(100000));
    EXPECT_EQ(document.Open(dir.File("abyss.cil"), "Main"), ProjectDocument::kParseFailed);
}

TEST(ProjectDocument, WritingCreatesMissingElementsInOrder) {
    TempDir dir;
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    EXPECT_EQ(document.WriteInt("灯具/灯具0/光源1", "nCount", 2), ProjectDocument::kWritten);
    EXPECT_EQ(document.WriteText("灯具/灯具0/", "sName", "T5 灯"), ProjectDocument::kWritten);
    EXPECT_EQ(document.WriteDouble("灯具/灯具0/光源1", "dPower", 0.7), ProjectDocument::kWritten);
    EXPECT_EQ(document.WriteText("my section", "the key", "x"), ProjectDocument::kWritten);
    EXPECT_EQ(document.WriteInt("灯具", "灯具数量/", 1), ProjectDocument::kWritten);
    EXPECT_EQ(document.WriteInt("灯具/灯具0/光源1", "nCount", -1), ProjectDocument::kWritten);
    // Names the parser could not read back are refused.
    EXPECT_EQ(document.WriteInt("/a", "b", 1), ProjectDocument::kBadElementName);
    EXPECT_EQ(document.WriteInt("a//b", "c", 1), ProjectDocument::kBadElementName);
    EXPECT_EQ(document.WriteInt("0a", "b", 1), ProjectDocument::kBadElementName);
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(ElementOutline(dir.File("a.xml")),
              (Lines{"Main", "Main/灯具", "Main/灯具/灯具0", "Main/灯具/灯具0/光源1",
                     "Main/灯具/灯具0/光源1/nCount=-1", "Main/灯具/灯具0/光源1/dPower=0.700000",
                     "Main/灯具/灯具0/sName=T5 灯", "Main/灯具/灯具数量=1", "Main/my_section",
                     "Main/my_section/the_key=x"}));
}

TEST(ProjectDocument, WritingReusesTheFirstElementOfAName) {
    TempDir dir;
    WriteFileText(dir.File("a.xml"), "<Main><s><k>old</k><k>second</k></s><s><k>third</k></s>"
                                     "<t><k>1<i>inner</i>2</k></t></Main>");
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    document.WriteText("s", "k", "new");
    // The new text replaces all content of the element, child elements included.
    document.WriteText("t", "k", "flat");
    document.WriteText("t/k", "again", "z");
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(ElementOutline(dir.File("a.xml")),
              (Lines{"Main", "Main/s", "Main/s/k=new", "Main/s/k=second", "Main/s",
                     "Main/s/k=third", "Main/t", "Main/t/k", "Main/t/k/again=z"}));
}

TEST(ProjectDocument, ReadsAndLaterWritesSeeEarlierWrites) {
    TempDir dir;
    WriteFileText(dir.File("a.xml"), "<Main><s><old>1</old></s></Main>");
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    document.WriteInt("s/new", "k", 5);
    document.WriteInt("t", "k", 6);
    EXPECT_EQ(document.ReadInt("s/new", "k", 0), 5);
    EXPECT_EQ(document.EntryIndexes("s", "new", 1).size(), 0u);
    document.WriteInt("s/new", "k", 7); // the element joined the tree and is reused
    document.WriteInt("s/new", "j", 8);
    EXPECT_EQ(document.ReadInt("s/new", "k", 0), 7);
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(ElementOutline(dir.File("a.xml")),
              (Lines{"Main", "Main/s", "Main/s/old=1", "Main/s/new", "Main/s/new/k=7",
                     "Main/s/new/j=8", "Main/t", "Main/t/k=6"}));
}

TEST(ProjectDocument, TextOnAnElementDropsItsNewChildrenToo) {
    TempDir dir;
    WriteFileText(dir.File("a.xml"), "<Main><s><old>1</old></s></Main>");
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    document.WriteInt("s/new", "k", 5);
    document.WriteInt("p/q", "k", 5);
    document.WriteText("s", "", "flat");
    document.WriteText("p", "", "flat too");
    document.WriteInt("p", "r", 1);
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(ElementOutline(dir.File("a.xml")),
              (Lines{"Main", "Main/s=flat", "Main/p", "Main/p/r=1"}));
    EXPECT_NE(ReadFileText(dir.File("a.xml")).find("<p>flat too<r>1</r></p>"), std::string::npos);
}

TEST(ProjectDocument, TextsAndForeignContentSurviveASave) {
    TempDir dir;
    WriteFileText(dir.File("a.xml"), "<Main a=\"1&amp;&quot;\"><s><x><![CDATA[<raw>]]></x></s>"
                                     "<m>t<i/>u</m></Main>");
    const std::string texts[] = {"<&>\"' \t", "a\r\nb", "  padded  ", "\x01\x1f", "灯具 ü"};
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    for (int i = 0; i < 5; ++i) {
        document.WriteText("texts", "t" + std::to_string(i), texts[i]);
    }
    ASSERT_TRUE(document.Save());
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    for (int i = 0; i < 5; ++i) {
        // Control characters XML 1.0 forbids are not written (the others stay).
        EXPECT_EQ(document.ReadText("texts", "t" + std::to_string(i), "?"),
                  i == 3 ? std::string() : texts[i])
            << i;
    }
    EXPECT_EQ(document.ReadText("s", "x", "?"), "<raw>");
    const std::string text = ReadFileText(dir.File("a.xml"));
    EXPECT_NE(text.find("<Main a=\"1&amp;&quot;\">"), std::string::npos);
    EXPECT_NE(text.find("<m>t<i />u</m>"), std::string::npos);
}

// A read takes the element a write of the same path takes: from the root, the first
// child of each name. A stray element of that name elsewhere never answers.
TEST(ProjectDocument, ReadingFollowsThePathAWriteTakes) {
    TempDir dir;
    WriteFileText(dir.File("a.xml"), "<Main><a><b><k>1</k></b></a><b><k>2</k></b><b><k>3</k></b>"
                                     "<x><y><x><k>5</k></x></y><k>4</k></x>"
                                     "<e><i></i><d></d><t></t><blank> </blank></e></Main>");
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    EXPECT_EQ(document.ReadInt("b", "k", 9), 2); // not the one inside a, not the second b
    EXPECT_EQ(document.ReadInt("a/b/", "k", 9), 1);
    EXPECT_EQ(document.ReadInt("x", "k", 9), 4); // not the nested x
    EXPECT_EQ(document.ReadInt("Main/x", "k", 9), 9);
    EXPECT_EQ(document.ReadInt("a", "k", 9), 9);
    EXPECT_EQ(document.ReadInt("y/x", "k", 9), 9);
    EXPECT_EQ(document.EntryIndexes("x", "k", 1), std::vector<int>{});
    // What a write changes is what the next read sees.
    document.WriteInt("b", "k", 7);
    EXPECT_EQ(document.ReadInt("b", "k", 9), 7);
    EXPECT_EQ(document.ReadInt("a/b", "k", 9), 1);
    // Present but empty: 0 and the empty text; the default only for a missing element.
    EXPECT_EQ(document.ReadInt("e", "i", 9), 0);
    EXPECT_EQ(document.ReadDouble("e", "d", 9.5), 0.0);
    EXPECT_EQ(document.ReadText("e", "t", "default"), "");
    EXPECT_EQ(document.ReadText("e", "blank", "default"), " ");
    EXPECT_EQ(document.ReadText("e", "missing", "default"), "default");
    // A missing double comes back through "%.6f".
    EXPECT_EQ(document.ReadDouble("e", "missing", 1.23456789), 1.234568);
}

TEST(ProjectDocument, NumberConversions) {
    TempDir dir;
    WriteFileText(dir.File("a.xml"),
                  "<Main><n><a>12abc</a><b>abc</b><c> -7</c><d>99999999999</d><e>1.9</e>"
                  "<f>1.5e3</f><g>-0.25x</g><h>,5</h></n></Main>");
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    EXPECT_EQ(document.ReadInt("n", "a", 0), 12);
    EXPECT_EQ(document.ReadInt("n", "b", 5), 0);
    EXPECT_EQ(document.ReadInt("n", "c", 0), -7);
    EXPECT_EQ(document.ReadInt("n", "d", 0), INT_MAX);
    EXPECT_EQ(document.ReadInt("n", "e", 0), 1);
    EXPECT_EQ(document.ReadDouble("n", "f", 0), 1500.0);
    EXPECT_EQ(document.ReadDouble("n", "g", 0), -0.25);
    EXPECT_EQ(document.ReadDouble("n", "h", 3), 0.0);
}

TEST(ProjectDocument, NumbersIgnoreTheProcessLocale) {
    TempDir dir;
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.utf8") == nullptr) {
        GTEST_SKIP() << "no German locale installed";
    }
    ProjectDocument document;
    document.Open(dir.File("a.xml"), "Main");
    document.WriteDouble("s", "d", 0.7);
    const double read = document.ReadDouble("s", "d", 0);
    document.Save();
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(read, 0.7);
    EXPECT_EQ(ElementOutline(dir.File("a.xml")), (Lines{"Main", "Main/s", "Main/s/d=0.700000"}));
}

TEST(ProjectDocument, EntryIndexesListOnlyWhatIsPresent) {
    TempDir dir;
    WriteFileText(dir.File("a.xml"), "<Main><t><数据0/><数据2/><数据02/><数据x/><数量>9</数量>"
                                     "<数据-1/><数据99999999999/></t><t><数据3/></t></Main>");
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    // Only the first t is the list (a write of t/数据3 would go there too).
    EXPECT_EQ(document.EntryIndexes("t", "数据", 9), (std::vector<int>{0, 2}));
    EXPECT_EQ(document.EntryIndexes("t", "数据", 2), (std::vector<int>{0}));
    EXPECT_EQ(document.EntryIndexes("t", "数据", INT_MAX), (std::vector<int>{0, 2}));
    EXPECT_TRUE(document.EntryIndexes("t", "数据", -5).empty());
    EXPECT_TRUE(document.EntryIndexes("none", "数据", 9).empty());
}

TEST(ProjectDocument, LongSiblingListsStayCorrect) {
    TempDir dir;
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    const int count = 3000;
    for (int i = 0; i < count; ++i) {
        document.WriteInt("list/数据" + std::to_string(i), "v", i);
    }
    // Rewriting through the same names reuses the elements.
    for (int i = 0; i < count; i += 7) {
        document.WriteInt("list/数据" + std::to_string(i), "v", -i);
    }
    ASSERT_TRUE(document.Save());
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    EXPECT_EQ(document.EntryIndexes("list", "数据", count).size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(document.ReadInt("list/数据" + std::to_string(i), "v", 1), i % 7 == 0 ? -i : i);
    }
}

TEST(ProjectDocument, ManyElementsOfTheSameNameResolveThroughTheNameIndex) {
    TempDir dir;
    std::string text = "<Main>";
    for (int i = 0; i < 200; ++i) {
        text += "<s/>";
    }
    text += "<s><e>1</e></s><w><s><e>2</e></s></w></Main>";
    WriteFileText(dir.File("a.xml"), text);
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("a.xml"), "Main"), ProjectDocument::kOpened);
    // The first s is the one a write fills, so the read finds no e in it.
    EXPECT_EQ(document.ReadInt("s", "e", 0), 0);
    EXPECT_EQ(document.ReadInt("w/s", "e", 0), 2);
    EXPECT_EQ(document.ReadInt("s", "none", 7), 7);
    document.WriteInt("s", "e", 3);
    EXPECT_EQ(document.ReadInt("s", "e", 0), 3);
}

TEST(ProjectDocument, SaveReplacesTheFileWholeOrNotAtAll) {
    TempDir dir;
    const std::string path = dir.File("a.cil");
    WriteFileText(path, "<Main><k>1</k></Main>");
    ::chmod(path.c_str(), 0640);
    ProjectDocument document;
    ASSERT_EQ(document.Open(path, "Main"), ProjectDocument::kOpened);
    document.WriteInt("", "k", 2); // an empty section is the empty name: refused
    document.WriteInt("k", "", 2);
    ASSERT_TRUE(document.Save());
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(ElementOutline(path), (Lines{"Main", "Main/k=2"}));

    // A read-only file is not replaced, and nothing is left behind.
    ::chmod(path.c_str(), 0444);
    const std::string before = ReadFileText(path);
    document.WriteInt("k", "", 3);
    EXPECT_FALSE(document.Save());
    EXPECT_EQ(ReadFileText(path), before);
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"a.cil"}));

    EXPECT_FALSE(document.Save(dir.File("missing/folder/a.cil")));
    EXPECT_FALSE(document.Save(dir.Path().string()));
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"a.cil"}));
}

TEST(ProjectDocument, DeeplyNestedContentIsHandledUpToTheLimit) {
    TempDir dir;
    const int depth = ProjectDocument::kMaxDepth - 3; // below Main/Main/计算类型
    std::string text = "<Main><Main><计算类型>";
    for (int i = 0; i < depth; ++i) {
        text += "<a>";
    }
    for (int i = 0; i < depth; ++i) {
        text += "</a>";
    }
    text += "</计算类型></Main></Main>";
    WriteFileText(dir.File("deep.cil"), text);
    ProjectDocument document;
    ASSERT_EQ(document.Open(dir.File("deep.cil"), "Main"), ProjectDocument::kOpened);
    EXPECT_EQ(document.ReadInt("a", "b", 4), 4);
    EXPECT_EQ(document.WriteInt("Main", "计算类型", 1), ProjectDocument::kWritten);
    EXPECT_EQ(document.ReadInt("Main", "计算类型", 4), 1);
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(ElementOutline(dir.File("deep.cil")),
              (Lines{"Main", "Main/Main", "Main/Main/计算类型=1"}));
}

} // namespace
} // namespace qv
