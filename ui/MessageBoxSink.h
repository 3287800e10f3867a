#pragma once
// The message sink of the core and the library shown as message boxes.
#include <kelvorin/KvMessage.h>

class QWidget;

namespace qv {

// A handler showing each message as a modal message box over parent, with its caption,
// icon and buttons, and answering with the button pressed.
KvMessageHandler MessageBoxHandler(QWidget* parent);

} // namespace qv
