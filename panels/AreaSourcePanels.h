#pragma once
// The area-source panels' state and actions without a window: the rectangular source
// of equal luminance ("矩形等亮度面光源的点照度计算"), the circular source
// ("圆形等亮度面光源的点照度计算") and the rectangular source of non-equal luminance
// ("矩形非等亮度面光源的点照度计算"). Each panel reads its typed-in fields from the
// settings file on opening and writes them back on closing, validates before every
// calculation, and keeps the record of its last calculation for the book.
#include "calc/indoor/AreaSourceRecord.h"

#include <kelvorin/KvMessage.h>

#include <optional>
#include <string>

namespace qv {

// The input fields of the panels; the window binds each to its edit control.
enum class AreaSourceField {
    Length,
    Width,
    Radius,
    Luminance,
    CentreX,
    CentreY,
    Height,
    PointX,
    PointY,
    PointZ,
    Angle
};

// A refused calculation: the message box to show (caption "Varsolin", stop icon) and
// the field that receives the focus.
struct AreaSourceRefusal {
    KvMessage message;
    AreaSourceField focus = AreaSourceField::Length;
};

// The panels' fields with their defaults.
struct RectAreaSourceInputs {
    RectSource source;
    AreaPoint point{6.5, 2.5, 0.0};
    double angle = 30.0; // degrees between the source and the receiving plane
    bool operator==(const RectAreaSourceInputs&) const = default;
};

struct NonUniformAreaSourceInputs {
    RectSource source;
    AreaPoint point{6.5, 2.5, 0.0};
    bool operator==(const NonUniformAreaSourceInputs&) const = default;
};

struct CircleAreaSourceInputs {
    DiscSource source;
    AreaPoint point{3.5, 2.5, 0.0};
    bool operator==(const CircleAreaSourceInputs&) const = default;
};

// Validation before a calculation, the first failure wins: a field that is not a
// finite number of magnitude at most 1e12 (the fields the calculation uses, in panel
// order); the source's length (radius), width, luminance and height below the
// tolerance; for the inclined plane an angle below the tolerance or from 180° on;
// a source not above P. The circular source has the horizontal and the vertical
// plane, the non-uniform source the horizontal plane only.
std::optional<AreaSourceRefusal> Validate(const RectAreaSourceInputs& inputs,
                                          AreaSourcePlane plane);
std::optional<AreaSourceRefusal> Validate(const CircleAreaSourceInputs& inputs,
                                          AreaSourcePlane plane);
std::optional<AreaSourceRefusal> Validate(const NonUniformAreaSourceInputs& inputs,
                                          AreaSourcePlane plane);

// The calculations of validated inputs.
AreaSourceRecord Calculate(const RectAreaSourceInputs& inputs, AreaSourcePlane plane);
AreaSourceRecord Calculate(const CircleAreaSourceInputs& inputs, AreaSourcePlane plane);
AreaSourceRecord Calculate(const NonUniformAreaSourceInputs& inputs, AreaSourcePlane plane);

// What every area-source panel keeps: its fields, read from the settings file when the
// panel is constructed (opened) and written back by Close; the kind, record and result
// of its last successful calculation; its caption.
template <typename Inputs> class AreaSourcePanel {
public:
    virtual ~AreaSourcePanel() = default;

    Inputs& Fields() { return m_inputs; }
    const Inputs& Fields() const { return m_inputs; }
    void Close() const;

    // 0 horizontal, 1 vertical, 2 inclined; 0 before any calculation.
    int LastKind() const { return static_cast<int>(m_lastPlane); }
    // The last successful calculation; empty (calculation None) before any.
    const AreaSourceRecord& Record() const { return m_record; }
    const std::string& Caption() const { return m_caption; }
    // The name of the book "写计算书" writes for the last calculation kind.
    virtual std::string BookName() const = 0;
    // After the book was written the panel's caption is the book's name.
    void BookWritten() { m_caption = BookName(); }

protected:
    AreaSourcePanel(std::string settingsFile, std::string title);
    // Takes the fields as they are and validates them: the refusal when they fail
    // (nothing changes then), else the calculation is kept with its kind and result.
    std::optional<AreaSourceRefusal> CalculatePlane(AreaSourcePlane plane);
    // The result field of a kind, unrounded; 0 before its first calculation.
    double Result(AreaSourcePlane plane) const { return m_results[static_cast<int>(plane)]; }

private:
    std::string m_settingsFile;
    std::string m_caption;
    Inputs m_inputs;
    AreaSourcePlane m_lastPlane = AreaSourcePlane::Horizontal;
    AreaSourceRecord m_record;
    double m_results[3] = {0.0, 0.0, 0.0};
};

class RectAreaSourcePanel : public AreaSourcePanel<RectAreaSourceInputs> {
public:
    explicit RectAreaSourcePanel(std::string settingsFile);
    std::optional<AreaSourceRefusal> CalculateHorizontal() {
        return CalculatePlane(AreaSourcePlane::Horizontal);
    }
    std::optional<AreaSourceRefusal> CalculateVertical() {
        return CalculatePlane(AreaSourcePlane::Vertical);
    }
    std::optional<AreaSourceRefusal> CalculateInclined() {
        return CalculatePlane(AreaSourcePlane::Inclined);
    }
    double Horizontal() const { return Result(AreaSourcePlane::Horizontal); }
    double Vertical() const { return Result(AreaSourcePlane::Vertical); }
    double Inclined() const { return Result(AreaSourcePlane::Inclined); }
    std::string BookName() const override;
};

class CircleAreaSourcePanel : public AreaSourcePanel<CircleAreaSourceInputs> {
public:
    explicit CircleAreaSourcePanel(std::string settingsFile);
    std::optional<AreaSourceRefusal> CalculateHorizontal() {
        return CalculatePlane(AreaSourcePlane::Horizontal);
    }
    std::optional<AreaSourceRefusal> CalculateVertical() {
        return CalculatePlane(AreaSourcePlane::Vertical);
    }
    double Horizontal() const { return Result(AreaSourcePlane::Horizontal); }
    double Vertical() const { return Result(AreaSourcePlane::Vertical); }
    std::string BookName() const override;
};

class NonUniformAreaSourcePanel : public AreaSourcePanel<NonUniformAreaSourceInputs> {
public:
    explicit NonUniformAreaSourcePanel(std::string settingsFile);
    std::optional<AreaSourceRefusal> CalculateHorizontal() {
        return CalculatePlane(AreaSourcePlane::Horizontal);
    }
    double Horizontal() const { return Result(AreaSourcePlane::Horizontal); }
    std::string BookName() const override;
};

extern template class AreaSourcePanel<RectAreaSourceInputs>;
extern template class AreaSourcePanel<CircleAreaSourceInputs>;
extern template class AreaSourcePanel<NonUniformAreaSourceInputs>;

} // namespace qv
