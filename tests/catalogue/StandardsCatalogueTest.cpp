// The illuminance standards the catalogue ships: the current edition of the lighting design
// standard, place by place, read by column name in new and old category tables; and, where
// the extracted tables of the standard are at hand, a check that every printed place and
// value is in the catalogue.
#include "catalogue/CatalogueTestSupport.h"

#include "catalogue/CatalogueStatements.h"
#include "catalogue/StandardsCatalogue.h"

#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace qv::test {
namespace {

using Strings = std::vector<std::string>;

class StandardsCatalogueTest : public CatalogueTest {
protected:
    PlaceStandard Place(const std::string& category, const std::string& place) {
        PlaceStandard values;
        EXPECT_EQ(LoadPlaceStandard(db, category, place, values), 1) << category << " " << place;
        return values;
    }
    // Every place of every category, as (category, place).
    std::vector<std::pair<std::string, std::string>> AllPlaces() {
        std::vector<std::pair<std::string, std::string>> all;
        for (const std::string& category : Column(sql::Categories())) {
            for (const std::string& place : Column(sql::Places(category))) {
                all.emplace_back(category, place);
            }
        }
        return all;
    }
};

TEST_F(StandardsCatalogueTest, RecordsTheEditionItShips) {
    const StandardEdition edition = ReadStandardsEdition(db);
    EXPECT_EQ(edition.number, kLightingStandard);
    EXPECT_EQ(edition.number, "GB/T 50034-2024");
    EXPECT_EQ(edition.title, kLightingStandardTitle);
    // A catalogue built before the edition was recorded names none.
    ASSERT_EQ(copy.Execute("DROP TABLE [标准版本]"), 1);
    EXPECT_EQ(ReadStandardsEdition(copy).number, "");
}

TEST_F(StandardsCatalogueTest, PlacesCarryThePrintedValues) {
    // Offices: plane, illuminance, UGR, U0 and Ra of the table; the target power density of
    // the power-density table, whose limit the edition leaves to GB 55015-2021.
    PlaceStandard office = Place("办公建筑", "普通办公室");
    EXPECT_EQ(office.lux, 300);
    EXPECT_EQ(office.plane, "0.75m水平面");
    EXPECT_EQ(office.ugr, 19);
    EXPECT_EQ(office.u0, 0.6);
    EXPECT_EQ(office.ra, 80);
    EXPECT_EQ(office.targetLpd, 6.5);
    EXPECT_FALSE(office.currentLpd);
    // One power-density row naming two places sets both.
    EXPECT_EQ(Place("办公建筑", "设计室").targetLpd, 9.5);
    EXPECT_EQ(Place("办公建筑", "高档办公室").targetLpd, 9.5);
    // Libraries print both the limit and the target.
    const PlaceStandard reading = Place("图书馆建筑", "老年阅览室");
    EXPECT_EQ(reading.lux, 500);
    EXPECT_EQ(reading.u0, 0.7);
    EXPECT_EQ(reading.currentLpd, 13.5);
    EXPECT_EQ(reading.targetLpd, 9.5);
    // Values this edition changed: a blackboard's uniformity, a bedside's illuminance.
    const PlaceStandard board = Place("教育建筑", "教室黑板");
    EXPECT_EQ(board.lux, 500);
    EXPECT_EQ(board.plane, "黑板面");
    EXPECT_EQ(board.u0, 0.8);
    EXPECT_FALSE(board.ugr);
    EXPECT_EQ(Place("住宅建筑", "卧室 床头、阅读").lux, 200);
    // The per-room density of a dwelling sets its general lighting, not the reading light.
    EXPECT_EQ(Place("住宅建筑", "卧室 一般活动").currentLpd, 5.0);
    EXPECT_FALSE(Place("住宅建筑", "卧室 床头、阅读").targetLpd);
    // Places the catalogue lacked before: sports by class of use, museums, all industries.
    const PlaceStandard hdtv =
        Place("体育建筑（有电视转播）", "篮球、排球、手球、室内足球、乒乓球 HDTV");
    EXPECT_EQ(hdtv.lux, 2000);
    EXPECT_EQ(hdtv.ra, 90);
    EXPECT_EQ(
        Place("体育建筑（有电视转播）", "篮球、排球、手球、室内足球、乒乓球 国家、国际比赛").ra,
        80);
    EXPECT_EQ(Place("博物馆建筑（其他场所）", "藏品库房").currentLpd, 3.5);
    const PlaceStandard inspection = Place("工业建筑（汽车工业）", "检测");
    EXPECT_EQ(inspection.lux, 1000);
    EXPECT_EQ(inspection.ugr, 19);
    EXPECT_EQ(inspection.u0, 0.7);
    EXPECT_EQ(inspection.ra, 90);
    // Outdoor places: the average horizontal illuminance, no plane printed.
    const PlaceStandard road = Place("居住建筑室外公共区域", "道路 主要道路");
    EXPECT_EQ(road.lux, 15);
    EXPECT_EQ(road.plane, "");
}

TEST_F(StandardsCatalogueTest, EveryPlaceIsWithinTheRangesOfTheStandard) {
    const auto places = AllPlaces();
    EXPECT_EQ(Column(sql::Categories()).size(), 41u);
    EXPECT_EQ(places.size(), 496u);
    int withTarget = 0;
    for (const auto& [category, name] : places) {
        const PlaceStandard p = Place(category, name);
        const std::string where = category + " " + name;
        ASSERT_TRUE(p.lux) << where;
        EXPECT_TRUE(*p.lux >= 5 && *p.lux <= 2500) << where;
        if (p.u0) {
            EXPECT_TRUE(*p.u0 >= 0.25 && *p.u0 <= 0.8) << where;
        }
        if (p.ugr) {
            EXPECT_TRUE(*p.ugr >= 16 && *p.ugr <= 28) << where; // the UGR classes in use
        }
        if (p.ra) {
            EXPECT_TRUE(*p.ra >= 20 && *p.ra <= 90) << where;
        }
        if (p.currentLpd) {
            ASSERT_TRUE(p.targetLpd) << where; // a limit always comes with its target
            EXPECT_LT(*p.targetLpd, *p.currentLpd) << where;
        }
        if (p.targetLpd) {
            ++withTarget;
            EXPECT_TRUE(*p.targetLpd > 1 && *p.targetLpd <= 16) << where;
        }
    }
    EXPECT_EQ(withTarget, 160);
}

TEST_F(StandardsCatalogueTest, ANewCategoryStartsWithTheGeneralPlaces) {
    const Strings general = Column(sql::Places("通用房间或场所"));
    EXPECT_EQ(Column("SELECT [场所名称] FROM [照度标准模板] ORDER BY ID "), general);
    ASSERT_EQ(copy.Execute(sql::CopyTemplate("新大类")), 1);
    ASSERT_EQ(copy.Execute(sql::InsertCategory("新大类")), 1);
    EXPECT_TRUE(HasPlaneAndUniformity(copy, "新大类"));
    PlaceStandard copied;
    ASSERT_EQ(LoadPlaceStandard(copy, "新大类", "计算机站", copied), 1);
    EXPECT_EQ(copied.plane, "0.75m水平面");
    EXPECT_EQ(copied.u0, 0.6);
    EXPECT_EQ(copied.targetLpd, 9.5);
    // A place of the user: its plane and uniformity, and 0 for "none".
    ASSERT_EQ(copy.Execute(sql::InsertPlaceWithPlane("新大类", "调度大厅", 300, 0, 7, 19, 80,
                                                     "0.75m水平面", 0.6)),
              1);
    PlaceStandard own;
    ASSERT_EQ(LoadPlaceStandard(copy, "新大类", "调度大厅", own), 1);
    EXPECT_EQ(own.lux, 300);
    EXPECT_FALSE(own.currentLpd);
    EXPECT_EQ(own.targetLpd, 7.0);
    EXPECT_EQ(own.plane, "0.75m水平面");
    EXPECT_EQ(own.u0, 0.6);
    EXPECT_EQ(LoadPlaceStandard(copy, "新大类", "没有的场所", own), 0);
    EXPECT_EQ(LoadPlaceStandard(copy, "没有的大类", "调度大厅", own), -1);
    EXPECT_EQ(LoadPlaceStandard(copy, "a[b]", "调度大厅", own), -1);
}

TEST_F(StandardsCatalogueTest, TablesWithoutPlaneAndUniformityStillRead) {
    // A category table as catalogues made them before: the five values only.
    ASSERT_EQ(
        copy.Execute("CREATE TABLE [旧大类] ([ID] INTEGER PRIMARY KEY, [场所名称] VARCHAR(100) "
                     "NOT NULL, [照度] INTEGER, [现行功率密度] REAL, [目标功率密度] REAL, "
                     "[统一眩光] REAL, [显色指数] INTEGER)"),
        1);
    EXPECT_FALSE(HasPlaneAndUniformity(copy, "旧大类"));
    ASSERT_EQ(copy.Execute(sql::InsertPlace("旧大类", "办公室", 500, 15, 13.5, 19, 80)), 1);
    PlaceStandard old;
    ASSERT_EQ(LoadPlaceStandard(copy, "旧大类", "办公室", old), 1);
    EXPECT_EQ(old.lux, 500);
    EXPECT_EQ(old.currentLpd, 15.0);
    EXPECT_EQ(old.targetLpd, 13.5);
    EXPECT_EQ(old.ugr, 19);
    EXPECT_EQ(old.ra, 80);
    EXPECT_EQ(old.plane, "");
    EXPECT_FALSE(old.u0);
    // The extended statement is refused there; the plain one is what such a table takes.
    EXPECT_EQ(copy.Execute(sql::InsertPlaceWithPlane("旧大类", "会议室", 300, 0, 0, 19, 80, "", 0)),
              0);
}

// --- Development check against the extracted tables of the standard -------------------

// The tables of chapters 5 and 6 of GB/T 50034-2024 as extracted from a text copy of the
// standard; not part of the project, so the check skips where they are missing.
const char* const kTablesJson = "/work/shared/catalogue-facts/gbt50034-2024/gbt2024_tables.json";

// The first number of a printed cell ("300*", "≤50", "750/500"); none for "—" and texts.
std::optional<double> Printed(const std::string& cell) {
    static const std::regex number(R"(^\s*(≤)?\s*(\d+(\.\d+)?))");
    std::smatch match;
    if (!std::regex_search(cell, match, number)) {
        return std::nullopt;
    }
    return std::stod(match[2].str());
}

// A place's values as one comparable text: lux|UGR|U0|Ra, "-" for none.
std::string Key(std::optional<double> lux, std::optional<double> ugr, std::optional<double> u0,
                std::optional<double> ra) {
    const auto text = [](std::optional<double> v, const char* format) {
        return v ? KvStr::Format(format, *v) : std::string("-");
    };
    return text(lux, "%.0f") + "|" + text(ugr, "%.0f") + "|" + text(u0, "%.2f") + "|" +
           text(ra, "%.0f");
}

TEST_F(StandardsCatalogueTest, DevelopmentCheckEveryPrintedPlaceIsLoaded) {
    std::ifstream file(kTablesJson);
    if (!file) {
        GTEST_SKIP() << kTablesJson << " is not here";
    }
    const nlohmann::json tables = nlohmann::json::parse(file);
    // The printed places, read independently of the tool that wrote the sources: one per
    // row, and one per class of use for the sports tables (three illuminance columns).
    std::multiset<std::string> printed;
    for (const auto& [number, table] : tables.items()) {
        if (number.rfind("5.", 0) != 0) {
            continue;
        }
        for (const nlohmann::json& record : table["records"]) {
            if (!record.contains("vals")) {
                continue; // a section heading
            }
            const Strings cols = record["cols"].get<Strings>();
            const Strings vals = record["vals"].get<Strings>();
            std::vector<size_t> lux;
            std::vector<size_t> ra;
            std::optional<size_t> ugr;
            std::optional<size_t> u0;
            for (size_t i = 0; i < cols.size(); ++i) {
                const std::string& c = cols[i];
                if (c.rfind("照度标准值", 0) == 0 || c.rfind("平均水平照度", 0) == 0) {
                    lux.push_back(i);
                } else if (c == "Ra" || c == "R_a" || c == "R_{a}") {
                    ra.push_back(i);
                } else if (c == "UGR") {
                    ugr = i;
                } else if (c == "U0") {
                    u0 = i;
                }
            }
            ASSERT_FALSE(lux.empty()) << number << " " << record["name"];
            if (!Printed(vals[lux[0]])) {
                continue; // the sports tables' row naming the classes of use
            }
            for (size_t k = 0; k < lux.size(); ++k) {
                // Two Ra columns for three classes: the second is HDTV's.
                const std::optional<size_t> raAt =
                    ra.empty() ? std::nullopt
                               : std::optional<size_t>(ra[ra.size() > 1 && k == 2 ? 1 : 0]);
                printed.insert(Key(Printed(vals[lux[k]]), ugr ? Printed(vals[*ugr]) : std::nullopt,
                                   u0 ? Printed(vals[*u0]) : std::nullopt,
                                   raAt ? Printed(vals[*raAt]) : std::nullopt));
            }
        }
    }
    std::multiset<std::string> loaded;
    for (const auto& [category, name] : AllPlaces()) {
        const PlaceStandard p = Place(category, name);
        loaded.insert(Key(p.lux, p.ugr, p.u0, p.ra));
    }
    EXPECT_EQ(loaded.size(), printed.size());
    EXPECT_EQ(loaded, printed);

    // Every printed power density is some place's, with the limit where one is printed.
    std::multiset<std::pair<double, double>> densities; // (limit or 0, target)
    for (const auto& [category, name] : AllPlaces()) {
        const PlaceStandard p = Place(category, name);
        if (p.targetLpd) {
            densities.insert({p.currentLpd.value_or(0.0), *p.targetLpd});
        }
    }
    for (const auto& [number, table] : tables.items()) {
        if (number.rfind("6.3.", 0) != 0) {
            continue;
        }
        for (const nlohmann::json& record : table["records"]) {
            if (!record.contains("vals") || record["vals"].empty()) {
                continue;
            }
            const Strings vals = record["vals"].get<Strings>();
            const std::optional<double> first = Printed(vals.front());
            if (!first) {
                continue; // a section heading printed as a row
            }
            const std::pair<double, double> density =
                vals.size() > 1 ? std::make_pair(*first, *Printed(vals[1]))
                                : std::make_pair(0.0, *first);
            EXPECT_TRUE(densities.count(density)) << number << " " << record["name"] << ": "
                                                  << density.first << "/" << density.second;
        }
    }
}

// The committed sources are what the tool writes from the tables.
TEST_F(StandardsCatalogueTest, DevelopmentCheckTheSourcesAreWhatTheToolWrites) {
    if (!std::ifstream(kTablesJson)) {
        GTEST_SKIP() << kTablesJson << " is not here";
    }
    if (std::system("python3 --version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3 is not available";
    }
    const std::string tool = QV_SOURCE_DIR "/tools/standards-tables/gbt50034_tables.py";
    const std::string folder = QV_SOURCE_DIR "/data/catalogue";
    EXPECT_EQ(
        std::system(
            ("python3 '" + tool + "' --check '" + kTablesJson + "' '" + folder + "'").c_str()),
        0);
}

} // namespace
} // namespace qv::test
