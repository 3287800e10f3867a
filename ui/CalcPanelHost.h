#pragma once
// The modeless calculation panels of the main window, one slot per panel kind (keyed by
// the command that opens it). A command restores the panel's window when it is still
// open (also from minimised) and creates a fresh panel when there is none or its window
// was closed; a closed panel keeps its data until then. A kind switch closes them all.
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

namespace qv {

class CalcPanelHost {
public:
    using Factory = std::function<QWidget*()>;

    CalcPanelHost() = default;
    CalcPanelHost(const CalcPanelHost&) = delete;
    CalcPanelHost& operator=(const CalcPanelHost&) = delete;
    ~CalcPanelHost() { CloseAll(); }

    // Shows the command's panel, made by make when a fresh one is needed.
    QWidget* Show(int command, const Factory& make);
    // The command's panel (its window open or closed); null when there is none.
    QWidget* Panel(int command) const;
    template <typename Window> Window* PanelAs(int command) const {
        return qobject_cast<Window*>(Panel(command));
    }
    // Destroys every panel.
    void CloseAll();

private:
    std::map<int, QPointer<QWidget>> m_slots;
};

} // namespace qv
