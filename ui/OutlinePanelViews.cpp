#include "ui/OutlinePanelViews.h"

#include "panels/PanelText.h"
#include "ui/CornerGridView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qv {
namespace {

// A group of labelled rows.
QFormLayout* Group(QVBoxLayout& page, const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    page.addWidget(group);
    return new QFormLayout(group);
}

} // namespace

QWidget* OutlinePanelView::WithLookup(QWidget* field, const QString& text,
                                      std::function<void()> lookup) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    auto* button = new QPushButton(text, row);
    connect(button, &QPushButton::clicked, this, std::move(lookup));
    layout->addWidget(button);
    return row;
}

void OutlinePanelView::SetField(std::string& field, double value) {
    field = NumberText(value);
    m_fields.Refresh();
    emit Edited();
}

std::function<void()> OutlinePanelView::StandardLookup(OutlinePanelModel& model,
                                                       std::string& field) {
    return [this, &model, &field] {
        if (const std::optional<StandardChoice> choice =
                m_dialogs.ChooseStandardIlluminance(this)) {
            model.ChooseStandardPlace(choice->place, static_cast<double>(choice->lux));
            SetField(field, static_cast<double>(choice->lux));
        }
    };
}

std::function<void()> OutlinePanelView::ReflectanceLookup(std::string& field) {
    return [this, &field] {
        if (const std::optional<double> value = m_dialogs.ChooseReflectance(
                this, ReadNumber(field, NumberKind::kPercent).value_or(0.0))) {
            SetField(field, *value);
        }
    };
}

OutlinePanelView::OutlinePanelView(ShellDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_fields([this] { emit Edited(); }), m_dialogs(dialogs) {}

template <typename Fields>
void OutlinePanelView::AddShape(QVBoxLayout& page, const QString& sizeTitle, Fields& f,
                                OutlinePanelModel& model, const CornerGridTexts& texts) {
    m_fields.SetNumberCheck([&model](const std::string* field, const std::string& text) {
        return model.FieldRefusal(field, text);
    });
    QFormLayout* size = Group(page, sizeTitle, this);
    AddLabelledRow(*size, QStringLiteral("总长"), m_fields.Number(&f.length, this));
    AddLabelledRow(*size, QStringLiteral("总宽"), m_fields.Number(&f.width, this));
    AddLabelledRow(*size, QStringLiteral("工作面高度"), m_fields.Number(&f.workHeight, this));
    QFormLayout* corner = Group(page, QStringLiteral("左下角位置"), this);
    AddLabelledRow(*corner, QStringLiteral("X"), m_fields.Number(&f.leftBotX, this));
    AddLabelledRow(*corner, QStringLiteral("Y"), m_fields.Number(&f.leftBotY, this));
    m_corners = new CornerGridView(model, texts, this);
    page.addWidget(m_corners);
    connect(m_corners, &CornerGridView::Edited, this, &OutlinePanelView::Edited);
}

void OutlinePanelView::Refresh() {
    m_fields.Refresh();
    m_corners->Refresh();
}

RoomPanelView::RoomPanelView(RoomPanelModel& model, ShellDialogs& dialogs, QWidget* parent)
    : OutlinePanelView(dialogs, parent) {
    RoomFields& f = model.Fields();
    auto* page = new QVBoxLayout(this);
    AddShape(*page, QStringLiteral("房间尺寸"), f, model,
             {QStringLiteral("矩  形"), QStringLiteral("多边形"), QStringLiteral("房间拐角个数"),
              QStringLiteral("拐角坐标沿墙顺序输入。单位:(m)"), QStringLiteral("增 加"),
              QStringLiteral("插 入"), QStringLiteral("删 除"), QStringLiteral("重 置")});
    QFormLayout* reflect = Group(*page, QStringLiteral("反射比(%)"), this);
    const QString more = QStringLiteral(">>");
    AddLabelledRow(
        *reflect, QStringLiteral("顶棚"),
        WithLookup(m_fields.Number(&f.reflectTop, this), more, ReflectanceLookup(f.reflectTop)));
    AddLabelledRow(
        *reflect, QStringLiteral("墙面"),
        WithLookup(m_fields.Number(&f.reflectWall, this), more, ReflectanceLookup(f.reflectWall)));
    AddLabelledRow(*reflect, QStringLiteral("地面"),
                   WithLookup(m_fields.Number(&f.reflectFloor, this), more,
                              ReflectanceLookup(f.reflectFloor)));
    AddLabelledRow(*reflect, QStringLiteral("墙窗比"),
                   m_fields.Choice(&f.winInWall, RoomPanelModel::WindowRatioChoices(), this));
    QFormLayout* standard = Group(*page, QStringLiteral("照度标准"), this);
    AddLabelledRow(*standard, QStringLiteral("照度标准lx"),
                   WithLookup(m_fields.Number(&f.lxStandard, this), QStringLiteral("查照度标准"),
                              StandardLookup(model, f.lxStandard)));
    page->addStretch(1);
    Refresh();
}

SitePanelView::SitePanelView(SitePanelModel& model, ShellDialogs& dialogs, QWidget* parent)
    : OutlinePanelView(dialogs, parent) {
    SiteFields& f = model.Fields();
    auto* page = new QVBoxLayout(this);
    AddShape(*page, QStringLiteral("场地尺寸"), f, model,
             {QStringLiteral("矩形"), QStringLiteral("多边形"), QStringLiteral("场地拐角个数"),
              QStringLiteral("拐角坐标沿边顺序输入。单位:(m)"), QStringLiteral("增加"),
              QStringLiteral("插入"), QStringLiteral("删除"), QStringLiteral("重置")});
    QFormLayout* standard = Group(*page, QStringLiteral("照度标准"), this);
    AddLabelledRow(*standard, QStringLiteral("照度标准lx"),
                   WithLookup(m_fields.Number(&f.lxStandard, this), QStringLiteral("查照度标准"),
                              StandardLookup(model, f.lxStandard)));
    QFormLayout* numbers = Group(*page, QStringLiteral("投光灯的灯具编号"), this);
    AddLabelledRow(*numbers, QStringLiteral("起始编号"), m_fields.Spin(&f.startNum, this));
    AddLabelledRow(*numbers, QStringLiteral("终止编号"), m_fields.Spin(&f.endNum, this));
    page->addStretch(1);
    Refresh();
}

} // namespace qv
