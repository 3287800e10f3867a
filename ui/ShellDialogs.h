#pragma once
// The modal dialogs the main window and its editing bars raise: the file dialogs, the
// welcome dialog, the about box, and the reference-data dialogs (luminaire, illuminance
// standards, reflectance). Behind this interface so that tests answer them.
#include "catalogue/CatalogueDatabase.h"
#include "model/Luminaire.h"
#include "model/StandardPlace.h"
#include "panels/FileDialogSpec.h"
#include "panels/ProjectCommands.h"
#include "ui/AppPaths.h"

#include <optional>
#include <string>

#include <QStringList>

class QWidget;

namespace qv {

// "照度标准" closed with "确定": the standard illuminance and the place it belongs to
// (none when a category was selected).
struct StandardChoice {
    int lux = 0;
    StandardPlace place;
};

// What the user does with a calculation book just saved.
enum class BookSavedChoice { kOpen, kOpenFolder, kClose };

class ShellDialogs {
public:
    virtual ~ShellDialogs() = default;
    virtual std::optional<std::string> ChooseFile(QWidget* parent,
                                                  const FileDialogSpec& request) = 0;
    virtual StartChoice ChooseStart(QWidget* parent) = 0;
    virtual void ShowAbout(QWidget* parent) = 0;
    // "灯具参数" on a copy of luminaire: the edited copy on "确定", nothing on "取消".
    virtual std::optional<Luminaire> EditLuminaire(QWidget* parent, const Luminaire& luminaire) = 0;
    // "照度标准": the standard illuminance chosen with "确定"; nothing when the dialog is
    // closed otherwise (its window's X, Esc), so the typed standard stays.
    virtual std::optional<StandardChoice> ChooseStandardIlluminance(QWidget* parent) = 0;
    // "反射比" starting from a reflectance: the reflectance on "确   认", nothing otherwise.
    virtual std::optional<double> ChooseReflectance(QWidget* parent, double reflectance) = 0;
    // Tells where a calculation book was saved (its full path) and offers "打开",
    // "打开所在文件夹" and "关闭"; without an opener (canOpen false) it says that nothing
    // can open the book here and offers only "关闭".
    virtual BookSavedChoice NoticeBookSaved(QWidget* parent, const std::string& path,
                                            bool canOpen) = 0;
};

// A filter text ("室内设计存档|*.cil|||") as the name filters of a file dialog
// ("室内设计存档 (*.cil)").
QStringList DialogNameFilters(const std::string& filter);

// The real dialogs, on the program's catalogue and settings file.
class QtShellDialogs : public ShellDialogs {
public:
    // catalogue: the program's one catalogue connection.
    QtShellDialogs(const AppPaths& paths, CatalogueDatabase& catalogue);

    std::optional<std::string> ChooseFile(QWidget* parent, const FileDialogSpec& request) override;
    StartChoice ChooseStart(QWidget* parent) override;
    void ShowAbout(QWidget* parent) override;
    std::optional<Luminaire> EditLuminaire(QWidget* parent, const Luminaire& luminaire) override;
    std::optional<StandardChoice> ChooseStandardIlluminance(QWidget* parent) override;
    std::optional<double> ChooseReflectance(QWidget* parent, double reflectance) override;
    BookSavedChoice NoticeBookSaved(QWidget* parent, const std::string& path,
                                    bool canOpen) override;

private:
    std::string m_settings;
    CatalogueDatabase& m_catalogue;
};

} // namespace qv
