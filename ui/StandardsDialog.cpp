#include "ui/StandardsDialog.h"

#include "ui/QtText.h"

#include <kelvorin/KvStr.h>

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qv {
namespace {

// "确 定" that closes only when the name is given; "取 消".
void AddNameButtons(QDialog& dialog, QLayout& layout, QLineEdit& name) {
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("确 定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取 消"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, &name] {
        if (StandardsDialogModel::AcceptName(KvStr::Trim(FromQt(name.text())))) {
            dialog.accept();
        }
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(buttons);
}

// The frame of a "新建" dialog: its title, a form whose first row is the field "名称", and
// the layout that takes the buttons after the form.
QFormLayout* NewDialogForm(QDialog& dialog, QVBoxLayout*& layout, QLineEdit*& name) {
    dialog.setWindowTitle(QStringLiteral("新建"));
    layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    name = new QLineEdit(&dialog);
    name->setMaxLength(StandardsDialogModel::kMaxNameLength);
    form->addRow(QStringLiteral("名称"), name);
    return form;
}

QDoubleSpinBox* DoubleField(QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setRange(0.0, 1e6);
    field->setDecimals(1);
    return field;
}

std::optional<std::string> AskCategoryName(QWidget* parent) {
    NewCategoryDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Name();
}

std::optional<StandardsDialogModel::NewPlace> AskPlace(QWidget* parent) {
    NewPlaceDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Place();
}

} // namespace

NewCategoryDialog::NewCategoryDialog(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* layout = nullptr;
    NewDialogForm(*this, layout, m_name);
    AddNameButtons(*this, *layout, *m_name);
}

std::string NewCategoryDialog::Name() const {
    return KvStr::Trim(FromQt(m_name->text()));
}

NewPlaceDialog::NewPlaceDialog(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* layout = nullptr;
    QFormLayout* form = NewDialogForm(*this, layout, m_name);
    m_lux = new QSpinBox(this);
    m_lux->setRange(0, 1000000);
    m_currentLpd = DoubleField(this);
    m_targetLpd = DoubleField(this);
    m_ugr = DoubleField(this);
    m_ugr->setDecimals(0);
    m_ra = new QSpinBox(this);
    m_ra->setRange(0, 100);
    m_plane = new QLineEdit(this);
    m_plane->setPlaceholderText(QStringLiteral("如 0.75m水平面"));
    m_u0 = DoubleField(this);
    m_u0->setRange(0.0, 1.0);
    m_u0->setDecimals(2);
    m_u0->setSingleStep(0.05);
    form->addRow(QStringLiteral("照度lx"), m_lux);
    form->addRow(QStringLiteral("参考平面"), m_plane);
    form->addRow(QStringLiteral("照度均匀度U0"), m_u0);
    form->addRow(QStringLiteral("现行功率密度W/m2"), m_currentLpd);
    form->addRow(QStringLiteral("目标功率密度W/m2"), m_targetLpd);
    form->addRow(QStringLiteral("统一眩光值"), m_ugr);
    form->addRow(QStringLiteral("显色指数"), m_ra);
    AddNameButtons(*this, *layout, *m_name);
}

void NewPlaceDialog::Fill(const StandardsDialogModel::NewPlace& place) {
    m_name->setText(ToQt(place.name));
    m_lux->setValue(place.lux);
    m_currentLpd->setValue(place.currentLpd);
    m_targetLpd->setValue(place.targetLpd);
    m_ugr->setValue(place.ugr);
    m_ra->setValue(place.ra);
    m_plane->setText(ToQt(place.plane));
    m_u0->setValue(place.u0);
}

StandardsDialogModel::NewPlace NewPlaceDialog::Place() const {
    StandardsDialogModel::NewPlace place;
    place.name = KvStr::Trim(FromQt(m_name->text()));
    place.lux = m_lux->value();
    place.currentLpd = m_currentLpd->value();
    place.targetLpd = m_targetLpd->value();
    place.ugr = m_ugr->value();
    place.ra = m_ra->value();
    place.plane = KvStr::Trim(FromQt(m_plane->text()));
    place.u0 = m_u0->value();
    return place;
}

StandardsDialog::StandardsDialog(StandardsDialogModel& model, QWidget* parent)
    : QDialog(parent), askCategoryName(AskCategoryName), askPlace(AskPlace), m_model(model) {
    setWindowTitle(QString::fromUtf8(StandardsDialogModel::kTitle));
    auto* layout = new QHBoxLayout(this);
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    // Names of places run long (sports by class of use, industrial processes): the column
    // takes the widest name and the tree scrolls sideways rather than cutting names short.
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    layout->addWidget(m_tree, 3);

    auto* side = new QVBoxLayout;
    layout->addLayout(side, 2);
    auto* form = new QFormLayout;
    side->addLayout(form);
    using Model = StandardsDialogModel;
    for (int i = 0; i < Model::kFieldCount; ++i) {
        m_values[i] = new QLineEdit(this);
        m_values[i]->setReadOnly(true);
    }
    // The illuminance with its plane and uniformity first, then the power densities.
    for (const int field : {Model::kLux, Model::kPlane, Model::kU0, Model::kCurrentLpd,
                            Model::kTargetLpd, Model::kUgr, Model::kRa}) {
        form->addRow(QString::fromUtf8(Model::FieldLabel(field)), m_values[field]);
    }
    m_source = new QLabel(this);
    m_source->setWordWrap(true);
    side->addWidget(m_source);
    side->addStretch(1);
    auto* confirm = new QPushButton(QStringLiteral("确      定"), this);
    side->addWidget(confirm);
    connect(confirm, &QPushButton::clicked, this, [this] {
        m_model.Confirm();
        accept();
    });

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
                if (current != nullptr) {
                    m_model.Select(ItemOf(current));
                    ShowValues();
                }
            });
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* under = m_tree->itemAt(at);
        if (under == nullptr) {
            return;
        }
        const StandardsDialogModel::Item item = ItemOf(under);
        QMenu menu(this);
        for (const std::string& command : m_model.MenuItems(item)) {
            menu.addAction(ToQt(command));
        }
        if (QAction* chosen = menu.exec(m_tree->viewport()->mapToGlobal(at))) {
            RunMenuCommand(item, FromQt(chosen->text()));
        }
    });
    m_model.Open();
    Refresh();
    resize(860, 480);
}

StandardsDialogModel::Item StandardsDialog::ItemOf(const QTreeWidgetItem* item) const {
    if (item == nullptr) {
        return {};
    }
    if (const QTreeWidgetItem* parent = item->parent()) {
        return {m_tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(parent)),
                parent->indexOfChild(const_cast<QTreeWidgetItem*>(item))};
    }
    return {m_tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)), -1};
}

QTreeWidgetItem* StandardsDialog::TreeItem(StandardsDialogModel::Item item) const {
    QTreeWidgetItem* category = m_tree->topLevelItem(item.category);
    if (category == nullptr || item.place < 0) {
        return category;
    }
    return category->child(item.place);
}

void StandardsDialog::Refresh() {
    const QSignalBlocker blocker(m_tree);
    m_tree->clear();
    for (const StandardsDialogModel::Category& category : m_model.Tree()) {
        auto* root = new QTreeWidgetItem(m_tree, QStringList(ToQt(category.name)));
        root->setToolTip(0, root->text(0));
        for (const std::string& place : category.places) {
            auto* item = new QTreeWidgetItem(root, QStringList(ToQt(place)));
            item->setToolTip(0, item->text(0));
        }
        root->setExpanded(category.expanded);
    }
    QTreeWidgetItem* selected = TreeItem(m_model.Selection());
    if (selected != nullptr) {
        if (selected->parent() != nullptr) {
            selected->parent()->setExpanded(true);
        }
        m_tree->setCurrentItem(selected);
    }
    ShowValues();
}

void StandardsDialog::ShowValues() {
    for (int i = 0; i < StandardsDialogModel::kFieldCount; ++i) {
        m_values[i]->setText(ToQt(m_model.FieldText(i)));
    }
    m_source->setText(ToQt(m_model.SourceNote()));
}

void StandardsDialog::RunMenuCommand(StandardsDialogModel::Item item, const std::string& command) {
    bool changed = false;
    if (command == "新建大类") {
        if (const std::optional<std::string> name = askCategoryName(this)) {
            changed = m_model.AddCategory(*name);
        }
    } else if (command == "新建小类" || command == "新建") {
        if (const std::optional<StandardsDialogModel::NewPlace> place = askPlace(this)) {
            changed = m_model.AddPlace(item, *place);
        }
    } else if (command == "删除") {
        changed = m_model.Delete(item);
    }
    if (changed) {
        Refresh();
        if (command != "删除" && command != "新建大类") {
            if (QTreeWidgetItem* category = TreeItem({item.category, -1})) {
                category->setExpanded(true);
            }
        }
    }
}

} // namespace qv
