// The isolux picture: the lattice set back from the grid points, contours of known
// fields, the SVG and PNG files it writes (read back with pugixml and zlib), and the
// grid book that carries it.
#include "report/BookReader.h"

#include "model/ProjectFile.h"
#include "panels/GridPanel.h"
#include "report/books/GridBook.h"
#include "report/picture/IsoluxPicture.h"
#include "report/picture/PngPicture.h"
#include "report/picture/SvgPicture.h"

#include <gtest/gtest.h>
#include <kelvorin/KvStr.h>
#include <pugixml.hpp>
#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <set>

namespace qv {
namespace {

// The nodes of a lattice (columns × rows from the origin) inside keep, valued by f.
template <typename Value, typename Keep>
std::vector<GridPicturePoint> Lattice(int columns, int rows, double step, Value f, Keep keep) {
    std::vector<GridPicturePoint> points;
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            // Coordinates as the grid search makes them: origin + extent · i / n.
            const double u = 1.0 + (columns * step) * i / columns;
            const double v = -2.0 + (rows * step) * j / rows;
            if (keep(u, v)) {
                points.push_back({u, v, f(u, v)});
            }
        }
    }
    return points;
}

auto All() {
    return [](double, double) { return true; };
}

TEST(IsoluxField, LatticeIsSetBackFromShuffledPointsWithTheCutOutMissing) {
    // An L-shaped room: the upper right quarter holds no points.
    std::vector<GridPicturePoint> points = Lattice(
        40, 30, 0.1, [](double u, double v) { return u + v; },
        [](double u, double v) { return !(u > 3.0 && v > -0.5); });
    std::reverse(points.begin(), points.end());
    std::swap(points[3], points[200]);
    const IsoluxField field(points);
    EXPECT_EQ(field.Columns(), 40);
    EXPECT_EQ(field.Rows(), 30);
    EXPECT_NEAR(field.StepU(), 0.1, 1e-12);
    EXPECT_NEAR(field.StepV(), 0.1, 1e-12);
    EXPECT_NEAR(field.OriginU(), 1.0, 1e-12);
    EXPECT_NEAR(field.Node(5, 7), 1.5 + (-2.0 + 0.7), 1e-9);
    EXPECT_TRUE(std::isnan(field.Node(39, 29)));
    EXPECT_TRUE(std::isnan(field.Node(40, 0)));
    // Bilinear inside (exact for a linear field), nothing far from any node.
    EXPECT_NEAR(*field.ValueAt(1.537, -1.111), 1.537 - 1.111, 1e-9);
    EXPECT_FALSE(field.ValueAt(3.6, 0.5).has_value());
    EXPECT_FALSE(field.ValueAt(-5.0, 0.0).has_value());
}

TEST(IsoluxField, HostileCoordinatesAreLeftOut) {
    const double inf = std::numeric_limits<double>::infinity();
    const IsoluxField none({{std::nan(""), 0.0, 1.0}, {0.0, inf, 1.0}, {0.0, 0.0, -inf}});
    EXPECT_TRUE(none.Empty());
    EXPECT_FALSE(none.ValueAt(0.0, 0.0).has_value());
    // Two points far apart and two close together: no lattice of billions of nodes.
    const IsoluxField wide({{0, 0, 1}, {1e9, 0, 2}, {1e-6, 0, 3}, {0, 1e9, 4}});
    EXPECT_LE(static_cast<double>(wide.Columns()) * wide.Rows(), 1 << 24);
    EXPECT_EQ(IsoluxPicture(GridPictureData{}).Layout(800).labels.size(), 0u);
}

TEST(IsoluxContours, LinearRampGivesOneStraightLineAtItsValue) {
    const IsoluxField field(IsoluxField(Lattice(
        41, 21, 0.25, [](double u, double) { return 100.0 * u; }, All())));
    const std::vector<IsoluxContour> lines = TraceContours(field, 350.0, 0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].closed);
    double low = 1e9;
    double high = -1e9;
    for (const PicturePt& p : lines[0].points) {
        EXPECT_NEAR(p.x, 3.5, 1e-9);
        low = std::min(low, p.y);
        high = std::max(high, p.y);
    }
    EXPECT_NEAR(low, -2.0, 1e-9); // from the first row of nodes to the last
    EXPECT_NEAR(high, -2.0 + 20 * 0.25, 1e-9);
    EXPECT_TRUE(TraceContours(field, 1e6, 0).empty());
}

TEST(IsoluxContours, RadialBumpGivesClosedCircles) {
    const auto bump = [](double u, double v) {
        const double r2 = (u - 6.0) * (u - 6.0) + (v - 3.0) * (v - 3.0);
        return 1000.0 * std::exp(-r2 / 4.0);
    };
    const IsoluxField field(Lattice(80, 80, 0.125, bump, All()));
    for (const double level : {200.0, 500.0, 800.0}) {
        const std::vector<IsoluxContour> lines = TraceContours(field, level, 0);
        ASSERT_EQ(lines.size(), 1u) << level;
        EXPECT_TRUE(lines[0].closed);
        const double radius = std::sqrt(-4.0 * std::log(level / 1000.0));
        for (const PicturePt& p : lines[0].points) {
            EXPECT_NEAR(std::hypot(p.x - 6.0, p.y - 3.0), radius, 0.03) << level;
        }
        EXPECT_NEAR(lines[0].points.front().x, lines[0].points.back().x, 1e-12);
    }
}

TEST(IsoluxContours, SaddleCellsJoinByTheirMean) {
    // Two high corners on one diagonal: a mean above the level joins them (the two
    // low corners cut off), below it separates them.
    const auto saddle = [](double high) {
        return IsoluxField({{0, 0, high}, {1, 0, 0}, {1, 1, high}, {0, 1, 0}});
    };
    for (const auto& [high, cutLow] : {std::pair{3.0, true}, {1.2, false}}) {
        const std::vector<IsoluxContour> lines = TraceContours(saddle(high), 1.0, 0, 0);
        ASSERT_EQ(lines.size(), 2u);
        for (const IsoluxContour& line : lines) {
            ASSERT_EQ(line.points.size(), 2u);
            const PicturePt mid{(line.points[0].x + line.points[1].x) / 2,
                                (line.points[0].y + line.points[1].y) / 2};
            // The segment cuts off the corner nearest its middle: a low one (1,0)/(0,1)
            // when the high ones join.
            const bool nearLow =
                std::hypot(mid.x - 1, mid.y) < 0.5 || std::hypot(mid.x, mid.y - 1) < 0.5;
            EXPECT_EQ(nearLow, cutLow) << high;
        }
    }
}

// The office example's horizontal run.
class OfficePicture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Project project;
        ASSERT_TRUE(LoadProject(QV_SOURCE_DIR "/data/examples/office.cil", project));
        panel = new GridPanel;
        panel->density = 100;
        ASSERT_TRUE(panel->CalculateHorizontal(project.room, project.luminaires));
    }
    static void TearDownTestSuite() { delete panel; }
    static GridPanel* panel;
};
GridPanel* OfficePicture::panel = nullptr;

TEST_F(OfficePicture, LevelsAreTheLegendsAndTheScaleHasNoBlackBand) {
    const GridPictureData& data = panel->Picture();
    ASSERT_EQ(data.levels.size(), panel->Legend().size());
    ASSERT_GT(data.levels.size(), 8u); // past the legend's eight colours
    for (size_t k = 0; k < data.levels.size(); ++k) {
        EXPECT_EQ(data.levels[k].text, panel->Legend()[k].valueText);
        EXPECT_EQ(KvStr::Format("%.1f", data.levels[k].value), data.levels[k].text);
    }
    const IsoluxPicture picture(data);
    EXPECT_EQ(picture.ColourOf(data.levels.back().value), ScaleColour(1.0));
    for (double t = 0.0; t <= 1.0; t += 0.05) {
        const PictureColour c = ScaleColour(t);
        EXPECT_GT(c.red + c.green + c.blue, 100) << t;     // never black
        EXPECT_LT(c.red + c.green + c.blue, 3 * 250) << t; // never white
    }
    // The interval moved on the panel moves the picture's levels with the legend.
    GridPanel copy = *panel;
    copy.SpinInterval(1);
    ASSERT_EQ(copy.Picture().levels.size(), copy.Legend().size());
    EXPECT_EQ(copy.Picture().levels[0].text, copy.Legend()[0].valueText);
}

TEST_F(OfficePicture, SvgParsesWithOneLabelPerLabelledContourInLegendText) {
    const IsoluxPicture picture(panel->Picture());
    const std::string svg = IsoluxSvg(picture);
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(svg.c_str()));
    const pugi::xml_node root = xml.child("svg");
    ASSERT_TRUE(root);
    std::set<std::string> legend;
    for (const LegendBand& band : panel->Legend()) {
        legend.insert(band.valueText);
    }
    const pugi::xpath_node_set labels = root.select_nodes("//text[@class='isolux-label']");
    EXPECT_EQ(labels.size(), picture.Layout(kPictureSvgWidth).labels.size());
    std::set<std::string> labelled;
    for (const pugi::xpath_node& label : labels) {
        const std::string text = label.node().child_value();
        EXPECT_EQ(legend.count(text), 1u) << text;
        labelled.insert(text);
    }
    // Lines are drawn at every level inside the field; each level with a line long
    // enough to carry its value is labelled.
    std::set<std::string> drawn;
    for (const pugi::xpath_node& line : root.select_nodes("//path[@class='isolux-line']")) {
        drawn.insert(line.node().attribute("data-level").value());
        EXPECT_EQ(std::string(line.node().attribute("d").value()).rfind("M", 0), 0u);
    }
    std::set<std::string> inside;
    for (const GridPictureLevel& level : panel->Picture().levels) {
        if (level.value > picture.Field().Min() && level.value < picture.Field().Max()) {
            inside.insert(level.text);
        }
    }
    EXPECT_EQ(drawn, inside);
    EXPECT_GE(inside.size(), 6u);
    const double scale = picture.Layout(kPictureSvgWidth).scale;
    for (const IsoluxContour& contour : picture.Contours()) {
        double length = 0.0;
        for (size_t i = 1; i < contour.points.size(); ++i) {
            length += std::hypot(contour.points[i].x - contour.points[i - 1].x,
                                 contour.points[i].y - contour.points[i - 1].y);
        }
        const std::string& text = panel->Picture().levels[contour.level].text;
        if (length * scale > 400.0) {
            EXPECT_EQ(labelled.count(text), 1u) << text;
        }
    }
    // The field is embedded as a PNG; the title is the kind in Chinese.
    EXPECT_EQ(std::string(root.child("image").attribute("xlink:href").value())
                  .rfind("data:image/png;base64,", 0),
              0u);
    EXPECT_TRUE(root.find_child_by_attribute("text", "class", "title"));
    EXPECT_LT(svg.size(), 2u << 20);
}

struct Png {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    bool crcsGood = true;
};

std::uint32_t Be32(const std::string& s, size_t at) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8) |
           static_cast<unsigned char>(s[at + 3]);
}

// Reads an 8-bit RGB PNG back: chunks with their CRCs, the inflated and unfiltered rows.
Png DecodePng(const std::string& file) {
    Png png;
    EXPECT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::string idat;
    for (size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = Be32(file, at);
        const std::string type = file.substr(at + 4, 4);
        const std::string body = file.substr(at + 4, 4 + length);
        const std::uint32_t crc = Be32(file, at + 8 + length);
        png.crcsGood = png.crcsGood && crc == crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                    static_cast<uInt>(body.size()));
        if (type == "IHDR") {
            png.width = static_cast<int>(Be32(file, at + 8));
            png.height = static_cast<int>(Be32(file, at + 12));
            EXPECT_EQ(file[at + 16], 8);
            EXPECT_EQ(file[at + 17], 2);
        } else if (type == "IDAT") {
            idat += file.substr(at + 8, length);
        }
        at += 12 + length;
    }
    const size_t row = static_cast<size_t>(png.width) * 3;
    std::string raw((row + 1) * static_cast<size_t>(png.height), '\0');
    uLongf size = raw.size();
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size,
                         reinterpret_cast<const Bytef*>(idat.data()), idat.size()),
              Z_OK);
    EXPECT_EQ(size, raw.size());
    png.rgb.assign(row * static_cast<size_t>(png.height), 0);
    for (size_t y = 0; y < static_cast<size_t>(png.height); ++y) {
        const int filter = raw[y * (row + 1)];
        for (size_t i = 0; i < row; ++i) {
            const std::uint8_t x = static_cast<std::uint8_t>(raw[y * (row + 1) + 1 + i]);
            const int a = i >= 3 ? png.rgb[y * row + i - 3] : 0;
            const int b = y > 0 ? png.rgb[(y - 1) * row + i] : 0;
            const int c = i >= 3 && y > 0 ? png.rgb[(y - 1) * row + i - 3] : 0;
            const int p = a + b - c;
            const int pa = std::abs(p - a);
            const int pb = std::abs(p - b);
            const int pc = std::abs(p - c);
            const int paeth = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
            const int predictions[5] = {0, a, b, (a + b) / 2, paeth};
            EXPECT_LE(filter, 4);
            png.rgb[y * row + i] =
                static_cast<std::uint8_t>(x + predictions[std::clamp(filter, 0, 4)]);
        }
    }
    return png;
}

TEST_F(OfficePicture, PngDecodesToTheFieldsColours) {
    const IsoluxPicture picture(panel->Picture());
    const std::string file = IsoluxPng(picture);
    EXPECT_EQ(file, IsoluxPng(picture)); // the same bytes every time
    const Png png = DecodePng(file);
    EXPECT_TRUE(png.crcsGood);
    const IsoluxLayout layout = picture.Layout(kPictureBitmapWidth);
    EXPECT_EQ(png.width, kPictureBitmapWidth);
    EXPECT_EQ(png.height, static_cast<int>(layout.height));
    const auto pixel = [&](int x, int y) {
        const size_t i = (static_cast<size_t>(y) * png.width + x) * 3;
        return PictureColour{png.rgb[i], png.rgb[i + 1], png.rgb[i + 2]};
    };
    EXPECT_EQ(pixel(2, 2), (PictureColour{255, 255, 255}));
    // Points of the room away from lines and symbols show the field's colour there.
    int checked = 0;
    for (const auto& [u, v] : {std::pair{3.0, 3.6}, {0.3, 0.3}, {6.0, 1.0}, {11.5, 6.9}}) {
        const PicturePt at = layout.ToPicture(u, v);
        const PictureColour expected = picture.ColourOf(*picture.Field().ValueAt(u, v));
        const PictureColour got = pixel(static_cast<int>(at.x), static_cast<int>(at.y));
        if (std::abs(got.red - expected.red) + std::abs(got.green - expected.green) +
                std::abs(got.blue - expected.blue) <=
            6) {
            ++checked;
        }
    }
    EXPECT_GE(checked, 3); // one of them may sit under a line or a label
    // Outside the outline (in the plot's margin) nothing is coloured.
    const PicturePt outside = layout.ToPicture(-0.1, 3.6);
    EXPECT_EQ(pixel(static_cast<int>(outside.x), static_cast<int>(outside.y)),
              (PictureColour{255, 255, 255}));
}

TEST_F(OfficePicture, BookShowsThePictureAfterItsResults) {
    const GridBookRecord record = panel->WriteBook();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "qv-isolux-book-test";
    std::filesystem::create_directories(folder);
    CalcBookWriter writer;
    writer.SetSaveFolder(folder.string());
    WriteGridBook(writer, record);
    ASSERT_EQ(writer.SaveAsFile("grid"), 1);
    const std::string path = (folder / "grid.docx").string();
    const std::string image = test::ZipEntry(path, "word/media/image1.png");
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(DecodePng(image).width, kPictureBitmapWidth);
    const test::BookDocument book = test::ReadBook(path);
    const int results = book.Find("房间平均照度值为");
    const int caption = book.Find("水平照度等照度图(lx)");
    ASSERT_GE(results, 0);
    EXPECT_GT(caption, results);
    EXPECT_NE(test::ZipEntry(path, "word/document.xml").find("isolux.png"), std::string::npos);
    std::filesystem::remove_all(folder);
    // A record without points (as before a calculation) gives the book without it.
    GridBookRecord plain = record;
    plain.picture = {};
    const test::BookDocument without =
        test::WriteAndReadBook([&](CalcBookWriter& w) { WriteGridBook(w, plain); });
    EXPECT_EQ(without.Find("等照度图"), -1);
}

TEST(IsoluxLayout, VerticalPlaneRunsAlongItsLengthAndHeight) {
    GridPictureData data;
    data.vertical = true;
    data.points = Lattice(
        50, 20, 0.2, [](double u, double v) { return 10 * u + v; }, All());
    data.outline = {{1, -2, 0}, {11, -2, 0}, {11, 2, 0}, {1, 2, 0}};
    data.levels = {{30.0, "30.0"}, {60.0, "60.0"}, {90.0, "90.0"}};
    const IsoluxLayout layout = IsoluxPicture(data).Layout(1000);
    EXPECT_NEAR(layout.plot.width / layout.plot.height, (10 + 0.4) / (4 + 0.4), 1e-9);
    std::set<std::string> axes;
    for (const PictureText& text : layout.axisTexts) {
        axes.insert(text.text);
    }
    EXPECT_EQ(axes.count("d (m)"), 1u);
    EXPECT_EQ(axes.count("z (m)"), 1u);
    EXPECT_EQ(layout.labels.size(), 3u);
    for (const PictureText& label : layout.labels) {
        // Along the isolines u = (c - v)/10, steep on the picture.
        EXPECT_NEAR(std::fabs(label.angle), std::atan(10.0) * 180.0 / 3.14159265358979, 0.5);
    }
}

} // namespace
} // namespace qv
