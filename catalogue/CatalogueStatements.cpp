#include "catalogue/CatalogueStatements.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStr.h>

namespace qv::sql {

std::string Text(const std::string& value) {
    return KvAccess::EscapeText(value);
}

std::string LampTypes() {
    return "SELECT [光源类型] FROM [光源] GROUP BY [光源类型] ORDER BY [光源类型]";
}

std::string LampModels(const std::string& type) {
    return "SELECT [灯型号] FROM [光源] WHERE [光源类型] = '" + Text(type) +
           "' GROUP BY [灯型号] ORDER BY [灯型号]";
}

std::string LampPowers(const std::string& type, const std::string& model) {
    return "SELECT [功率] FROM [光源] WHERE [光源类型] = '" + Text(type) + "' AND [灯型号] = '" +
           Text(model) + "' GROUP BY [功率] ORDER BY [功率]";
}

std::string LuminaireNames() {
    return "SELECT [名称] FROM [灯具型号] GROUP BY [名称]";
}

std::string LuminaireModels(const std::string& name) {
    return "SELECT [型号] FROM [灯具型号] WHERE [名称] = '" + Text(name) + "' GROUP BY [型号]";
}

std::string LuminaireLampType(const std::string& name, const std::string& model) {
    return "SELECT [光源] FROM [灯具型号] WHERE [名称] = '" + Text(name) + "' AND [型号] = '" +
           Text(model) + "'";
}

std::string RecordCondition(const std::vector<ConditionKey>& keys) {
    std::string condition = "WHERE ";
    bool any = false;
    for (const ConditionKey& key : keys) {
        if (key.value.empty()) {
            continue;
        }
        any = true;
        condition += key.quoted ? key.column + "='" + Text(key.value) + "' AND "
                                : key.column + "=" + key.value + " AND ";
    }
    if (!any) {
        return std::string();
    }
    while (!condition.empty() && std::string(" AND").find(condition.back()) != std::string::npos) {
        condition.pop_back();
    }
    return condition;
}

std::string SelectRecord(const std::string& table, const std::string& condition) {
    return condition.empty() ? "select * from " + table
                             : "select * from " + table + " " + condition;
}

std::string LampRecord(const std::string& type, const std::string& model,
                       const std::string& power) {
    return SelectRecord("[光源]", RecordCondition({{"[光源类型]", type, true},
                                                   {"[灯型号]", model, true},
                                                   {"[功率]", power, false}}));
}

std::string LuminaireRecord(const std::string& name, const std::string& model) {
    return SelectRecord("[灯具型号]",
                        RecordCondition({{"[名称]", name, true}, {"[型号]", model, true}}));
}

std::string IntensityRows(const std::string& table) {
    return "SELECT [角度],[光强A],[光强B] FROM [" + table + "] ORDER BY [角度]";
}

std::string CuRows(const std::string& table) {
    return "SELECT * FROM [" + table +
           "] ORDER BY [有效顶棚反射比], [墙反射比], [地面反射比], [室空间比]";
}

std::string FloodRows(const std::string& table) {
    return "SELECT * FROM [" + table + "] ORDER BY [纵向角度], [垂直角度]";
}

std::string Categories() {
    return "SELECT [场所] FROM [照度标准] ORDER BY ID";
}

std::string Places(const std::string& category) {
    return "SELECT [场所名称] FROM [" + category + "] ORDER BY ID ";
}

std::string PlaceValues(const std::string& category, const std::string& place) {
    return "SELECT [照度],[现行功率密度],[目标功率密度],[统一眩光],[显色指数] FROM [" + category +
           "] WHERE [场所名称] = '" + Text(place) + "'";
}

std::string CopyTemplate(const std::string& category) {
    return "select * into [" + category + "] from [照度标准模板]";
}

std::string InsertCategory(const std::string& category) {
    return "INSERT INTO [照度标准] (场所) values ('" + Text(category) + "')";
}

std::string InsertPlace(const std::string& category, const std::string& place, int lux,
                        double currentLpd, double targetLpd, double ugr, int ra) {
    return "INSERT INTO [" + category +
           "] (场所名称,照度,现行功率密度,目标功率密度,统一眩光,显色指数) values ('" + Text(place) +
           "'," + KvStr::Format("%d,%.1f,%.1f,%.0f,%d)", lux, currentLpd, targetLpd, ugr, ra);
}

std::string PlaceRow(const std::string& category, const std::string& place) {
    return "SELECT * FROM [" + category + "] WHERE [场所名称] = '" + Text(place) + "'";
}

namespace {

// A value of the place's row: NULL when it is 0 (the place has none), else the format.
std::string OrNull(double value, const char* format) {
    return value == 0.0 ? std::string("NULL") : KvStr::Format(format, value);
}

} // namespace

std::string InsertPlaceWithPlane(const std::string& category, const std::string& place, int lux,
                                 double currentLpd, double targetLpd, double ugr, int ra,
                                 const std::string& plane, double u0) {
    return "INSERT INTO [" + category +
           "] (场所名称,照度,现行功率密度,目标功率密度,统一眩光,显色指数,参考平面,照度均匀度) "
           "values ('" +
           Text(place) + "'," + std::to_string(lux) + "," + OrNull(currentLpd, "%.1f") + "," +
           OrNull(targetLpd, "%.1f") + "," + OrNull(ugr, "%.0f") + "," + std::to_string(ra) + "," +
           (plane.empty() ? std::string("NULL") : "'" + Text(plane) + "'") + "," +
           OrNull(u0, "%.2f") + ")";
}

std::string StandardsEdition() {
    return "SELECT [标准],[名称] FROM [标准版本] WHERE [内容] = '照度标准'";
}

std::string DeletePlace(const std::string& category, const std::string& place) {
    return "DELETE * FROM [" + category + "] WHERE [场所名称] = '" + Text(place) + "'";
}

std::string DropCategoryTable(const std::string& category) {
    return "DROP TABLE [" + category + "]";
}

std::string DeleteCategory(const std::string& category) {
    return "DELETE * FROM [照度标准] WHERE [场所] = '" + Text(category) + "'";
}

std::string MaterialColours(const std::string& material) {
    return "SELECT [颜色] FROM 物体反射率 WHERE 物体 = '" + Text(material) + "'";
}

std::string PlainReflectance(const std::string& material) {
    return "SELECT [反射率] FROM [物体反射率] WHERE [物体] = '" + Text(material) +
           "'AND [颜色] = '无'";
}

std::string Reflectance(const std::string& material, const std::string& colour) {
    return "SELECT [反射率] FROM [物体反射率] WHERE [物体] = '" + Text(material) +
           "'AND [颜色] = '" + Text(colour) + "'";
}

std::string DistributionClasses() {
    return "SELECT DISTINCT [所属类型] FROM [常用灯具配光分类]";
}

std::string RoomCavityRatios() {
    return "SELECT DISTINCT [RCR] FROM [单位容量P0计算] GROUP BY [RCR]";
}

std::string P0Fluorescent40W(const std::string& distributionClass, const std::string& rcr) {
    return "SELECT [40W荧光灯P0] FROM [单位容量P0计算] WHERE [类型] = '" + Text(distributionClass) +
           "' AND [RCR] = '" + Text(rcr) + "' ";
}

std::string P0Incandescent100W(const std::string& distributionClass, const std::string& rcr) {
    return "SELECT [100W白炽灯P0] FROM [单位容量P0计算] WHERE [类型] = '" +
           Text(distributionClass) + "' AND [RCR] = '" + Text(rcr) + "' ";
}

std::string CeilingReflectances() {
    return "SELECT  [顶棚反射比] FROM [单位容量修正系数C1]";
}

std::string C1(const std::string& ceilingReflectance, bool trailingBlank) {
    return "SELECT [修正系数] FROM [单位容量修正系数C1] WHERE [顶棚反射比] = '" +
           Text(ceilingReflectance) + (trailingBlank ? "' " : "'");
}

std::string C2LampTypes() {
    return "SELECT DISTINCT [光源类型] FROM [单位容量调整系数C2]";
}

std::string C2RatedPowers(const std::string& lampType) {
    return "SELECT [额定功率] FROM [单位容量调整系数C2] WHERE [光源类型] = '" + Text(lampType) +
           "'";
}

std::string C2(const std::string& lampType, const std::string& ratedPower) {
    return "SELECT [调整系数C2] FROM [单位容量调整系数C2] WHERE [光源类型] = '" + Text(lampType) +
           "' AND [额定功率] = '" + Text(ratedPower) + "' ";
}

} // namespace qv::sql
