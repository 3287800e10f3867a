#pragma once
// The reflectance dialog "反射比" (KvDlgSetReflectivity) without a window: the reflectance
// in per cent of a building material, optionally refined by its colour, read from the
// catalogue table 物体反射率, and the "+" / "-" steps of 10 within 0 … 100.
#include "catalogue/CatalogueDatabase.h"

#include <array>
#include <string>

namespace qv {

class ReflectivityDialogModel {
public:
    static constexpr const char* kTitle = "反射比";
    // One button each, five per row.
    static const std::array<const char*, 15> kMaterials;
    struct ColourButton {
        std::string caption = "无";
        bool enabled = false;
    };
    static constexpr int kColourButtonCount = 6; // the group "精选"

    ReflectivityDialogModel(CatalogueDatabase& db, double reflectance = 0.0);

    // A material button: shows the material, puts its colours on the colour buttons (at
    // most six, in the catalogue's order; "数据库中不存在此数据!" when it has none) and
    // shows its reflectance without a colour when the catalogue has one.
    void ChooseMaterial(const std::string& material);
    // A colour button: the reflectance of the material in that colour, when the
    // catalogue has it. A disabled button does nothing.
    void ChooseColour(int button);

    // "+" and "-": the field plus or minus 10, kept within 0 … 100.
    void Increase() { Step(10.0); }
    void Decrease() { Step(-10.0); }
    // The field "反射比" as typed.
    void SetReflectance(double percent) { m_reflectance = percent; }
    // The field's text: false, with the message and the value kept, when it is not a
    // number within 0 … 100.
    bool SetReflectanceText(const std::string& text);

    double Reflectance() const { return m_reflectance; }
    const std::string& Material() const { return m_material; } // "当前选择:"
    const std::string& Colour() const { return m_colour; }     // "精选选择:"
    const std::array<ColourButton, kColourButtonCount>& ColourButtons() const { return m_buttons; }

private:
    void Step(double delta);

    CatalogueDatabase& m_db;
    double m_reflectance;
    std::string m_material;
    std::string m_colour;
    std::array<ColourButton, kColourButtonCount> m_buttons;
};

} // namespace qv
