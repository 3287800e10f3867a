// The array-layout dialog without a window: its first values, fields refused with the old
// value kept, the preview positions, the template and replacing or adding on OK.
#include "panels/ArrayLayoutDialogModel.h"
#include "catalogue/CatalogueTestSupport.h"

#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

namespace qv::test {
namespace {

using Model = ArrayLayoutDialogModel;

class ArrayLayoutDialogModelTest : public CatalogueTest {
protected:
    // 10 m × 6 m from (2, 1), working plane 0.8 m.
    static Room Hall() {
        Room room;
        room.outline = {{2, 1, 0}, {12, 1, 0}, {12, 7, 0}, {2, 7, 0}};
        room.dWorkHeight = 0.8;
        return room;
    }
    static LuminaireList Existing() {
        LuminaireList list;
        Luminaire first;
        first.sName = "筒灯";
        first.ptCenter = {3, 3, 3.5};
        first.Rotate.z = 30;
        first.nLuminousFlux = 3000;
        list.Add(first);
        Luminaire second = first;
        second.sName = "吸顶灯";
        second.ptCenter.z = 0; // on the floor: laid out above the working plane instead
        list.Add(second);
        return list;
    }

    std::vector<KvMessage> shown;
    KvScopedMessageHandler recorder{[this](const KvMessage& message) {
        shown.push_back(message);
        return KvMessageAnswer::Ok;
    }};
};

TEST_F(ArrayLayoutDialogModelTest, OpensOnTheSelectedLuminaireOrTheFirstCatalogueType) {
    Model selected(db, Hall(), Existing(), 0);
    selected.Open();
    EXPECT_EQ(selected.TemplateSource(), Model::Source::kSelected);
    EXPECT_EQ(selected.FieldText(Model::kRows), "2");
    EXPECT_EQ(selected.FieldText(Model::kHeight), "3.5");
    EXPECT_EQ(selected.FieldText(Model::kRotation), "30");
    EXPECT_TRUE(selected.Even());
    ASSERT_EQ(selected.NewPositions().size(), 4u);
    EXPECT_EQ(selected.NewPositions()[0], (Vector{4.5, 2.5, 3.5}));
    EXPECT_EQ(selected.NewPositions()[3], (Vector{9.5, 5.5, 3.5}));
    EXPECT_EQ(selected.Problem(), "");

    Model onFloor(db, Hall(), Existing(), 1);
    onFloor.Open();
    EXPECT_EQ(onFloor.FieldText(Model::kHeight), "3");

    Model none(db, Hall(), Existing(), 5); // a row that is not there: no selection
    none.Open();
    EXPECT_EQ(none.TemplateSource(), Model::Source::kCatalogue);
    EXPECT_FALSE(none.HasSelected());
    none.ChooseSource(Model::Source::kSelected);
    EXPECT_EQ(none.TemplateSource(), Model::Source::kCatalogue);
    ASSERT_FALSE(none.Names().empty());
    EXPECT_EQ(none.SelectedName(), none.Names().front());
    EXPECT_EQ(none.SelectedModel(), none.Models().front());
    EXPECT_EQ(none.FieldText(Model::kHeight), "3");
    EXPECT_TRUE(shown.empty());
}

TEST_F(ArrayLayoutDialogModelTest, RefusedFieldsKeepTheirValueAndThePreview) {
    Model model(db, Hall(), Existing(), 0);
    model.Open();
    const auto refused = [&](Model::Field field, const std::string& text) {
        const std::vector<Vector> before = model.NewPositions();
        const std::string kept = model.FieldText(field);
        const std::string refusal = model.TryField(field, text);
        EXPECT_FALSE(refusal.empty()) << text;
        EXPECT_EQ(model.FieldText(field), kept) << text;
        EXPECT_EQ(model.NewPositions(), before) << text;
        return refusal;
    };
    EXPECT_EQ(refused(Model::kRows, ""), "行数应为数字,请重新输入!");
    EXPECT_EQ(refused(Model::kRows, "abc"), "行数应为数字,请重新输入!");
    EXPECT_EQ(refused(Model::kColumns, "2.5"), "列数应为1到100000之间的整数,请重新输入!");
    EXPECT_EQ(refused(Model::kColumns, "0"), "列数应为1到100000之间的整数,请重新输入!");
    EXPECT_EQ(refused(Model::kColumns, "1e10"), "列数应为1到100000之间的整数,请重新输入!");
    EXPECT_EQ(refused(Model::kRows, "60000"), "行数与列数之积不应超过100000,请重新输入!");
    EXPECT_EQ(refused(Model::kHeight, "nan"), "安装高度应为数字,请重新输入!");
    EXPECT_EQ(refused(Model::kHeight, "inf"), "安装高度应为数字,请重新输入!");
    EXPECT_EQ(refused(Model::kHeight, "-1e6"), "安装高度应为绝对值不大于100000的数值,请重新输入!");
    EXPECT_EQ(refused(Model::kRotation, "1e300"), "旋转角度应为-360到360之间的数值,请重新输入!");

    // Margins are checked against the room once they are in use.
    EXPECT_EQ(model.TryField(Model::kMarginX, "6"), ""); // unused while even
    EXPECT_FALSE(model.SetEven(false));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "X方向距墙距离应小于房间长度的一半,请重新输入!");
    EXPECT_EQ(shown[0].caption, "灯具阵列布置");
    EXPECT_TRUE(model.Even());
    EXPECT_TRUE(model.SetField(Model::kMarginX, "1"));
    EXPECT_TRUE(model.SetEven(false));
    EXPECT_EQ(refused(Model::kMarginY, "-0.5"), "Y方向距墙距离应为不小于0的数值,请重新输入!");
    EXPECT_FALSE(model.SetField(Model::kMarginY, "3"));
    EXPECT_EQ(model.FieldText(Model::kMarginY), "1");
}

TEST_F(ArrayLayoutDialogModelTest, FieldsRedrawThePreviewAndOkReplacesOrAdds) {
    Model model(db, Hall(), Existing(), 0);
    model.Open();
    EXPECT_EQ(model.TryField(Model::kRows, "1"), "");
    EXPECT_EQ(model.TryField(Model::kColumns, "3"), "");
    EXPECT_EQ(model.TryField(Model::kRotation, "90"), "");
    ASSERT_TRUE(model.SetEven(false));
    EXPECT_EQ(model.TryField(Model::kMarginX, "1.5"), "");
    EXPECT_EQ(model.TryField(Model::kHeight, " 2.9 "), "");
    ASSERT_EQ(model.NewPositions().size(), 3u);
    EXPECT_NEAR(model.NewPositions()[0].x, 3.5, 1e-9);
    EXPECT_NEAR(model.NewPositions()[1].x, 7, 1e-9);
    EXPECT_NEAR(model.NewPositions()[2].x, 10.5, 1e-9);
    EXPECT_NEAR(model.NewPositions()[2].y, 4, 1e-9); // one row: the centre line

    LuminaireList out;
    ASSERT_TRUE(model.Accept(out));
    ASSERT_EQ(out.Count(), 3);
    EXPECT_EQ(out.At(2).sName, "筒灯");
    EXPECT_EQ(out.At(2).ptCenter.z, 2.9);
    EXPECT_EQ(out.At(2).Rotate.z, 90);

    model.SetPlacement(Model::Placement::kAdd);
    ASSERT_TRUE(model.Accept(out));
    ASSERT_EQ(out.Count(), 5);
    EXPECT_EQ(out.At(1).sName, "吸顶灯");
    EXPECT_EQ(out.At(4).ptCenter.x, 10.5);

    // A catalogue type as the template.
    model.ChooseSource(Model::Source::kCatalogue);
    model.ChooseName("金属卤化物灯工矿灯");
    EXPECT_EQ(model.SelectedModel(), "400W");
    EXPECT_TRUE(shown.empty());
    // It holds no lamp: no dark array; the lamp comes from the luminaire dialog.
    EXPECT_EQ(model.FluxText(), "总光通量 0 lm");
    EXPECT_FALSE(model.Accept(out));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("灯具参数"), std::string::npos);
    EXPECT_EQ(out.Count(), 5);
    Luminaire lamped = model.TemplateLuminaire();
    lamped.lamp1 = Lamp{"金属卤化物灯", "400W", 400.0, 40.0, 1, 32000};
    lamped.nLuminousFlux = 32000;
    model.SetEditedTemplate(lamped);
    EXPECT_EQ(model.FluxText(), "总光通量 32000 lm");
    ASSERT_TRUE(model.Accept(out));
    EXPECT_EQ(out.At(4).sName, "金属卤化物灯工矿灯");
    EXPECT_EQ(out.At(4).lamp1, lamped.lamp1);
    EXPECT_GT(out.At(4).curveA.Count(), 0);
}

TEST_F(ArrayLayoutDialogModelTest, NothingIsPlacedInARoomWithoutOutline) {
    Model model(db, Room(), Existing(), 0);
    model.Open();
    EXPECT_TRUE(model.NewPositions().empty());
    EXPECT_EQ(model.Problem(), "房间尚未输入拐角,无法布置灯具!");
    EXPECT_EQ(model.TryField(Model::kRows, "3"), ""); // kept for when there is one
    EXPECT_NE(model.TryField(Model::kRows, "x"), "");
    LuminaireList out = Existing();
    EXPECT_FALSE(model.Accept(out));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "房间尚未输入拐角,无法布置灯具!");
    EXPECT_EQ(out, Existing());
}

} // namespace
} // namespace qv::test
