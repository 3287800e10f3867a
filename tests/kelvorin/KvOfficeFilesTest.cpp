#include "KvTestFolder.h"

#include "KvOpcPackage.h"

#include <kelvorin/KvExcel.h>
#include <kelvorin/KvStTable.h>
#include <kelvorin/KvWord.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using kv_detail::OpcPackage;
using KvOfficeFilesTest = kv_test::ScratchTest;

TEST(KvOpcPackage, TargetsResolveAgainstTheSourceFolder) {
    EXPECT_EQ(OpcPackage::ResolveTarget("xl/worksheets/sheet1.xml", "../drawings/d1.xml"),
              "xl/drawings/d1.xml");
    EXPECT_EQ(OpcPackage::ResolveTarget("xl/workbook.xml", "/xl/./styles.xml"), "xl/styles.xml");
    EXPECT_EQ(OpcPackage::ResolveTarget("", "word/document.xml"), "word/document.xml");
    EXPECT_EQ(OpcPackage::ResolveTarget("a.xml", "../../../x.xml"), "x.xml");
    EXPECT_EQ(OpcPackage::RelationshipsPartName("word/document.xml"),
              "word/_rels/document.xml.rels");
    EXPECT_EQ(OpcPackage::RelationshipsPartName(""), "_rels/.rels");
}

TEST(KvOpcPackage, RelationshipsGetFreshIdsAndPartsKeepTheirOrder) {
    OpcPackage package;
    package.SetPart("b.xml", "b");
    package.SetPart("a.xml", "a");
    EXPECT_EQ(package.AddRelationship("a.xml", "t1", "b.xml"), "rId1");
    EXPECT_EQ(package.AddRelationship("a.xml", "t2", "c.xml"), "rId2");
    package.RemoveRelationship("a.xml", "rId1");
    EXPECT_EQ(package.AddRelationship("a.xml", "t3", "d.xml"), "rId1");
    EXPECT_EQ(package.TargetPartOfType("a.xml", "t2"), "c.xml");
    std::string bytes;
    std::string error;
    ASSERT_TRUE(package.Save(bytes, error));
    OpcPackage back;
    ASSERT_TRUE(back.Load(bytes, error)) << error;
    EXPECT_EQ(*back.Part("a.xml"), "a");
    EXPECT_EQ(back.TargetPart("a.xml", "rId1"), "d.xml");
    EXPECT_FALSE(back.Load("PK", error));
}

TEST_F(KvOfficeFilesTest, LineSpacingIsWrittenFromTheLastParagraphOn) {
    KvWord word;
    word.NewFile();
    word.WriteContent("单倍", 1, 12, "宋体", 0, 0, 0);
    EXPECT_EQ(word.SetParaFormat(9, 1), 0);
    EXPECT_EQ(word.SetParaFormat(4, 0), 0); // exactly zero points
    ASSERT_EQ(word.SetParaFormat(4, 20), 1);
    word.WriteContent("固定\n值", 1, 12, "宋体", 0, 0, 0);
    const std::string path = folder.File("spacing.docx");
    ASSERT_EQ(word.SaveAsFile(path), 1);
    EXPECT_EQ(messages.size(), 2u);
    std::string bytes;
    ASSERT_EQ(KvFile::ReadAll(path, bytes), KvFileRead::Ok);
    OpcPackage package;
    std::string error;
    ASSERT_TRUE(package.Load(bytes, error));
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(package.Part("word/document.xml")->c_str()));
    int exact = 0;
    for (const pugi::xpath_node& spacing : xml.select_nodes("//w:p/w:pPr/w:spacing")) {
        EXPECT_EQ(spacing.node().attribute("w:line").as_int(), 400);
        exact += std::string(spacing.node().attribute("w:lineRule").value()) == "exact";
    }
    EXPECT_EQ(exact, 3); // the last paragraph when set and the two written after
}

TEST_F(KvOfficeFilesTest, LibreOfficeConvertsBothKinds) {
    // Both the word processor and the spreadsheet of LibreOffice are needed.
    if (!std::filesystem::exists("/usr/bin/soffice") ||
        !std::filesystem::exists("/usr/lib/libreoffice/program/libsclo.so")) {
        GTEST_SKIP() << "LibreOffice Writer and Calc are not installed";
    }
    KvStTable table;
    table.SetLableRecord(std::vector<std::string>{"名称", "数量"});
    table.AddValueRecord(std::vector<std::string>{"灯具", "4"});
    KvWord word;
    word.NewFile();
    word.WriteContent("计算书", 1, 16, "黑体", 1, 1, 0);
    word.AddTable(60, table);
    ASSERT_EQ(word.SaveAsFile(folder.File("word.docx")), 1);
    KvExcel excel;
    ASSERT_EQ(excel.WriteDataToSheet(table, folder.File("sheet.xlsx"), "数据"), 1);
    excel.DrawLine(0, 0, 100, 50);
    ASSERT_EQ(excel.Close(), 1);
    const std::string profile = "file://" + folder.File("profile");
    const std::string command =
        "cd '" + folder.File("") +
        "' && timeout 180 /usr/bin/soffice -env:UserInstallation=" + profile +
        " --headless --convert-to pdf word.docx sheet.xlsx >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_GT(std::filesystem::file_size(folder.File("word.pdf")), 1000u);
    EXPECT_GT(std::filesystem::file_size(folder.File("sheet.pdf")), 1000u);
}

} // namespace
