// The catalogue builder: the derivations it makes and the sources it refuses.
#include "catalogue/CatalogueBuilder.h"
#include "catalogue/CatalogueSourceText.h"
#include "catalogue/PhotometryDerivation.h"

#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(PhotometryDerivationTest, FluxOfKnownDistributions) {
    // A cosine distribution of 1000/π cd gives 1000 lm below the horizontal.
    PrintedCurve cosine;
    for (int angle = 0; angle <= 90; angle += 1) {
        cosine.push_back({double(angle), 1000.0 / M_PI * std::cos(angle * M_PI / 180.0)});
    }
    EXPECT_NEAR(RotationalFlux(cosine, 0, 90), 1000.0, 0.1);
    // A uniform 1 cd in every direction gives 4π lm; half of it below the horizontal.
    const PrintedCurve uniform = {{0, 1}, {180, 1}};
    EXPECT_NEAR(RotationalFlux(uniform, 0, 180), 4 * M_PI, 1e-12);
    EXPECT_NEAR(RotationalFlux(uniform, 0, 90), 2 * M_PI, 1e-12);
    // Nothing beyond the last printed angle.
    EXPECT_NEAR(RotationalFlux({{0, 1}, {90, 1}}, 0, 180), 2 * M_PI, 1e-12);
    EXPECT_NEAR(TwoPlaneFlux(uniform, {{0, 3}, {180, 3}}, 0, 180), 8 * M_PI, 1e-12);
}

TEST(PhotometryDerivationTest, RotationalGridFollowsTheAngleFromTheAxis) {
    const PrintedCurve curve = {{0, 100}, {30, 40}, {60, 0}};
    EXPECT_DOUBLE_EQ(CurveValueAt(curve, 15), 70.0);
    EXPECT_DOUBLE_EQ(CurveValueAt(curve, 61), 0.0);
    const std::vector<GridNode> grid = RotationalGrid(curve, {-30, 0, 30}, 0.5);
    ASSERT_EQ(grid.size(), 9u);
    EXPECT_DOUBLE_EQ(grid[4].value, 50.0);            // on the axis
    EXPECT_NEAR(grid[5].value, 20.0, 1e-9);           // (0, 30): 30° off the axis
    EXPECT_NEAR(grid[3].value, grid[1].value, 1e-12); // symmetric
    const double psi = std::acos(std::cos(M_PI / 6) * std::cos(M_PI / 6)) * 180 / M_PI;
    EXPECT_NEAR(grid[8].value, 0.5 * CurveValueAt(curve, psi), 1e-9);
}

TEST(CatalogueSourceTextTest, CsvAndScripts) {
    CsvRows csv;
    std::string error;
    ASSERT_TRUE(ParseCsv("a,b\r\n\"x, \"\"y\"\"\",2\n\n3,4", csv, error)) << error;
    ASSERT_EQ(csv.rows.size(), 2u);
    EXPECT_EQ(csv.rows[0].fields[0], "x, \"y\"");
    EXPECT_EQ(csv.rows[1].line, 4);
    EXPECT_FALSE(ParseCsv("a,b\n1,2,3\n", csv, error));
    EXPECT_EQ(error, "2: 3 fields, the header has 2");
    EXPECT_FALSE(ParseCsv("a\n\"open\n", csv, error));

    EXPECT_EQ(
        SplitSqlScript("-- note; here\nCREATE TABLE [a;b] (x);\nINSERT INTO t VALUES "
                       "('x;''y');\n-- end\n"),
        (std::vector<std::string>{"CREATE TABLE [a;b] (x)", "INSERT INTO t VALUES ('x;''y')"}));
}

// A copy of the catalogue sources with one file changed must be refused with a message
// naming the place, leaving an existing database untouched.
class CatalogueBuilderTest : public testing::Test {
protected:
    CatalogueBuilderTest() : m_quiet([](const KvMessage&) { return KvMessageAnswer::Ok; }) {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        fs::copy(fs::path(QV_SOURCE_DIR) / "data" / "catalogue", m_folder / "src",
                 fs::copy_options::recursive);
    }
    ~CatalogueBuilderTest() override { fs::remove_all(m_folder); }

    void Append(const std::string& file, const std::string& line) {
        std::ofstream(m_folder / "src" / file, std::ios::app) << line << '\n';
    }
    // Puts a source file back as it is in the tree.
    void Restore(const std::string& file) {
        fs::copy_file(fs::path(QV_SOURCE_DIR) / "data" / "catalogue" / file,
                      m_folder / "src" / file, fs::copy_options::overwrite_existing);
    }
    bool Build(std::string& error) {
        return BuildCatalogue((m_folder / "src").string(), Target(), error);
    }
    std::string Target() const { return (m_folder / "Lamps.db").string(); }

private:
    fs::path m_folder =
        fs::path(testing::TempDir()) /
        (std::string("qv_build_") + testing::UnitTest::GetInstance()->current_test_info()->name());
    KvScopedMessageHandler m_quiet;
};

TEST_F(CatalogueBuilderTest, BuildsTheSources) {
    std::string error;
    EXPECT_TRUE(Build(error)) << error;
    EXPECT_TRUE(fs::exists(Target()));
    EXPECT_FALSE(fs::exists(Target() + ".building"));
}

TEST_F(CatalogueBuilderTest, RefusesANumberThatIsNotOne) {
    std::ofstream(Target()) << "previous";
    Append("tables/光源.csv", "T8荧光灯,T8 99W,99,3 350,retrieved,S0,");
    std::string error;
    EXPECT_FALSE(Build(error));
    EXPECT_NE(error.find("光源.csv:97: 光通量 \"3 350\" is not a number"), std::string::npos)
        << error;
    std::ifstream kept(Target());
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "previous");
}

TEST_F(CatalogueBuilderTest, RefusesDuplicatesAndMissingTables) {
    std::string error;
    Append("tables/光源.csv", "T8荧光灯,T8 36W (例题13-8),36,3300,retrieved,S0,");
    EXPECT_FALSE(Build(error));
    EXPECT_NE(error.find("lamps listed twice: T8荧光灯, T8 36W (例题13-8), 36"), std::string::npos)
        << error;

    Restore("tables/光源.csv");
    Append("tables/灯具型号.csv", "新灯具,X,,,配光_没有,,,0,,,,0,,,,,,");
    error.clear();
    EXPECT_FALSE(Build(error));
    EXPECT_NE(error.find("luminaire type 新灯具 X: no table \"配光_没有\""), std::string::npos)
        << error;

    Restore("tables/灯具型号.csv");
    Append("standards/场所.csv", "体育建筑,训练场,300,,,,80,地面,,,,recalled,");
    error.clear();
    EXPECT_FALSE(Build(error));
    EXPECT_NE(error.find("category 体育建筑 is not in 照度标准"), std::string::npos) << error;
}

} // namespace
} // namespace qv
