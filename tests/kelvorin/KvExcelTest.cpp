#include "KvTestFolder.h"

#include "KvOpcPackage.h"

#include <kelvorin/KvExcel.h>
#include <kelvorin/KvFile.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStTable.h>

#include <gtest/gtest.h>

namespace {

KvStTable SampleTable() {
    KvStTable table;
    table.SetLableRecord(std::vector<std::string>{"名称", "X", "值", "备注"});
    table.AddValueRecord(std::vector<std::string>{"灯具", "12.5", "007", " 前后空格 "});
    table.AddValueRecord(std::vector<std::string>{"A&B<c>", "-3", "1e+22", ""});
    table.AddValueRecord(std::vector<std::string>{"", "0.1", "1.50", "TRUE"});
    return table;
}

std::vector<std::vector<std::string>> Rows(const KvStTable& table) {
    std::vector<std::vector<std::string>> rows(1);
    table.GetLableRecord(rows.front());
    for (int r = 0; r < table.GetTableLogicSize(); ++r) {
        rows.emplace_back();
        table.GetValueRecord(rows.back(), r);
    }
    return rows;
}

// A workbook package written by hand: the sheet's XML as given, the shared strings too.
std::string HandMadeWorkbook(const std::string& sheetData, const std::string& sharedStrings) {
    kv_detail::OpcPackage package;
    package.AddRelationship("", kv_detail::kOfficeDocumentRelationship, "xl/workbook.xml");
    package.SetPart(
        "xl/workbook.xml",
        R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
        R"(<sheets><sheet name="数据" sheetId="1" r:id="rId1"/></sheets></workbook>)");
    const std::string base = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    package.AddRelationship("xl/workbook.xml", base + "worksheet", "sheets/one.xml");
    package.AddRelationship("xl/workbook.xml", base + "sharedStrings", "/xl/strings.xml");
    package.SetPart(
        "xl/sheets/one.xml",
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
        R"(<sheetData>)" +
            sheetData + "</sheetData></worksheet>");
    package.SetPart("xl/strings.xml",
                    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)" +
                        sharedStrings + "</sst>");
    std::string bytes;
    std::string error;
    EXPECT_TRUE(package.Save(bytes, error)) << error;
    return bytes;
}

class KvExcelTest : public kv_test::ScratchTest {
protected:
    std::string path = folder.File("book.xlsx");
};

TEST_F(KvExcelTest, WrittenTableReadsBackEqual) {
    const KvStTable table = SampleTable();
    {
        KvExcel excel;
        EXPECT_EQ(excel.IsStarted(), 1);
        ASSERT_EQ(excel.WriteDataToSheet(table, path, "结果"), 1);
    }
    KvExcel excel;
    KvStTable back;
    back.AddValueRecord(std::vector<std::string>{"old"});
    ASSERT_EQ(excel.GetDataOneSheet(back, path, "结果"), 1);
    EXPECT_EQ(Rows(back), Rows(table));
    std::vector<std::string> names;
    ASSERT_EQ(excel.GetAllSheetName(names, path), 1);
    EXPECT_EQ(names, (std::vector<std::string>{"Sheet1", "结果"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(KvExcelTest, TablesOf255ColumnsOrMoreAreRefused) {
    KvExcel excel;
    KvStTable table;
    table.SetLableRecord(std::vector<std::string>(254, "c"));
    EXPECT_EQ(excel.WriteDataToSheet(table, path, "宽"), 1);
    table.AddValueRecord(std::vector<std::string>(255, "v"));
    EXPECT_EQ(excel.WriteDataToSheet(table, folder.File("wide.xlsx"), "宽"), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.rfind("Excel 执行错误!", 0), 0u);
    EXPECT_EQ(messages[0].caption, "Varsolin");
    std::string content;
    EXPECT_EQ(KvFile::ReadAll(folder.File("wide.xlsx"), content), KvFileRead::Missing);
}

TEST_F(KvExcelTest, SheetsAreMadeFoundAndDeletedByName) {
    KvExcel excel;
    EXPECT_EQ(excel.CreateSheet(path, "甲"), 1);
    EXPECT_EQ(excel.CreateSheet(path, "乙"), 1);
    EXPECT_EQ(excel.CreateSheet(path, "sheet1"), 0); // names compare without case
    EXPECT_EQ(excel.CreateSheet(path, "a/b"), 0);
    EXPECT_EQ(excel.CreateSheet(path, std::string(32, 'n')), 0);
    EXPECT_EQ(excel.OpenSheet(path, "丙"), 0);
    EXPECT_EQ(excel.OpenSheet(path, "甲"), 1);
    EXPECT_EQ(excel.SheetName(), "甲");
    EXPECT_EQ(excel.DeleteSheet(path, "Sheet1"), 1);
    EXPECT_EQ(excel.DeleteSheet(path, "甲"), 1);
    EXPECT_EQ(excel.DeleteSheet(path, "乙"), 0); // the only one left
    EXPECT_EQ(messages.size(), 5u);
    KvExcel other;
    std::vector<std::string> names;
    ASSERT_EQ(other.GetAllSheetName(names, path), 1);
    EXPECT_EQ(names, std::vector<std::string>{"乙"});
}

TEST_F(KvExcelTest, DeletedDataLeavesAnEmptySheet) {
    KvExcel excel;
    ASSERT_EQ(excel.WriteDataToSheet(SampleTable(), path, "Sheet1"), 1);
    ASSERT_EQ(excel.DeleteDataFromSheet(path, "Sheet1"), 1);
    KvStTable back;
    ASSERT_EQ(KvExcel().GetDataOneSheet(back, path, "Sheet1"), 1);
    EXPECT_EQ(back.GetFieldCount(), 0);
    EXPECT_EQ(back.GetTableLogicSize(), 0);
}

TEST_F(KvExcelTest, SharedRichAndInlineStringsAreRead) {
    const std::string book =
        Write("hand.xlsx",
              HandMadeWorkbook(
                  R"(<row r="1"><c r="A1" t="s"><v>1</v></c><c r="C1" t="inlineStr">)"
                  R"(<is><t>内联</t></is></c></row>)"
                  R"(<row><c t="s"><v>0</v></c><c t="b"><v>1</v></c><c><v>2.5</v></c></row>)"
                  R"(<row r="4"><c r="B4" t="s"><v>9</v></c><c r="D4" t="str"><v>f</v></c></row>)",
                  R"(<si><t>共享</t></si><si><r><t>富</t></r><r><t>文本</t></r></si>)"));
    KvExcel excel;
    KvStTable table;
    ASSERT_EQ(excel.GetDataOneSheet(table, book, "数据"), 1);
    EXPECT_EQ(Rows(table), (std::vector<std::vector<std::string>>{{"富文本", "", "内联", ""},
                                                                  {"共享", "TRUE", "2.5", ""},
                                                                  {"", "", "", ""},
                                                                  {"", "", "", "f"}}));
}

TEST_F(KvExcelTest, UntrustedWorkbooksAreRefusedWithoutHarm) {
    // One far cell would make a table of 17 billion cells.
    const std::string far = Write(
        "far.xlsx", HandMadeWorkbook(R"(<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>)"
                                     R"(<row r="2"><c r="ZZZZ2"><v>1</v></c></row>)",
                                     ""));
    KvExcel excel;
    KvStTable table;
    EXPECT_EQ(excel.GetDataOneSheet(table, far, "数据"), 0);
    const std::string broken = Write("broken.xlsx", "PK\x03\x04 not really");
    EXPECT_EQ(excel.OpenBook(broken), 0);
    std::string content;
    ASSERT_EQ(KvFile::ReadAll(broken, content), KvFileRead::Ok);
    EXPECT_EQ(content, "PK\x03\x04 not really");
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(KvExcelTest, GeometryAndFormattingAreKept) {
    {
        KvExcel excel;
        ASSERT_EQ(excel.SetColWidth({20, 4.5}, path, "Sheet1"), 1);
        EXPECT_EQ(excel.SetColWidth({300}, path, "Sheet1"), 0);
        EXPECT_EQ(excel.SetCellHeightWidth(3, "C", 30, -1), 1);
        EXPECT_EQ(excel.MergeCells(1, "A", 2, 2), 1);
        EXPECT_EQ(excel.MergeCells(2, "B", 1, 2), 1); // overlaps and replaces A1:B2
        EXPECT_EQ(excel.SetCellBorder(5, "A", 2, 2, 2), 1);
        EXPECT_EQ(excel.SetCellStyle(5, "A", 2, 1, 1), 1);
        EXPECT_EQ(excel.SetCellBorder(5, "A", 4), 0);
        EXPECT_EQ(excel.DrawLine(10, 20, 110, 5), 1);
        double left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(excel.GetCellRect(left, top, width, height, 0, "A"), 0);
    }
    ASSERT_EQ(messages.size(), 3u);
    KvExcel excel;
    ASSERT_EQ(excel.OpenSheet(path, "Sheet1"), 1);
    double height = 0, width = 0;
    ASSERT_EQ(excel.GetCellHeightWidth(height, width, 3, "B"), 1);
    EXPECT_DOUBLE_EQ(height, 30);
    EXPECT_DOUBLE_EQ(width, 4.43); // whole pixels, as the spreadsheet keeps them
    double left = 0, top = 0;
    ASSERT_EQ(excel.GetCellRect(left, top, width, height, 4, "D"), 1);
    // Widths in pixels: 20 → 145, 4.5 → 36, default 8.43 → 64; points are 3/4 pixels.
    EXPECT_DOUBLE_EQ(left, (145 + 36 + 64) * 0.75);
    EXPECT_DOUBLE_EQ(top, 15 + 15 + 30);
    EXPECT_DOUBLE_EQ(width, 48);
    EXPECT_DOUBLE_EQ(height, 15);
    if (!kv_test::HasPythonModule("openpyxl")) {
        GTEST_SKIP() << "python3-openpyxl is not installed";
    }
    excel.Close();
    EXPECT_EQ(kv_test::RunPython("import openpyxl, zipfile\n"
                                 "wb = openpyxl.load_workbook('" +
                                 path +
                                 "')\n"
                                 "ws = wb['Sheet1']\n"
                                 "assert [str(r) for r in ws.merged_cells.ranges] == ['B2:C2']\n"
                                 "assert ws['B6'].border.left.style == 'medium'\n"
                                 "assert ws['A5'].font.b and ws['A5'].alignment.horizontal == "
                                 "'center'\n"
                                 "assert ws.row_dimensions[3].height == 30\n"
                                 "z = zipfile.ZipFile('" +
                                 path +
                                 "')\n"
                                 "assert 'prst=\"line\"' in z.read('xl/drawings/drawing1.xml')"
                                 ".decode()\n"),
              0);
}

TEST_F(KvExcelTest, OpenpyxlReadsNumbersAsNumbers) {
    if (!kv_test::HasPythonModule("openpyxl")) {
        GTEST_SKIP() << "python3-openpyxl is not installed";
    }
    KvExcel excel;
    excel.SetFontSize(16);
    excel.SetCellsBorders(1);
    ASSERT_EQ(excel.WriteDataToSheet(SampleTable(), path, "结果"), 1);
    excel.Close();
    EXPECT_EQ(kv_test::RunPython("import openpyxl\n"
                                 "ws = openpyxl.load_workbook('" +
                                 path +
                                 "')['结果']\n"
                                 "assert ws['B2'].value == 12.5 and ws['C2'].value == '007'\n"
                                 "assert ws['C3'].value == 1e22 and ws['C4'].value == '1.50'\n"
                                 "assert ws['D2'].value == ' 前后空格 '\n"
                                 "assert ws['A1'].font.sz == 16\n"
                                 "assert ws['A1'].border.top.style == 'thin'\n"),
              0);
}

} // namespace
