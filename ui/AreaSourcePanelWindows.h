#pragma once
// The windows of the three area-source panels: "矩形等亮度面光源的点照度计算",
// "圆形等亮度面光源的点照度计算" and "矩形非等亮度面光源的点照度计算". Each shows its
// typed-in fields in two groups and its results read-only in a third, one button per
// receiving plane and "写计算书". The fields come from the settings file when the window
// opens and go back to it however the window ends (closed, rejected or destroyed).
#include "panels/AreaSourcePanels.h"
#include "ui/CalcPanelWindow.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QCloseEvent;
class QHBoxLayout;
class QShowEvent;
class QLineEdit;
class QVBoxLayout;

namespace qv {

// What the three windows share, over the list of their fields.
class AreaSourceWindow : public CalcPanelWindow {
    Q_OBJECT
public:
    // One edit control: the model's field it shows and where the model's refusal points.
    struct Input {
        AreaSourceField field;
        const char* label;
        const char* unit; // empty: no unit shown
        double* value;
    };
    struct Output {
        const char* label;
        std::function<double()> value;
    };

    // Saves the fields, then closes.
    void done(int result) override;

    // The text a number field or result shows: the shortest text that reads back as the
    // same double (unrounded).
    static QString NumberText(double value);
    // The number a field's text holds: a finite number of the program's number grammar
    // (blanks around it allowed); std::nullopt for any other text.
    static std::optional<double> ReadNumber(const QString& text);

protected:
    using Calculation = std::function<std::optional<AreaSourceRefusal>()>;

    AreaSourceWindow(CalcPanelContext context, QWidget* parent);

    // A group box of edit controls, or of read-only results (unit "lx").
    void AddInputs(const char* title, const std::vector<Input>& inputs);
    void AddOutputs(const char* title, const std::vector<Output>& outputs);
    // A calculation button: takes the typed values, refuses text that is not a number
    // (nothing changes then), runs the calculation and shows its refusal or the results.
    QPushButton* AddCalculation(const char* text, Calculation calculate);
    // "写计算书" for the book of the last calculation; the caption after it is caption().
    void AddBookButton(std::function<const AreaSourceRecord&()> record,
                       std::function<std::string()> caption);
    // The buttons' row is placed under the groups; the window gets its size.
    void Finish();

    // Once per opening: the typed numbers go to the model and save() writes them to the
    // settings file.
    void SaveFieldsOnce(const std::function<void()>& save);

    // Closing, rejecting (Escape) and done() all save the fields.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    virtual void SaveFields() = 0;

private:
    struct BoundInput {
        Input input;
        QLineEdit* edit;
    };

    void ShowFields();
    void ShowResults();
    // The first field, in panel order, whose text is not a number; null when none.
    const BoundInput* FirstNonNumber() const;
    // Every field whose text is a number goes to the model.
    void TakeNumbers();

    QVBoxLayout* m_layout = nullptr;
    QHBoxLayout* m_inputGroups = nullptr; // side by side above the results
    QHBoxLayout* m_buttons = nullptr;
    std::vector<BoundInput> m_inputs;
    std::vector<std::pair<QLineEdit*, std::function<double()>>> m_outputs;
    bool m_saved = false;
    // Per output: whether its calculation ran (the n-th calculation button computes the
    // n-th output); an output stays empty until then.
    std::vector<bool> m_calculated;
    size_t m_calculations = 0;
};

// A window over one panel model: it owns the model and writes its fields back on every
// way out, including being destroyed while open.
template <typename Panel> class AreaSourceWindowOf : public AreaSourceWindow {
public:
    ~AreaSourceWindowOf() override { SaveFields(); }
    Panel& Model() { return m_panel; }

protected:
    AreaSourceWindowOf(CalcPanelContext context, QWidget* parent);
    void SaveFields() override {
        SaveFieldsOnce([this] { m_panel.Close(); });
    }
    // The common end of the three windows: "写计算书" and the layout.
    void AddBookAndFinish();

    Panel m_panel;
};

class RectAreaSourceWindow : public AreaSourceWindowOf<RectAreaSourcePanel> {
    Q_OBJECT
public:
    RectAreaSourceWindow(CalcPanelContext context, QWidget* parent);
};

class CircleAreaSourceWindow : public AreaSourceWindowOf<CircleAreaSourcePanel> {
    Q_OBJECT
public:
    CircleAreaSourceWindow(CalcPanelContext context, QWidget* parent);
};

class NonUniformAreaSourceWindow : public AreaSourceWindowOf<NonUniformAreaSourcePanel> {
    Q_OBJECT
public:
    NonUniformAreaSourceWindow(CalcPanelContext context, QWidget* parent);
};

extern template class AreaSourceWindowOf<RectAreaSourcePanel>;
extern template class AreaSourceWindowOf<CircleAreaSourcePanel>;
extern template class AreaSourceWindowOf<NonUniformAreaSourcePanel>;

} // namespace qv
