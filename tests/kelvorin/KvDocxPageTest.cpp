// The page furniture and finishing of a document: header and footer parts named once
// by the page setup however often they are set, and reopened with the file; tables with
// a repeated bold header row, numbers to the right and columns by their texts; headings
// kept with the next paragraph.
#include <kelvorin/KvDocxDocument.h>

#include "KvTestFolder.h"

#include <gtest/gtest.h>

namespace {

pugi::xml_node Section(const KvDocxDocument& document) {
    return document.Body().child("w:sectPr");
}

int Count(pugi::xml_node node, const char* name) {
    int count = 0;
    for (pugi::xml_node child = node.child(name); child; child = child.next_sibling(name)) {
        ++count;
    }
    return count;
}

TEST(KvDocxPageTest, HeaderAndFooterAreReplacedNotAddedAndSurviveReopening) {
    kv_test::ScratchFolder folder;
    std::string error;
    KvDocxDocument document;
    ASSERT_EQ(document.SetPageHeader("第一稿", error), 1);
    ASSERT_EQ(document.SetPageFooter("第 ", " 页 共 ", " 页", error), 1);
    ASSERT_EQ(document.SetPageHeader("工程  计算书", error), 1);
    ASSERT_EQ(document.SetCoreProperties("计算书", "张工", "2026-12-07T08:00:00Z", error), 1);
    const pugi::xml_node section = Section(document);
    EXPECT_EQ(Count(section, "w:headerReference"), 1);
    EXPECT_EQ(Count(section, "w:footerReference"), 1);
    // References lead the page setup: header, footer, then the page size.
    EXPECT_STREQ(section.first_child().name(), "w:headerReference");
    EXPECT_STREQ(section.first_child().next_sibling().name(), "w:footerReference");

    const std::string path = folder.File("page.docx");
    ASSERT_EQ(document.Save(path, error), 1) << error;
    std::unique_ptr<KvDocxDocument> reopened = KvDocxDocument::Open(path, error);
    ASSERT_NE(reopened, nullptr) << error;
    ASSERT_EQ(reopened->SetPageFooter("Page ", " of ", "", error), 1);
    EXPECT_EQ(Count(Section(*reopened), "w:footerReference"), 1);
    EXPECT_EQ(reopened->Save(path, error), 1) << error;
}

TEST(KvDocxPageTest, TableLookAndKeepWithNext) {
    std::string error;
    KvDocxDocument document;
    ASSERT_EQ(document.WriteContent("计算结果\n", 1, 14, "宋体", 1, 0, 0, error), 1);
    EXPECT_EQ(document.KeepWithNext(2), 1);
    ASSERT_EQ(document.AddTable(
                  3, 3, 0,
                  {"序号", "灯具名称", "照度", "1", "格栅荧光灯盘", "312.5", "2", "筒灯", "-3%"},
                  error),
              1);
    ASSERT_EQ(document.FormatLastTable(true, true), 1);

    int kept = 0;
    for (pugi::xml_node p = document.Body().child("w:p"); p; p = p.next_sibling("w:p")) {
        kept += p.child("w:pPr").child("w:keepNext") ? 1 : 0;
    }
    EXPECT_EQ(kept, 2);

    const pugi::xml_node table = document.Body().child("w:tbl");
    const pugi::xml_node header = table.child("w:tr");
    EXPECT_TRUE(header.child("w:trPr").child("w:tblHeader"));
    EXPECT_TRUE(header.child("w:tc").child("w:p").child("w:r").child("w:rPr").child("w:b"));
    const pugi::xml_node body = header.next_sibling("w:tr");
    EXPECT_FALSE(body.child("w:trPr"));
    const auto alignment = [](pugi::xml_node cell) {
        return std::string(
            cell.child("w:p").child("w:pPr").child("w:jc").attribute("w:val").value());
    };
    const pugi::xml_node number = body.child("w:tc");
    EXPECT_EQ(alignment(number), "right");
    EXPECT_NE(alignment(number.next_sibling("w:tc")), "right");
    EXPECT_EQ(alignment(number.next_sibling("w:tc").next_sibling("w:tc")), "right");
    EXPECT_EQ(alignment(body.next_sibling("w:tr").child("w:tc").next_sibling().next_sibling()),
              "right"); // "-3%"

    // 序号 is narrower than the name column; the grid and the cells agree.
    const pugi::xml_node grid = table.child("w:tblGrid");
    const int first = grid.child("w:gridCol").attribute("w:w").as_int();
    const int second = grid.child("w:gridCol").next_sibling().attribute("w:w").as_int();
    EXPECT_LT(first, second);
    EXPECT_EQ(number.child("w:tcPr").child("w:tcW").attribute("w:w").as_int(), first);
    int total = 0;
    for (pugi::xml_node col = grid.child("w:gridCol"); col; col = col.next_sibling()) {
        total += col.attribute("w:w").as_int();
    }
    EXPECT_NEAR(total, table.child("w:tblPr").child("w:tblW").attribute("w:w").as_int(), 2);
}

// A number with its unit is a number too ("12.00m", "500lx", "8.47 W/m²", "30°"); texts that
// only hold numbers among other words stay on the left.
TEST(KvDocxPageTest, NumbersWithUnitsAreRightAligned) {
    std::string error;
    KvDocxDocument document;
    const std::vector<std::string> cells = {"12.00m",       "500lx", "8.47 W/m²", "30°", "-2.5%",
                                            "(1.50, 1.80)", "3×28W", "m",         "lx5"};
    std::vector<std::string> table(cells.size(), "项");
    table.insert(table.end(), cells.begin(), cells.end());
    ASSERT_EQ(document.AddTable(2, static_cast<int>(cells.size()), 0, table, error), 1);
    ASSERT_EQ(document.FormatLastTable(true, true), 1);
    const pugi::xml_node row = document.Body().child("w:tbl").child("w:tr").next_sibling("w:tr");
    size_t i = 0;
    for (pugi::xml_node cell = row.child("w:tc"); cell; cell = cell.next_sibling("w:tc"), ++i) {
        const std::string jc =
            cell.child("w:p").child("w:pPr").child("w:jc").attribute("w:val").value();
        EXPECT_EQ(jc == "right", i < 5) << cells[i];
    }
    EXPECT_EQ(i, cells.size());
}

} // namespace
