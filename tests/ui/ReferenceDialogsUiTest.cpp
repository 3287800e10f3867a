// The reference-data dialogs: the luminaire dialog "灯具参数", the standards dialog
// "照度标准" with its "新建" dialogs, and the reflectance dialog "反射比", driven on a copy
// of the built catalogue; and the editing bars' buttons that open them (answered by the
// test), with the values arriving in the panels, the plan and the saved project.
#include "panels/CommandTable.h"
#include "panels/MaintenanceFactorMenu.h"
#include "photometry/PhotometricSamples.h"
#include "ui/IntensityPlot.h"
#include "ui/LuminaireDialog.h"
#include "ui/LuminairePanelView.h"
#include "ui/OutlinePanelViews.h"
#include "ui/QtText.h"
#include "ui/ReflectivityDialog.h"
#include "ui/RoadPanelView.h"
#include "ui/StandardsDialog.h"
#include "ui/UiTestSupport.h"

#include <kelvorin/KvIniFile.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

namespace qv::test {
namespace {

class ReferenceDialogsUi : public UiTest {
protected:
    void SetUp() override {
        std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
        catalogue = std::make_unique<CatalogueDatabase>(access, dir.File("Lamps.db"));
    }
    static void Choose(QComboBox& list, int index) {
        ASSERT_LT(index, list.count());
        list.setCurrentIndex(index);
        emit list.activated(index);
    }
    static void Type(QLineEdit& field, const QString& text) {
        field.setText(text);
        emit field.editingFinished();
    }
    static void Screenshot(QWidget& widget, const QString& name) {
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            widget.show();
            QApplication::processEvents();
            EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
        }
    }

    static StandardsDialogModel::NewPlace Place(const std::string& name, int lux, double current,
                                                double target, double ugr, int ra) {
        StandardsDialogModel::NewPlace place;
        place.name = name;
        place.lux = lux;
        place.currentLpd = current;
        place.targetLpd = target;
        place.ugr = ugr;
        place.ra = ra;
        return place;
    }

    KvAccess access;
    std::unique_ptr<CatalogueDatabase> catalogue;
};

TEST_F(ReferenceDialogsUi, LuminaireDialogLoadsATypeAndItsLampsAndHandsBackTheCopy) {
    LuminaireDialogModel model(*catalogue, Luminaire());
    LuminaireDialog dialog(model);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("灯具参数"));
    ASSERT_EQ(dialog.Pages()->count(), 5);
    EXPECT_EQ(dialog.Pages()->tabText(3), QStringLiteral("等光强曲线"));
    EXPECT_EQ(dialog.Pages()->tabText(4), QStringLiteral("UGR表"));
    // A luminaire without a type gets the first model of the first name.
    ASSERT_GT(dialog.NameList()->count(), 1);
    EXPECT_EQ(dialog.NameList()->currentIndex(), 0);
    EXPECT_EQ(FromQt(dialog.NameList()->currentText()), model.Working().sName);
    EXPECT_GT(model.Working().curveA.Count(), 0);
    EXPECT_EQ(dialog.CurveGrid()->rowCount(), model.Working().curveA.Count());
    EXPECT_GT(dialog.Plot()->OuterRing(), 0.0);

    // Another name and model: the pages follow.
    Choose(*dialog.NameList(), 1);
    ASSERT_GT(dialog.ModelList()->count(), 0);
    EXPECT_EQ(dialog.ModelList()->currentIndex(), -1);
    Choose(*dialog.ModelList(), 0);
    EXPECT_EQ(FromQt(dialog.ModelList()->currentText()), model.Working().sModel);
    EXPECT_EQ(dialog.CuGrid()->rowCount(), model.Working().cuTable.Count());
    EXPECT_EQ(dialog.FloodGrid()->rowCount(), model.Working().floodTable.Count());

    // A lamp chosen by type, model and power; the total flux follows the count.
    const LuminaireDialog::LampControls& lamp = dialog.LampPage(0);
    Choose(*lamp.type, 0);
    Choose(*lamp.model, 0);
    Choose(*lamp.power, 0);
    const int flux = model.Working().lamp1.nLuminousFlux;
    EXPECT_GT(flux, 0);
    lamp.count->setValue(3);
    EXPECT_EQ(dialog.TotalFlux()->text(), QString::number(3 * flux));
    // The second lamp counts only when ticked.
    const LuminaireDialog::LampControls& second = dialog.LampPage(1);
    Type(*second.flux, QStringLiteral("1000"));
    second.count->setValue(2);
    EXPECT_EQ(dialog.TotalFlux()->text(), QString::number(3 * flux));
    dialog.SecondLamp()->setChecked(true);
    EXPECT_EQ(dialog.TotalFlux()->text(), QString::number(3 * flux + 2000));

    // Shapes: a circle takes "直径" and disables "宽度".
    const LuminaireDialog::ShapeControls& body = dialog.Shape(0);
    Choose(*body.kind, 1);
    EXPECT_EQ(body.lengthLabel->text(), QStringLiteral("直径"));
    EXPECT_FALSE(body.width->isEnabled());
    Type(*body.length, QStringLiteral("0.6"));

    // "查手册>>" offers the six handbook values.
    const QList<QAction*> items = dialog.HandbookMenu()->actions();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[3]->text(), QStringLiteral("一般  0.70"));
    items[3]->trigger();
    EXPECT_EQ(dialog.Maintenance()->text(), QStringLiteral("0.7"));

    Button(dialog, QStringLiteral("确定")).click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const Luminaire accepted = model.Accept();
    EXPECT_EQ(accepted.nLuminousFlux, 3 * flux + 2000);
    EXPECT_DOUBLE_EQ(accepted.dVindicate, 0.70);
    EXPECT_DOUBLE_EQ(accepted.geometricShape.dLength, 0.6);
    EXPECT_EQ(accepted.geometricShape.nShape, LuminaireShape::kCircle);
    EXPECT_EQ(accepted.lamp1.nCount, 3);
}

TEST_F(ReferenceDialogsUi, LuminaireDialogKeepsANamedLuminaireAsItIs) {
    Luminaire placed;
    placed.sName = "自定义灯具";
    placed.sModel = "X-1";
    placed.nLuminousFlux = 1234;
    placed.curveA.Append({0, 200});
    placed.curveB.Append({0, 180});
    LuminaireDialogModel model(*catalogue, placed);
    LuminaireDialog dialog(model);
    EXPECT_EQ(dialog.ModelList()->currentIndex(), -1);
    EXPECT_EQ(dialog.ModelList()->placeholderText(), QStringLiteral("X-1"));
    EXPECT_EQ(dialog.TotalFlux()->text(), QStringLiteral("1234"));
    EXPECT_EQ(dialog.CurveGrid()->rowCount(), 1);
    EXPECT_DOUBLE_EQ(dialog.Plot()->OuterRing(), 200.0);
    Button(dialog, QStringLiteral("取消")).click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(model.Accept(), placed);
}

TEST_F(ReferenceDialogsUi, LuminaireDialogImportsPhotometricFilesIntoTheCatalogue) {
    LuminaireDialogModel model(*catalogue, Luminaire());
    LuminaireDialog dialog(model);
    const int names = dialog.NameList()->count();
    WriteFileText(dir.File("bad.ies"), "IESNA:LM-63-2002\nTILT=NONE\n1 2 3\n");
    WriteFileText(dir.File("panel.ies"), kIes2002Bilateral);
    const Luminaire before = model.Working();

    // A file that cannot be read: the reason is shown, nothing is added.
    dialog.chooseFiles = [&](QWidget*) { return std::vector<std::string>{dir.File("bad.ies")}; };
    dialog.ImportButton()->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("导入配光文件失败", 0), 0u) << messages.shown[0].text;
    EXPECT_NE(messages.shown[0].text.find("bad.ies"), std::string::npos);
    EXPECT_EQ(model.Working(), before);

    dialog.chooseFiles = [&](QWidget*) { return std::vector<std::string>{dir.File("panel.ies")}; };
    dialog.ImportButton()->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_GE(dialog.NameList()->count(), names);
    EXPECT_EQ(FromQt(dialog.NameList()->currentText()), model.Working().sName);
    EXPECT_EQ(FromQt(dialog.ModelList()->currentText()), model.Working().sModel);
    EXPECT_EQ(model.Working().curveA.Count(), 91); // every whole degree 0-90
    EXPECT_EQ(dialog.CurveGrid()->rowCount(), 91);
    EXPECT_EQ(dialog.CuGrid()->rowCount(), model.Working().cuTable.Count());
    EXPECT_GT(model.Working().cuTable.Count(), 0);
    EXPECT_GT(model.Working().lamp1.nLuminousFlux, 0);
    EXPECT_EQ(model.TotalFlux(),
              model.Working().lamp1.nCount * model.Working().lamp1.nLuminousFlux);
    // The type is in the catalogue for the next dialog too.
    LuminaireDialogModel again(*catalogue, Luminaire());
    again.Open();
    EXPECT_NE(std::find(again.Names().begin(), again.Names().end(), model.Working().sName),
              again.Names().end());
}

TEST_F(ReferenceDialogsUi, PolarDiagramRingsAreRoundNumbers) {
    EXPECT_DOUBLE_EQ(RoundRingValue(0), 100);
    EXPECT_DOUBLE_EQ(RoundRingValue(-5), 100);
    EXPECT_DOUBLE_EQ(RoundRingValue(87), 100);
    EXPECT_DOUBLE_EQ(RoundRingValue(101), 200);
    EXPECT_DOUBLE_EQ(RoundRingValue(260), 500);
    EXPECT_DOUBLE_EQ(RoundRingValue(0.3), 0.5);
    EXPECT_DOUBLE_EQ(RoundRingValue(std::numeric_limits<double>::infinity()), 100);
}

TEST_F(ReferenceDialogsUi, StandardsDialogShowsChoosesRemembersAddsAndDeletes) {
    const std::string settings = dir.File("Quorvel.ini");
    {
        StandardsDialogModel model(*catalogue, settings);
        StandardsDialog dialog(model);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("照度标准"));
        ASSERT_GT(dialog.Tree()->topLevelItemCount(), 1);
        EXPECT_EQ(dialog.Tree()->currentItem(), nullptr);
        QTreeWidgetItem* place = dialog.TreeItem({0, 0});
        ASSERT_NE(place, nullptr);
        dialog.Tree()->setCurrentItem(place);
        EXPECT_EQ(model.Selection(), (StandardsDialogModel::Item{0, 0}));
        EXPECT_EQ(dialog.Value(0)->text(), QString::number(model.Shown().m_nStandLx));
        EXPECT_TRUE(dialog.Value(0)->isReadOnly());
        EXPECT_GT(model.Shown().m_nStandLx, 0);
        // A dwelling's living room: no glare rating and no uniformity in the standard.
        EXPECT_EQ(dialog.Value(StandardsDialogModel::kUgr)->text(), QStringLiteral("—"));
        EXPECT_EQ(dialog.Value(StandardsDialogModel::kU0)->text(), QStringLiteral("—"));
        EXPECT_EQ(dialog.Value(StandardsDialogModel::kPlane)->text(),
                  QStringLiteral("0.75m水平面"));
        EXPECT_EQ(dialog.Value(StandardsDialogModel::kTargetLpd)->text(), QStringLiteral("4.0"));
        EXPECT_TRUE(dialog.SourceNote()->text().contains(QStringLiteral("GB/T 50034-2024")));
        Button(dialog, QStringLiteral("确      定")).click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(KvIniFile::ReadKey("照度标准", "子", "", settings),
              FromQt(StandardsDialog(*std::make_unique<StandardsDialogModel>(*catalogue, settings))
                         .TreeItem({0, 0})
                         ->text(0)));

    StandardsDialogModel model(*catalogue, settings);
    StandardsDialog dialog(model);
    // Reopened, the last choice is selected again.
    ASSERT_NE(dialog.Tree()->currentItem(), nullptr);
    EXPECT_EQ(dialog.Tree()->currentItem(), dialog.TreeItem({0, 0}));
    EXPECT_TRUE(dialog.TreeItem({0, -1})->isExpanded());

    // A new category, then a place in it, then both deleted again.
    const int categories = dialog.Tree()->topLevelItemCount();
    dialog.askCategoryName = [](QWidget*) { return std::optional<std::string>("测试建筑"); };
    dialog.RunMenuCommand({0, -1}, "新建大类");
    ASSERT_EQ(dialog.Tree()->topLevelItemCount(), categories + 1);
    EXPECT_EQ(dialog.TreeItem({categories, -1})->text(0), QStringLiteral("测试建筑"));
    dialog.askPlace = [](QWidget*) {
        StandardsDialogModel::NewPlace place = Place("实验室", 500, 15, 13.5, 19, 80);
        place.plane = "实验台面";
        place.u0 = 0.7;
        return std::optional(place);
    };
    // The new category starts with the template's places; the new one comes last.
    const int copied = static_cast<int>(model.Tree().back().places.size());
    dialog.RunMenuCommand({categories, -1}, "新建小类");
    ASSERT_EQ(static_cast<int>(model.Tree().back().places.size()), copied + 1);
    ASSERT_NE(dialog.TreeItem({categories, copied}), nullptr);
    EXPECT_EQ(dialog.TreeItem({categories, copied})->text(0), QStringLiteral("实验室"));
    dialog.Tree()->setCurrentItem(dialog.TreeItem({categories, copied}));
    EXPECT_EQ(dialog.Value(0)->text(), QStringLiteral("500"));
    EXPECT_EQ(dialog.Value(2)->text(), QStringLiteral("13.5"));
    EXPECT_EQ(dialog.Value(StandardsDialogModel::kPlane)->text(), QStringLiteral("实验台面"));
    EXPECT_EQ(dialog.Value(StandardsDialogModel::kU0)->text(), QStringLiteral("0.70"));
    messages.answers = {KvMessageAnswer::No, KvMessageAnswer::Yes};
    dialog.RunMenuCommand({categories, -1}, "删除"); // answered No: stays
    EXPECT_EQ(dialog.Tree()->topLevelItemCount(), categories + 1);
    dialog.RunMenuCommand({categories, -1}, "删除");
    EXPECT_EQ(dialog.Tree()->topLevelItemCount(), categories);
    ASSERT_GE(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown.back().text, "是否确定删除?");
    EXPECT_FALSE(catalogue->HasTable("测试建筑"));
}

TEST_F(ReferenceDialogsUi, NewDialogsWantAName) {
    NewCategoryDialog category;
    category.show();
    EXPECT_EQ(category.NameField()->maxLength(), 30);
    Button(category, QStringLiteral("确 定")).click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "请填写<名称>");
    EXPECT_TRUE(category.isVisible()); // stays open
    category.NameField()->setText(QStringLiteral(" 新类 "));
    Button(category, QStringLiteral("确 定")).click();
    EXPECT_EQ(category.result(), QDialog::Accepted);
    EXPECT_EQ(category.Name(), "新类");

    NewPlaceDialog place;
    StandardsDialogModel::NewPlace filled = Place("会议室", 300, 9, 8, 19, 80);
    filled.plane = " 0.75m水平面 ";
    filled.u0 = 0.6;
    place.Fill(filled);
    const StandardsDialogModel::NewPlace back = place.Place();
    EXPECT_EQ(back.name, "会议室");
    EXPECT_EQ(back.lux, 300);
    EXPECT_DOUBLE_EQ(back.targetLpd, 8);
    EXPECT_EQ(back.ra, 80);
    EXPECT_EQ(back.plane, "0.75m水平面");
    EXPECT_DOUBLE_EQ(back.u0, 0.6);
}

TEST_F(ReferenceDialogsUi, ReflectanceDialogMaterialsColoursAndSteps) {
    ReflectivityDialogModel model(*catalogue, 95);
    ReflectivityDialog dialog(model);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("反射比"));
    EXPECT_EQ(dialog.MaterialButton(0)->text(), QStringLiteral("粉刷"));
    EXPECT_EQ(dialog.MaterialButton(14)->text(), QStringLiteral("玻璃"));
    EXPECT_FALSE(dialog.ColourButton(0)->isEnabled());
    dialog.Plus()->click();
    EXPECT_EQ(dialog.Field()->text(), QStringLiteral("100"));

    dialog.MaterialButton(5)->click(); // 釉面墙: colours only
    EXPECT_EQ(dialog.MaterialLabel()->text(), QStringLiteral("釉面墙"));
    ASSERT_TRUE(dialog.ColourButton(0)->isEnabled());
    EXPECT_EQ(dialog.ColourButton(0)->text(), QStringLiteral("白色"));
    EXPECT_FALSE(dialog.ColourButton(5)->isEnabled());
    dialog.ColourButton(0)->click();
    EXPECT_EQ(dialog.Field()->text(), QStringLiteral("80"));
    EXPECT_EQ(dialog.ColourLabel()->text(), QStringLiteral("白色"));

    dialog.MaterialButton(0)->click(); // 粉刷
    EXPECT_EQ(dialog.Field()->text(), QStringLiteral("75"));
    Type(*dialog.Field(), QStringLiteral("5"));
    dialog.Minus()->click();
    EXPECT_EQ(dialog.Field()->text(), QStringLiteral("0"));
    Type(*dialog.Field(), QStringLiteral("42"));
    dialog.Confirm()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(model.Reflectance(), 42);
}

TEST_F(ReferenceDialogsUi, LuminairePanelAddsAndChangesThroughTheDialog) {
    MainWindow& w = Start({}, {QString::fromStdString(Example("office.cil"))});
    LuminairePanelView& panel = *w.LuminaireView();
    ASSERT_EQ(panel.Grid()->rowCount(), 8);

    // Add without a selection starts from a default luminaire in the middle of the room,
    // 2.2 m above the working plane; Cancel adds nothing.
    Button(panel, QStringLiteral("增  加")).click();
    ASSERT_EQ(dialogs.luminaireStarts.size(), 1u);
    Luminaire fresh;
    fresh.ptCenter = {6, 3.6, 2.95};
    EXPECT_EQ(dialogs.luminaireStarts[0], fresh);
    EXPECT_EQ(panel.Grid()->rowCount(), 8);

    // Add with a selection starts from that luminaire, moved to the middle at its height;
    // OK appends the edited copy.
    const LuminaireList& working = w.Registry().editing.luminaires->Working();
    SelectRow(*panel.Grid(), 2);
    Luminaire added = working.At(2);
    added.ptCenter = {1.5, 2.5, 3.0};
    added.sModel = "新型号";
    dialogs.luminaires = {added};
    Button(panel, QStringLiteral("增  加")).click();
    Luminaire copy = working.At(2);
    copy.ptCenter = {6, 3.6, 3};
    EXPECT_EQ(dialogs.luminaireStarts.back(), copy);
    ASSERT_EQ(panel.Grid()->rowCount(), 9);
    EXPECT_EQ(panel.Grid()->item(8, 1)->text(), QStringLiteral("新型号"));
    EXPECT_EQ(PlanTexts().size(), 4u + 9u);

    // Change without a selection says so; with one it replaces the row in place.
    panel.Grid()->clearSelection();
    const size_t starts = dialogs.luminaireStarts.size();
    Button(panel, QStringLiteral("更  改")).click();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text, "请先选中要修改的灯具！");
    EXPECT_EQ(dialogs.luminaireStarts.size(), starts);
    SelectRow(*panel.Grid(), 0);
    Luminaire changed = working.At(0);
    changed.nLuminousFlux = 4321;
    dialogs.luminaires = {changed};
    Button(panel, QStringLiteral("更  改")).click();
    EXPECT_EQ(panel.Grid()->rowCount(), 9);
    EXPECT_EQ(panel.Grid()->item(0, 2)->text(), QStringLiteral("4321"));

    Trigger(kCmdSave);
    Project saved;
    ASSERT_TRUE(LoadProject(w.CurrentProject().path, saved));
    ASSERT_EQ(saved.luminaires.Count(), 9);
    EXPECT_EQ(saved.luminaires.At(0).nLuminousFlux, 4321);
    EXPECT_EQ(saved.luminaires.At(8).sModel, "新型号");
}

TEST_F(ReferenceDialogsUi, LookUpButtonsFillTheRoomSiteAndRoadFields) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    RoomPanelView& room = *w.RoomView();
    Field(room, QStringLiteral("顶棚")).clear();
    QTest::keyClicks(&Field(room, QStringLiteral("顶棚")), QStringLiteral("70"));
    QAbstractButton& more =
        *Field(room, QStringLiteral("顶棚")).parentWidget()->findChild<QPushButton*>();
    dialogs.reflectances = {std::nullopt, 80.0};
    more.click(); // closed without "确   认": unchanged
    EXPECT_EQ(Field(room, QStringLiteral("顶棚")).text(), QStringLiteral("70"));
    more.click();
    EXPECT_EQ(dialogs.reflectanceStarts, (std::vector<double>{70, 70}));
    EXPECT_EQ(Field(room, QStringLiteral("顶棚")).text(), QStringLiteral("80"));
    dialogs.standards = {300, std::nullopt};
    Button(room, QStringLiteral("查照度标准")).click();
    EXPECT_EQ(Field(room, QStringLiteral("照度标准lx")).text(), QStringLiteral("300"));
    Button(room, QStringLiteral("查照度标准")).click(); // closed with X or Esc: kept
    EXPECT_EQ(Field(room, QStringLiteral("照度标准lx")).text(), QStringLiteral("300"));

    Start({StartChoice::kNewOutdoor});
    dialogs.standards = {20, 30, std::nullopt};
    Button(*window->SiteView(), QStringLiteral("查照度标准")).click();
    EXPECT_EQ(Field(*window->SiteView(), QStringLiteral("照度标准lx")).text(),
              QStringLiteral("20"));
    Button(*window->RoadView(), QStringLiteral("查照度标准")).click();
    EXPECT_EQ(Field(*window->RoadView(), QStringLiteral("照度标准lx")).text(),
              QStringLiteral("30"));
    Button(*window->RoadView(), QStringLiteral("查照度标准")).click();
    EXPECT_EQ(Field(*window->RoadView(), QStringLiteral("照度标准lx")).text(),
              QStringLiteral("30"));
}

TEST_F(ReferenceDialogsUi, LookUpKeepsThePlaceUntilAValueIsTypedAndUndoBringsItBack) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    RoomPanelView& room = *w.RoomView();
    // What the room panel hands to the project.
    const auto taken = [&w]() -> const Room& { return w.Registry().editing.room->TakeValues(); };
    dialogs.standards = {300};
    dialogs.standardPlaces = {{"办公建筑", "普通办公室"}};
    Button(room, QStringLiteral("查照度标准")).click();
    EXPECT_EQ(taken().standardPlace, (StandardPlace{"办公建筑", "普通办公室"}));
    EXPECT_EQ(taken().dLxStandard, 300.0);

    QLineEdit& field = Field(room, QStringLiteral("照度标准lx"));
    field.setFocus();
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClicks(&field, QStringLiteral("320"));
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(taken().dLxStandard, 320.0);
    EXPECT_TRUE(taken().standardPlace.Empty());

    Trigger(kCmdUndo);
    EXPECT_EQ(taken().dLxStandard, 300.0);
    EXPECT_EQ(taken().standardPlace.place, "普通办公室");
}

TEST_F(ReferenceDialogsUi, Screenshots) {
    LuminaireDialogModel luminaire(*catalogue, Luminaire());
    LuminaireDialog luminaireDialog(luminaire);
    luminaireDialog.Pages()->setCurrentIndex(1);
    Screenshot(luminaireDialog, QStringLiteral("luminaire_curves.png"));
    luminaireDialog.Pages()->setCurrentIndex(0);
    Screenshot(luminaireDialog, QStringLiteral("luminaire_basic.png"));
    StandardsDialogModel standards(*catalogue, dir.File("Quorvel.ini"));
    StandardsDialog standardsDialog(standards);
    standardsDialog.Tree()->setCurrentItem(standardsDialog.TreeItem({20, 7}));
    Screenshot(standardsDialog, QStringLiteral("standards.png"));
    ReflectivityDialogModel reflectance(*catalogue, 70);
    ReflectivityDialog reflectanceDialog(reflectance);
    reflectanceDialog.MaterialButton(5)->click();
    Screenshot(reflectanceDialog, QStringLiteral("reflectance.png"));
}

} // namespace
} // namespace qv::test
