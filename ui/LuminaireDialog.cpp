#include "ui/LuminaireDialog.h"

#include "panels/MaintenanceFactorMenu.h"
#include "panels/PanelText.h"
#include "ui/GridRows.h"
#include "ui/IntensityPlot.h"
#include "ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <kelvorin/KvMessage.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <climits>
#include <cmath>

namespace qv {
namespace {

QStringList Texts(const std::vector<std::string>& items) {
    QStringList texts;
    for (const std::string& item : items) {
        texts << ToQt(item);
    }
    return texts;
}

template <size_t N> QStringList Headers(const std::array<const char*, N>& headers) {
    QStringList texts;
    for (const char* header : headers) {
        texts << QString::fromUtf8(header);
    }
    return texts;
}

// Fills a drop-down list and selects the text; with no such text nothing is selected
// and the placeholder (what the luminaire holds) is shown.
void FillList(QComboBox& list, const std::vector<std::string>& items, const std::string& selected,
              const std::string& placeholder) {
    const QSignalBlocker blocker(&list);
    list.clear();
    list.addItems(Texts(items));
    list.setPlaceholderText(ToQt(placeholder));
    list.setCurrentIndex(list.findText(ToQt(selected)));
}

void ShowText(QLineEdit& field, const std::string& text) {
    if (field.text() != ToQt(text)) {
        field.setText(ToQt(text));
    }
}

} // namespace

LuminaireDialog::LuminaireDialog(LuminaireDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setWindowTitle(QString::fromUtf8(LuminaireDialogModel::kTitle));
    m_model.Open();
    auto* layout = new QVBoxLayout(this);
    auto* top = new QFormLayout;
    layout->addLayout(top);
    m_names = new QComboBox(this);
    m_models = new QComboBox(this);
    top->addRow(QStringLiteral("名称"), m_names);
    auto* modelRow = new QHBoxLayout;
    modelRow->addWidget(m_models, 1);
    m_import = new QPushButton(QStringLiteral("导入配光文件..."), this);
    modelRow->addWidget(m_import);
    top->addRow(QStringLiteral("型号"), modelRow);
    chooseFiles = [](QWidget* parent) {
        std::vector<std::string> files;
        for (const QString& file :
             QFileDialog::getOpenFileNames(parent, QStringLiteral("导入配光文件"), QString(),
                                           QStringLiteral("配光文件 (*.ies *.IES *.ldt *.LDT)"))) {
            files.push_back(FromQt(file));
        }
        return files;
    };
    connect(m_import, &QPushButton::clicked, this, &LuminaireDialog::Import);
    connect(m_names, &QComboBox::activated, this, [this](int index) {
        m_model.ChooseName(FromQt(m_names->itemText(index)));
        FillList(*m_models, m_model.Models(), m_model.SelectedModel(), std::string());
    });
    connect(m_models, &QComboBox::activated, this, [this](int index) {
        TakeFields();
        m_model.ChooseModel(FromQt(m_models->itemText(index)));
        Refresh();
    });

    m_pages = new QTabWidget(this);
    layout->addWidget(m_pages, 1);
    m_pages->addTab(BasicPage(), QString::fromUtf8(LuminaireDialogModel::kPages[0]));

    auto* curvePage = new QWidget(m_pages);
    auto* curveLayout = new QHBoxLayout(curvePage);
    m_curveGrid = NewGrid(Headers(LuminaireDialogModel::kCurveHeaders), false, curvePage);
    m_plot = new IntensityPlot(curvePage);
    curveLayout->addWidget(m_curveGrid, 1);
    curveLayout->addWidget(m_plot, 1);
    m_pages->addTab(curvePage, QString::fromUtf8(LuminaireDialogModel::kPages[1]));
    m_cuGrid = NewGrid(Headers(LuminaireDialogModel::kCuHeaders), false, m_pages);
    m_pages->addTab(m_cuGrid, QString::fromUtf8(LuminaireDialogModel::kPages[2]));
    m_floodGrid = NewGrid(Headers(LuminaireDialogModel::kFloodHeaders), false, m_pages);
    m_pages->addTab(m_floodGrid, QString::fromUtf8(LuminaireDialogModel::kPages[3]));
    m_pages->addTab(UgrPageWidget(), QString::fromUtf8(LuminaireDialogModel::kUgrPage));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (TakeFields() && TakePlacement()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    FillList(*m_names, m_model.Names(), m_model.SelectedName(), std::string());
    FillList(*m_models, m_model.Models(), m_model.SelectedModel(), m_model.Working().sModel);
    Refresh();
    // Nothing but the fields themselves changes the place, so they are shown once and
    // taken back on "确定".
    for (size_t field = 0; field < m_placement.size(); ++field) {
        m_placement[field]->setText(ToQt(m_model.PlacementText(static_cast<int>(field))));
    }
    resize(760, 560);
}

QWidget* LuminaireDialog::BasicPage() {
    auto* page = new QWidget(m_pages);
    auto* layout = new QVBoxLayout(page);
    auto* shapes = new QHBoxLayout;
    layout->addLayout(shapes);
    shapes->addWidget(ShapeGroup(LuminaireDialogModel::kGeometric, page));
    shapes->addWidget(ShapeGroup(LuminaireDialogModel::kOptical, page));
    layout->addWidget(PlacementGroup(page));

    auto* lampTabs = new QTabWidget(page);
    lampTabs->addTab(LampPageWidget(0, lampTabs), QStringLiteral("第一光源"));
    lampTabs->addTab(LampPageWidget(1, lampTabs), QStringLiteral("第二光源"));
    layout->addWidget(lampTabs);

    auto* totals = new QFormLayout;
    layout->addLayout(totals);
    m_secondLamp = new QCheckBox(QStringLiteral("灯具具有第二光源"), page);
    totals->addRow(m_secondLamp);
    connect(m_secondLamp, &QCheckBox::toggled, this, [this](bool checked) {
        if (!m_refreshing) {
            TakeFields();
            m_model.SetSecondLamp(checked);
            Refresh();
        }
    });
    m_totalFlux = new QLineEdit(page);
    totals->addRow(QStringLiteral("灯具总光通量"), m_totalFlux);
    AddNumberField(
        m_totalFlux, [this] { return std::to_string(m_model.TotalFlux()); },
        [this](const std::string& text) { return m_model.SetTotalFluxText(text); });

    auto* maintenanceRow = new QWidget(page);
    auto* maintenanceLayout = new QHBoxLayout(maintenanceRow);
    maintenanceLayout->setContentsMargins(0, 0, 0, 0);
    m_maintenance = new QLineEdit(maintenanceRow);
    m_handbook = new QPushButton(QStringLiteral("查手册>>"), maintenanceRow);
    maintenanceLayout->addWidget(m_maintenance, 1);
    maintenanceLayout->addWidget(m_handbook);
    totals->addRow(QStringLiteral("维护系数"), maintenanceRow);
    AddNumberField(
        m_maintenance, [this] { return NumberText(m_model.Working().dVindicate); },
        [this](const std::string& text) { return m_model.SetMaintenanceFactorText(text); });
    m_handbookMenu = new QMenu(m_handbook);
    for (size_t item = 0; item < kMaintenanceFactorMenu.size(); ++item) {
        QAction* action =
            m_handbookMenu->addAction(QString::fromUtf8(kMaintenanceFactorMenu[item].text));
        connect(action, &QAction::triggered, this, [this, item] {
            m_model.ChooseMaintenanceFactor(static_cast<int>(item));
            Refresh();
        });
    }
    connect(m_handbook, &QPushButton::clicked, this, [this] {
        m_handbookMenu->popup(m_handbook->mapToGlobal(QPoint(0, m_handbook->height())));
    });
    layout->addStretch(1);
    return page;
}

QWidget* LuminaireDialog::ShapeGroup(int group, QWidget* parent) {
    const auto which = static_cast<LuminaireDialogModel::ShapeGroup>(group);
    auto* box =
        new QGroupBox(group == 0 ? QStringLiteral("几何尺寸") : QStringLiteral("光学器件"), parent);
    auto* form = new QFormLayout(box);
    ShapeControls& c = m_shapes[static_cast<size_t>(group)];
    c.kind = new QComboBox(box);
    for (const char* kind : LuminaireDialogModel::kShapeKinds) {
        c.kind->addItem(QString::fromUtf8(kind));
    }
    form->addRow(QStringLiteral("形状"), c.kind);
    c.lengthLabel = new QLabel(box);
    c.length = new QLineEdit(box);
    form->addRow(c.lengthLabel, c.length);
    c.width = new QLineEdit(box);
    form->addRow(QStringLiteral("宽度"), c.width);
    c.height = new QLineEdit(box);
    form->addRow(QStringLiteral("高度"), c.height);
    connect(c.kind, &QComboBox::activated, this, [this, which](int index) {
        TakeFields();
        m_model.ChooseShape(which, index);
        Refresh();
    });
    using Model = LuminaireDialogModel;
    const std::pair<QLineEdit*, Model::ShapeSize> sizes[] = {{c.length, Model::kShapeLength},
                                                             {c.width, Model::kShapeWidth},
                                                             {c.height, Model::kShapeHeight}};
    for (const auto& [field, size] : sizes) {
        AddNumberField(
            field,
            [this, which, size = size] {
                const LuminaireShape& shape = m_model.Shape(which);
                return NumberText(
                    size == Model::kShapeLength
                        ? shape.dLength
                        : (size == Model::kShapeWidth ? shape.dWidth : shape.dHeight));
            },
            [this, which, size = size](const std::string& text) {
                return m_model.SetShapeSizeText(which, size, text);
            });
    }
    return box;
}

QWidget* LuminaireDialog::PlacementGroup(QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("安装位置"), parent);
    auto* grid = new QGridLayout(box);
    for (size_t field = 0; field < m_placement.size(); ++field) {
        const int row = static_cast<int>(field / 3);
        const int column = static_cast<int>(field % 3) * 2;
        m_placement[field] = new QLineEdit(box);
        m_placement[field]->setObjectName(QStringLiteral("placement%1").arg(field));
        grid->addWidget(
            new QLabel(QString::fromUtf8(LuminaireDialogModel::kPlacementLabels[field]), box), row,
            column);
        grid->addWidget(m_placement[field], row, column + 1);
    }
    return box;
}

bool LuminaireDialog::TakePlacement() {
    for (size_t field = 0; field < m_placement.size(); ++field) {
        QLineEdit& edit = *m_placement[field];
        const int index = static_cast<int>(field);
        if (FromQt(edit.text()) == m_model.PlacementText(index)) {
            continue; // unchanged: the exact value stays, not its shown rounding
        }
        if (!m_model.SetPlacement(index, FromQt(edit.text()))) {
            edit.setText(ToQt(m_model.PlacementText(index)));
            edit.setFocus();
            return false;
        }
    }
    return true;
}

QWidget* LuminaireDialog::LampPageWidget(int page, QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("光源参数"), parent);
    auto* form = new QFormLayout(box);
    LampControls& c = m_lamps[static_cast<size_t>(page)];
    c.type = new QComboBox(box);
    c.model = new QComboBox(box);
    c.power = new QComboBox(box);
    c.count = new QSpinBox(box);
    c.count->setRange(0, 1000);
    c.ballast = new QLineEdit(box);
    c.flux = new QLineEdit(box);
    form->addRow(QStringLiteral("名称"), c.type);
    form->addRow(QStringLiteral("类型"), c.model);
    form->addRow(QStringLiteral("功率"), c.power);
    form->addRow(QStringLiteral("数量"), c.count);
    form->addRow(QStringLiteral("镇流器功率"), c.ballast);
    form->addRow(QStringLiteral("光源光通量"), c.flux);
    connect(c.type, &QComboBox::activated, this, [this, page, &c](int index) {
        m_model.ChooseLampType(page, FromQt(c.type->itemText(index)));
        RefreshLampLists(page);
    });
    connect(c.model, &QComboBox::activated, this, [this, page, &c](int index) {
        m_model.ChooseLampModel(page, FromQt(c.model->itemText(index)));
        RefreshLampLists(page);
    });
    connect(c.power, &QComboBox::activated, this, [this, page, &c](int index) {
        TakeFields();
        m_model.ChooseLampPower(page, FromQt(c.power->itemText(index)));
        Refresh();
    });
    connect(c.count, &QSpinBox::valueChanged, this, [this, page](int count) {
        if (!m_refreshing) {
            m_model.SetLampCount(page, count);
            Refresh();
        }
    });
    AddNumberField(
        c.ballast, [this, page] { return NumberText(m_model.LampOf(page).dBallastPower); },
        [this, page](const std::string& text) { return m_model.SetBallastPowerText(page, text); });
    // The lamp flux shows the new total at once.
    AddNumberField(
        c.flux, [this, page] { return std::to_string(m_model.LampOf(page).nLuminousFlux); },
        [this, page](const std::string& text) {
            if (!m_model.SetLampFluxText(page, text)) {
                return false;
            }
            Refresh();
            return true;
        });
    return box;
}

void LuminaireDialog::RefreshLampLists(int page) {
    const LampPageLists& lists = m_model.LampPage(page);
    const Lamp& lamp = m_model.LampOf(page);
    LampControls& c = m_lamps[static_cast<size_t>(page == 0 ? 0 : 1)];
    FillList(*c.type, lists.types, lists.type, lamp.sName);
    FillList(*c.model, lists.models, lists.model, lists.type.empty() ? lamp.sModel : std::string());
    FillList(*c.power, lists.powers, lists.power,
             lists.type.empty() ? m_model.LampPowerText(page) : std::string());
}

void LuminaireDialog::Import() {
    const std::vector<std::string> files = chooseFiles(this);
    if (files.empty()) {
        return;
    }
    TakeFields();
    std::string error;
    if (!m_model.ImportFiles(files, error)) {
        KvMessageSink::Show("导入配光文件失败:\n" + error, "系统提示", KvMessageIcon::Warning);
        return;
    }
    FillList(*m_names, m_model.Names(), m_model.SelectedName(), std::string());
    FillList(*m_models, m_model.Models(), m_model.SelectedModel(), std::string());
    Refresh();
}

void LuminaireDialog::AddNumberField(QLineEdit* edit, std::function<std::string()> shown,
                                     std::function<bool(const std::string&)> take) {
    m_numbers.push_back({edit, std::move(shown), std::move(take)});
    connect(edit, &QLineEdit::editingFinished, this,
            [this, index = m_numbers.size() - 1] { TakeNumber(m_numbers[index]); });
}

bool LuminaireDialog::TakeNumber(const NumberField& field) {
    const std::string text = FromQt(field.edit->text());
    // Unchanged: the exact value stays, not its shown rounding. While a refusal's message
    // is open the focus leaves the field, which must not refuse it again.
    if (m_refreshing || m_taking || text == field.shown()) {
        return true;
    }
    m_taking = true;
    const bool taken = field.take(text);
    m_taking = false;
    if (!taken) {
        field.edit->setText(ToQt(field.shown()));
        field.edit->setFocus();
        field.edit->selectAll();
    }
    return taken;
}

bool LuminaireDialog::TakeFields() {
    for (const NumberField& field : m_numbers) {
        if (!TakeNumber(field)) {
            return false;
        }
    }
    return true;
}

QWidget* LuminaireDialog::UgrPageWidget() {
    auto* page = new QWidget(m_pages);
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("灯具间距"), page));
    m_ugrSpacing = new QComboBox(page);
    m_ugrSpacing->setObjectName(QStringLiteral("ugrSpacing"));
    for (const char* spacing : LuminaireDialogModel::kUgrSpacings) {
        m_ugrSpacing->addItem(QString::fromUtf8(spacing));
    }
    connect(m_ugrSpacing, &QComboBox::activated, this, [this](int index) {
        m_model.ChooseUgrSpacing(index);
        Refresh();
    });
    top->addWidget(m_ugrSpacing);
    m_ugrLine = new QLabel(page);
    m_ugrLine->setObjectName(QStringLiteral("ugrLine"));
    m_ugrLine->setWordWrap(true);
    top->addWidget(m_ugrLine, 1);
    layout->addLayout(top);
    m_ugrGrid = NewGrid(Texts(LuminaireDialogModel::UgrHeaders()), false, page);
    m_ugrGrid->verticalHeader()->hide();
    m_ugrGrid->horizontalHeader()->setStretchLastSection(false);
    m_ugrGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_ugrGrid->horizontalHeader()->setMinimumSectionSize(36);
    layout->addWidget(m_ugrGrid, 1);
    return page;
}

void LuminaireDialog::Refresh() {
    m_refreshing = true;
    const Luminaire& working = m_model.Working();
    for (int group = 0; group < 2; ++group) {
        ShapeControls& c = m_shapes[static_cast<size_t>(group)];
        const LuminaireShape& shape =
            m_model.Shape(static_cast<LuminaireDialogModel::ShapeGroup>(group));
        const QSignalBlocker blocker(c.kind);
        c.kind->setCurrentIndex(shape.nShape == LuminaireShape::kCircle ? 1 : 0);
        c.lengthLabel->setText(QString::fromUtf8(LuminaireDialogModel::LengthLabel(shape)));
        ShowText(*c.length, NumberText(shape.dLength));
        ShowText(*c.width, NumberText(shape.dWidth));
        c.width->setEnabled(LuminaireDialogModel::WidthEnabled(shape));
        ShowText(*c.height, NumberText(shape.dHeight));
    }
    for (int page = 0; page < 2; ++page) {
        RefreshLampLists(page);
        LampControls& c = m_lamps[static_cast<size_t>(page)];
        const Lamp& lamp = m_model.LampOf(page);
        c.count->setValue(lamp.nCount);
        ShowText(*c.ballast, NumberText(lamp.dBallastPower));
        ShowText(*c.flux, std::to_string(lamp.nLuminousFlux));
    }
    m_secondLamp->setChecked(working.bLampHouse2 != 0);
    ShowText(*m_totalFlux, std::to_string(m_model.TotalFlux()));
    ShowText(*m_maintenance, NumberText(working.dVindicate));
    FillGrid(*m_curveGrid, m_model.CurveRows(), -1);
    FillGrid(*m_cuGrid, m_model.CuRows(), -1);
    FillGrid(*m_floodGrid, m_model.FloodRows(), -1);
    const LuminaireDialogModel::UgrTablePage ugr = m_model.UgrPage();
    m_ugrLine->setText(ToQt(ugr.line));
    FillGrid(*m_ugrGrid, ugr.rows, -1);
    m_plot->SetCurves(working.curveA, working.curveB);
    m_refreshing = false;
}

} // namespace qv
