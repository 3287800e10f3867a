#pragma once
// The luminaire dialog "灯具参数" without a window. It edits a working copy of one
// luminaire: the type is chosen by name and model from the catalogue, the lamps by
// type, model and power; the pages "基本信息", "配光曲线", "利用系数表" and "等光强曲线"
// show the working copy. OK hands the copy back, Cancel drops it.
#include "catalogue/CatalogueDatabase.h"
#include "model/Luminaire.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// The lists and choices of one lamp page ("第一光源", "第二光源").
struct LampPageLists {
    std::vector<std::string> types;  // "名称"
    std::vector<std::string> models; // "类型"
    std::vector<std::string> powers; // "功率"
    std::string type;
    std::string model;
    std::string power;
};

class LuminaireDialogModel {
public:
    static constexpr const char* kTitle = "灯具参数";
    static const std::array<const char*, 4> kPages;
    static const std::array<const char*, 2> kShapeKinds; // "矩形", "圆形"
    static const std::array<const char*, 3> kCurveHeaders;
    static const std::array<const char*, 5> kCuHeaders;
    static const std::array<const char*, 4> kFloodHeaders;
    enum ShapeGroup { kGeometric = 0, kOptical = 1 }; // "几何尺寸", "光学器件"

    LuminaireDialogModel(CatalogueDatabase& db, const Luminaire& luminaire);

    // Fills the name list and selects its first entry. A luminaire without a type name
    // gets the first model of that name and its type; otherwise it stays as it is.
    // Both lamp pages list the lamp types.
    void Open();

    const std::vector<std::string>& Names() const { return m_names; }
    const std::string& SelectedName() const { return m_name; }
    const std::vector<std::string>& Models() const { return m_models; }
    const std::string& SelectedModel() const { return m_model; }
    // Refills the model list for the name (no model selected).
    void ChooseName(const std::string& name);
    // Loads the type of the selected name and this model into the working luminaire;
    // false when the catalogue has no such type (the luminaire is unchanged).
    bool ChooseModel(const std::string& model);
    // Chooses on the first lamp page the lamp the selected type records for itself (as the
    // types imported from photometric files do: see FindRecordedLamp); false, with
    // nothing changed, when the type records none.
    bool ChooseRecordedLamp();
    // "导入配光文件...": adds the types of photometric files (.ies, .ldt) to the catalogue
    // and chooses the first one with its lamp (count, flux) on the first lamp page.
    // False with the reason when a file cannot be read or the catalogue refuses the
    // types; then nothing is added and the working luminaire is unchanged.
    bool ImportFiles(const std::vector<std::string>& files, std::string& error);

    // "基本信息".
    void ChooseShape(ShapeGroup group, int kind);
    LuminaireShape& Shape(ShapeGroup group);
    // "长度", or "直径" for a circle; "宽度" is disabled for a circle.
    static const char* LengthLabel(const LuminaireShape& shape);
    static bool WidthEnabled(const LuminaireShape& shape);
    void SetSecondLamp(bool present);
    void SetMaintenanceFactor(double factor) { m_working.dVindicate = factor; }
    // Chooses an item of the maintenance-factor menu; false for an index outside it.
    bool ChooseMaintenanceFactor(int item);

    // Lamp pages: 0 the first lamp, 1 the second.
    const LampPageLists& LampPage(int page) const { return m_lampPages[Page(page)]; }
    const Lamp& LampOf(int page) const { return page == 0 ? m_working.lamp1 : m_working.lamp2; }
    // Choosing a type lists its models, a model its powers; choosing a power loads the
    // lamp from the catalogue (false when it is not there) and recomputes the total flux.
    void ChooseLampType(int page, const std::string& type);
    void ChooseLampModel(int page, const std::string& model);
    bool ChooseLampPower(int page, const std::string& power);
    // Fields edited directly. The count and the lamp flux recompute the total flux.
    void SetLampCount(int page, int count);
    void SetBallastPower(int page, double watts);
    void SetLampFlux(int page, int lumen);
    // The power field's text.
    std::string LampPowerText(int page) const;

    // "灯具总光通量": count × flux of the first lamp, plus the second's when the luminaire
    // has one; kept within the 32-bit range.
    int TotalFlux() const { return m_working.nLuminousFlux; }
    void SetTotalFlux(int lumen) { m_working.nLuminousFlux = lumen; }

    // The number fields typed as text: the text is taken when it is a number the field
    // takes; otherwise the refusal names the field, the value is kept and the result is
    // false. The sizes ("长度" or "直径", "宽度", "高度") lie within 0 … 100000 m, the
    // ballast power ("镇流器功率") is not negative, the lamp flux ("光源光通量") and the
    // total flux ("灯具总光通量") are whole numbers above 0, the maintenance factor
    // ("维护系数") lies above 0 and at most 1. The lamp flux recomputes the total flux.
    enum ShapeSize { kShapeLength, kShapeWidth, kShapeHeight };
    bool SetShapeSizeText(ShapeGroup group, ShapeSize size, const std::string& text);
    bool SetBallastPowerText(int page, const std::string& text);
    bool SetLampFluxText(int page, const std::string& text);
    bool SetTotalFluxText(const std::string& text);
    bool SetMaintenanceFactorText(const std::string& text);

    // "安装位置": the labels of the six placement fields (PlacementField order), their
    // texts from the working luminaire, and a typed text taken back: false, with the
    // message naming the field and the value kept, when it is not a number within the
    // field's limits (as the luminaire panel's cells).
    static const std::array<const char*, 6> kPlacementLabels;
    std::string PlacementText(int field) const;
    bool SetPlacement(int field, const std::string& text);

    // The grids of the table pages, one row of cell texts per table row.
    std::vector<std::vector<std::string>> CurveRows() const;
    std::vector<std::vector<std::string>> CuRows() const;
    std::vector<std::vector<std::string>> FloodRows() const;

    // "UGR表": the tables the catalogue stores for the selected type (imports of photometric
    // files keep one at S = 0.25H and one at S = 1H). The grid has the room (X, Y in
    // multiples of H) and the five reflectance combinations looking crosswise and endwise,
    // each to 0.1 and "<10.0" below 10; the line above it states the spacing and the lamp
    // flux the table is for, or why there is no table (a handbook type keeps only curves A
    // and B). The spacing is chosen by index into kUgrSpacings.
    static constexpr const char* kUgrPage = "UGR表";
    static const std::array<const char*, 2> kUgrSpacings; // "S = 0.25H", "S = 1H"
    static std::vector<std::string> UgrHeaders();
    static std::string UgrCellText(double ugr);
    void ChooseUgrSpacing(int index) { m_ugrSpacing = index == 1 ? 1 : 0; }
    int UgrSpacing() const { return m_ugrSpacing; }
    struct UgrTablePage {
        std::string line;
        std::vector<std::vector<std::string>> rows; // none without a table
    };
    UgrTablePage UgrPage() const;

    const Luminaire& Working() const { return m_working; }
    // "确定": the edited luminaire for the caller.
    Luminaire Accept() const { return m_working; }

private:
    static size_t Page(int page) { return page == 0 ? 0 : 1; }
    Lamp& LampAt(int page) { return page == 0 ? m_working.lamp1 : m_working.lamp2; }
    void RecomputeTotalFlux();

    CatalogueDatabase& m_db;
    Luminaire m_working;
    std::vector<std::string> m_names;
    std::vector<std::string> m_models;
    std::string m_name;
    std::string m_model;
    std::array<LampPageLists, 2> m_lampPages;
    int m_ugrSpacing = 0;
};

} // namespace qv
