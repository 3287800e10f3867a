#pragma once
// The modal dialog "反射比" (KvDlgSetReflectivity) over its model: fifteen material buttons,
// five per row; the group "精选" with six colour buttons; the field "反射比" with "+" and
// "-"; "确   认" closes with the reflectance.
#include "panels/ReflectivityDialogModel.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class ReflectivityDialog : public QDialog {
    Q_OBJECT
public:
    ReflectivityDialog(ReflectivityDialogModel& model, QWidget* parent = nullptr);

    ReflectivityDialogModel& Model() { return m_model; }
    QPushButton* MaterialButton(int index) const { return m_materials[static_cast<size_t>(index)]; }
    QPushButton* ColourButton(int index) const { return m_colours[static_cast<size_t>(index)]; }
    QLineEdit* Field() const { return m_field; }
    QLabel* MaterialLabel() const { return m_material; }
    QLabel* ColourLabel() const { return m_colour; }
    QPushButton* Plus() const { return m_plus; }
    QPushButton* Minus() const { return m_minus; }
    QPushButton* Confirm() const { return m_confirm; }

private:
    // The typed field to the model; a refused text is replaced by the model's value and
    // the field gets the focus back (false).
    bool TakeField();
    void Refresh();

    ReflectivityDialogModel& m_model;
    std::array<QPushButton*, 15> m_materials{};
    std::array<QPushButton*, ReflectivityDialogModel::kColourButtonCount> m_colours{};
    QLabel* m_material = nullptr;
    QLabel* m_colour = nullptr;
    QLineEdit* m_field = nullptr;
    QPushButton* m_plus = nullptr;
    QPushButton* m_minus = nullptr;
    QPushButton* m_confirm = nullptr;
    bool m_taking = false; // a refusal's message is open
};

} // namespace qv
