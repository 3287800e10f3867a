#include "panels/LuminaireDialogModel.h"

#include "calc/glare/UgrCatalogue.h"
#include "catalogue/CatalogueLoaders.h"
#include "catalogue/photometry/CatalogueUgrTables.h"
#include "catalogue/photometry/PhotometricImport.h"
#include "panels/LuminairePlacement.h"
#include "panels/MaintenanceFactorMenu.h"
#include "panels/NumberCheck.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

namespace qv {

const std::array<const char*, 4> LuminaireDialogModel::kPages = {"基本信息", "配光曲线",
                                                                 "利用系数表", "等光强曲线"};
const std::array<const char*, 6> LuminaireDialogModel::kPlacementLabels = {
    "X", "Y", "安装高度 Z", "X轴旋转", "Y轴旋转", "Z轴旋转"};
const std::array<const char*, 2> LuminaireDialogModel::kShapeKinds = {"矩形", "圆形"};
const std::array<const char*, 3> LuminaireDialogModel::kCurveHeaders = {"角度", "光强A-A",
                                                                        "光强B-B"};
const std::array<const char*, 5> LuminaireDialogModel::kCuHeaders = {"ρcc", "ρw", "ρf", "RCR",
                                                                     "利用系数"};
// The grid holds thousands of candela for the luminaire's lamps, as the floodlight
// calculation reads it.
const std::array<const char*, 4> LuminaireDialogModel::kFloodHeaders = {"序        号", "纵向角度",
                                                                        "垂直角度", "光强(kcd)"};

LuminaireDialogModel::LuminaireDialogModel(CatalogueDatabase& db, const Luminaire& luminaire)
    : m_db(db), m_working(luminaire) {}

void LuminaireDialogModel::Open() {
    ListLuminaireNames(m_db, m_names);
    m_name = m_names.empty() ? std::string() : m_names.front();
    m_models.clear();
    m_model.clear();
    if (m_working.sName.empty() && !m_name.empty()) {
        ListLuminaireModels(m_db, m_name, m_models);
        if (!m_models.empty()) {
            ChooseModel(m_models.front());
        }
    }
    for (LampPageLists& page : m_lampPages) {
        page = LampPageLists();
        ListLampTypes(m_db, page.types);
    }
}

void LuminaireDialogModel::ChooseName(const std::string& name) {
    m_name = name;
    m_model.clear();
    ListLuminaireModels(m_db, name, m_models);
}

bool LuminaireDialogModel::ChooseModel(const std::string& model) {
    m_model = model;
    return LoadLuminaireType(m_db, m_name, model, m_working) == 1;
}

bool LuminaireDialogModel::ChooseRecordedLamp() {
    std::string type;
    std::string power;
    if (FindRecordedLamp(m_db, m_name, m_model, type, power) != 1) {
        return false;
    }
    ChooseLampType(0, type);
    ChooseLampModel(0, m_model);
    return ChooseLampPower(0, power);
}

bool LuminaireDialogModel::ImportFiles(const std::vector<std::string>& files, std::string& error) {
    if (files.empty()) {
        error = "没有选择文件";
        return false;
    }
    if (!m_db.Connect()) {
        error = "无法打开数据库 " + m_db.Path();
        return false;
    }
    std::vector<CatalogueLuminaireType> types;
    std::vector<WrittenType> written;
    error = CatalogueWriteProblem(m_db.Path());
    if (!error.empty() ||
        !ImportPhotometricFiles(m_db.Access(), files, types, written, error, AddUgrTables)) {
        return false;
    }
    const CatalogueLuminaireType& first = types.front();
    ListLuminaireNames(m_db, m_names);
    ChooseName(first.name);
    ChooseModel(first.model);
    ChooseLampType(0, first.lampType);
    ChooseLampModel(0, first.lampModel);
    ChooseLampPower(0, KvStr::FormatDouble(first.lampPower));
    SetLampCount(0, first.lampCount);
    return true;
}

LuminaireShape& LuminaireDialogModel::Shape(ShapeGroup group) {
    return group == kGeometric ? m_working.geometricShape : m_working.opticalShape;
}

void LuminaireDialogModel::ChooseShape(ShapeGroup group, int kind) {
    Shape(group).nShape =
        kind == LuminaireShape::kCircle ? LuminaireShape::kCircle : LuminaireShape::kRectangle;
    RecomputeTotalFlux();
}

const char* LuminaireDialogModel::LengthLabel(const LuminaireShape& shape) {
    return shape.nShape == LuminaireShape::kCircle ? "直径" : "长度";
}

bool LuminaireDialogModel::WidthEnabled(const LuminaireShape& shape) {
    return shape.nShape != LuminaireShape::kCircle;
}

void LuminaireDialogModel::SetSecondLamp(bool present) {
    m_working.bLampHouse2 = present ? 1 : 0;
    RecomputeTotalFlux();
}

bool LuminaireDialogModel::ChooseMaintenanceFactor(int item) {
    if (item < 0 || item >= static_cast<int>(kMaintenanceFactorMenu.size())) {
        return false;
    }
    m_working.dVindicate = kMaintenanceFactorMenu[static_cast<size_t>(item)].factor;
    return true;
}

void LuminaireDialogModel::ChooseLampType(int page, const std::string& type) {
    LampPageLists& lists = m_lampPages[Page(page)];
    lists.type = type;
    lists.model.clear();
    lists.power.clear();
    lists.powers.clear();
    ListLampModels(m_db, type, lists.models);
}

void LuminaireDialogModel::ChooseLampModel(int page, const std::string& model) {
    LampPageLists& lists = m_lampPages[Page(page)];
    lists.model = model;
    lists.power.clear();
    ListLampPowers(m_db, lists.type, model, lists.powers);
}

bool LuminaireDialogModel::ChooseLampPower(int page, const std::string& power) {
    LampPageLists& lists = m_lampPages[Page(page)];
    lists.power = power;
    const bool loaded = LoadLamp(m_db, lists.type, lists.model, power, LampAt(page)) == 1;
    RecomputeTotalFlux();
    return loaded;
}

void LuminaireDialogModel::SetLampCount(int page, int count) {
    LampAt(page).nCount = count;
    RecomputeTotalFlux();
}

void LuminaireDialogModel::SetBallastPower(int page, double watts) {
    LampAt(page).dBallastPower = watts;
}

void LuminaireDialogModel::SetLampFlux(int page, int lumen) {
    LampAt(page).nLuminousFlux = lumen;
    RecomputeTotalFlux();
}

bool LuminaireDialogModel::SetShapeSizeText(ShapeGroup group, ShapeSize size,
                                            const std::string& text) {
    LuminaireShape& shape = Shape(group);
    const char* label =
        size == kShapeLength ? LengthLabel(shape) : (size == kShapeWidth ? "宽度" : "高度");
    const std::optional<double> value = CheckNumber(text, NumberKind::kSize, label);
    if (value) {
        (size == kShapeLength ? shape.dLength
                              : (size == kShapeWidth ? shape.dWidth : shape.dHeight)) = *value;
    }
    return value.has_value();
}

bool LuminaireDialogModel::SetBallastPowerText(int page, const std::string& text) {
    const std::optional<double> watts = CheckNumber(text, NumberKind::kNonNegative, "镇流器功率");
    if (watts) {
        SetBallastPower(page, *watts);
    }
    return watts.has_value();
}

bool LuminaireDialogModel::SetLampFluxText(int page, const std::string& text) {
    const std::optional<int> lumen = CheckInt(text, NumberKind::kIntFlux, "光源光通量");
    if (lumen) {
        SetLampFlux(page, *lumen);
    }
    return lumen.has_value();
}

bool LuminaireDialogModel::SetTotalFluxText(const std::string& text) {
    const std::optional<int> lumen = CheckInt(text, NumberKind::kIntFlux, "灯具总光通量");
    if (lumen) {
        SetTotalFlux(*lumen);
    }
    return lumen.has_value();
}

bool LuminaireDialogModel::SetMaintenanceFactorText(const std::string& text) {
    const std::optional<double> factor = CheckNumber(text, NumberKind::kMaintenance, "维护系数");
    if (factor) {
        SetMaintenanceFactor(*factor);
    }
    return factor.has_value();
}

std::string LuminaireDialogModel::LampPowerText(int page) const {
    return KvStr::FormatDouble(LampOf(page).dPower);
}

void LuminaireDialogModel::RecomputeTotalFlux() {
    const Lamp& first = m_working.lamp1;
    const Lamp& second = m_working.lamp2;
    long long total = static_cast<long long>(first.nCount) * first.nLuminousFlux;
    if (m_working.bLampHouse2) {
        total += static_cast<long long>(second.nCount) * second.nLuminousFlux;
    }
    m_working.nLuminousFlux = static_cast<int>(std::clamp<long long>(total, INT_MIN, INT_MAX));
}

std::vector<std::vector<std::string>> LuminaireDialogModel::CurveRows() const {
    std::vector<std::vector<std::string>> rows;
    const int count = std::min(m_working.curveA.Count(), m_working.curveB.Count());
    for (int i = 0; i < count; ++i) {
        rows.push_back({KvStr::FormatDouble(m_working.curveA.At(i).dAngle),
                        KvStr::FormatDouble(m_working.curveA.At(i).dLightStrong),
                        KvStr::FormatDouble(m_working.curveB.At(i).dLightStrong)});
    }
    return rows;
}

std::vector<std::vector<std::string>> LuminaireDialogModel::CuRows() const {
    std::vector<std::vector<std::string>> rows;
    for (const CuRow& row : m_working.cuTable.Rows()) {
        rows.push_back({KvStr::Format("%.f", row.dPcc), KvStr::Format("%.f", row.dPw),
                        KvStr::Format("%.f", row.dPf), KvStr::Format("%.2f", row.dPCR),
                        KvStr::Format("%.2f", row.dUsing)});
    }
    return rows;
}

std::vector<std::vector<std::string>> LuminaireDialogModel::FloodRows() const {
    std::vector<std::vector<std::string>> rows;
    int number = 1;
    for (const FloodIntensityRow& row : m_working.floodTable.Rows()) {
        rows.push_back({KvStr::Format("%d", number++), KvStr::Format("%.2f", row.dZXAngle),
                        KvStr::Format("%.2f", row.dHXAngle), KvStr::Format("%.3f", row.dLampGq)});
    }
    return rows;
}

const std::array<const char*, 2> LuminaireDialogModel::kUgrSpacings = {"S = 0.25H", "S = 1H"};

std::vector<std::string> LuminaireDialogModel::UgrHeaders() {
    std::vector<std::string> headers{"X", "Y"};
    for (const char* direction : {"横向", "纵向"}) {
        for (const auto& rho : kUgrReflectances) {
            headers.push_back(KvStr::Format("%s\n%d/%d/%d", direction, rho[0], rho[1], rho[2]));
        }
    }
    return headers;
}

std::string LuminaireDialogModel::UgrCellText(double ugr) {
    return qv::UgrCellText(ugr);
}

LuminaireDialogModel::UgrTablePage LuminaireDialogModel::UgrPage() const {
    UgrTablePage page;
    if (m_name.empty() || m_model.empty()) {
        page.line = "未选择数据库中的灯具类型,没有UGR表";
        return page;
    }
    std::vector<CatalogueUgrTable> stored;
    if (!m_db.Connect() || !LoadUgrTables(m_db, m_name, m_model, stored)) {
        page.line = "无法读取数据库 " + m_db.Path() + " 的UGR表";
        return page;
    }
    if (stored.empty()) {
        page.line = "该灯具类型只有A、B两条配光曲线,没有UGR表;导入它的配光文件(.ldt/.ies)即可得到";
        return page;
    }
    const double shr = m_ugrSpacing == 1 ? kUgrStandardShr : kUgrCatalogueShr;
    for (const CatalogueUgrTable& one : stored) {
        const std::optional<UgrTable> table = FromCatalogueUgrTable(one);
        if (!table || std::fabs(table->shr - shr) > 1e-9) {
            continue;
        }
        page.line =
            KvStr::Format("%s, 光通量 Φ = %.0f lm", kUgrSpacings[Page(m_ugrSpacing)], table->flux);
        for (size_t r = 0; r < kUgrRooms.size(); ++r) {
            std::vector<std::string> cells{KvStr::Format("%dH", kUgrRooms[r].x),
                                           KvStr::Format("%dH", kUgrRooms[r].y)};
            for (const double ugr : table->crosswise[r]) {
                cells.push_back(UgrCellText(ugr));
            }
            for (const double ugr : table->endwise[r]) {
                cells.push_back(UgrCellText(ugr));
            }
            page.rows.push_back(std::move(cells));
        }
        return page;
    }
    page.line =
        std::string("数据库中没有该灯具类型 ") + kUgrSpacings[Page(m_ugrSpacing)] + " 的UGR表";
    return page;
}

std::string LuminaireDialogModel::PlacementText(int field) const {
    return qv::PlacementText(m_working, field);
}

bool LuminaireDialogModel::SetPlacement(int field, const std::string& text) {
    // The message names the height as the dialog does, the others as the panel's columns.
    const std::string name = field == kPlaceZ ? "安装高度" : PlacementName(field);
    return qv::SetPlacement(m_working, field, text, name);
}

} // namespace qv
