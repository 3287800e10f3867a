#include "ui/CalcPanelHost.h"

namespace qv {

QWidget* CalcPanelHost::Show(int command, const Factory& make) {
    QPointer<QWidget>& slot = m_slots[command];
    if (slot && !slot->isVisible()) {
        delete slot.data(); // its window was closed: a fresh panel replaces it
    }
    if (!slot) {
        slot = make();
    }
    slot->setWindowState(slot->windowState() & ~Qt::WindowMinimized);
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.data();
}

QWidget* CalcPanelHost::Panel(int command) const {
    const auto found = m_slots.find(command);
    return found == m_slots.end() ? nullptr : found->second.data();
}

void CalcPanelHost::CloseAll() {
    for (auto& [command, slot] : m_slots) {
        delete slot.data();
    }
    m_slots.clear();
}

} // namespace qv
