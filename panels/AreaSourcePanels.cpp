#include "panels/AreaSourcePanels.h"

#include "calc/indoor/AreaSource.h"
#include "model/Constants.h"

#include <kelvorin/KvIniFile.h>

#include <cmath>
#include <utility>
#include <vector>

namespace qv {

namespace {

const char* const kRectSection = "矩形等亮度面光源";
const char* const kCircleSection = "圆形等亮度面光源";
const char* const kNonUniformSection = "矩形非等亮度面光源";

const char* const kLengthMessage = "面光源的长度应为大于0数值,请重新输入!";
const char* const kWidthMessage = "面光源的宽度应为大于0的数值,请重新输入!";
const char* const kLuminanceMessage = "面光源的亮度应为大于0的数值,请重新输入!";
const char* const kHeightMessage = "面光源的高度应为大于0的数值,请重新输入!";
const char* const kAngleMessage = "光源与被照面的夹角应为大于零的数,请重新输入!";
const char* const kAngleLimitMessage = "光源与被照面的夹角应为小于180的数,请重新输入!";
const char* const kAboveMessage = "计算点p的坐标Z应小于面光源的高度,请重新输入!";
const char* const kRangeMessage = "应为绝对值不大于1e12的数值,请重新输入!";

// Largest magnitude of an input: every intermediate value stays finite below it.
constexpr double kInputLimit = 1e12;

// One field of a panel: its label, where the settings file keeps it, its value.
struct FieldBinding {
    AreaSourceField field;
    const char* label;
    const char* section;
    const char* key;
    double* value;
};

// The fields of P, then of a rectangular source, in panel order.
void AddPoint(std::vector<FieldBinding>& fields, const char* section, AreaPoint& point) {
    fields.push_back(
        {AreaSourceField::PointX, "计算点p的坐标X", section, "计算点p的坐标x", &point.x});
    fields.push_back(
        {AreaSourceField::PointY, "计算点p的坐标Y", section, "计算点p的坐标y", &point.y});
    fields.push_back(
        {AreaSourceField::PointZ, "计算点p的坐标Z", section, "计算点p的坐标z", &point.z});
}

std::vector<FieldBinding> RectFields(const char* section, RectSource& source, AreaPoint& point,
                                     const char* centreXLabel, const char* centreYLabel) {
    const char* s = section;
    std::vector<FieldBinding> fields{
        {AreaSourceField::Length, "面光源的长", s, "面光源的长", &source.length},
        {AreaSourceField::Width, "面光源的宽", s, "面光源的宽", &source.width},
        {AreaSourceField::Luminance, "面光源亮度", s, "面光源的亮度", &source.luminance},
        {AreaSourceField::CentreX, centreXLabel, s, "面光源中心点x", &source.centreX},
        {AreaSourceField::CentreY, centreYLabel, s, "面光源中心点y", &source.centreY},
        {AreaSourceField::Height, "面光源的高度", s, "面光源高度", &source.height}};
    AddPoint(fields, section, point);
    return fields;
}

std::vector<FieldBinding> Bindings(RectAreaSourceInputs& in) {
    std::vector<FieldBinding> fields =
        RectFields(kRectSection, in.source, in.point, "面光源中心位置X", "面光源中心位置Y");
    fields.push_back({AreaSourceField::Angle, "光源与被照面夹角", kRectSection,
                      "被照点所在面与光源的夹角", &in.angle});
    return fields;
}

std::vector<FieldBinding> Bindings(NonUniformAreaSourceInputs& in) {
    return RectFields(kNonUniformSection, in.source, in.point, "面光源的中心位置x",
                      "面光源的中心位置y");
}

// The circular panel shares the rectangular panel's height.
std::vector<FieldBinding> Bindings(CircleAreaSourceInputs& in) {
    const char* s = kCircleSection;
    std::vector<FieldBinding> fields{
        {AreaSourceField::Radius, "面光源的半径", s, "面光源的半径", &in.source.radius},
        {AreaSourceField::Luminance, "面光源的亮度", s, "面光源的亮度", &in.source.luminance},
        {AreaSourceField::Height, "面光源的高度", kRectSection, "面光源高度", &in.source.height},
        {AreaSourceField::CentreX, "面光源中心位置X", s, "面光源中心点x", &in.source.centreX},
        {AreaSourceField::CentreY, "面光源中心位置Y", s, "面光源中心点y", &in.source.centreY}};
    AddPoint(fields, s, in.point);
    return fields;
}

// Reads every field with the panel's default (the value of a fresh Inputs).
template <typename Inputs> void ReadFields(Inputs& inputs, const std::string& file) {
    Inputs defaults;
    const std::vector<FieldBinding> fields = Bindings(inputs);
    const std::vector<FieldBinding> defaultFields = Bindings(defaults);
    for (size_t i = 0; i < fields.size(); ++i) {
        *fields[i].value =
            KvIniFile::ReadKey(fields[i].section, fields[i].key, *defaultFields[i].value, file);
    }
}

template <typename Inputs> void WriteFields(Inputs inputs, const std::string& file) {
    for (const FieldBinding& field : Bindings(inputs)) {
        KvIniFile::WriteKey(field.section, field.key, *field.value, file);
    }
}

AreaSourceRefusal Refusal(AreaSourceField focus, std::string text) {
    KvMessage message;
    message.text = std::move(text);
    message.caption = "Varsolin";
    message.icon = KvMessageIcon::Error;
    return {message, focus};
}

// The first field, in panel order, that is not a finite number within the limit.
template <typename Inputs>
std::optional<AreaSourceRefusal> CheckRange(Inputs inputs, bool withAngle) {
    for (const FieldBinding& field : Bindings(inputs)) {
        if (field.field == AreaSourceField::Angle && !withAngle) {
            continue;
        }
        if (!(std::fabs(*field.value) <= kInputLimit)) {
            return Refusal(field.field, std::string(field.label) + kRangeMessage);
        }
    }
    return std::nullopt;
}

struct Check {
    bool fails;
    AreaSourceField focus;
    const char* message;
};

std::optional<AreaSourceRefusal> FirstFailure(const std::vector<Check>& checks) {
    for (const Check& check : checks) {
        if (check.fails) {
            return Refusal(check.focus, check.message);
        }
    }
    return std::nullopt;
}

// Length, width, luminance and height of a rectangle, then the angle when asked for,
// then the source above P.
std::optional<AreaSourceRefusal> CheckRect(const RectSource& source, const AreaPoint& point,
                                           const double* angle) {
    std::vector<Check> checks{
        {source.length < kTolerance, AreaSourceField::Length, kLengthMessage},
        {source.width < kTolerance, AreaSourceField::Width, kWidthMessage},
        {source.luminance < kTolerance, AreaSourceField::Luminance, kLuminanceMessage},
        {source.height < kTolerance, AreaSourceField::Height, kHeightMessage}};
    if (angle != nullptr) {
        checks.push_back({*angle < kTolerance, AreaSourceField::Angle, kAngleMessage});
        checks.push_back({*angle >= 180.0, AreaSourceField::Angle, kAngleLimitMessage});
    }
    checks.push_back(
        {source.height - point.z < kTolerance, AreaSourceField::PointZ, kAboveMessage});
    return FirstFailure(checks);
}

} // namespace

std::optional<AreaSourceRefusal> Validate(const RectAreaSourceInputs& inputs,
                                          AreaSourcePlane plane) {
    const bool inclined = plane == AreaSourcePlane::Inclined;
    if (auto refusal = CheckRange(inputs, inclined)) {
        return refusal;
    }
    return CheckRect(inputs.source, inputs.point, inclined ? &inputs.angle : nullptr);
}

std::optional<AreaSourceRefusal> Validate(const NonUniformAreaSourceInputs& inputs,
                                          AreaSourcePlane /*plane*/) {
    if (auto refusal = CheckRange(inputs, false)) {
        return refusal;
    }
    return CheckRect(inputs.source, inputs.point, nullptr);
}

std::optional<AreaSourceRefusal> Validate(const CircleAreaSourceInputs& inputs,
                                          AreaSourcePlane /*plane*/) {
    if (auto refusal = CheckRange(inputs, false)) {
        return refusal;
    }
    const DiscSource& source = inputs.source;
    return FirstFailure(
        {{source.radius < kTolerance, AreaSourceField::Radius, kLengthMessage},
         {source.luminance < kTolerance, AreaSourceField::Luminance, kLuminanceMessage},
         {source.height < kTolerance, AreaSourceField::Height, kHeightMessage},
         {source.height - inputs.point.z < kTolerance, AreaSourceField::PointZ, kAboveMessage}});
}

AreaSourceRecord Calculate(const RectAreaSourceInputs& inputs, AreaSourcePlane plane) {
    switch (plane) {
    case AreaSourcePlane::Vertical:
        return RectVertical(inputs.source, inputs.point);
    case AreaSourcePlane::Inclined:
        return RectInclined(inputs.source, inputs.point, inputs.angle);
    case AreaSourcePlane::Horizontal:
        break;
    }
    return RectHorizontal(inputs.source, inputs.point);
}

AreaSourceRecord Calculate(const NonUniformAreaSourceInputs& inputs, AreaSourcePlane /*plane*/) {
    return NonUniformHorizontal(inputs.source, inputs.point);
}

AreaSourceRecord Calculate(const CircleAreaSourceInputs& inputs, AreaSourcePlane plane) {
    return plane == AreaSourcePlane::Vertical ? DiscVertical(inputs.source, inputs.point)
                                              : DiscHorizontal(inputs.source, inputs.point);
}

template <typename Inputs>
AreaSourcePanel<Inputs>::AreaSourcePanel(std::string settingsFile, std::string title)
    : m_settingsFile(std::move(settingsFile)), m_caption(std::move(title)) {
    ReadFields(m_inputs, m_settingsFile);
}

template <typename Inputs> void AreaSourcePanel<Inputs>::Close() const {
    WriteFields(m_inputs, m_settingsFile);
}

template <typename Inputs>
std::optional<AreaSourceRefusal> AreaSourcePanel<Inputs>::CalculatePlane(AreaSourcePlane plane) {
    if (auto refusal = Validate(m_inputs, plane)) {
        return refusal;
    }
    m_record = Calculate(m_inputs, plane);
    m_results[static_cast<int>(plane)] = m_record.result;
    m_lastPlane = plane;
    return std::nullopt;
}

template class AreaSourcePanel<RectAreaSourceInputs>;
template class AreaSourcePanel<CircleAreaSourceInputs>;
template class AreaSourcePanel<NonUniformAreaSourceInputs>;

RectAreaSourcePanel::RectAreaSourcePanel(std::string settingsFile)
    : AreaSourcePanel(std::move(settingsFile), "矩形等亮度面光源的点照度计算") {}

std::string RectAreaSourcePanel::BookName() const {
    switch (LastKind()) {
    case 1:
        return "矩形等亮度面光源的点垂直照度计算计算书";
    case 2:
        return "矩形等亮度面光源的倾斜面上点照度计算计算书";
    default:
        return "矩形等亮度面光源的点水平照度计算计算书";
    }
}

CircleAreaSourcePanel::CircleAreaSourcePanel(std::string settingsFile)
    : AreaSourcePanel(std::move(settingsFile), "圆形等亮度面光源的点照度计算") {}

std::string CircleAreaSourcePanel::BookName() const {
    return LastKind() == 0 ? "圆形等亮度面光源水平面照度计算书" : "圆形等亮度面光源垂直照度计算书";
}

NonUniformAreaSourcePanel::NonUniformAreaSourcePanel(std::string settingsFile)
    : AreaSourcePanel(std::move(settingsFile), "矩形非等亮度面光源的点照度计算") {}

std::string NonUniformAreaSourcePanel::BookName() const {
    return "矩形非等亮度面光源水平照度计算书";
}

} // namespace qv
