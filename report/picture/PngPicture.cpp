#include "report/picture/PngPicture.h"

#include "report/picture/StrokeFont.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr PictureColour kInk{30, 30, 30};
constexpr PictureColour kFrame{150, 150, 150};
constexpr PictureColour kWhite{255, 255, 255};

// Blends colour over the pixel by coverage in [0, 1].
void Blend(RgbImage& image, int x, int y, PictureColour colour, double coverage) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height || coverage <= 0.0) {
        return;
    }
    const double c = std::min(coverage, 1.0);
    const PictureColour old = image.At(x, y);
    const auto mix = [c](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a * (1.0 - c) + b * c));
    };
    image.Set(x, y,
              {mix(old.red, colour.red), mix(old.green, colour.green), mix(old.blue, colour.blue)});
}

double SegmentDistance(double px, double py, const PicturePt& a, const PicturePt& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0.0 ? ((px - a.x) * dx + (py - a.y) * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - a.x - t * dx, py - a.y - t * dy);
}

// Polylines stroked with round ends and joins: each pixel's coverage is the most any
// segment gives it, so joins are not drawn twice.
void Stroke(RgbImage& image, const std::vector<std::vector<PicturePt>>& lines, double width,
            PictureColour colour) {
    const double half = width / 2.0;
    double left = image.width;
    double top = image.height;
    double right = 0.0;
    double bottom = 0.0;
    for (const std::vector<PicturePt>& line : lines) {
        for (const PicturePt& p : line) {
            left = std::min(left, p.x);
            right = std::max(right, p.x);
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
    }
    const int x0 = std::max(0, static_cast<int>(std::floor(left - half - 1.0)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top - half - 1.0)));
    const int x1 = std::min(image.width - 1, static_cast<int>(std::ceil(right + half + 1.0)));
    const int y1 = std::min(image.height - 1, static_cast<int>(std::ceil(bottom + half + 1.0)));
    if (x1 < x0 || y1 < y0) {
        return;
    }
    const int w = x1 - x0 + 1;
    std::vector<float> coverage(static_cast<size_t>(w) * static_cast<size_t>(y1 - y0 + 1), 0.0f);
    for (const std::vector<PicturePt>& line : lines) {
        for (size_t i = 0; i < line.size(); ++i) {
            const PicturePt& a = line[i];
            const PicturePt& b = i + 1 < line.size() ? line[i + 1] : line[i];
            const int sx0 =
                std::max(x0, static_cast<int>(std::floor(std::min(a.x, b.x) - half - 1)));
            const int sx1 =
                std::min(x1, static_cast<int>(std::ceil(std::max(a.x, b.x) + half + 1)));
            const int sy0 =
                std::max(y0, static_cast<int>(std::floor(std::min(a.y, b.y) - half - 1)));
            const int sy1 =
                std::min(y1, static_cast<int>(std::ceil(std::max(a.y, b.y) + half + 1)));
            for (int y = sy0; y <= sy1; ++y) {
                for (int x = sx0; x <= sx1; ++x) {
                    const double d = SegmentDistance(x + 0.5, y + 0.5, a, b);
                    const double c = std::clamp(half + 0.5 - d, 0.0, 1.0);
                    float& slot =
                        coverage[static_cast<size_t>(y - y0) * static_cast<size_t>(w) + (x - x0)];
                    slot = std::max(slot, static_cast<float>(c));
                }
            }
        }
    }
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            Blend(image, x, y, colour,
                  coverage[static_cast<size_t>(y - y0) * static_cast<size_t>(w) + (x - x0)]);
        }
    }
}

void StrokeTextOn(RgbImage& image, const PictureText& text, PictureColour colour) {
    Stroke(image, StrokeText(text), std::max(1.2, text.size * 0.14), colour);
}

bool InPolygon(const std::vector<PicturePt>& polygon, double x, double y) {
    bool inside = false;
    for (size_t i = 0, k = polygon.size() - 1; i < polygon.size(); k = i++) {
        const PicturePt& a = polygon[i];
        const PicturePt& b = polygon[k];
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside;
}

// A filled polygon, its edges smoothed by 4 × 4 samples a pixel.
void FillPolygon(RgbImage& image, const std::vector<PicturePt>& polygon, PictureColour colour) {
    if (polygon.size() < 3) {
        return;
    }
    double left = polygon[0].x;
    double right = left;
    double top = polygon[0].y;
    double bottom = top;
    for (const PicturePt& p : polygon) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    for (int y = std::max(0, static_cast<int>(top));
         y <= std::min(image.height - 1, static_cast<int>(bottom)); ++y) {
        for (int x = std::max(0, static_cast<int>(left));
             x <= std::min(image.width - 1, static_cast<int>(right)); ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    hits += InPolygon(polygon, x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0) ? 1 : 0;
                }
            }
            Blend(image, x, y, colour, hits / 16.0);
        }
    }
}

void FillCircle(RgbImage& image, const PicturePt& centre, double radius, PictureColour colour) {
    for (int y = static_cast<int>(centre.y - radius - 1);
         y <= static_cast<int>(centre.y + radius + 1); ++y) {
        for (int x = static_cast<int>(centre.x - radius - 1);
             x <= static_cast<int>(centre.x + radius + 1); ++x) {
            const double d = std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y);
            Blend(image, x, y, colour, radius + 0.5 - d);
        }
    }
}

std::vector<PicturePt> Circle(const PicturePt& centre, double radius) {
    std::vector<PicturePt> points;
    const int steps = std::clamp(static_cast<int>(radius), 16, 128);
    for (int i = 0; i <= steps; ++i) {
        const double a = 2.0 * 3.14159265358979323846 * i / steps;
        points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
    return points;
}

std::vector<PicturePt> RectLine(const PictureRect& r) {
    return {{r.left, r.top},
            {r.Right(), r.top},
            {r.Right(), r.Bottom()},
            {r.left, r.Bottom()},
            {r.left, r.top}};
}

void PutUint32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xff));
    }
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutUint32(out, static_cast<std::uint32_t>(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    PutUint32(out, static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(body.data()),
                                                    static_cast<uInt>(body.size()))));
}

} // namespace

RgbImage RenderIsoluxBitmap(const IsoluxPicture& picture, int width) {
    const IsoluxLayout layout = picture.Layout(width);
    RgbImage image(static_cast<int>(layout.width), static_cast<int>(layout.height), kWhite);
    const PictureRect& plot = layout.plot;
    const double line = layout.lineWidth;

    // The field at whole pixels of the plot.
    const int fx = static_cast<int>(std::lround(plot.left));
    const int fy = static_cast<int>(std::lround(plot.top));
    const int fw = static_cast<int>(std::lround(plot.Right())) - fx;
    const int fh = static_cast<int>(std::lround(plot.Bottom())) - fy;
    const RgbImage field = picture.FieldImage(layout, fw, fh);
    for (int y = 0; y < field.height; ++y) {
        for (int x = 0; x < field.width; ++x) {
            if (fx + x >= 0 && fy + y >= 0 && fx + x < image.width && fy + y < image.height) {
                image.Set(fx + x, fy + y, field.At(x, y));
            }
        }
    }
    Stroke(image, {RectLine(plot)}, line * 0.75, kFrame);

    // Contours by level, then the outline and the luminaires over them.
    for (size_t level = 0; level < picture.Data().levels.size(); ++level) {
        std::vector<std::vector<PicturePt>> lines;
        for (const PictureLine& piece : layout.lines) {
            if (piece.level == static_cast<int>(level)) {
                lines.push_back(piece.points);
            }
        }
        if (!lines.empty()) {
            Stroke(image, lines, line, picture.LineColour(static_cast<int>(level)));
        }
    }
    if (!layout.outline.empty()) {
        Stroke(image, {layout.outline}, 1.6 * line, kInk);
    }
    for (const PictureLamp& lamp : layout.lamps) {
        if (lamp.circle) {
            FillCircle(image, lamp.centre, lamp.radius, kWhite);
            Stroke(image, {Circle(lamp.centre, lamp.radius)}, line, kInk);
        } else {
            FillPolygon(image, lamp.corners, kWhite);
            std::vector<PicturePt> closed = lamp.corners;
            closed.push_back(closed.front());
            Stroke(image, {closed}, line, kInk);
        }
    }
    for (const PictureText& label : layout.labels) {
        StrokeTextOn(image, label, picture.LineColour(label.level));
    }

    // Axes, colour bar and title.
    std::vector<std::vector<PicturePt>> ticks;
    for (size_t i = 0; i + 1 < layout.tickMarks.size(); i += 2) {
        ticks.push_back({layout.tickMarks[i], layout.tickMarks[i + 1]});
    }
    Stroke(image, ticks, line * 0.75, kInk);
    for (const PictureText& text : layout.axisTexts) {
        StrokeTextOn(image, text, kInk);
    }
    const PictureRect& bar = layout.colourBar;
    for (int y = static_cast<int>(std::lround(bar.top));
         y < static_cast<int>(std::lround(bar.Bottom())); ++y) {
        const double t = (bar.Bottom() - (y + 0.5)) / bar.height;
        const PictureColour colour =
            picture.ColourOf(picture.ScaleLow() + t * (picture.ScaleHigh() - picture.ScaleLow()));
        for (int x = static_cast<int>(std::lround(bar.left));
             x < static_cast<int>(std::lround(bar.Right())); ++x) {
            Blend(image, x, y, colour, 1.0);
        }
    }
    Stroke(image, {RectLine(bar)}, line * 0.75, kInk);
    for (const PictureText& text : layout.barTexts) {
        StrokeTextOn(image, text, kInk);
    }
    StrokeTextOn(image, layout.latinTitle, kInk);
    return image;
}

std::string EncodePng(const RgbImage& image) {
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data() + rowBytes * static_cast<size_t>(y);
        if (y == 0) {
            raw.push_back(0); // no row above: as it is
            raw.append(reinterpret_cast<const char*>(row), rowBytes);
            continue;
        }
        raw.push_back(2); // the difference from the row above
        const std::uint8_t* above = row - rowBytes;
        for (size_t i = 0; i < rowBytes; ++i) {
            raw.push_back(static_cast<char>(static_cast<std::uint8_t>(row[i] - above[i])));
        }
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string compressed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
              reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 6);
    compressed.resize(size);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    PutUint32(header, static_cast<std::uint32_t>(image.width));
    PutUint32(header, static_cast<std::uint32_t>(image.height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", compressed);
    PutChunk(png, "IEND", "");
    return png;
}

std::string IsoluxPng(const IsoluxPicture& picture, int width) {
    return EncodePng(RenderIsoluxBitmap(picture, width));
}

} // namespace qv
