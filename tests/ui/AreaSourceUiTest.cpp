// The three area-source panel windows over the started main window: every plane's
// result against quorvel-calc on the same typed inputs (the shown text reads back as the
// calculator's double), refusals with their message and focus, text that is not a
// number, the books, the fields kept in the settings file however a window ends, and
// screenshots (written when QV_SCREENSHOT_DIR names a folder).
#include "cli/CalcRunner.h"
#include "report/books/BookFolder.h"
#include "ui/AreaSourcePanelWindows.h"
#include "ui/QtText.h"
#include "ui/UiTestSupport.h"

#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvStr.h>

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <filesystem>

namespace qv::test {
namespace {

using nlohmann::json;

// A field's label and the calculator's option for it.
struct Option {
    const char* label;
    const char* option;
};

const std::vector<Option> kRectOptions = {
    {"面光源的长", "--a"},          {"面光源的宽", "--b"},       {"面光源亮度", "--L"},
    {"面光源中心位置X", "--cx"},    {"面光源中心位置Y", "--cy"}, {"面光源的高度", "--h"},
    {"计算点p的坐标X", "--px"},     {"计算点p的坐标Y", "--py"},  {"计算点p的坐标Z", "--pz"},
    {"光源与被照面夹角", "--angle"}};
const std::vector<Option> kDiscOptions = {{"面光源的半径", "--a"},     {"面光源的亮度", "--L"},
                                          {"面光源的高度", "--h"},     {"面光源中心位置X", "--cx"},
                                          {"面光源中心位置Y", "--cy"}, {"计算点p的坐标X", "--px"},
                                          {"计算点p的坐标Y", "--py"},  {"计算点p的坐标Z", "--pz"}};
const std::vector<Option> kNonUniformOptions = {
    {"面光源的长", "--a"},         {"面光源的宽", "--b"},         {"面光源亮度", "--L"},
    {"面光源的中心位置x", "--cx"}, {"面光源的中心位置y", "--cy"}, {"面光源的高度", "--h"},
    {"计算点p的坐标X", "--px"},    {"计算点p的坐标Y", "--py"},    {"计算点p的坐标Z", "--pz"}};

class AreaSourceUi : public UiTest {
protected:
    void SetUp() override {
        std::filesystem::copy_file(QV_CATALOGUE_PATH, dir.File("Lamps.db"));
        Start({}, {QString::fromStdString(Example("office.cil"))});
        settings = window->PanelContext().settings;
        KvIniFile::WriteKey(kBookSettingsSection, kBookFolderKey, dir.File("books"), settings);
        window->SetBookOpener([this](const std::string& path) { opened.push_back(path); });
    }
    template <typename Window> Window& Open() {
        auto* panel = new Window(window->PanelContext(), window.get());
        panel->show();
        QApplication::processEvents();
        return *panel;
    }
    // Types the values into the fields and returns the calculator's options for them.
    static std::string Type(QWidget& panel, const std::vector<Option>& options,
                            const std::vector<const char*>& values) {
        std::string arguments;
        for (size_t i = 0; i < values.size(); ++i) {
            Set(panel, options[i].label, values[i]);
            arguments += std::string(" ") + options[i].option + "=" + values[i];
        }
        return arguments;
    }
    // The shown result is the calculator's value with 2 decimals; the tooltip holds the
    // same double.
    static void ExpectShown(QWidget& panel, const char* label, const json& expected) {
        const QLineEdit& field = Field(panel, QString::fromUtf8(label));
        const double value = expected["value"].get<double>();
        EXPECT_EQ(FromQt(field.text()), KvStr::Format("%.2f", value)) << label;
        EXPECT_EQ(AreaSourceWindow::ReadNumber(field.toolTip()), value) << label;
    }
    static void Press(QWidget& panel, const char* text) {
        Button(panel, QString::fromUtf8(text)).click();
    }
    static bool Focused(QWidget& panel, const char* label) {
        return panel.focusWidget() == &Field(panel, QString::fromUtf8(label));
    }
    static void Screenshot(QWidget& widget, const QString& name) {
        const QString folder = qEnvironmentVariable("QV_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QApplication::processEvents();
            EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(name)));
        }
    }
    static void Set(QWidget& panel, const char* label, const char* text) {
        Field(panel, QString::fromUtf8(label)).setText(QString::fromUtf8(text));
    }
    // Pressing the button shows one stop message box of the area-source panels and puts
    // the focus on the field.
    void ExpectRefused(QWidget& panel, const char* button, const std::string& text,
                       const char* focus) {
        const size_t before = messages.shown.size();
        Press(panel, button);
        ASSERT_EQ(messages.shown.size(), before + 1);
        EXPECT_EQ(messages.shown.back().text, text);
        EXPECT_EQ(messages.shown.back().caption, "Varsolin");
        EXPECT_EQ(messages.shown.back().icon, KvMessageIcon::Error);
        EXPECT_TRUE(Focused(panel, focus)) << focus;
    }
    static std::string Text(QWidget& panel, const char* label) {
        return FromQt(Field(panel, QString::fromUtf8(label)).text());
    }

    std::string settings;
    std::vector<std::string> opened;
};

TEST_F(AreaSourceUi, RectPanelShowsTheCalculatorsValueOnEveryPlane) {
    auto& panel = Open<RectAreaSourceWindow>();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("矩形等亮度面光源的点照度计算"));
    EXPECT_EQ(panel.objectName(), QStringLiteral("rectAreaSourcePanel"));
    EXPECT_TRUE(
        static_cast<QPushButton&>(Button(panel, QStringLiteral("水平照度计算"))).isDefault());
    const std::vector<std::vector<const char*>> cases = {
        {"13", "5", "500", "6.5", "2.5", "5", "2", "1", "0.75", "30"},      // inside
        {"4.2", "3.3", "812.5", "1", "-2", "3.1", "5.5", "4", "0", "62.5"}, // diagonal
        {"6", "2", "350", "0", "0", "4", "1.7", "-0.4", "0.8", "120"},      // P beyond xmax
        {"8", "6", "420", "3", "3", "4.5", "3", "8.25", "1", "45"}};        // beside along y
    for (size_t c = 0; c < cases.size(); ++c) {
        SCOPED_TRACE(c);
        const std::string options = Type(panel, kRectOptions, cases[c]);
        for (const auto& [button, label, plane] : {std::tuple{"水平照度计算", "水平照度", "h"},
                                                   {"垂直照度计算", "垂直照度", "v"},
                                                   {"倾斜照度计算", "倾斜照度", "i"}}) {
            Press(panel, button);
            ExpectShown(panel, label, RunCalcJson(std::string("rect --plane ") + plane + options));
            EXPECT_EQ(panel.Model().LastKind(), std::string("hvi").find(plane));
        }
    }
    EXPECT_TRUE(messages.shown.empty());
    Screenshot(panel, QStringLiteral("panel-area-rect.png"));
}

TEST_F(AreaSourceUi, CircleAndNonUniformPanelsShowTheCalculatorsValues) {
    auto& disc = Open<CircleAreaSourceWindow>();
    EXPECT_EQ(disc.windowTitle(), QStringLiteral("圆形等亮度面光源的点照度计算"));
    EXPECT_EQ(Text(disc, "计算点p的坐标X"), "3.5"); // the defaults
    EXPECT_EQ(Text(disc, "面光源的半径"), "2");
    for (const auto& values : std::vector<std::vector<const char*>>{
             {"2", "500", "5", "6.5", "2.5", "6.5", "2.5", "0"}, // on the axis
             {"1.25", "730", "3.6", "1", "2", "-2.5", "4.75", "0.85"}}) {
        const std::string options = Type(disc, kDiscOptions, values);
        Press(disc, "水平照度计算");
        ExpectShown(disc, "水平照度", RunCalcJson("disc --plane h" + options));
        if (std::string(values[5]) != values[3]) { // off the axis
            Press(disc, "垂直照度计算");
            ExpectShown(disc, "垂直照度", RunCalcJson("disc --plane v" + options));
        }
    }
    Type(disc, kDiscOptions, {"2", "500", "5", "0", "0", "0", "0", "0"});
    Press(disc, "水平照度计算"); // f = 4/29 on the axis
    EXPECT_NEAR(*AreaSourceWindow::ReadNumber(Field(disc, QStringLiteral("水平照度")).toolTip()),
                3.141592653589793 * 500 * 4 / 29, 1e-9);
    Screenshot(disc, QStringLiteral("panel-area-circle.png"));

    auto& nonUniform = Open<NonUniformAreaSourceWindow>();
    EXPECT_EQ(nonUniform.windowTitle(), QStringLiteral("矩形非等亮度面光源的点照度计算"));
    for (const auto& values : std::vector<std::vector<const char*>>{
             {"13", "5", "500", "6.5", "2.5", "5", "6.5", "2.5", "0"},
             {"7", "3", "640", "2", "1", "3.2", "9.5", "-3", "0.5"},
             {"7", "3", "640", "2", "1", "3.2", "5.5", "1", "0.5"}}) { // P on an edge
        const std::string options = Type(nonUniform, kNonUniformOptions, values);
        Press(nonUniform, "水平照度计算");
        ExpectShown(nonUniform, "水平照度", RunCalcJson("nonuniform" + options));
    }
    EXPECT_TRUE(messages.shown.empty());
    Screenshot(nonUniform, QStringLiteral("panel-area-nonuniform.png"));
}

TEST_F(AreaSourceUi, GroupsLabelsAndUnitsAreThePanels) {
    auto& rect = Open<RectAreaSourceWindow>();
    auto& disc = Open<CircleAreaSourceWindow>();
    auto& nonUniform = Open<NonUniformAreaSourceWindow>();
    const auto texts = [](QWidget& panel) {
        QStringList all;
        for (const QGroupBox* group : panel.findChildren<QGroupBox*>()) {
            all << group->title();
        }
        for (const QLabel* label : panel.findChildren<QLabel*>()) {
            all << label->text();
        }
        return all;
    };
    const auto expectTexts = [&texts](QWidget& panel, std::initializer_list<const char*> wanted) {
        const QStringList shown = texts(panel);
        for (const char* text : wanted) {
            EXPECT_TRUE(shown.contains(QString::fromUtf8(text))) << text;
        }
    };
    expectTexts(rect, {"面光源参数", "关于被照点的参数", "计算结果", "面光源的长", "m", "cd/m2",
                       "°", "光源与被照面夹角", "倾斜照度"});
    expectTexts(disc, {"圆形面光源的参数", "被照点参数", " 计算结果", "面光源的半径"});
    expectTexts(nonUniform, {"面光源的参数", "被照点p的参数", "计算结果", "面光源的中心位置x"});
    EXPECT_EQ(texts(rect).count(QStringLiteral("lx")), 3);
    EXPECT_EQ(texts(disc).count(QStringLiteral("lx")), 2);
    EXPECT_TRUE(Field(rect, QStringLiteral("倾斜照度")).isReadOnly());
    EXPECT_FALSE(Field(rect, QStringLiteral("光源与被照面夹角")).isReadOnly());
    QStringList buttons;
    for (const QPushButton* button : nonUniform.findChildren<QPushButton*>()) {
        buttons << button->text();
    }
    EXPECT_EQ(buttons, QStringList({"水平照度计算", "写计算书", "另存为PDF"}));
}

TEST(AreaSourceNumbers, FieldsReadPlainNumbersAndShowDoublesExactly) {
    EXPECT_EQ(AreaSourceWindow::ReadNumber(QStringLiteral(" +4.5 ")), 4.5);
    EXPECT_EQ(AreaSourceWindow::ReadNumber(QStringLiteral("-1e+3")), -1000.0);
    EXPECT_EQ(AreaSourceWindow::ReadNumber(QStringLiteral(".25")), 0.25);
    for (const char* text : {"", " ", "4,5", "5m", "+-5", "--5", "0x10", "１", "1e3", "1e+999"}) {
        EXPECT_FALSE(AreaSourceWindow::ReadNumber(QString::fromUtf8(text))) << text;
    }
    for (const double value : {0.1 + 0.2, 619.3713448211346, 1e-7, -2.5, 0.0}) {
        EXPECT_EQ(AreaSourceWindow::ReadNumber(AreaSourceWindow::NumberText(value)), value);
    }
    EXPECT_EQ(AreaSourceWindow::NumberText(13.0), QStringLiteral("13"));
}

TEST_F(AreaSourceUi, RefusalsShowTheirMessageFocusTheFieldAndChangeNothing) {
    auto& panel = Open<RectAreaSourceWindow>();
    // Nothing calculated: every result is empty.
    EXPECT_EQ(Text(panel, "水平照度"), "");
    EXPECT_EQ(Text(panel, "倾斜照度"), "");
    Press(panel, "水平照度计算");
    const QString before = Field(panel, QStringLiteral("水平照度")).text();
    EXPECT_EQ(before, QStringLiteral("619.37"));
    const QString exact = Field(panel, QStringLiteral("水平照度")).toolTip();
    EXPECT_GT(exact.size(), before.size());
    EXPECT_EQ(KvStr::Format("%.2f", *AreaSourceWindow::ReadNumber(exact)), "619.37");
    EXPECT_EQ(Text(panel, "垂直照度"), ""); // not calculated yet

    Set(panel, "面光源的宽", "0");
    ExpectRefused(panel, "垂直照度计算", "面光源的宽度应为大于0的数值,请重新输入!", "面光源的宽");
    EXPECT_EQ(Text(panel, "垂直照度"), "");
    EXPECT_EQ(panel.Model().LastKind(), 0);

    // Text that is not a number is refused before the model's checks, naming its field;
    // none of the typed values is taken.
    Set(panel, "面光源的宽", "5");
    Set(panel, "面光源亮度", "600");
    Set(panel, "面光源的高度", "4,5");
    ExpectRefused(panel, "水平照度计算", "面光源的高度应为数值,请重新输入!", "面光源的高度");
    EXPECT_EQ(panel.Model().Fields().source.luminance, 500.0);
    EXPECT_EQ(Field(panel, QStringLiteral("水平照度")).text(), before);

    // The angle is checked by the inclined plane only.
    Set(panel, "面光源的高度", " +4.5 ");
    Set(panel, "光源与被照面夹角", "0");
    Press(panel, "水平照度计算");
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(panel.Model().Fields().source.height, 4.5);
    ExpectRefused(panel, "倾斜照度计算", "光源与被照面的夹角应为大于零的数,请重新输入!",
                  "光源与被照面夹角");

    auto& disc = Open<CircleAreaSourceWindow>();
    Set(disc, "面光源的半径", "0");
    ExpectRefused(disc, "垂直照度计算", "面光源的长度应为大于0数值,请重新输入!", "面光源的半径");
    Set(disc, "面光源的半径", "2");
    Set(disc, "计算点p的坐标Z", "abc");
    ExpectRefused(disc, "水平照度计算", "计算点p的坐标Z应为数值,请重新输入!", "计算点p的坐标Z");
}

TEST_F(AreaSourceUi, TheBookOfTheLastCalculationIsWrittenAndNamesTheCaption) {
    auto& rect = Open<RectAreaSourceWindow>();
    Press(rect, "写计算书"); // nothing calculated yet: no book
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Varsolin");
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(rect.windowTitle(), QStringLiteral("矩形等亮度面光源的点照度计算"));

    Press(rect, "水平照度计算");
    Press(rect, "垂直照度计算");
    Press(rect, "写计算书");
    auto& disc = Open<CircleAreaSourceWindow>();
    Press(disc, "水平照度计算");
    Press(disc, "写计算书");
    auto& nonUniform = Open<NonUniformAreaSourceWindow>();
    Press(nonUniform, "水平照度计算");
    Press(nonUniform, "写计算书");

    // The caption is the panel's name of the book; the file is named by the book's title.
    const std::vector<std::pair<std::string, std::string>> names = {
        {"矩形等亮度面光源的点垂直照度计算计算书", "矩形等亮度面光源的点垂直照度计算"},
        {"圆形等亮度面光源水平面照度计算书", "圆形等亮度面光源水平面照度计算"},
        {"矩形非等亮度面光源水平照度计算书", "非等亮度矩形面光源水平照度计算"}};
    ASSERT_EQ(opened.size(), names.size());
    const std::vector<QWidget*> panels = {&rect, &disc, &nonUniform};
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(FromQt(panels[i]->windowTitle()), names[i].first);
        EXPECT_EQ(std::filesystem::path(opened[i]),
                  std::filesystem::path(dir.File("books")) / (names[i].second + ".docx"));
        EXPECT_TRUE(std::filesystem::exists(opened[i]));
    }
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(AreaSourceUi, FieldsGoBackToTheSettingsHoweverTheWindowEnds) {
    // Closed: the typed fields come back in a new window; text that is not a number keeps
    // the field's last value.
    auto* rect = &Open<RectAreaSourceWindow>();
    Type(*rect, kRectOptions, {"12.5", "4", "450", "6", "2", "5.5", "1.25", "3", "0.5", "abc"});
    rect->close();
    EXPECT_EQ(KvIniFile::ReadKey("矩形等亮度面光源", "面光源的长", 0.0, settings), 12.5);
    auto* again = &Open<RectAreaSourceWindow>();
    EXPECT_EQ(Text(*again, "面光源的长"), "12.5");
    EXPECT_EQ(Text(*again, "计算点p的坐标X"), "1.25");
    EXPECT_EQ(Text(*again, "光源与被照面夹角"), "30");

    // The circular panel shares the height; a closed rectangular window destroyed later
    // does not write its older height over it.
    auto* disc = &Open<CircleAreaSourceWindow>();
    EXPECT_EQ(Text(*disc, "面光源的高度"), "5.5");
    Set(*disc, "面光源的高度", "7.25");
    Set(*disc, "面光源的半径", "1.5");
    again->reject(); // Escape
    disc->close();
    delete rect;
    delete again;
    EXPECT_EQ(Text(Open<RectAreaSourceWindow>(), "面光源的高度"), "7.25");
    EXPECT_EQ(Text(Open<CircleAreaSourceWindow>(), "面光源的半径"), "1.5");

    // Destroyed while open (a kind switch): written too.
    auto* nonUniform = &Open<NonUniformAreaSourceWindow>();
    Set(*nonUniform, "面光源的宽", "3.75");
    delete nonUniform;
    EXPECT_EQ(Text(Open<NonUniformAreaSourceWindow>(), "面光源的宽"), "3.75");
    EXPECT_EQ(KvIniFile::ReadKey("矩形非等亮度面光源", "面光源的宽", 0.0, settings), 3.75);
}

} // namespace
} // namespace qv::test
