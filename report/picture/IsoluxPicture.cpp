#include "report/picture/IsoluxPicture.h"

#include "report/picture/StrokeFont.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <set>

namespace qv {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.14159265358979323846;

// The perceptual scale at 17 even steps; between them linear.
constexpr std::array<std::array<int, 3>, 17> kViridis = {{{68, 1, 84},
                                                          {72, 24, 106},
                                                          {71, 44, 122},
                                                          {65, 63, 131},
                                                          {59, 82, 139},
                                                          {51, 99, 141},
                                                          {44, 114, 142},
                                                          {38, 130, 142},
                                                          {33, 145, 140},
                                                          {31, 160, 136},
                                                          {40, 174, 128},
                                                          {63, 188, 115},
                                                          {94, 201, 98},
                                                          {132, 212, 75},
                                                          {173, 220, 48},
                                                          {216, 226, 25},
                                                          {253, 231, 37}}};

// The nodes of one axis of the lattice.
struct LatticeAxis {
    double origin = 0.0;
    double step = 1.0;
    int count = 0;
};

// A lattice no larger than this many nodes per axis (and in all) is kept; a coarser
// one is taken for points that are no grid.
constexpr int kMaxAxisNodes = 1 << 14;
constexpr double kMaxNodes = 1 << 24;

LatticeAxis AxisOf(std::vector<double> coordinates) {
    LatticeAxis axis;
    if (coordinates.empty()) {
        return axis;
    }
    std::sort(coordinates.begin(), coordinates.end());
    const double span = coordinates.back() - coordinates.front();
    const double same = 1e-9 * std::max(1.0, span);
    double gap = 0.0;
    for (size_t i = 1; i < coordinates.size(); ++i) {
        const double d = coordinates[i] - coordinates[i - 1];
        if (d > same && (gap == 0.0 || d < gap)) {
            gap = d;
        }
    }
    axis.origin = coordinates.front();
    if (gap == 0.0) {
        axis.count = 1;
        return axis;
    }
    // The span is a whole number of steps: the step the span divided by that number, so
    // the rounding of the single coordinates does not add up along the axis.
    const double steps = std::min(std::round(span / gap), static_cast<double>(kMaxAxisNodes - 1));
    axis.step = span / steps;
    axis.count = static_cast<int>(steps) + 1;
    return axis;
}

double Length(const PicturePt& a, const PicturePt& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

PicturePt Mix(const PicturePt& a, const PicturePt& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// Corner cutting: each segment gives its points at a quarter and three quarters.
std::vector<PicturePt> Chaikin(const std::vector<PicturePt>& points, bool closed) {
    if (points.size() < 3) {
        return points;
    }
    std::vector<PicturePt> out;
    const size_t n = closed ? points.size() - 1 : points.size();
    out.reserve(2 * n + 2);
    if (!closed) {
        out.push_back(points.front());
    }
    const size_t segments = closed ? n : n - 1;
    for (size_t i = 0; i < segments; ++i) {
        const PicturePt& a = points[i];
        const PicturePt& b = points[(i + 1) % n];
        out.push_back(Mix(a, b, 0.25));
        out.push_back(Mix(a, b, 0.75));
    }
    out.push_back(closed ? out.front() : points.back());
    return out;
}

// Arc lengths of a polyline from its start.
std::vector<double> ArcLengths(const std::vector<PicturePt>& points) {
    std::vector<double> lengths(points.size(), 0.0);
    for (size_t i = 1; i < points.size(); ++i) {
        lengths[i] = lengths[i - 1] + Length(points[i - 1], points[i]);
    }
    return lengths;
}

PicturePt PointAt(const std::vector<PicturePt>& points, const std::vector<double>& lengths,
                  double s) {
    const auto next = std::lower_bound(lengths.begin(), lengths.end(), s);
    if (next == lengths.begin()) {
        return points.front();
    }
    if (next == lengths.end()) {
        return points.back();
    }
    const size_t i = static_cast<size_t>(next - lengths.begin());
    const double d = lengths[i] - lengths[i - 1];
    return Mix(points[i - 1], points[i], d > 0.0 ? (s - lengths[i - 1]) / d : 0.0);
}

// The part of a polyline between arc lengths a < b.
std::vector<PicturePt> Between(const std::vector<PicturePt>& points,
                               const std::vector<double>& lengths, double a, double b) {
    std::vector<PicturePt> out{PointAt(points, lengths, a)};
    for (size_t i = 0; i < points.size(); ++i) {
        if (lengths[i] > a && lengths[i] < b) {
            out.push_back(points[i]);
        }
    }
    out.push_back(PointAt(points, lengths, b));
    return out;
}

// A step of 1, 2 or 5 times a power of ten giving about target divisions of span.
double NiceStep(double span, double target) {
    const double raw = span / target;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

int DecimalsOf(double step) {
    return std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6);
}

std::string Number(double value, int decimals) {
    const double shown = std::fabs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
    return KvStr::Format("%.*f", decimals, shown);
}

bool InPolygon(const std::vector<PicturePt>& polygon, const PicturePt& p) {
    bool inside = false;
    for (size_t i = 0, k = polygon.size() - 1; i < polygon.size(); k = i++) {
        const PicturePt& a = polygon[i];
        const PicturePt& b = polygon[k];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            inside = !inside;
        }
    }
    return inside;
}

// A label's place: its centre, direction and half sizes.
struct LabelBox {
    PicturePt centre;
    double cos = 1.0;
    double sin = 0.0;
    double halfLength = 0.0;
    double halfHeight = 0.0;

    bool Holds(const PicturePt& p, double margin = 0.0) const {
        const double dx = p.x - centre.x;
        const double dy = p.y - centre.y;
        const double along = dx * cos + dy * sin;
        const double across = -dx * sin + dy * cos;
        return std::fabs(along) <= halfLength + margin && std::fabs(across) <= halfHeight + margin;
    }
    PicturePt Corner(double a, double b) const {
        return {centre.x + a * halfLength * cos - b * halfHeight * sin,
                centre.y + a * halfLength * sin + b * halfHeight * cos};
    }
    bool Overlaps(const LabelBox& other) const {
        for (const LabelBox* box : {this, &other}) {
            const LabelBox& test = box == this ? other : *this;
            for (const double a : {-1.0, -0.5, 0.0, 0.5, 1.0}) {
                for (const double b : {-1.0, 0.0, 1.0}) {
                    if (box->Holds(test.Corner(a, b))) {
                        return true;
                    }
                }
            }
        }
        return false;
    }
};

// Whether a luminaire's symbol and a label's box meet: a point of the symbol's rim in
// the box, or a point of the box in the symbol.
bool LampUnder(const PictureLamp& lamp, const LabelBox& box) {
    if (Length(lamp.centre, box.centre) >
        lamp.radius + std::hypot(box.halfLength, box.halfHeight)) {
        return false;
    }
    std::vector<PicturePt> rim{lamp.centre};
    if (lamp.circle) {
        for (int k = 0; k < 16; ++k) {
            rim.push_back({lamp.centre.x + lamp.radius * std::cos(k * kPi / 8.0),
                           lamp.centre.y + lamp.radius * std::sin(k * kPi / 8.0)});
        }
    } else {
        for (size_t k = 0; k < lamp.corners.size(); ++k) {
            rim.push_back(lamp.corners[k]);
            rim.push_back(Mix(lamp.corners[k], lamp.corners[(k + 1) % lamp.corners.size()], 0.5));
        }
    }
    for (const PicturePt& p : rim) {
        if (box.Holds(p)) {
            return true;
        }
    }
    for (const double a : {-1.0, 0.0, 1.0}) {
        for (const double b : {-1.0, 0.0, 1.0}) {
            const PicturePt p = box.Corner(a, b);
            if (lamp.circle ? Length(p, lamp.centre) < lamp.radius : InPolygon(lamp.corners, p)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

PictureColour ScaleColour(double t) {
    if (!(t > 0.0)) {
        t = 0.0;
    }
    t = std::min(t, 1.0) * static_cast<double>(kViridis.size() - 1);
    const size_t i = std::min(static_cast<size_t>(t), kViridis.size() - 2);
    const double f = t - static_cast<double>(i);
    PictureColour colour;
    std::uint8_t* channels[3] = {&colour.red, &colour.green, &colour.blue};
    for (size_t c = 0; c < 3; ++c) {
        const double value = kViridis[i][c] + (kViridis[i + 1][c] - kViridis[i][c]) * f;
        *channels[c] = static_cast<std::uint8_t>(std::lround(value));
    }
    return colour;
}

RgbImage::RgbImage(int w, int h, PictureColour fill) : width(w), height(h) {
    pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    for (size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = fill.red;
        pixels[i + 1] = fill.green;
        pixels[i + 2] = fill.blue;
    }
}

PictureColour RgbImage::At(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 3;
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
}

void RgbImage::Set(int x, int y, PictureColour colour) {
    const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 3;
    pixels[i] = colour.red;
    pixels[i + 1] = colour.green;
    pixels[i + 2] = colour.blue;
}

IsoluxField::IsoluxField(const std::vector<GridPicturePoint>& points) {
    std::vector<double> us;
    std::vector<double> vs;
    std::vector<const GridPicturePoint*> usable;
    for (const GridPicturePoint& p : points) {
        if (std::isfinite(p.u) && std::isfinite(p.v) && std::isfinite(p.value)) {
            us.push_back(p.u);
            vs.push_back(p.v);
            usable.push_back(&p);
        }
    }
    if (usable.empty()) {
        return;
    }
    LatticeAxis u = AxisOf(std::move(us));
    LatticeAxis v = AxisOf(std::move(vs));
    // Points that are no lattice at all: a coarser one, a node keeping the last point.
    while (static_cast<double>(u.count) * v.count > kMaxNodes) {
        LatticeAxis& wider = u.count > v.count ? u : v;
        wider.step *= 2.0;
        wider.count = (wider.count + 1) / 2;
    }
    m_columns = u.count;
    m_rows = v.count;
    m_originU = u.origin;
    m_originV = v.origin;
    m_stepU = u.step;
    m_stepV = v.step;
    m_values.assign(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows), kNaN);
    m_min = usable.front()->value;
    m_max = m_min;
    for (const GridPicturePoint* p : usable) {
        const long i = std::clamp(std::lround((p->u - m_originU) / m_stepU), 0L,
                                  static_cast<long>(m_columns - 1));
        const long j = std::clamp(std::lround((p->v - m_originV) / m_stepV), 0L,
                                  static_cast<long>(m_rows - 1));
        m_values[static_cast<size_t>(i) * static_cast<size_t>(m_rows) + static_cast<size_t>(j)] =
            p->value;
        m_min = std::min(m_min, p->value);
        m_max = std::max(m_max, p->value);
    }
}

double IsoluxField::Node(int i, int j) const {
    if (i < 0 || j < 0 || i >= m_columns || j >= m_rows) {
        return kNaN;
    }
    return m_values[static_cast<size_t>(i) * static_cast<size_t>(m_rows) + static_cast<size_t>(j)];
}

std::optional<double> IsoluxField::ValueAt(double u, double v) const {
    if (Empty()) {
        return std::nullopt;
    }
    const double fi = m_columns > 1 ? (u - m_originU) / m_stepU : 0.0;
    const double fj = m_rows > 1 ? (v - m_originV) / m_stepV : 0.0;
    if (!(fi >= -1.0 && fi <= m_columns && fj >= -1.0 && fj <= m_rows)) {
        return std::nullopt;
    }
    const int i = static_cast<int>(std::floor(fi));
    const int j = static_cast<int>(std::floor(fj));
    const double t = fi - i;
    const double s = fj - j;
    const double nodes[4] = {Node(i, j), Node(i + 1, j), Node(i, j + 1), Node(i + 1, j + 1)};
    const double weights[4] = {(1 - t) * (1 - s), t * (1 - s), (1 - t) * s, t * s};
    double sum = 0.0;
    double weight = 0.0;
    double plain = 0.0;
    int present = 0;
    for (int k = 0; k < 4; ++k) {
        if (!std::isnan(nodes[k])) {
            sum += nodes[k] * weights[k];
            weight += weights[k];
            plain += nodes[k];
            ++present;
        }
    }
    if (present == 0) {
        return std::nullopt;
    }
    return weight > 1e-9 ? sum / weight : plain / present;
}

std::vector<IsoluxContour> TraceContours(const IsoluxField& field, double value, int level,
                                         int smoothing) {
    std::vector<IsoluxContour> contours;
    if (field.Columns() < 2 || field.Rows() < 2 || !std::isfinite(value)) {
        return contours;
    }
    const long long stride = field.Columns() + 1LL;
    // An edge of the lattice: horizontal from node (i, j) to (i+1, j), or vertical from
    // (i, j) to (i, j+1).
    const auto horizontal = [&](int i, int j) { return ((j * stride + i) << 1); };
    const auto vertical = [&](int i, int j) { return ((j * stride + i) << 1) | 1; };
    const auto crossing = [&](long long edge) {
        const int i = static_cast<int>((edge >> 1) % stride);
        const int j = static_cast<int>((edge >> 1) / stride);
        const bool up = (edge & 1) != 0;
        const double a = field.Node(i, j);
        const double b = up ? field.Node(i, j + 1) : field.Node(i + 1, j);
        const double t = (value - a) / (b - a);
        return PicturePt{field.OriginU() + (i + (up ? 0.0 : t)) * field.StepU(),
                         field.OriginV() + (j + (up ? t : 0.0)) * field.StepV()};
    };
    std::vector<std::pair<long long, long long>> segments;
    for (int i = 0; i + 1 < field.Columns(); ++i) {
        for (int j = 0; j + 1 < field.Rows(); ++j) {
            const double a = field.Node(i, j);
            const double b = field.Node(i + 1, j);
            const double c = field.Node(i + 1, j + 1);
            const double d = field.Node(i, j + 1);
            if (std::isnan(a) || std::isnan(b) || std::isnan(c) || std::isnan(d)) {
                continue;
            }
            const int cell = (a >= value ? 1 : 0) | (b >= value ? 2 : 0) | (c >= value ? 4 : 0) |
                             (d >= value ? 8 : 0);
            if (cell == 0 || cell == 15) {
                continue;
            }
            const long long bottom = horizontal(i, j);
            const long long right = vertical(i + 1, j);
            const long long top = horizontal(i, j + 1);
            const long long left = vertical(i, j);
            if (cell == 5 || cell == 10) {
                // A saddle: the cell's mean decides which corners the lines cut off.
                const bool centreAbove = (a + b + c + d) / 4.0 >= value;
                if ((cell == 5) == centreAbove) {
                    segments.push_back({bottom, right});
                    segments.push_back({top, left});
                } else {
                    segments.push_back({left, bottom});
                    segments.push_back({right, top});
                }
                continue;
            }
            std::vector<long long> crossed;
            if (((cell & 1) != 0) != ((cell & 2) != 0)) {
                crossed.push_back(bottom);
            }
            if (((cell & 2) != 0) != ((cell & 4) != 0)) {
                crossed.push_back(right);
            }
            if (((cell & 4) != 0) != ((cell & 8) != 0)) {
                crossed.push_back(top);
            }
            if (((cell & 8) != 0) != ((cell & 1) != 0)) {
                crossed.push_back(left);
            }
            segments.push_back({crossed[0], crossed[1]});
        }
    }
    std::map<long long, std::vector<size_t>> atEdge;
    for (size_t s = 0; s < segments.size(); ++s) {
        atEdge[segments[s].first].push_back(s);
        atEdge[segments[s].second].push_back(s);
    }
    std::vector<char> used(segments.size(), 0);
    const auto walk = [&](size_t first, long long start) {
        IsoluxContour contour;
        contour.level = level;
        std::vector<long long> edges{start};
        size_t segment = first;
        long long edge = start;
        while (true) {
            used[segment] = 1;
            edge = segments[segment].first == edge ? segments[segment].second
                                                   : segments[segment].first;
            edges.push_back(edge);
            if (edge == start) {
                contour.closed = true;
                break;
            }
            const std::vector<size_t>& next = atEdge[edge];
            const auto free =
                std::find_if(next.begin(), next.end(), [&](size_t s) { return used[s] == 0; });
            if (free == next.end()) {
                break;
            }
            segment = *free;
        }
        for (const long long e : edges) {
            const PicturePt p = crossing(e);
            if (contour.points.empty() || Length(contour.points.back(), p) > 1e-12) {
                contour.points.push_back(p);
            }
        }
        if (contour.closed && Length(contour.points.front(), contour.points.back()) > 1e-12) {
            contour.points.push_back(contour.points.front());
        }
        for (int round = 0; round < smoothing; ++round) {
            contour.points = Chaikin(contour.points, contour.closed);
        }
        if (contour.points.size() >= 2) {
            contours.push_back(std::move(contour));
        }
    };
    // Open lines from their ends first, then the loops.
    for (size_t s = 0; s < segments.size(); ++s) {
        if (used[s] != 0) {
            continue;
        }
        for (const long long end : {segments[s].first, segments[s].second}) {
            if (used[s] == 0 && atEdge[end].size() == 1) {
                walk(s, end);
            }
        }
    }
    for (size_t s = 0; s < segments.size(); ++s) {
        if (used[s] == 0) {
            walk(s, segments[s].first);
        }
    }
    return contours;
}

IsoluxPicture::IsoluxPicture(GridPictureData data)
    : m_data(std::move(data)), m_field(m_data.points) {
    if (m_field.Empty()) {
        return;
    }
    m_scaleLow =
        std::isfinite(m_data.scaleLow) ? std::min(m_data.scaleLow, m_field.Min()) : m_field.Min();
    m_scaleHigh = m_field.Max();
    for (const GridPictureLevel& level : m_data.levels) {
        if (std::isfinite(level.value)) {
            m_scaleHigh = std::max(m_scaleHigh, level.value);
        }
    }
    if (!(m_scaleHigh > m_scaleLow)) {
        m_scaleHigh = m_scaleLow + 1.0;
    }
    for (size_t k = 0; k < m_data.levels.size(); ++k) {
        const double value = m_data.levels[k].value;
        if (value > m_field.Min() && value < m_field.Max()) {
            for (IsoluxContour& contour : TraceContours(m_field, value, static_cast<int>(k))) {
                m_contours.push_back(std::move(contour));
            }
        }
    }
}

PictureColour IsoluxPicture::ColourOf(double value) const {
    return ScaleColour((value - m_scaleLow) / (m_scaleHigh - m_scaleLow));
}

PictureColour IsoluxPicture::LineColour(int level) const {
    const PictureColour c = ColourOf(m_data.levels[static_cast<size_t>(level)].value);
    const double luminance = 0.2126 * c.red + 0.7152 * c.green + 0.0722 * c.blue;
    return luminance < 120.0 ? PictureColour{250, 250, 250} : PictureColour{20, 20, 20};
}

bool IsoluxPicture::Inside(double u, double v) const {
    const std::vector<GridPicturePoint>& outline = m_data.outline;
    if (outline.size() < 3) {
        return true;
    }
    bool inside = false;
    for (size_t i = 0, k = outline.size() - 1; i < outline.size(); k = i++) {
        const GridPicturePoint& a = outline[i];
        const GridPicturePoint& b = outline[k];
        if ((a.v > v) != (b.v > v) && u < a.u + (v - a.v) * (b.u - a.u) / (b.v - a.v)) {
            inside = !inside;
        }
    }
    return inside;
}

RgbImage IsoluxPicture::FieldImage(const IsoluxLayout& layout, int pixelWidth,
                                   int pixelHeight) const {
    RgbImage image(std::max(pixelWidth, 0), std::max(pixelHeight, 0), {255, 255, 255});
    if (Empty() || pixelWidth <= 0 || pixelHeight <= 0) {
        return image;
    }
    const double sx = layout.plot.width / pixelWidth;
    const double sy = layout.plot.height / pixelHeight;
    for (int y = 0; y < pixelHeight; ++y) {
        const double v = layout.VAt(layout.plot.top + (y + 0.5) * sy);
        for (int x = 0; x < pixelWidth; ++x) {
            const double u = layout.UAt(layout.plot.left + (x + 0.5) * sx);
            if (!Inside(u, v)) {
                continue;
            }
            if (const std::optional<double> value = m_field.ValueAt(u, v)) {
                image.Set(x, y, ColourOf(*value));
            }
        }
    }
    return image;
}

IsoluxLayout IsoluxPicture::Layout(double width) const {
    IsoluxLayout layout;
    width = std::max(width, 200.0);
    layout.width = width;
    const double margin = 0.025 * width;
    const double font = std::max(9.0, 0.0125 * width);
    const double tick = font * 0.9;
    layout.fontSize = font;
    layout.lineWidth = std::max(1.0, width / 1000.0);

    // The plane's extent: the outline's, else the points'.
    double uLow = 0.0;
    double uHigh = 1.0;
    double vLow = 0.0;
    double vHigh = 1.0;
    bool first = true;
    const auto extend = [&](double u, double v) {
        if (!std::isfinite(u) || !std::isfinite(v)) {
            return;
        }
        uLow = first ? u : std::min(uLow, u);
        uHigh = first ? u : std::max(uHigh, u);
        vLow = first ? v : std::min(vLow, v);
        vHigh = first ? v : std::max(vHigh, v);
        first = false;
    };
    for (const GridPicturePoint& p : m_data.outline) {
        extend(p.u, p.v);
    }
    if (m_data.outline.size() < 3) {
        for (const GridPicturePoint& p : m_data.points) {
            extend(p.u, p.v);
        }
    }
    double spanU = uHigh - uLow;
    double spanV = vHigh - vLow;
    if (!(spanU > 1e-9)) {
        spanU = std::max(1.0, std::fabs(uLow) * 1e-6);
        uLow -= spanU / 2.0;
    }
    if (!(spanV > 1e-9)) {
        spanV = std::max(1.0, std::fabs(vLow) * 1e-6);
        vLow -= spanV / 2.0;
    }
    const double pad = 0.02 * std::max(spanU, spanV);
    uLow -= pad;
    vLow -= pad;
    spanU += 2.0 * pad;
    spanV += 2.0 * pad;

    // The bands around the plot: title above, ticks left and below, colour bar right.
    std::string widest;
    for (const GridPictureLevel& level : m_data.levels) {
        widest = level.text.size() > widest.size() ? level.text : widest;
    }
    const double barWidth = 1.6 * font;
    const double rightBand =
        2.0 * font + barWidth + 0.6 * font + std::max(StrokeTextWidth(widest, tick), 5.0 * tick);
    const double leftBand = 9.0 * tick;
    const double bottomBand = 4.2 * tick;
    const double topBand = margin + 4.6 * font;
    const double plotWidthMax = width - 2.0 * margin - leftBand - rightBand;
    const double plotHeightMax = 1.1 * width;
    layout.scale = std::min(plotWidthMax / spanU, plotHeightMax / spanV);
    layout.plot.width = spanU * layout.scale;
    layout.plot.height = spanV * layout.scale;
    const double barHeight = std::max(layout.plot.height, 0.3 * width);
    const double content = std::max(layout.plot.height, barHeight);
    const double shift = (plotWidthMax - layout.plot.width) / 2.0;
    layout.plot.left = margin + leftBand + shift;
    layout.plot.top = topBand + (content - layout.plot.height) / 2.0;
    layout.height = std::ceil(topBand + content + bottomBand + margin);
    layout.uLow = uLow;
    layout.vHigh = vLow + spanV;

    // Title: the kind and the results.
    const GridPictureData& d = m_data;
    layout.title = {{width / 2.0, margin + 0.9 * font},
                    1.5 * font,
                    0.0,
                    PictureText::kMiddle,
                    d.vertical ? "垂直照度等照度图 (lx)" : "水平照度等照度图 (lx)"};
    std::string subtitle =
        KvStr::Format("计算密度 %d 等分    最大 %s lx    最小 %s lx    平均 %s lx", d.density,
                      d.maxText.c_str(), d.minText.c_str(), d.avgText.c_str());
    if (!d.vertical) {
        subtitle += "    工作面高度 " + Number(d.planeHeight, 2) + " m";
    }
    layout.subtitle = {
        {width / 2.0, margin + 2.9 * font}, font, 0.0, PictureText::kMiddle, subtitle};
    std::string latin =
        KvStr::Format("%s (lx)    Emax %s    Emin %s    Eav %s", d.vertical ? "Ev" : "Eh",
                      d.maxText.c_str(), d.minText.c_str(), d.avgText.c_str());
    if (!d.vertical) {
        latin += "    h " + Number(d.planeHeight, 2) + " m";
    }
    layout.latinTitle = {
        {width / 2.0, margin + 1.6 * font}, 1.3 * font, 0.0, PictureText::kMiddle, latin};

    // The outline and the luminaires.
    for (const GridPicturePoint& p : d.outline) {
        if (std::isfinite(p.u) && std::isfinite(p.v)) {
            layout.outline.push_back(layout.ToPicture(p.u, p.v));
        }
    }
    if (!layout.outline.empty()) {
        layout.outline.push_back(layout.outline.front());
    }
    for (const GridPictureLuminaire& l : d.luminaires) {
        if (!std::isfinite(l.u) || !std::isfinite(l.v) || !std::isfinite(l.angle) ||
            !std::isfinite(l.length) || !std::isfinite(l.width)) {
            continue;
        }
        PictureLamp lamp;
        lamp.centre = layout.ToPicture(l.u, l.v);
        lamp.circle = l.circle;
        lamp.radius = std::max(std::fabs(l.length) * layout.scale / 2.0, 2.0);
        if (!l.circle) {
            const double a = l.angle * kPi / 180.0;
            const double hl = std::max(std::fabs(l.length) * layout.scale, 3.0) / 2.0;
            const double hw = std::max(std::fabs(l.width) * layout.scale, 3.0) / 2.0;
            // Counter-clockwise in the plan is clockwise on the picture (y downwards).
            const double c = std::cos(a);
            const double s = -std::sin(a);
            for (const auto& [x, y] : {std::pair{-hl, -hw}, {hl, -hw}, {hl, hw}, {-hl, hw}}) {
                lamp.corners.push_back(
                    {lamp.centre.x + x * c - y * s, lamp.centre.y + x * s + y * c});
            }
            lamp.radius = std::hypot(hl, hw);
        }
        layout.lamps.push_back(std::move(lamp));
    }

    // Axes: ticks in metres below and left of the plot.
    const PictureRect& plot = layout.plot;
    const double uStep = NiceStep(spanU, std::clamp(plot.width / (7.0 * tick), 2.0, 10.0));
    const double vStep = NiceStep(spanV, std::clamp(plot.height / (4.0 * tick), 2.0, 10.0));
    const double tickLength = 0.6 * tick;
    for (double k = std::ceil(uLow / uStep); k * uStep <= uLow + spanU; k += 1.0) {
        const double x = layout.ToPicture(k * uStep, 0.0).x;
        layout.tickMarks.push_back({x, plot.Bottom()});
        layout.tickMarks.push_back({x, plot.Bottom() + tickLength});
        layout.axisTexts.push_back({{x, plot.Bottom() + tickLength + 1.1 * tick},
                                    tick,
                                    0.0,
                                    PictureText::kMiddle,
                                    Number(k * uStep, DecimalsOf(uStep))});
    }
    double widestTick = 0.0;
    for (double k = std::ceil(vLow / vStep); k * vStep <= vLow + spanV; k += 1.0) {
        widestTick =
            std::max(widestTick, StrokeTextWidth(Number(k * vStep, DecimalsOf(vStep)), tick));
    }
    for (double k = std::ceil(vLow / vStep); k * vStep <= vLow + spanV; k += 1.0) {
        const double y = layout.ToPicture(0.0, k * vStep).y;
        layout.tickMarks.push_back({plot.left, y});
        layout.tickMarks.push_back({plot.left - tickLength, y});
        layout.axisTexts.push_back({{plot.left - tickLength - 0.5 * tick, y},
                                    tick,
                                    0.0,
                                    PictureText::kEnd,
                                    Number(k * vStep, DecimalsOf(vStep))});
    }
    layout.axisTexts.push_back({{plot.left + plot.width / 2.0, plot.Bottom() + 3.3 * tick},
                                tick,
                                0.0,
                                PictureText::kMiddle,
                                d.vertical ? "d (m)" : "x (m)"});
    layout.axisTexts.push_back(
        {{plot.left - tickLength - widestTick - 1.6 * tick, plot.top + plot.height / 2.0},
         tick,
         -90.0,
         PictureText::kMiddle,
         d.vertical ? "z (m)" : "y (m)"});

    // The colour bar with the scale's low end and the levels.
    PictureRect& bar = layout.colourBar;
    bar = {plot.Right() + 2.0 * font, topBand + (content - barHeight) / 2.0, barWidth, barHeight};
    const auto barY = [&](double value) {
        return bar.Bottom() - (value - m_scaleLow) / (m_scaleHigh - m_scaleLow) * bar.height;
    };
    std::vector<std::pair<double, std::string>> marks{{m_scaleLow, Number(m_scaleLow, 1)}};
    for (const GridPictureLevel& level : d.levels) {
        if (std::isfinite(level.value) && level.value > m_scaleLow && level.value <= m_scaleHigh) {
            marks.push_back({level.value, level.text});
        }
    }
    double lastY = std::numeric_limits<double>::infinity();
    for (const auto& [value, text] : marks) {
        const double y = barY(value);
        layout.tickMarks.push_back({bar.Right(), y});
        layout.tickMarks.push_back({bar.Right() + 0.4 * font, y});
        if (lastY - y >= 1.5 * tick) { // every mark with room for its number
            layout.barTexts.push_back(
                {{bar.Right() + 0.7 * font, y}, tick, 0.0, PictureText::kStart, text});
            lastY = y;
        }
    }
    layout.barTexts.push_back({{bar.left + bar.width / 2.0, bar.top - 1.2 * tick},
                               tick,
                               0.0,
                               PictureText::kMiddle,
                               "lx"});

    // The contours on the picture, each labelled once where its value fits along a
    // straight enough stretch clear of other lines, labels and luminaires; a level's
    // labels stand well apart.
    struct Placed {
        int contour = 0;
        double from = 0.0;
        double to = 0.0;
    };
    std::vector<std::vector<PicturePt>> drawn;
    for (const IsoluxContour& contour : m_contours) {
        std::vector<PicturePt> points;
        points.reserve(contour.points.size());
        for (const PicturePt& p : contour.points) {
            points.push_back(layout.ToPicture(p.x, p.y));
        }
        drawn.push_back(std::move(points));
    }
    std::vector<size_t> order(drawn.size());
    std::vector<std::vector<double>> lengths(drawn.size());
    for (size_t c = 0; c < drawn.size(); ++c) {
        order[c] = c;
        lengths[c] = ArcLengths(drawn[c]);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return lengths[a].back() > lengths[b].back(); });
    std::vector<LabelBox> boxes;
    std::vector<std::pair<int, PicturePt>> levelLabels;
    std::vector<Placed> gaps;
    const double apart = 0.3 * std::max(plot.width, plot.height);
    // One label on the contour at the given size, keeping clearance from other lines.
    const auto place = [&](size_t c, double size, double clearance) {
        const IsoluxContour& contour = m_contours[c];
        const std::string& text = d.levels[static_cast<size_t>(contour.level)].text;
        const double textWidth = StrokeTextWidth(text, size);
        const double gap = textWidth + 1.2 * size;
        const double total = lengths[c].back();
        if (total < 1.1 * gap) {
            return false;
        }
        for (int step = 0; step <= 18; ++step) {
            // From the middle outwards: 0.5, 0.45, 0.55, 0.4, ...
            const double fraction = 0.5 + ((step + 1) / 2) * 0.05 * (step % 2 == 0 ? 1.0 : -1.0);
            const double s = fraction * total;
            if (s - gap / 2.0 < 0.0 || s + gap / 2.0 > total) {
                continue;
            }
            const PicturePt a = PointAt(drawn[c], lengths[c], s - gap / 2.0);
            const PicturePt b = PointAt(drawn[c], lengths[c], s + gap / 2.0);
            const PicturePt middle = PointAt(drawn[c], lengths[c], s);
            const double chord = Length(a, b);
            const PicturePt mid = Mix(a, b, 0.5);
            if (chord < 0.9 * gap || Length(mid, middle) > 0.3 * size) {
                continue; // too bent here
            }
            double angle = std::atan2(b.y - a.y, b.x - a.x) * 180.0 / kPi;
            if (angle > 90.0) {
                angle -= 180.0;
            } else if (angle <= -90.0) {
                angle += 180.0;
            }
            LabelBox box{middle, std::cos(angle * kPi / 180.0), std::sin(angle * kPi / 180.0),
                         textWidth / 2.0 + 0.3 * size, 0.85 * size};
            bool clear = true;
            for (const double x : {-1.0, 1.0}) {
                for (const double y : {-1.0, 1.0}) {
                    const PicturePt corner = box.Corner(x, y);
                    clear = clear && corner.x > plot.left && corner.x < plot.Right() &&
                            corner.y > plot.top && corner.y < plot.Bottom();
                }
            }
            for (const LabelBox& other : boxes) {
                clear = clear && !box.Overlaps(other);
            }
            for (const auto& [level, at] : levelLabels) {
                clear = clear && !(level == contour.level && Length(at, middle) < apart);
            }
            for (const PictureLamp& lamp : layout.lamps) {
                clear = clear && !LampUnder(lamp, box);
            }
            for (size_t other = 0; clear && other < drawn.size(); ++other) {
                if (other == c) {
                    continue;
                }
                for (const PicturePt& p : drawn[other]) {
                    if (box.Holds(p, clearance)) {
                        clear = false;
                        break;
                    }
                }
            }
            if (!clear) {
                continue;
            }
            boxes.push_back(box);
            levelLabels.push_back({contour.level, middle});
            gaps.push_back({static_cast<int>(c), s - gap / 2.0, s + gap / 2.0});
            layout.labels.push_back(
                {middle, size, angle, PictureText::kMiddle, text, contour.level});
            return true;
        }
        return false;
    };
    std::set<int> labelled;
    for (const size_t c : order) {
        if (place(c, font, 0.2 * font)) {
            labelled.insert(m_contours[c].level);
        }
    }
    // A level still without a label: smaller, closer to its neighbours.
    for (const size_t c : order) {
        if (labelled.count(m_contours[c].level) == 0 && place(c, 0.8 * font, 0.0)) {
            labelled.insert(m_contours[c].level);
        }
    }
    // The drawn pieces: each contour less its label's gap.
    for (size_t c = 0; c < drawn.size(); ++c) {
        const int level = m_contours[c].level;
        const auto placed = std::find_if(gaps.begin(), gaps.end(), [&](const Placed& p) {
            return p.contour == static_cast<int>(c);
        });
        if (placed == gaps.end()) {
            layout.lines.push_back({level, std::move(drawn[c])});
            continue;
        }
        const double total = lengths[c].back();
        std::vector<PicturePt> after = Between(drawn[c], lengths[c], placed->to, total);
        std::vector<PicturePt> before = Between(drawn[c], lengths[c], 0.0, placed->from);
        if (m_contours[c].closed) {
            after.insert(after.end(), before.begin() + 1, before.end());
            layout.lines.push_back({level, std::move(after)});
        } else {
            layout.lines.push_back({level, std::move(before)});
            layout.lines.push_back({level, std::move(after)});
        }
    }
    return layout;
}

} // namespace qv
