#include "ui/ShellDialogs.h"

#include "ui/LuminaireDialog.h"
#include "ui/QtText.h"
#include "ui/ReflectivityDialog.h"
#include "ui/StandardsDialog.h"
#include "ui/WelcomeDialog.h"

#include <algorithm>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace qv {

QStringList DialogNameFilters(const std::string& filter) {
    QStringList filters;
    for (const FilterEntry& entry : ParseFilter(filter)) {
        QStringList patterns;
        for (const std::string& pattern : entry.patterns) {
            patterns << ToQt(pattern);
        }
        filters << ToQt(entry.description) + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

namespace {

// The open dialog accepts a name that does not exist after asking to create it.
bool ConfirmCreate(QWidget* parent, const QString& path) {
    if (QFileInfo::exists(path)) {
        return true;
    }
    return QMessageBox::question(parent, QStringLiteral("打开项目"),
                                 QStringLiteral("%1\n该文件不存在。\n要创建该文件吗？")
                                     .arg(QFileInfo(path).fileName())) == QMessageBox::Yes;
}

} // namespace

QtShellDialogs::QtShellDialogs(const AppPaths& paths, CatalogueDatabase& catalogue)
    : m_settings(paths.settings), m_catalogue(catalogue) {}

std::optional<Luminaire> QtShellDialogs::EditLuminaire(QWidget* parent,
                                                       const Luminaire& luminaire) {
    LuminaireDialogModel model(m_catalogue, luminaire);
    LuminaireDialog dialog(model, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return model.Accept();
}

std::optional<StandardChoice> QtShellDialogs::ChooseStandardIlluminance(QWidget* parent) {
    StandardsDialogModel model(m_catalogue, m_settings);
    StandardsDialog dialog(model, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return StandardChoice{model.StandardIlluminance(), model.ChosenPlace()};
}

std::optional<double> QtShellDialogs::ChooseReflectance(QWidget* parent, double reflectance) {
    ReflectivityDialogModel model(m_catalogue, reflectance);
    ReflectivityDialog dialog(model, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return model.Reflectance();
}

std::optional<std::string> QtShellDialogs::ChooseFile(QWidget* parent,
                                                      const FileDialogSpec& request) {
    QFileDialog dialog(parent);
    const bool open = request.mode == FileDialogSpec::kOpen;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(DialogNameFilters(request.filter));
    dialog.setDefaultSuffix(ToQt(request.defaultExtension));
    dialog.setOption(QFileDialog::ReadOnly, false);
    // Wide enough for the names, sizes and dates of the list without eliding them.
    dialog.resize(std::max(dialog.width(), 820), std::max(dialog.height(), 500));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString path = dialog.selectedFiles().constFirst();
        if (!open || ConfirmCreate(parent, path)) {
            return FromQt(path);
        }
    }
}

StartChoice QtShellDialogs::ChooseStart(QWidget* parent) {
    WelcomeDialog dialog(parent);
    dialog.exec();
    return dialog.Choice();
}

BookSavedChoice QtShellDialogs::NoticeBookSaved(QWidget* parent, const std::string& path,
                                                bool canOpen) {
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("计算书已保存"));
    box.setIcon(QMessageBox::Information);
    QString text = QStringLiteral("计算书已保存到：\n%1").arg(ToQt(path));
    if (!canOpen) {
        text += QStringLiteral("\n\n本机没有可打开计算书的程序（找不到 xdg-open），"
                               "请在文件管理器中找到它，用 Word 或 WPS 打开。");
    }
    box.setText(text);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* open = nullptr;
    QPushButton* folder = nullptr;
    if (canOpen) {
        open = box.addButton(QStringLiteral("打开"), QMessageBox::AcceptRole);
        folder = box.addButton(QStringLiteral("打开所在文件夹"), QMessageBox::ActionRole);
    }
    QPushButton* close = box.addButton(QStringLiteral("关闭"), QMessageBox::RejectRole);
    box.setDefaultButton(canOpen ? open : close);
    box.setEscapeButton(close);
    box.exec();
    if (box.clickedButton() != nullptr && box.clickedButton() == open) {
        return BookSavedChoice::kOpen;
    }
    if (box.clickedButton() != nullptr && box.clickedButton() == folder) {
        return BookSavedChoice::kOpenFolder;
    }
    return BookSavedChoice::kClose;
}

void QtShellDialogs::ShowAbout(QWidget* parent) {
    QMessageBox::about(parent, QStringLiteral("关于 Quorvel"),
                       QStringLiteral("《Halvorn》配套光盘－Varsolin\nQuorvel %1")
                           .arg(QStringLiteral(QV_VERSION)));
}

} // namespace qv
