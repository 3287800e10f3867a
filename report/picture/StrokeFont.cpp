#include "report/picture/StrokeFont.h"

#include <cmath>
#include <initializer_list>
#include <map>

namespace qv {
namespace {

// Glyph coordinates: digit height 10, y downwards from the digits' top, baseline at 10.
struct Glyph {
    double width = 0.0;
    std::vector<std::vector<PicturePt>> strokes;
};

using Stroke = std::initializer_list<PicturePt>;

constexpr double kGap = 2.2; // between glyphs

Glyph Make(double width, std::initializer_list<Stroke> strokes) {
    Glyph glyph;
    glyph.width = width;
    for (const Stroke& stroke : strokes) {
        glyph.strokes.emplace_back(stroke);
    }
    return glyph;
}

// A glyph turned half round inside its box (9 from 6).
Glyph Turned(const Glyph& glyph) {
    Glyph turned = glyph;
    for (std::vector<PicturePt>& stroke : turned.strokes) {
        for (PicturePt& p : stroke) {
            p = {glyph.width - p.x, 10.0 - p.y};
        }
    }
    return turned;
}

const std::map<char, Glyph>& Glyphs() {
    static const std::map<char, Glyph> glyphs = [] {
        std::map<char, Glyph> g;
        g['0'] = Make(6, {{{3, 0},
                           {4.9, 0.6},
                           {5.8, 2.5},
                           {6, 5},
                           {5.8, 7.5},
                           {4.9, 9.4},
                           {3, 10},
                           {1.1, 9.4},
                           {0.2, 7.5},
                           {0, 5},
                           {0.2, 2.5},
                           {1.1, 0.6},
                           {3, 0}}});
        g['1'] = Make(6, {{{1.2, 2.2}, {3.6, 0}, {3.6, 10}}});
        g['2'] = Make(
            6,
            {{{0.3, 2.2}, {1.2, 0.6}, {3, 0}, {4.8, 0.5}, {5.7, 2}, {5.5, 3.7}, {0, 10}, {6, 10}}});
        g['3'] = Make(
            6, {{{0.3, 1.4},
                 {1.8, 0.1},
                 {3.6, 0},
                 {5.2, 0.8},
                 {5.7, 2.4},
                 {5.1, 4},
                 {3.6, 4.7},
                 {2.2, 4.7}},
                {{3.6, 4.7}, {5.3, 5.5}, {6, 7.3}, {5.3, 9.3}, {3.4, 10}, {1.6, 9.9}, {0, 8.8}}});
        g['4'] = Make(6, {{{4.6, 10}, {4.6, 0}, {0, 7}, {6, 7}}});
        g['5'] = Make(6, {{{5.6, 0},
                           {0.9, 0},
                           {0.4, 4.6},
                           {2, 3.8},
                           {3.7, 3.8},
                           {5.3, 4.6},
                           {6, 6.8},
                           {5.4, 9.1},
                           {3.5, 10},
                           {1.6, 9.9},
                           {0, 8.8}}});
        g['6'] = Make(6, {{{5.4, 0.8},
                           {3.8, 0},
                           {2.2, 0.2},
                           {0.8, 1.5},
                           {0.1, 4},
                           {0, 7.2},
                           {0.8, 9.3},
                           {3, 10},
                           {5, 9.4},
                           {6, 7.5},
                           {5.6, 5.4},
                           {4.2, 4.2},
                           {2.6, 4},
                           {1, 4.7},
                           {0.1, 6.5}}});
        g['7'] = Make(6, {{{0, 0}, {6, 0}, {2.2, 10}}});
        g['8'] = Make(6, {{{3, 0},
                           {1.2, 0.5},
                           {0.6, 2.2},
                           {1.3, 3.8},
                           {3, 4.6},
                           {4.8, 5.4},
                           {6, 7.2},
                           {5.4, 9.3},
                           {3, 10},
                           {0.6, 9.3},
                           {0, 7.2},
                           {1.2, 5.4},
                           {3, 4.6},
                           {4.7, 3.8},
                           {5.4, 2.2},
                           {4.8, 0.5},
                           {3, 0}}});
        g['9'] = Turned(g['6']);
        g['.'] = Make(1.6, {{{0.8, 9.5}, {0.8, 10}}});
        g['-'] = Make(4.6, {{{0.3, 6}, {4.3, 6}}});
        g['('] = Make(3, {{{3, -0.6}, {1.3, 1.8}, {0.6, 5}, {1.3, 8.2}, {3, 10.6}}});
        g[')'] = Make(3, {{{0, -0.6}, {1.7, 1.8}, {2.4, 5}, {1.7, 8.2}, {0, 10.6}}});
        g[':'] = Make(1.6, {{{0.8, 3.5}, {0.8, 4}}, {{0.8, 9.5}, {0.8, 10}}});
        g['/'] = Make(4.5, {{{4.5, -0.5}, {0, 10.5}}});
        g[' '] = Make(3.2, {});
        g['E'] = Make(5.6, {{{5.6, 0}, {0, 0}, {0, 10}, {5.6, 10}}, {{0, 5}, {4.6, 5}}});
        g['U'] = Make(6, {{{0, 0}, {0, 7}, {0.8, 9.3}, {3, 10}, {5.2, 9.3}, {6, 7}, {6, 0}}});
        g['a'] = Make(5, {{{0.7, 3.6}, {2.2, 3}, {4, 3.1}, {5, 4}, {5, 10}},
                          {{5, 6}, {2, 6.1}, {0.3, 7}, {0.2, 9}, {1.5, 10}, {3.5, 9.8}, {5, 8.7}}});
        g['d'] = Make(5, {{{5, 0}, {5, 10}},
                          {{5, 4.8},
                           {3.8, 3.2},
                           {2.5, 3},
                           {1, 3.6},
                           {0, 5.5},
                           {0, 7.6},
                           {1, 9.5},
                           {2.5, 10},
                           {3.8, 9.8},
                           {5, 8.2}}});
        g['h'] = Make(
            5, {{{0, 0}, {0, 10}}, {{0, 5.4}, {1.3, 3.5}, {3, 3}, {4.5, 3.6}, {5, 5}, {5, 10}}});
        g['i'] = Make(1.6, {{{0.8, 3}, {0.8, 10}}, {{0.8, 0.4}, {0.8, 1}}});
        g['l'] = Make(1.6, {{{0.8, 0}, {0.8, 10}}});
        g['m'] = Make(7, {{{0, 3}, {0, 10}},
                          {{0, 5}, {1, 3.3}, {2, 3}, {3, 3.6}, {3.5, 5}, {3.5, 10}},
                          {{3.5, 5}, {4.5, 3.3}, {5.5, 3}, {6.5, 3.6}, {7, 5}, {7, 10}}});
        g['n'] = Make(
            5, {{{0, 3}, {0, 10}}, {{0, 5.2}, {1.3, 3.4}, {3, 3}, {4.5, 3.6}, {5, 5}, {5, 10}}});
        g['v'] = Make(5.4, {{{0, 3}, {2.7, 10}, {5.4, 3}}});
        g['x'] = Make(5, {{{0, 3}, {5, 10}}, {{5, 3}, {0, 10}}});
        g['y'] = Make(5.2, {{{0, 3}, {2.6, 9.8}}, {{5.2, 3}, {2.2, 11.6}, {1.4, 12.8}, {0.3, 13}}});
        g['z'] = Make(5, {{{0, 3}, {5, 3}, {0, 10}, {5, 10}}});
        return g;
    }();
    return glyphs;
}

const Glyph& GlyphOf(char c) {
    const std::map<char, Glyph>& glyphs = Glyphs();
    const auto found = glyphs.find(c);
    return found != glyphs.end() ? found->second : glyphs.at(' ');
}

} // namespace

double StrokeTextWidth(const std::string& text, double size) {
    double width = 0.0;
    for (const char c : text) {
        width += GlyphOf(c).width + kGap;
    }
    return text.empty() ? 0.0 : (width - kGap) * size / 10.0;
}

std::vector<std::vector<PicturePt>> StrokeText(const PictureText& text) {
    const double scale = text.size / 10.0;
    const double width = StrokeTextWidth(text.text, text.size);
    double x = text.anchor == PictureText::kStart    ? 0.0
               : text.anchor == PictureText::kMiddle ? -width / 2.0
                                                     : -width;
    const double radians = text.angle * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    std::vector<std::vector<PicturePt>> out;
    for (const char ch : text.text) {
        const Glyph& glyph = GlyphOf(ch);
        for (const std::vector<PicturePt>& stroke : glyph.strokes) {
            std::vector<PicturePt> placed;
            for (const PicturePt& p : stroke) {
                const double gx = x + p.x * scale;
                const double gy = (p.y - 5.0) * scale;
                placed.push_back({text.at.x + gx * c - gy * s, text.at.y + gx * s + gy * c});
            }
            out.push_back(std::move(placed));
        }
        x += (glyph.width + kGap) * scale;
    }
    return out;
}

} // namespace qv
