#pragma once
// The room panel ("房屋参数") and the site panel ("应用场地") as pages of their editing
// bars: fields bound to the panel model, the corner grid, and the look-up buttons of the
// reference data, which come with their dialogs later and are disabled until then.
#include "model/panels/RoomPanelModel.h"
#include "model/panels/SitePanelModel.h"
#include "ui/FieldBindings.h"

#include <QWidget>

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
    explicit OutlinePanelView(QWidget* parent);
    template <typename Fields>
    void AddShape(QVBoxLayout& page, const QString& sizeTitle, Fields& fields,
                  OutlinePanelModel& model, const CornerGridTexts& texts);

    FieldBindings m_fields;
    CornerGridView* m_corners = nullptr;
};

class RoomPanelView : public OutlinePanelView {
public:
    explicit RoomPanelView(RoomPanelModel& model, QWidget* parent = nullptr);
};

class SitePanelView : public OutlinePanelView {
public:
    explicit SitePanelView(SitePanelModel& model, QWidget* parent = nullptr);
};

} // namespace qv
