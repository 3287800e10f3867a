#include "panels/ArrayLayoutDialogModel.h"

#include "catalogue/CatalogueLoaders.h"
#include "catalogue/CatalogueSourceText.h"
#include "panels/LuminaireDialogModel.h"
#include "panels/PanelText.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

void Warn(const std::string& text) {
    KvMessageSink::Show(text, ArrayLayoutDialogModel::kTitle, KvMessageIcon::Warning);
}

bool Listed(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

} // namespace

const std::array<const char*, ArrayLayoutDialogModel::kFieldCount>
    ArrayLayoutDialogModel::kFieldLabels = {"行数",     "列数",      "安装高度",
                                            "旋转角度", "X方向距墙", "Y方向距墙"};

bool LoadCatalogueType(CatalogueDatabase& catalogue, const std::string& name,
                       const std::string& model, Luminaire& out, std::string& reason) {
    LuminaireDialogModel types(catalogue, Luminaire());
    types.ChooseName(name);
    if (!Listed(types.Models(), model) || !types.ChooseModel(model)) {
        reason = "数据库中不存在灯具类型 " + name + " " + model;
        return false;
    }
    types.ChooseRecordedLamp(); // imported types bring their lamp; others have none yet
    out = types.Accept();
    return true;
}

ArrayLayoutDialogModel::ArrayLayoutDialogModel(CatalogueDatabase& catalogue, const Room& room,
                                               const LuminaireList& existing, int selectedRow)
    : m_catalogue(catalogue), m_room(room), m_existing(existing),
      m_selected(selectedRow >= 0 && selectedRow < existing.Count() ? selectedRow : -1) {}

void ArrayLayoutDialogModel::Open() {
    ListLuminaireNames(m_catalogue, m_names);
    m_layout = ArrayLayout();
    m_layout.rows = 2;
    m_layout.columns = 2;
    m_layout.marginX = 1.0;
    m_layout.marginY = 1.0;
    if (m_selected >= 0) {
        const Luminaire& selected = m_existing.At(m_selected);
        m_source = Source::kSelected;
        m_layout.height = MountingHeightFor(m_room, selected);
        m_layout.rotation =
            std::isfinite(selected.Rotate.z) && std::fabs(selected.Rotate.z) <= kMaxLayoutRotation
                ? selected.Rotate.z
                : 0.0;
    } else {
        m_source = Source::kCatalogue;
        m_layout.height = MountingHeightFor(m_room, Luminaire());
    }
    if (!m_names.empty()) {
        ChooseName(m_names.front());
    }
    Relayout();
}

void ArrayLayoutDialogModel::ChooseSource(Source source) {
    m_source = source == Source::kSelected && m_selected < 0 ? Source::kCatalogue : source;
    Relayout();
}

void ArrayLayoutDialogModel::ChooseName(const std::string& name) {
    m_name = name;
    m_model.clear();
    ListLuminaireModels(m_catalogue, name, m_models);
    m_typeLoaded = false;
    if (!m_models.empty()) {
        ChooseModel(m_models.front());
    }
    Relayout();
}

bool ArrayLayoutDialogModel::ChooseModel(const std::string& model) {
    m_model = model;
    std::string reason;
    m_typeLoaded = LoadCatalogueType(m_catalogue, m_name, model, m_catalogueType, reason);
    Relayout();
    if (!m_typeLoaded) {
        Warn(reason);
    }
    return m_typeLoaded;
}

std::string ArrayLayoutDialogModel::FieldText(Field field) const {
    switch (field) {
    case kRows:
        return KvStr::Format("%d", m_layout.rows);
    case kColumns:
        return KvStr::Format("%d", m_layout.columns);
    case kHeight:
        return NumberText(m_layout.height);
    case kRotation:
        return NumberText(m_layout.rotation);
    case kMarginX:
        return NumberText(m_layout.marginX);
    case kMarginY:
        return NumberText(m_layout.marginY);
    default:
        return std::string();
    }
}

std::string ArrayLayoutDialogModel::TryField(Field field, const std::string& text) {
    const std::string label = kFieldLabels[static_cast<size_t>(field)];
    double value = 0.0;
    if (!IsNumberText(text, &value)) {
        return label + "应为数字,请重新输入!";
    }
    ArrayLayout candidate = m_layout;
    if (field == kRows || field == kColumns) {
        if (value != std::floor(value) || value < 1 || value > kMaxLayoutLuminaires) {
            return label + "应为1到" + std::to_string(kMaxLayoutLuminaires) +
                   "之间的整数,请重新输入!";
        }
        (field == kRows ? candidate.rows : candidate.columns) = static_cast<int>(value);
    } else {
        double* const targets[] = {&candidate.height, &candidate.rotation, &candidate.marginX,
                                   &candidate.marginY};
        *targets[field - kHeight] = value;
    }
    return Take(candidate);
}

bool ArrayLayoutDialogModel::SetField(Field field, const std::string& text) {
    const std::string refusal = TryField(field, text);
    if (!refusal.empty()) {
        Warn(refusal);
    }
    return refusal.empty();
}

bool ArrayLayoutDialogModel::SetEven(bool even) {
    ArrayLayout candidate = m_layout;
    candidate.even = even;
    const std::string refusal = Take(candidate);
    if (!refusal.empty()) {
        Warn(refusal);
    }
    return refusal.empty();
}

std::string ArrayLayoutDialogModel::Take(const ArrayLayout& candidate) {
    const std::string refusal = CheckArrayLayout(m_room, candidate);
    // Without a room outline the fields are still kept, to be laid out once there is one.
    LayoutArea area;
    std::string noRoom;
    if (!refusal.empty() && (LayoutAreaOf(m_room, area, noRoom) || refusal != noRoom)) {
        return refusal;
    }
    m_layout = candidate;
    Relayout();
    return std::string();
}

const Luminaire& ArrayLayoutDialogModel::Template() const {
    return m_source == Source::kSelected ? m_existing.At(m_selected) : m_catalogueType;
}

void ArrayLayoutDialogModel::Relayout() {
    m_positions = ArrayPositions(m_room, m_layout, m_problem);
    if (m_problem.empty() && m_source == Source::kCatalogue && !m_typeLoaded) {
        m_problem = "请先选择灯具类型!";
    }
}

void ArrayLayoutDialogModel::SetEditedTemplate(const Luminaire& luminaire) {
    m_catalogueType = luminaire;
    m_typeLoaded = true;
    m_source = Source::kCatalogue;
    m_name = luminaire.sName;
    m_model = luminaire.sModel;
    Relayout();
}

std::string ArrayLayoutDialogModel::FluxText() const {
    if (m_source == Source::kCatalogue && !m_typeLoaded) {
        return {};
    }
    return KvStr::Format("总光通量 %d lm", Template().nLuminousFlux);
}

bool ArrayLayoutDialogModel::Accept(LuminaireList& out) const {
    if (!m_problem.empty()) {
        Warn(m_problem);
        return false;
    }
    if (!(Template().nLuminousFlux > 0)) {
        Warn("所选灯具尚无光源(总光通量为0),请点“灯具参数...”选择光源!");
        return false;
    }
    const LuminaireList array = ArrayOf(Template(), m_positions, m_layout.rotation);
    LuminaireList result = m_placement == Placement::kAdd ? m_existing : LuminaireList();
    if (static_cast<long long>(result.Count()) + array.Count() > kMaxLayoutLuminaires) {
        Warn("灯具总数不应超过" + std::to_string(kMaxLayoutLuminaires) + "盏,请重新输入!");
        return false;
    }
    result.Reserve(result.Count() + array.Count());
    for (const Luminaire& luminaire : array.Items()) {
        result.Add(luminaire);
    }
    out = std::move(result);
    return true;
}

} // namespace qv
