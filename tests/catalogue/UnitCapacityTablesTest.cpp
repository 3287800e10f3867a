// The shipped unit-capacity tables: every distribution class complete, P0 rising with
// the room cavity ratio, the worked example's values, and the committed files being what
// the derivation tool writes.
#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

class UnitCapacityTablesTest : public testing::Test {
protected:
    UnitCapacityTablesTest() { m_db.InitADOServer(QV_CATALOGUE_PATH, ""); }

    std::vector<std::vector<std::string>> Rows(const std::string& sql) {
        KvStTable table;
        const int count = m_db.GetSelData(table, sql);
        EXPECT_GE(count, 0) << sql;
        std::vector<std::vector<std::string>> rows(static_cast<size_t>(std::max(count, 0)));
        for (int i = 0; i < count; ++i) {
            table.GetValueRecord(rows[static_cast<size_t>(i)], i);
        }
        return rows;
    }

    // P0 of one column by class, keyed by the room cavity ratio.
    std::map<std::string, std::map<double, double>> P0By(const std::string& column) {
        std::map<std::string, std::map<double, double>> p0;
        for (const auto& row :
             Rows("SELECT [类型], [RCR], [" + column + "] FROM [单位容量P0计算]")) {
            p0[row[0]][KvStr::Atof(row[1])] = KvStr::Atof(row[2]);
        }
        return p0;
    }

    KvAccess m_db;
};

TEST_F(UnitCapacityTablesTest, EveryClassHasRisingP0AtEveryRatio) {
    std::set<std::string> listed;
    for (const auto& row : Rows("SELECT DISTINCT [所属类型] FROM [常用灯具配光分类]")) {
        listed.insert(row[0]);
    }
    EXPECT_TRUE(listed.count("直接型9"));
    EXPECT_GE(listed.size(), 6u);
    for (const char* column : {"40W荧光灯P0", "100W白炽灯P0"}) {
        const auto p0 = P0By(column);
        std::set<std::string> tabulated;
        for (const auto& [name, byRatio] : p0) {
            tabulated.insert(name);
            ASSERT_EQ(byRatio.size(), 10u) << name;
            EXPECT_EQ(byRatio.begin()->first, 1);
            EXPECT_EQ(byRatio.rbegin()->first, 10);
            double previous = 0.0;
            for (const auto& [ratio, value] : byRatio) {
                EXPECT_GT(value, previous) << name << " RCR " << ratio << " " << column;
                previous = value;
            }
        }
        EXPECT_EQ(tabulated, listed) << column;
    }
    // A 100 W incandescent lamp gives less light per watt than a 40 W fluorescent one.
    const auto fluorescent = P0By("40W荧光灯P0");
    const auto incandescent = P0By("100W白炽灯P0");
    EXPECT_GT(incandescent.at("直接型9").at(1), 3 * fluorescent.at("直接型9").at(1));
}

TEST_F(UnitCapacityTablesTest, WorkedExampleValuesHold) {
    const std::map<double, double> semiDirect = P0By("40W荧光灯P0").at("半直接型");
    const double p0 = semiDirect.at(4) + (semiDirect.at(5) - semiDirect.at(4)) * (4.167 - 4);
    EXPECT_NEAR(p0, 0.0565, 0.00005);
    EXPECT_EQ(Rows("SELECT [修正系数] FROM [单位容量修正系数C1] WHERE [顶棚反射比] = '0.7'"),
              (std::vector<std::vector<std::string>>{{"1"}}));
    EXPECT_EQ(Rows("SELECT [调整系数C2] FROM [单位容量调整系数C2] WHERE [光源类型] = 'T8荧光灯' "
                   "AND [额定功率] = '36'"),
              (std::vector<std::vector<std::string>>{{"0.675"}}));
    // A darker ceiling asks for more power, a lighter one for less.
    std::map<double, double> c1;
    for (const auto& row : Rows("SELECT [顶棚反射比], [修正系数] FROM [单位容量修正系数C1]")) {
        c1[KvStr::Atof(row[0])] = KvStr::Atof(row[1]);
    }
    EXPECT_TRUE(std::is_sorted(c1.rbegin(), c1.rend(),
                               [](const auto& a, const auto& b) { return a.second < b.second; }));
}

TEST(UnitCapacityTablesTool, CommittedTablesAreWhatTheToolDerives) {
    if (std::system("python3 --version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3 is not available";
    }
    const std::string tool =
        std::string(QV_SOURCE_DIR) + "/tools/unitcap-tables/derive_unitcap_tables.py";
    const std::string folder = std::string(QV_SOURCE_DIR) + "/data/catalogue";
    EXPECT_EQ(std::system(("python3 '" + tool + "' --check '" + folder + "'").c_str()), 0)
        << "run " << tool << " and commit the tables it writes";
}

} // namespace
