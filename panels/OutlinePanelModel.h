#pragma once
// What the room panel ("房屋参数") and the site panel ("应用场地") share: a working Room,
// the corner grid that shows its outline (one row per corner with its x and y), and the
// grid's commands. Every command first takes the values from the controls and then shows
// the working room again; the window refreshes its controls and the plan afterwards.
#include "model/Room.h"
#include "panels/PanelText.h"

#include <string>
#include <vector>

namespace qv {

// One row of the corner grid as it is shown and edited.
struct CornerRow {
    std::string x;
    std::string y;
    bool operator==(const CornerRow&) const = default;
};

class OutlinePanelModel {
public:
    // The corner count's spin control goes no further.
    static constexpr int kMaxCorners = 1000;

    virtual ~OutlinePanelModel() = default;

    // Distribute: the panel takes a copy of the room and shows it.
    void SetWorking(const Room& room);
    // Collect: the fields and the grid rows go into the working room, which is returned.
    const Room& TakeValues();
    const Room& Working() const { return m_room; }

    // "查照度标准" chose a place whose standard illuminance is lux: the room keeps the
    // place while its standard illuminance stays lux; a value typed by hand clears it
    // when the values are next taken. Call before the field shows the new value.
    void ChooseStandardPlace(const StandardPlace& place, double lux);

    // Why a text typed into one of the panel's fields (a member of its Fields) is refused,
    // naming the field ("总长应为不大于100000的正数,请重新输入!"); empty when the field
    // takes it (see NumberRefusal).
    virtual std::string FieldRefusal(const std::string* field, const std::string& text) const = 0;
    // The text into the field, or false with the refusal shown and the field's text kept.
    bool EnterField(std::string* field, const std::string& text) {
        return TakeUnlessRefused(*field, text, FieldRefusal(field, text));
    }
    // A text typed into a corner cell (column 0 x, 1 y): a coordinate, or false with the
    // message and the cell's text kept. False too for a cell outside the grid.
    bool EditCorner(int row, int column, const std::string& text);

    std::vector<CornerRow>& CornerRows() { return m_rows; }
    const std::vector<CornerRow>& CornerRows() const { return m_rows; }
    // The selected grid row, -1 for none.
    int SelectedCorner() const { return m_selected; }
    void SelectCorner(int row);

    // "增 加": appends a copy of the last corner, or (0, 0, 0) when there is none.
    void AddCorner();
    // "插 入": inserts a copy of the selected corner at its place; nothing without one.
    void InsertCorner();
    // "删 除": removes the selected corner; nothing without one.
    void DeleteCorner();
    // The corner count: adds copies of the last corner or removes corners from the end
    // (the count is kept within 0 and kMaxCorners).
    void SetCornerCount(int count);
    // "重 置": the four corners of the rectangle at ptLeftBot with dLength along X and
    // dWidth along Y, counter-clockwise from the lower-left corner.
    void ResetOutline();

protected:
    OutlinePanelModel() = default;
    OutlinePanelModel(const OutlinePanelModel&) = default;
    OutlinePanelModel& operator=(const OutlinePanelModel&) = default;

    // The panel's own fields into the working room, and back.
    virtual void ReadFields() = 0;
    virtual void ShowFields() = 0;
    // Shows the whole working room; derived constructors call it once.
    void Show();
    // The lower-left corner's fields ("左下角位置" X and Y): read into the room when they
    // hold coordinates; and why a text typed into one of them (x or the other) is refused.
    void ReadLeftBottom(const std::string& x, const std::string& y);
    static std::string LeftBottomRefusal(const std::string* field, const std::string& text,
                                         const std::string& x);

    Room m_room;

private:
    void ReadCorners();
    void ShowCorners();

    std::vector<CornerRow> m_rows;
    int m_selected = -1;
    double m_placeLux = 0.0; // the standard illuminance the room's place gave
};

} // namespace qv
