#include "cli/CalcRunner.h"

#include <kelvorin/KvExcel.h>
#include <kelvorin/KvFile.h>
#include <kelvorin/KvStTable.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

namespace fs = std::filesystem;

class ExportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string folder = (fs::temp_directory_path() / "qv-export-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        m_folder = folder;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    static std::string Example(const char* name) {
        return std::string(QV_SOURCE_DIR) + "/data/examples/" + name;
    }

    fs::path m_folder;
    std::string out = (fs::temp_directory_path() / "unset.xlsx").string();
};

TEST_F(ExportCliTest, LuminairesAndGridPointsGoToTheirSheets) {
    out = (m_folder / "export.xlsx").string();
    const nlohmann::json first =
        test::RunCalcJson("export-xlsx " + Example("office.cil") + " --out " + out);
    EXPECT_EQ(first["sheet"], "灯具");
    const nlohmann::json grid =
        test::RunCalcJson("grid " + Example("office.cil") + " --density 12 --with-points");
    const nlohmann::json second = test::RunCalcJson("export-xlsx " + Example("office.cil") +
                                                    " --table grid --density 12 --out " + out);
    EXPECT_EQ(second["rows"], grid["count"]);

    KvExcel excel;
    std::vector<std::string> sheets;
    ASSERT_EQ(excel.GetAllSheetName(sheets, out), 1);
    EXPECT_EQ(sheets, (std::vector<std::string>{"灯具", "计算点"}));
    KvStTable luminaires;
    ASSERT_EQ(excel.GetDataOneSheet(luminaires, out, "灯具"), 1);
    EXPECT_EQ(luminaires.GetFieldCount(), 8);
    EXPECT_EQ(luminaires.GetTableLogicSize(), first["rows"].get<int>());
    KvStTable points;
    ASSERT_EQ(excel.GetDataOneSheet(points, out, "计算点"), 1);
    ASSERT_EQ(points.GetTableLogicSize(), grid["count"].get<int>());
    std::vector<std::string> row;
    points.GetValueRecord(row, 0);
    EXPECT_NEAR(std::stod(row[3]), grid["points"][0]["eh"].get<double>(), 1e-6);
}

TEST_F(ExportCliTest, ASecondExportReplacesTheSheetsRows) {
    out = (m_folder / "again.xlsx").string();
    const std::string grid = "export-xlsx " + Example("office.cil") + " --table grid --out " + out;
    ASSERT_EQ(test::RunCalc(grid + " --density 12").first, 0);
    ASSERT_EQ(test::RunCalc(grid + " --density 4").first, 0);
    KvStTable points;
    ASSERT_EQ(KvExcel().GetDataOneSheet(points, out, "计算点"), 1);
    const nlohmann::json small =
        test::RunCalcJson("grid " + Example("office.cil") + " --density 4");
    EXPECT_EQ(points.GetTableLogicSize(), small["count"].get<int>());
}

TEST_F(ExportCliTest, BadInputIsRefused) {
    out = (m_folder / "bad.xlsx").string();
    EXPECT_EQ(
        test::RunCalc("export-xlsx " + Example("site_and_road.col") + " --table grid --out " + out)
            .first,
        1);
    EXPECT_EQ(
        test::RunCalc("export-xlsx " + Example("office.cil") + " --table rooms --out " + out).first,
        2);
    // A missing folder: said once, in Chinese, with the path once.
    const auto [status, said] = test::RunCalc("export-xlsx " + Example("office.cil") + " --out " +
                                              m_folder.string() + "/missing/x.xlsx");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(said.find("Excel 执行错误"), said.rfind("Excel 执行错误")) << said;
    EXPECT_NE(said.find("文件夹不存在"), std::string::npos) << said;
    EXPECT_EQ(said.find("/missing/x.xlsx"), said.rfind("/missing/x.xlsx", said.find("未能写入")))
        << said;
    EXPECT_EQ(test::RunCalc("grid " + Example("office.cil") + " --density 0").first, 1);
    ASSERT_TRUE(KvFile::WriteAtomically(out, "not a workbook"));
    EXPECT_EQ(test::RunCalc("export-xlsx " + Example("office.cil") + " --out " + out).first, 1);
    std::string content;
    KvFile::ReadAll(out, content);
    EXPECT_EQ(content, "not a workbook");
}

} // namespace
} // namespace qv
