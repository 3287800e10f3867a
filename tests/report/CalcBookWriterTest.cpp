#include "report/CalcBookWriter.h"

#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include <filesystem>
#include <fstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

const std::string kSong = "宋体";

std::string ReadZipEntry(zip_t* archive, const char* name) {
    zip_stat_t info;
    zip_file_t* file = nullptr;
    std::string data;
    if (zip_stat(archive, name, 0, &info) == 0 && (file = zip_fopen(archive, name, 0))) {
        data.resize(info.size);
        data.resize(static_cast<std::size_t>(
            std::max<zip_int64_t>(zip_fread(file, data.data(), info.size), 0)));
        zip_fclose(file);
    }
    return data;
}

class CalcBookWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string folder = (fs::temp_directory_path() / "qv-book-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        m_folder = folder;
        writer.SetSaveFolder(m_folder);
        ASSERT_EQ(writer.NewFile(), 1);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // Saves the document and loads its main part; the package's entry names in order.
    pugi::xml_node Save(std::vector<std::string>* entries = nullptr) {
        EXPECT_EQ(writer.SaveAsFile("book"), 1);
        int code = 0;
        zip_t* archive = zip_open((m_folder / "book.docx").c_str(), ZIP_RDONLY, &code);
        EXPECT_NE(archive, nullptr);
        if (archive == nullptr) {
            return {};
        }
        for (zip_int64_t i = 0; entries && i < zip_get_num_entries(archive, 0); ++i) {
            entries->push_back(zip_get_name(archive, static_cast<zip_uint64_t>(i), 0));
        }
        const std::string xml = ReadZipEntry(archive, "word/document.xml");
        zip_close(archive);
        EXPECT_TRUE(m_xml.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
        return m_xml.child("w:document").child("w:body");
    }

    static std::vector<pugi::xml_node> Children(pugi::xml_node parent, const char* name) {
        std::vector<pugi::xml_node> found;
        for (pugi::xml_node child : parent.children(name)) {
            found.push_back(child);
        }
        return found;
    }

    static std::string Text(pugi::xml_node node) {
        std::string text;
        for (const pugi::xpath_node& t : node.select_nodes(".//w:t | .//m:t")) {
            text += t.node().child_value();
        }
        return text;
    }

    static std::string Alignment(pugi::xml_node paragraph) {
        return paragraph.child("w:pPr").child("w:jc").attribute("w:val").value();
    }

    int Body(const std::string& text, int mode = 1, long alignment = 0) {
        return writer.WriteContent(text, mode, 12, kSong, 0, alignment, 0);
    }

    fs::path m_folder;
    pugi::xml_document m_xml;
    std::vector<std::string> m_opened;
    CalcBookWriter writer{[this](const std::string& path) { m_opened.push_back(path); }};
    std::vector<KvMessage> m_messages;
    KvScopedMessageHandler m_recorder{[this](const KvMessage& message) {
        m_messages.push_back(message);
        return KvMessageAnswer::Ok;
    }};
};

TEST_F(CalcBookWriterTest, SilentRejectionsWriteNothing) {
    EXPECT_EQ(writer.WriteContent("x", 1, 12, "  \t", 0, 0, 0), 0);
    EXPECT_EQ(writer.WriteContent("x", 1, 0.0f, kSong, 0, 0, 0), 0);
    EXPECT_EQ(writer.WriteContent("x", 0, 0.00005f, kSong, 0, 0, 0), 0);
    EXPECT_EQ(writer.AddTable(0, 3, 0, {"a"}), 0);
    EXPECT_EQ(writer.AddTable(2, 0, 0, {"a"}), 0);
    EXPECT_EQ(writer.AddTable(2, 3, 0, {}), 0);
    EXPECT_EQ(writer.InsertEquation(" \t "), 0);
    EXPECT_TRUE(m_messages.empty());
    const pugi::xml_node body = Save();
    ASSERT_EQ(Children(body, "w:p").size(), 1u);
    EXPECT_TRUE(Children(body, "w:tbl").empty());
    EXPECT_EQ(Text(body), "");
}

TEST_F(CalcBookWriterTest, FailuresTheUserMustSeeAreShown) {
    EXPECT_EQ(writer.WriteContent("x", 1, 2000.0f, kSong, 0, 0, 0), 0);
    EXPECT_EQ(writer.WriteContent("x", 1, 12, kSong, 0, 7, 0), 0);
    EXPECT_EQ(writer.SetDocOrientation(2), 0);
    EXPECT_EQ(writer.AddTable(2, CalcBookWriter::kMaxTableColumns + 1, 0, {"a"}), 0);
    EXPECT_EQ(writer.SaveAsFile("  "), 0);
    CalcBookWriter fresh;
    fresh.SetSaveFolder(m_folder);
    EXPECT_EQ(fresh.WriteSpace(1), 0);
    EXPECT_EQ(fresh.SetDocOrientation(0), 0);
    EXPECT_EQ(fresh.SaveAsFile("none"), 0);
    EXPECT_EQ(fresh.AddTable(1, 1, 0, {"a"}), 0);
    EXPECT_EQ(fresh.SetAppVisible(1), 1);
    ASSERT_EQ(m_messages.size(), 9u);
    for (const KvMessage& message : m_messages) {
        EXPECT_EQ(message.caption, "系统提示");
        EXPECT_EQ(message.text.rfind("Word软件出错!\n", 0), 0u) << message.text;
    }
    EXPECT_EQ(fresh.InsertEquation("x"), 0);
    EXPECT_EQ(m_messages.back().caption, "Word软件出错!");
    EXPECT_FALSE(fs::exists(m_folder / "none.docx"));
}

TEST_F(CalcBookWriterTest, NewParagraphsFillAnEmptyLastParagraphAndLineFeedsOpenNewOnes) {
    EXPECT_EQ(writer.WriteContent("点照度计算计算书", 1, 16, kSong, 1, 1, 0), 1);
    EXPECT_EQ(Body("水平照度的计算公式:\n"), 1);
    EXPECT_EQ(Body("光源"), 1);
    EXPECT_EQ(writer.WriteSpace(1), 1);
    EXPECT_EQ(Body("X\nY", 1, 1), 1);
    EXPECT_EQ(Body("", 1), 1);
    EXPECT_EQ(Body("", 0), 1);
    const auto paragraphs = Children(Save(), "w:p");
    std::vector<std::string> texts;
    std::vector<std::string> alignments;
    for (const pugi::xml_node p : paragraphs) {
        texts.push_back(Text(p));
        alignments.push_back(Alignment(p));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"点照度计算计算书", "水平照度的计算公式:", "光源",
                                               "", "X", "Y", ""}));
    EXPECT_EQ(alignments, (std::vector<std::string>{"center", "left", "left", "left", "center",
                                                    "center", "left"}));
    // The empty writes add empty runs to the last paragraph.
    EXPECT_EQ(Children(paragraphs.back(), "w:r").size(), 2u);
    // A blank line is as high as its 10-point mark.
    EXPECT_EQ(paragraphs[3].child("w:pPr").child("w:rPr").child("w:sz").attribute("w:val").as_int(),
              20);
}

TEST_F(CalcBookWriterTest, RunsCarryFontSizeBoldScriptAndTabs) {
    writer.WriteContent("\t日期:", 1, 10.5f, kSong, 1, 0, 0);
    writer.WriteContent("E", 1, 12, "Times New Roman", 0, 0, 0);
    writer.WriteContent("av", 0, 12, kSong, 0, 0, 1);
    writer.WriteContent("2", 0, 12, kSong, 0, 0, 2);
    const auto paragraphs = Children(Save(), "w:p");
    ASSERT_EQ(paragraphs.size(), 2u);
    const pugi::xml_node header = paragraphs[0].child("w:r");
    EXPECT_TRUE(header.child("w:tab"));
    EXPECT_STREQ(header.child("w:tab").next_sibling().child_value(), "日期:");
    EXPECT_TRUE(header.child("w:rPr").child("w:b"));
    EXPECT_EQ(header.child("w:rPr").child("w:sz").attribute("w:val").as_int(), 21);
    EXPECT_STREQ(header.child("w:rPr").child("w:rFonts").attribute("w:eastAsia").value(), "宋体");
    const auto runs = Children(paragraphs[1], "w:r");
    ASSERT_EQ(runs.size(), 3u);
    const pugi::xml_node western = runs[0].child("w:rPr").child("w:rFonts");
    EXPECT_STREQ(western.attribute("w:ascii").value(), "Times New Roman");
    EXPECT_FALSE(western.attribute("w:eastAsia"));
    EXPECT_FALSE(runs[0].child("w:rPr").child("w:vertAlign"));
    EXPECT_STREQ(runs[1].child("w:rPr").child("w:vertAlign").attribute("w:val").value(),
                 "subscript");
    EXPECT_STREQ(runs[2].child("w:rPr").child("w:vertAlign").attribute("w:val").value(),
                 "superscript");
}

TEST_F(CalcBookWriterTest, TablesFollowABlankLineWithFixedCentredColumns) {
    Body("计算结果");
    EXPECT_EQ(writer.AddTable(2, 3, 60, {"序号", "名称", "类型", "1"}), 1);
    Body("after");
    EXPECT_EQ(writer.AddTable(1, 3, 0, {"a", "b", "c"}), 1);
    const pugi::xml_node body = Save();
    const auto tables = Children(body, "w:tbl");
    ASSERT_EQ(tables.size(), 2u);
    const pugi::xml_node blank = tables[0].previous_sibling();
    EXPECT_STREQ(blank.name(), "w:p");
    EXPECT_EQ(Text(blank), "");
    EXPECT_STREQ(tables[0].next_sibling().name(), "w:p");

    const pugi::xml_node properties = tables[0].child("w:tblPr");
    EXPECT_STREQ(properties.child("w:jc").attribute("w:val").value(), "center");
    EXPECT_STREQ(properties.child("w:tblLayout").attribute("w:type").value(), "fixed");
    EXPECT_TRUE(properties.child("w:tblBorders").child("w:insideV"));
    for (const pugi::xml_node column : tables[0].child("w:tblGrid").children("w:gridCol")) {
        EXPECT_EQ(column.attribute("w:w").as_int(), 1200);
    }
    std::vector<std::vector<std::string>> cells;
    for (const pugi::xml_node row : tables[0].children("w:tr")) {
        cells.emplace_back();
        for (const pugi::xml_node cell : row.children("w:tc")) {
            cells.back().push_back(Text(cell));
        }
    }
    EXPECT_EQ(cells,
              (std::vector<std::vector<std::string>>{{"序号", "名称", "类型"}, {"1", "", ""}}));
    // Width 0 shares the text width of the A4 page (11906 less two 1800 margins).
    EXPECT_EQ(tables[1].child("w:tblGrid").child("w:gridCol").attribute("w:w").as_int(), 2768);
    EXPECT_EQ(Text(tables[1]), "abc");
}

TEST_F(CalcBookWriterTest, EquationsAreOfficeMathInlineWithTheText) {
    Body("灯1对P1的照度:");
    writer.WriteContent(" ", 0, 12, "Times New Roman", 0, 0, 0);
    const std::string formula = "E" + EqScript("h", 0, 2) + " = " +
                                EqFraction("Icosθ", EqLine("oP", 0) + EqScript("2", 1, 2)) + " = " +
                                EqRoot("", "x") + "lx";
    EXPECT_EQ(writer.InsertEquation(formula), 1);
    EXPECT_EQ(Body("next"), 1);
    const auto paragraphs = Children(Save(), "w:p");
    ASSERT_EQ(paragraphs.size(), 2u);
    const pugi::xml_node math = paragraphs[0].child("m:oMath");
    ASSERT_TRUE(math);
    EXPECT_EQ(Text(paragraphs[0].child("w:r")), "灯1对P1的照度:");
    EXPECT_TRUE(math.select_node("m:sSub[m:e='E' and m:sub='h']"));
    const pugi::xml_node fraction = math.child("m:f");
    EXPECT_EQ(Text(fraction.child("m:num")), "Icosθ");
    EXPECT_STREQ(fraction.select_node("m:den/m:sSup/m:e/m:bar/m:barPr/m:pos")
                     .node()
                     .attribute("m:val")
                     .value(),
                 "top");
    EXPECT_TRUE(math.select_node("m:rad/m:radPr/m:degHide"));
    // The equation takes the size in force before it (12 points).
    EXPECT_EQ(math.select_node(".//m:r/w:rPr/w:sz").node().attribute("w:val").as_int(), 24);
    // The equation ends its paragraph; the next line starts a new one.
    EXPECT_EQ(Text(paragraphs[1]), "next");
}

TEST_F(CalcBookWriterTest, MalformedNotationIsWrittenAsText) {
    Body("a");
    EXPECT_EQ(writer.InsertEquation("x = \\f(1, 2"), 1);
    const auto paragraphs = Children(Save(), "w:p");
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_FALSE(paragraphs[0].child("m:oMath"));
    EXPECT_EQ(Text(paragraphs[0]), "ax = \\f(1, 2");
}

TEST_F(CalcBookWriterTest, SavedPackageHasTheContentTypesFirstAndAPage) {
    EXPECT_EQ(writer.SetDocOrientation(1), 1);
    Body("text \x01with\xC3 broken\xEF\xBF\xBE bytes");
    std::vector<std::string> entries;
    const pugi::xml_node body = Save(&entries);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front(), "[Content_Types].xml");
    EXPECT_NE(std::find(entries.begin(), entries.end(), "word/styles.xml"), entries.end());
    const pugi::xml_node size = body.child("w:sectPr").child("w:pgSz");
    EXPECT_EQ(size.attribute("w:w").as_int(), 16838);
    EXPECT_STREQ(size.attribute("w:orient").value(), "landscape");
    EXPECT_EQ(Text(body), "text with\xEF\xBF\xBD broken\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD bytes");
}

TEST_F(CalcBookWriterTest, SavingReplacesTheFileWholeAndShowsItWhenVisible) {
    {
        std::ofstream old(m_folder / "book.docx");
        old << "old content";
    }
    Save();
    EXPECT_EQ(writer.SavedPath(), (m_folder / "book.docx").string());
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
    EXPECT_EQ(m_opened, std::vector<std::string>{writer.SavedPath()});

    writer.SetAppVisible(0);
    EXPECT_EQ(writer.SaveAsFile((m_folder / "copy.DOCX").string()), 1);
    EXPECT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(writer.SetAppVisible(1), 1);
    EXPECT_EQ(m_opened.back(), (m_folder / "copy.DOCX").string());

    EXPECT_EQ(writer.SaveAsFile((m_folder / "missing" / "x.docx").string()), 0);
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(writer.SavedPath(), (m_folder / "copy.DOCX").string());
}

} // namespace
} // namespace qv
