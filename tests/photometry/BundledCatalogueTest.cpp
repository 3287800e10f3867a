// The bundled catalogue as built: every computed CU table is the one its curves give, and
// every linear distribution class and every floodlight beam has a generic member.
#include "calc/common/Photometry.h"
#include "catalogue/CatalogueLoaders.h"
#include "catalogue/photometry/CatalogueLuminaireType.h"

#include <kelvorin/KvAccess.h>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace qv::test {
namespace {

TEST(BundledCatalogueTest, ComputedTablesMatchTheirCurvesAndClassesHaveMembers) {
    KvAccess access;
    std::ostringstream report;
    CatalogueDatabase db(access, QV_CATALOGUE_PATH, report);
    std::vector<std::string> names;
    ASSERT_GT(ListLuminaireNames(db, names), 0);
    std::set<int> linearTypes;
    int computed = 0;
    int floodlights = 0;
    for (const std::string& name : names) {
        std::vector<std::string> models;
        ListLuminaireModels(db, name, models);
        for (const std::string& model : models) {
            Luminaire type;
            ASSERT_EQ(LoadLuminaireType(db, name, model, type), 1) << name << model;
            const bool generic = name.rfind("通用", 0) == 0;
            if (type.sModulusTable.rfind("利用系数_计算_", 0) == 0) {
                ++computed;
                EXPECT_EQ(type.cuTable, CuTableOfCurves(type.curveA, type.curveB)) << name << model;
            } else if (type.floodTable.Count() == 0) {
                EXPECT_GT(type.cuTable.Count(), 0) << name << model << " has no CU table";
            }
            if (generic && type.floodTable.Count() > 0) {
                ++floodlights;
            } else if (generic) {
                linearTypes.insert(ClassifyLinearDistribution(type.curveA, -1));
            }
        }
    }
    EXPECT_EQ(computed, 15);
    EXPECT_EQ(floodlights, 3);
    EXPECT_EQ(linearTypes, (std::set<int>{kLinearA, kLinearB, kLinearC, kLinearD, kLinearE}));
    EXPECT_EQ(report.str(), "");
}

} // namespace
} // namespace qv::test
