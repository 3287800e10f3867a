#include "report/picture/SvgPicture.h"

#include "model/XmlOutput.h"

#include "report/picture/PngPicture.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

// The digits of the SVG fonts stand this high in their font size.
constexpr double kDigitHeight = 0.72;

std::string N(double value) {
    const std::string text = KvStr::Format("%.2f", value);
    return text == "-0.00" ? "0.00" : text;
}

std::string Hex(PictureColour c) {
    return KvStr::Format("#%02x%02x%02x", c.red, c.green, c.blue);
}

std::string Escaped(const std::string& text) {
    std::string out;
    AppendEscaped(out, text, true);
    return out;
}

std::string Base64(const std::string& bytes) {
    static const char* const kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned a = static_cast<unsigned char>(bytes[i]);
        const unsigned b = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        const unsigned c = i + 2 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) : 0;
        const unsigned triple = (a << 16) | (b << 8) | c;
        out.push_back(kDigits[(triple >> 18) & 63]);
        out.push_back(kDigits[(triple >> 12) & 63]);
        out.push_back(i + 1 < bytes.size() ? kDigits[(triple >> 6) & 63] : '=');
        out.push_back(i + 2 < bytes.size() ? kDigits[triple & 63] : '=');
    }
    return out;
}

std::string PathData(const std::vector<PicturePt>& points) {
    std::string d;
    for (size_t i = 0; i < points.size(); ++i) {
        d += (i == 0 ? "M" : "L") + N(points[i].x) + " " + N(points[i].y);
    }
    return d;
}

std::string Text(const PictureText& text, const std::string& attributes) {
    static const char* const kAnchors[] = {"start", "middle", "end"};
    std::string transform = "translate(" + N(text.at.x) + " " + N(text.at.y) + ")";
    if (text.angle != 0.0) {
        transform += " rotate(" + N(text.angle) + ")";
    }
    return "<text" + attributes + " transform=\"" + transform + "\" y=\"" + N(text.size / 2.0) +
           "\" font-size=\"" + N(text.size / kDigitHeight) + "\" text-anchor=\"" +
           kAnchors[text.anchor] + "\">" + Escaped(text.text) + "</text>\n";
}

} // namespace

std::string IsoluxSvg(const IsoluxPicture& picture, int width) {
    const IsoluxLayout layout = picture.Layout(width);
    const PictureRect& plot = layout.plot;
    const double line = layout.lineWidth;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "width=\"" +
           N(layout.width) + "\" height=\"" + N(layout.height) + "\" viewBox=\"0 0 " +
           N(layout.width) + " " + N(layout.height) +
           "\" font-family=\"Noto Sans CJK SC, sans-serif\">\n";
    svg += "<defs><linearGradient id=\"scale\" x1=\"0\" y1=\"1\" x2=\"0\" y2=\"0\">";
    for (int i = 0; i <= 16; ++i) {
        svg += "<stop offset=\"" + N(i / 16.0) + "\" stop-color=\"" + Hex(ScaleColour(i / 16.0)) +
               "\"/>";
    }
    svg += "</linearGradient></defs>\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";

    // The field: a bitmap of the plot at one pixel a unit.
    const int fw = std::max(1, static_cast<int>(std::lround(plot.width)));
    const int fh = std::max(1, static_cast<int>(std::lround(plot.height)));
    svg += "<image x=\"" + N(plot.left) + "\" y=\"" + N(plot.top) + "\" width=\"" + N(plot.width) +
           "\" height=\"" + N(plot.height) +
           "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64," +
           Base64(EncodePng(picture.FieldImage(layout, fw, fh))) + "\"/>\n";
    svg += "<rect class=\"plot\" x=\"" + N(plot.left) + "\" y=\"" + N(plot.top) + "\" width=\"" +
           N(plot.width) + "\" height=\"" + N(plot.height) +
           "\" fill=\"none\" stroke=\"#969696\" stroke-width=\"" + N(0.75 * line) + "\"/>\n";

    svg += "<g class=\"isolux\" fill=\"none\" stroke-width=\"" + N(line) +
           "\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
    for (const PictureLine& piece : layout.lines) {
        svg += "<path class=\"isolux-line\" data-level=\"" +
               Escaped(picture.Data().levels[static_cast<size_t>(piece.level)].text) +
               "\" stroke=\"" + Hex(picture.LineColour(piece.level)) + "\" d=\"" +
               PathData(piece.points) + "\"/>\n";
    }
    svg += "</g>\n";
    if (!layout.outline.empty()) {
        svg += "<path class=\"outline\" fill=\"none\" stroke=\"#1e1e1e\" stroke-width=\"" +
               N(1.6 * line) + "\" stroke-linejoin=\"round\" d=\"" + PathData(layout.outline) +
               "Z\"/>\n";
    }
    svg += "<g class=\"luminaires\" fill=\"#ffffff\" stroke=\"#1e1e1e\" stroke-width=\"" + N(line) +
           "\">\n";
    for (const PictureLamp& lamp : layout.lamps) {
        if (lamp.circle) {
            svg += "<circle cx=\"" + N(lamp.centre.x) + "\" cy=\"" + N(lamp.centre.y) + "\" r=\"" +
                   N(lamp.radius) + "\"/>\n";
        } else {
            svg += "<path d=\"" + PathData(lamp.corners) + "Z\"/>\n";
        }
    }
    svg += "</g>\n";
    for (const PictureText& label : layout.labels) {
        svg += Text(label, " class=\"isolux-label\" fill=\"" +
                               Hex(picture.LineColour(label.level)) + "\"");
    }

    std::string ticks;
    for (size_t i = 0; i + 1 < layout.tickMarks.size(); i += 2) {
        ticks += PathData({layout.tickMarks[i], layout.tickMarks[i + 1]});
    }
    svg += "<path class=\"ticks\" fill=\"none\" stroke=\"#1e1e1e\" stroke-width=\"" +
           N(0.75 * line) + "\" d=\"" + ticks + "\"/>\n";
    for (const PictureText& text : layout.axisTexts) {
        svg += Text(text, " class=\"axis\" fill=\"#1e1e1e\"");
    }
    const PictureRect& bar = layout.colourBar;
    svg += "<rect class=\"colour-bar\" x=\"" + N(bar.left) + "\" y=\"" + N(bar.top) +
           "\" width=\"" + N(bar.width) + "\" height=\"" + N(bar.height) +
           "\" fill=\"url(#scale)\" stroke=\"#1e1e1e\" stroke-width=\"" + N(0.75 * line) + "\"/>\n";
    for (const PictureText& text : layout.barTexts) {
        svg += Text(text, " class=\"scale\" fill=\"#1e1e1e\"");
    }
    svg += Text(layout.title, " class=\"title\" fill=\"#1e1e1e\" font-weight=\"bold\"");
    svg += Text(layout.subtitle, " class=\"subtitle\" fill=\"#1e1e1e\"");
    svg += "</svg>\n";
    return svg;
}

} // namespace qv
