#pragma once
// The modal dialogs the main window raises for the project commands: the file dialogs,
// the welcome dialog and the about box. Behind this interface so that tests answer them.
#include "model/panels/FileDialogSpec.h"
#include "model/panels/ProjectCommands.h"

#include <optional>
#include <string>

#include <QStringList>

class QWidget;

namespace qv {

class ShellDialogs {
public:
    virtual ~ShellDialogs() = default;
    virtual std::optional<std::string> ChooseFile(QWidget* parent,
                                                  const FileDialogSpec& request) = 0;
    virtual StartChoice ChooseStart(QWidget* parent) = 0;
    virtual void ShowAbout(QWidget* parent) = 0;
};

// A filter text ("室内设计存档(.cil) |*.cil|||") as the name filters of a file dialog
// ("室内设计存档(.cil)  (*.cil)").
QStringList DialogNameFilters(const std::string& filter);

// The real dialogs.
class QtShellDialogs : public ShellDialogs {
public:
    std::optional<std::string> ChooseFile(QWidget* parent, const FileDialogSpec& request) override;
    StartChoice ChooseStart(QWidget* parent) override;
    void ShowAbout(QWidget* parent) override;
};

} // namespace qv
