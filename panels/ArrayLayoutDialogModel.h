#pragma once
// The dialog "灯具阵列布置" without a window: the luminaire to repeat (a catalogue type
// chosen by name and model, or the luminaire selected in the luminaire panel), rows,
// columns, mounting height, rotation, wall distances X/Y or "均匀布置", and whether the
// array replaces the room's luminaires ("替换现有灯具") or joins them ("添加到现有灯具").
// Every field is checked as it is typed: a refused text leaves the last good value, so
// the preview (the room outline, the existing luminaires and the new positions) always
// shows a layout that OK can place.
#include "calc/common/LuminaireLayout.h"
#include "catalogue/CatalogueDatabase.h"
#include "model/Luminaire.h"
#include "model/Room.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// The catalogue type name / model into a luminaire, with the lamp the type records for
// itself (imported types). False with the reason when the catalogue has no such type.
bool LoadCatalogueType(CatalogueDatabase& catalogue, const std::string& name,
                       const std::string& model, Luminaire& out, std::string& reason);

class ArrayLayoutDialogModel {
public:
    static constexpr const char* kTitle = "灯具阵列布置";
    enum class Source { kCatalogue, kSelected }; // "灯具类型", "选中的灯具"
    enum class Placement { kReplace, kAdd };     // "替换现有灯具", "添加到现有灯具"
    enum Field { kRows = 0, kColumns, kHeight, kRotation, kMarginX, kMarginY, kFieldCount };
    static const std::array<const char*, kFieldCount> kFieldLabels;

    // selectedRow: the luminaire panel's selection (-1 for none). The catalogue is used
    // only when the type lists are filled and a type is loaded.
    ArrayLayoutDialogModel(CatalogueDatabase& catalogue, const Room& room,
                           const LuminaireList& existing, int selectedRow);

    // Fills the type lists (the first name and its first model chosen). With a selected
    // luminaire it is the template, and its height (MountingHeightFor) and rotation about
    // z are the first values; else the first catalogue type, 2 × 2 evenly, hanging
    // kHeightAboveWorkPlane over the working plane.
    void Open();

    Source TemplateSource() const { return m_source; }
    bool HasSelected() const { return m_selected >= 0; }
    // Choosing the selected luminaire without a selection keeps the catalogue.
    void ChooseSource(Source source);
    const std::vector<std::string>& Names() const { return m_names; }
    const std::vector<std::string>& Models() const { return m_models; }
    const std::string& SelectedName() const { return m_name; }
    const std::string& SelectedModel() const { return m_model; }
    // Refills the model list and loads the name's first model.
    void ChooseName(const std::string& name);
    // Loads the type; false (with the message shown) when the catalogue has none.
    bool ChooseModel(const std::string& model);

    // The luminaire the array repeats, and "灯具参数...": a copy edited in the luminaire
    // dialog (its lamps, shape, maintenance factor) becomes the template. A catalogue type
    // holds no lamp of its own, so its luminaires give no light until one is chosen here.
    const Luminaire& TemplateLuminaire() const { return Template(); }
    void SetEditedTemplate(const Luminaire& luminaire);
    // The template's total flux as the dialog shows it ("总光通量 N lm").
    std::string FluxText() const;

    // The field's text as the last good value shows it.
    std::string FieldText(Field field) const;
    // Checks a typed text: empty when it is taken (the layout changes), else the message
    // and the field keeps its value. Whole numbers for rows and columns, finite numbers
    // for the others, and the layout they make must be possible (CheckArrayLayout).
    std::string TryField(Field field, const std::string& text);
    // TryField, showing a refusal as a message box.
    bool SetField(Field field, const std::string& text);
    bool Even() const { return m_layout.even; }
    // "均匀布置"; turning it off is refused (message shown, false) when the wall
    // distances do not fit the room.
    bool SetEven(bool even);
    Placement PlacementChoice() const { return m_placement; }
    void SetPlacement(Placement placement) { m_placement = placement; }

    const ArrayLayout& Layout() const { return m_layout; }
    // The preview: the room outline, the existing luminaires' positions and the new ones
    // (row by row, see ArrayPositions).
    const std::vector<Vector>& Outline() const { return m_room.outline; }
    const LuminaireList& Existing() const { return m_existing; }
    const std::vector<Vector>& NewPositions() const { return m_positions; }
    // Why nothing can be placed (no room outline, or no template); empty otherwise.
    const std::string& Problem() const { return m_problem; }

    // "确定": the room's new luminaire list (the array, after the existing luminaires when
    // adding). False, with the message shown, when nothing can be placed or the template
    // has no light (a total flux of 0 lm would make every luminaire of the array dark).
    bool Accept(LuminaireList& out) const;

private:
    void Relayout();
    // Takes the candidate when the room allows it; else the refusal, the layout kept.
    std::string Take(const ArrayLayout& candidate);
    const Luminaire& Template() const;

    CatalogueDatabase& m_catalogue;
    std::vector<std::string> m_names;
    std::vector<std::string> m_models;
    std::string m_name;
    std::string m_model;
    Room m_room;
    LuminaireList m_existing;
    int m_selected = -1;
    Source m_source = Source::kCatalogue;
    Placement m_placement = Placement::kReplace;
    Luminaire m_catalogueType;
    bool m_typeLoaded = false;
    ArrayLayout m_layout;
    std::vector<Vector> m_positions;
    std::string m_problem;
};

} // namespace qv
