#include "KvTestFolder.h"

#include "KvImageInfo.h"
#include "KvOpcPackage.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStTable.h>
#include <kelvorin/KvWord.h>

#include <gtest/gtest.h>

namespace {

// A 4 × 2 red PNG.
const std::string
    kPng("\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x04\x00\x00"
         "\x00\x02\x08\x02\x00\x00\x00\xF0\xCA\xEA\x34\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9C\x63"
         "\xF8\xCF\xC0\x00\x47\x0C\xC8\x1C\x00\x6F\xAA\x07\xF9\x80\xDC\x00\x28\x00\x00\x00\x00\x49"
         "\x45\x4E\x44\xAE\x42\x60\x82",
         73);

// A 24-bit BMP of width × |height| pixels (negative height: rows top-down).
std::string Bmp(int width, int height) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int rows = height < 0 ? -height : height;
    std::string bytes(54 + static_cast<std::size_t>(rowBytes * rows), '\0');
    const auto put = [&](std::size_t at, std::uint32_t value) {
        for (int k = 0; k < 4; ++k) {
            bytes[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, static_cast<std::uint32_t>(bytes.size()));
    put(10, 54);
    put(14, 40);
    put(18, static_cast<std::uint32_t>(width));
    put(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    return bytes;
}

using KvWordTest = kv_test::ScratchTest;

TEST_F(KvWordTest, ReopenedDocumentKeepsItsContentAndTakesMore) {
    const std::string path = folder.File("book.docx");
    KvStTable table;
    table.SetLableRecord(std::vector<std::string>{"名称", "数量"});
    table.AddValueRecord(std::vector<std::string>{"灯具", "4"});
    table.AddValueRecord(std::vector<std::string>{"光源"}); // short row: empty cell
    {
        KvWord word;
        ASSERT_EQ(word.NewFile(), 1);
        EXPECT_EQ(word.ActiveName(), "文档1");
        EXPECT_EQ(word.WriteContent("第一段", 1, 14, "黑体", 1, 1, 0), 1);
        EXPECT_EQ(word.WriteContent("2", 0, 14, "黑体", 0, 1, 2), 1);
        EXPECT_EQ(word.AddTable(60, table), 1);
        EXPECT_EQ(word.InsertPic(Write("red.png", kPng), "图1 红色", 1), 1);
        EXPECT_EQ(word.SaveAsFile(folder.File("book")), 1);
        EXPECT_EQ(word.ActiveName(), "book.docx");
    }
    {
        KvWord word;
        ASSERT_EQ(word.OpenFile(path), 1);
        EXPECT_EQ(
            word.WriteContent(std::vector<std::string>{"追加一", "追加二"}, 1, 12, "宋体", 0, 0, 0),
            1);
        EXPECT_EQ(word.SaveFile(), 1);
    }
    KvWord word;
    ASSERT_EQ(word.OpenFile(path), 1);
    std::string text;
    ASSERT_EQ(word.GetContent(text), 1);
    EXPECT_EQ(text, "第一段2\n\n名称\t数量\n灯具\t4\n光源\t\n\n图1 红色\n追加一\n追加二");
    EXPECT_TRUE(messages.empty());
}

TEST_F(KvWordTest, DocumentsAreAddressedByName) {
    KvWord word;
    std::string text;
    EXPECT_EQ(word.GetContent(text), 0);
    word.NewFile();
    word.NewFile();
    EXPECT_EQ(word.DocumentNames(), (std::vector<std::string>{"文档1", "文档2"}));
    EXPECT_EQ(word.WriteContent("二", 1, 12, "宋体", 0, 0, 0), 1);
    ASSERT_EQ(word.SetDocActive("文档1"), 1);
    EXPECT_EQ(word.WriteContent("一", 1, 12, "宋体", 0, 0, 0), 1);
    word.GetContent(text);
    EXPECT_EQ(text, "一");
    EXPECT_EQ(word.SaveFile(), 0); // never saved: no place to save to
    EXPECT_EQ(word.SetDocActive("文档9"), 0);
    EXPECT_EQ(word.CloseFile("文档1"), 1);
    EXPECT_EQ(word.ActiveName(), "文档2");
    EXPECT_EQ(word.CloseFile("文档1"), 0);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[1].text.rfind("Word软件出错!\n", 0), 0u);
    EXPECT_EQ(messages[1].caption, "Varsolin");
    EXPECT_EQ(word.Quit(), 1);
    EXPECT_TRUE(word.DocumentNames().empty());
    // Silent rejections show nothing, even without a document.
    EXPECT_EQ(word.WriteContent("x", 1, 0, "宋体", 0, 0, 0), 0);
    EXPECT_EQ(word.AddTable(0, 2, 10, {"a"}), 0);
    EXPECT_EQ(messages.size(), 4u);
}

TEST_F(KvWordTest, FilesThatAreNoDocumentsAreRefused) {
    KvWord word;
    EXPECT_EQ(word.OpenFile(folder.File("missing.docx")), 0);
    EXPECT_EQ(word.OpenFile(Write("text.docx", "not a zip")), 0);
    kv_detail::OpcPackage package;
    package.SetPart("word/document.xml", "<w:document/>");
    std::string bytes;
    std::string error;
    ASSERT_TRUE(package.Save(bytes, error));
    EXPECT_EQ(word.OpenFile(Write("empty.docx", bytes)), 0); // no main document named
    word.NewFile();
    EXPECT_EQ(word.InsertPic(Write("fake.png", "\x89PNG but not really"), "", 0), 0);
    EXPECT_EQ(word.InsertPicEx(folder.File("none.png"), "", 100), 0);
    EXPECT_EQ(messages.size(), 5u);
}

TEST_F(KvWordTest, DocumentsOfOtherWritersAreAppendedAfterTheirLastParagraph) {
    // A body that ends with a table, paragraphs without properties, no page setup.
    kv_detail::OpcPackage package;
    package.AddRelationship("", kv_detail::kOfficeDocumentRelationship, "/word/main.xml");
    package.SetPart(
        "word/main.xml",
        R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
        R"(<w:body><w:p><w:r><w:t>前言</w:t></w:r></w:p><w:tbl><w:tr><w:tc><w:p><w:r>)"
        R"(<w:t>a</w:t><w:tab/><w:t>b</w:t></w:r></w:p></w:tc></w:tr></w:tbl></w:body></w:document>)");
    std::string bytes;
    std::string error;
    ASSERT_TRUE(package.Save(bytes, error));
    const std::string path = Write("other.docx", bytes);
    KvWord word;
    ASSERT_EQ(word.OpenFile(path), 1);
    EXPECT_EQ(word.WriteContent("结尾", 0, 12, "宋体", 0, 2, 0), 1);
    EXPECT_EQ(word.InsertPicEx(Write("wide.bmp", Bmp(3, -2)), "", 30), 1);
    ASSERT_EQ(word.SaveFile(), 1);
    KvWord again;
    ASSERT_EQ(again.OpenFile(path), 1);
    std::string text;
    again.GetContent(text);
    EXPECT_EQ(text, "前言\na\tb\n结尾\n\n");
    EXPECT_TRUE(messages.empty());
}

TEST_F(KvWordTest, DeeplyNestedTablesDoNotExhaustTheStack) {
    std::string body;
    for (int i = 0; i < 20000; ++i) {
        body += "<w:tbl><w:tr><w:tc>";
    }
    body += "<w:p><w:r><w:t>深</w:t></w:r></w:p>";
    for (int i = 0; i < 20000; ++i) {
        body += "</w:tc></w:tr></w:tbl>";
    }
    kv_detail::OpcPackage package;
    package.AddRelationship("", kv_detail::kOfficeDocumentRelationship, "word/document.xml");
    package.SetPart(
        "word/document.xml",
        R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
        "<w:body>" +
            body + "</w:body></w:document>");
    std::string bytes;
    std::string error;
    ASSERT_TRUE(package.Save(bytes, error));
    KvWord word;
    ASSERT_EQ(word.OpenFile(Write("deep.docx", bytes)), 1);
    std::string text;
    EXPECT_EQ(word.GetContent(text), 1);
    EXPECT_EQ(text.find("深"), std::string::npos); // beyond the depth read
}

TEST(KvImageInfo, SizesComeFromTheHeaders) {
    kv_detail::ImageInfo info;
    ASSERT_TRUE(kv_detail::ReadImageInfo(kPng, info));
    EXPECT_EQ(info.extension, "png");
    EXPECT_EQ(info.width, 4);
    EXPECT_EQ(info.height, 2);
    ASSERT_TRUE(kv_detail::ReadImageInfo(Bmp(5, -7), info));
    EXPECT_EQ(info.contentType, "image/bmp");
    EXPECT_EQ(info.width, 5);
    EXPECT_EQ(info.height, 7);
    // JPEG: an application segment, a fill byte, then a baseline frame of 300 × 200.
    const std::string jpeg("\xFF\xD8\xFF\xE0\x00\x04\x4A\x46\xFF\xFF\xC0\x00\x0B\x08\x00\xC8\x01"
                           "\x2C\x01\x01\x11\x00",
                           22);
    ASSERT_TRUE(kv_detail::ReadImageInfo(jpeg, info));
    EXPECT_EQ(info.width, 300);
    EXPECT_EQ(info.height, 200);
    for (const std::string& broken :
         {jpeg.substr(0, 12), std::string("\xFF\xD8\xFF\xE0\x00\x00", 6), Bmp(0, 3),
          kPng.substr(0, 20), std::string("GIF89a")}) {
        EXPECT_FALSE(kv_detail::ReadImageInfo(broken, info));
    }
}

TEST_F(KvWordTest, PythonDocxReadsTheDocument) {
    if (!kv_test::HasPythonModule("docx")) {
        GTEST_SKIP() << "python3-docx is not installed";
    }
    KvWord word;
    word.NewFile();
    word.SetDocOrientation(1);
    word.SetParaFormat(4, 20);
    word.WriteContent("标题", 1, 16, "黑体", 1, 1, 0);
    word.AddTable(2, 2, 50, {"a", "b", "c", "d"});
    word.InsertPicEx(Write("red.png", kPng), "图", 40);
    const std::string path = folder.File("py.docx");
    ASSERT_EQ(word.SaveAsFile(path), 1);
    EXPECT_EQ(kv_test::RunPython("import docx\n"
                                 "d = docx.Document('" +
                                 path +
                                 "')\n"
                                 "assert d.paragraphs[0].text == '标题', d.paragraphs[0].text\n"
                                 "assert d.tables[0].cell(1, 1).text == 'd'\n"
                                 "assert len(d.inline_shapes) == 1\n"
                                 "assert d.inline_shapes[0].width == 40 * 12700\n"
                                 "assert d.sections[0].orientation == 1\n"),
              0);
}

} // namespace
