#pragma once
// The room panel ("房屋参数") and the site panel ("应用场地") as pages of their editing
// bars: fields bound to the panel model, the corner grid, and the look-up buttons of the
// reference data (">>" a reflectance, "查照度标准" the standard illuminance).
#include "panels/RoomPanelModel.h"
#include "panels/SitePanelModel.h"
#include "ui/FieldBindings.h"
#include "ui/ShellDialogs.h"

#include <QWidget>

#include <functional>
#include <string>

class QVBoxLayout;

namespace qv {

class CornerGridView;
struct CornerGridTexts;

// What the two pages share: the size group, the lower-left corner and the corner grid.
class OutlinePanelView : public QWidget {
    Q_OBJECT
public:
    // Shows the model's fields and grid again (after distribute).
    void Refresh();
    CornerGridView* Corners() const { return m_corners; }

signals:
    // An edit or a command changed what the plan shows.
    void Edited();

protected:
    OutlinePanelView(ShellDialogs& dialogs, QWidget* parent);
    template <typename Fields>
    void AddShape(QVBoxLayout& page, const QString& sizeTitle, Fields& fields,
                  OutlinePanelModel& model, const CornerGridTexts& texts);
    // A field with a look-up button beside it.
    QWidget* WithLookup(QWidget* field, const QString& text, std::function<void()> lookup);
    // The look-ups that put their value into a field of the model; the standard's place
    // goes into the model's working room with it.
    std::function<void()> StandardLookup(OutlinePanelModel& model, std::string& field);
    std::function<void()> ReflectanceLookup(std::string& field);

    FieldBindings m_fields;
    CornerGridView* m_corners = nullptr;

private:
    void SetField(std::string& field, double value);

    ShellDialogs& m_dialogs;
};

class RoomPanelView : public OutlinePanelView {
public:
    RoomPanelView(RoomPanelModel& model, ShellDialogs& dialogs, QWidget* parent = nullptr);
};

class SitePanelView : public OutlinePanelView {
public:
    SitePanelView(SitePanelModel& model, ShellDialogs& dialogs, QWidget* parent = nullptr);
};

} // namespace qv
