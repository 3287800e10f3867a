// The area-source panel models: settings, validation order, results and captions.
#include "panels/AreaSourcePanels.h"

#include <gtest/gtest.h>
#include <kelvorin/KvIniFile.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>

namespace qv {
namespace {

class AreaSourcePanels : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::remove(m_file); }
    void TearDown() override { std::filesystem::remove(m_file); }
    const std::string m_file = ::testing::TempDir() + "AreaSourcePanels_" +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(AreaSourcePanels, FieldsComeFromAndGoToTheSettingsFile) {
    RectAreaSourcePanel rect(m_file);
    EXPECT_EQ(rect.Fields(), RectAreaSourceInputs{});
    EXPECT_EQ(CircleAreaSourcePanel(m_file).Fields().point, (AreaPoint{3.5, 2.5, 0.0}));
    EXPECT_FALSE(std::filesystem::exists(m_file)); // reading creates nothing
    rect.Fields().angle = 1.0 / 3.0;
    rect.Close();
    EXPECT_EQ(KvIniFile::ReadKey("矩形等亮度面光源", "计算点p的坐标x", 0.0, m_file), 6.5);
    EXPECT_EQ(RectAreaSourcePanel(m_file).Fields().angle, 0.333333);
    // The circular panel shares the rectangular panel's height; the other panel not.
    CircleAreaSourcePanel circle(m_file);
    circle.Fields().source.height = 7.0;
    circle.Close();
    EXPECT_EQ(RectAreaSourcePanel(m_file).Fields().source.height, 7.0);
    EXPECT_EQ(KvIniFile::ReadKey("圆形等亮度面光源", "面光源中心点x", 0.0, m_file), 6.5);
    EXPECT_EQ(NonUniformAreaSourcePanel(m_file).Fields().source.height, 5.0);
}

TEST(AreaSourceValidation, Order) {
    // Each refusal in turn, mending its field, until the inputs pass ("").
    std::vector<std::string> texts;
    auto note = [&texts](const std::optional<AreaSourceRefusal>& refusal) {
        texts.push_back(refusal ? refusal->message.text : "");
    };
    RectAreaSourceInputs rect{{0.0, -1.0, 0.0, 0.0, 0.0, 0.0}, {0.0, 0.0, 5.0}, 0.0};
    const KvMessage message = Validate(rect, AreaSourcePlane::Inclined)->message;
    EXPECT_EQ(std::make_pair(message.caption, message.icon),
              std::make_pair(std::string("Varsolin"), KvMessageIcon::Error));
    for (double* mend : {&rect.source.length, &rect.source.width, &rect.source.luminance,
                         &rect.source.height, &rect.angle, &rect.angle, &rect.point.z}) {
        note(Validate(rect, AreaSourcePlane::Inclined));
        *mend = mend == &rect.angle && *mend == 0.0 ? 180.0 : mend == &rect.point.z ? 0.0 : 4.0;
    }
    note(Validate(rect, AreaSourcePlane::Inclined));
    EXPECT_EQ(texts,
              (std::vector<std::string>{"面光源的长度应为大于0数值,请重新输入!",
                                        "面光源的宽度应为大于0的数值,请重新输入!",
                                        "面光源的亮度应为大于0的数值,请重新输入!",
                                        "面光源的高度应为大于0的数值,请重新输入!",
                                        "光源与被照面的夹角应为大于零的数,请重新输入!",
                                        "光源与被照面的夹角应为小于180的数,请重新输入!",
                                        "计算点p的坐标Z应小于面光源的高度,请重新输入!", ""}));
    texts.clear();
    CircleAreaSourceInputs circle{{0.0, 0.0, 0.0, 0.0, 0.0}, {}};
    for (double* mend : {&circle.source.radius, &circle.source.luminance, &circle.source.height}) {
        note(Validate(circle, AreaSourcePlane::Vertical));
        *mend = 1.0;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"面光源的长度应为大于0数值,请重新输入!",
                                               "面光源的亮度应为大于0的数值,请重新输入!",
                                               "面光源的高度应为大于0的数值,请重新输入!"}));
    // Numbers that are not finite or beyond 1e12 come first; the angle only when used.
    NonUniformAreaSourceInputs nonUniform;
    nonUniform.source.width = 0.0;
    nonUniform.point.y = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Validate(nonUniform, AreaSourcePlane::Horizontal)->message.text,
              "计算点p的坐标Y应为绝对值不大于1e12的数值,请重新输入!");
    rect.angle = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(Validate(rect, AreaSourcePlane::Vertical));
    EXPECT_EQ(Validate(rect, AreaSourcePlane::Inclined)->focus, AreaSourceField::Angle);
}

TEST_F(AreaSourcePanels, ResultsKindsAndCaptions) {
    RectAreaSourcePanel rect(m_file);
    EXPECT_EQ(rect.BookName(), "矩形等亮度面光源的点水平照度计算计算书");
    ASSERT_FALSE(rect.CalculateHorizontal());
    EXPECT_NEAR(rect.Horizontal(), 619.37, 0.005);
    ASSERT_FALSE(rect.CalculateInclined());
    EXPECT_EQ(rect.LastKind(), 2);
    EXPECT_EQ(rect.Caption(), "矩形等亮度面光源的点照度计算");
    rect.BookWritten();
    EXPECT_EQ(rect.Caption(), "矩形等亮度面光源的倾斜面上点照度计算计算书");
    // A refused calculation changes nothing.
    const AreaSourceRecord record = rect.Record();
    rect.Fields().point.z = 6.0;
    EXPECT_TRUE(rect.CalculateVertical());
    EXPECT_EQ(rect.Record(), record);
    EXPECT_EQ(rect.LastKind(), 2);
    EXPECT_EQ(rect.Vertical(), 0.0);

    CircleAreaSourcePanel circle(m_file);
    ASSERT_FALSE(circle.CalculateVertical());
    EXPECT_EQ(circle.BookName(), "圆形等亮度面光源垂直照度计算书");
    EXPECT_EQ(NonUniformAreaSourcePanel(m_file).BookName(), "矩形非等亮度面光源水平照度计算书");
}

// Whatever passes validation, however extreme, gives finite numbers.
TEST(AreaSourceValidation, AcceptedInputsGiveFiniteResults) {
    std::mt19937 random(11);
    auto value = [&] {
        const double magnitude = std::pow(10.0, std::uniform_real_distribution<>(-8, 12)(random));
        return random() % 6 == 0 ? 0.0 : random() % 2 ? -magnitude : magnitude;
    };
    auto finite = [](const AreaSourceRecord& record) {
        bool ok = std::isfinite(record.result);
        for (const AreaSourceTerm& term : record.terms) {
            ok = ok && std::isfinite(term.x * term.y * term.f);
        }
        return ok;
    };
    for (int i = 0; i < 30000; ++i) {
        const RectAreaSourceInputs rect{
            {value(), value(), value(), value(), value(), value()},
            {value(), value(), value()},
            std::pow(10.0, std::uniform_real_distribution<>(-6, 2.3)(random))};
        const CircleAreaSourceInputs disc{{value(), value(), value(), value(), value()},
                                          {value(), value(), value()}};
        for (AreaSourcePlane plane :
             {AreaSourcePlane::Horizontal, AreaSourcePlane::Vertical, AreaSourcePlane::Inclined}) {
            ASSERT_TRUE(Validate(rect, plane) || finite(Calculate(rect, plane))) << i;
            ASSERT_TRUE(Validate(disc, plane) || finite(Calculate(disc, plane))) << i;
        }
    }
}

} // namespace
} // namespace qv
