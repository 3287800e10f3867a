#pragma once
// The isolux picture of a room grid, without any drawing library: the grid points set
// back on their lattice, the smooth field between them (bilinear, coloured only inside
// the plane's outline), the isolux contours at the legend's levels (marching squares,
// saddles resolved by the cell's mean, segments joined into polylines and smoothed),
// the perceptual colour scale, and the layout of one picture of a given width: the
// plot, the luminaire symbols, the contour pieces with gaps where their value labels
// sit, the axes in metres and the colour bar in lx. The PNG and SVG writers and the
// result window draw the same layout.
#include "calc/indoor/GridPicture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct PicturePt {
    double x = 0.0;
    double y = 0.0;
};

struct PictureColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const PictureColour&, const PictureColour&) = default;
};

// The perceptual scale (viridis: dark violet through teal to yellow) at t in [0, 1].
PictureColour ScaleColour(double t);

// An image of 8-bit RGB pixels, rows from the top.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width·height·3

    RgbImage() = default;
    RgbImage(int w, int h, PictureColour fill);
    PictureColour At(int x, int y) const;
    void Set(int x, int y, PictureColour colour);
};

// The grid points on their lattice: the smallest step between distinct coordinates on
// each axis, indexes counted from the smallest coordinate. A point's value sits at its
// node; nodes without a point (outside the outline) are missing.
class IsoluxField {
public:
    explicit IsoluxField(const std::vector<GridPicturePoint>& points);

    bool Empty() const { return m_columns == 0; }
    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    double OriginU() const { return m_originU; }
    double OriginV() const { return m_originV; }
    double StepU() const { return m_stepU; }
    double StepV() const { return m_stepV; }
    double Min() const { return m_min; }
    double Max() const { return m_max; }
    // The node's value; NaN when missing or out of the lattice.
    double Node(int i, int j) const;
    // Bilinear between the nodes around (u, v), over the present ones only; none when no
    // node of the cell (or of the edge cell beyond the lattice) is present.
    std::optional<double> ValueAt(double u, double v) const;

private:
    int m_columns = 0;
    int m_rows = 0;
    double m_originU = 0.0;
    double m_originV = 0.0;
    double m_stepU = 1.0;
    double m_stepV = 1.0;
    double m_min = 0.0;
    double m_max = 0.0;
    std::vector<double> m_values; // column-major: i·rows + j
};

// One isolux line of a level, in the plane's metres; a closed line repeats its first
// point at the end.
struct IsoluxContour {
    int level = 0; // index into the levels
    bool closed = false;
    std::vector<PicturePt> points;
};

// The lines where the field equals value, over the cells whose four nodes are present,
// smoothed by the given rounds of corner cutting (the ends of open lines kept).
std::vector<IsoluxContour> TraceContours(const IsoluxField& field, double value, int level,
                                         int smoothing = 2);

// A text of the picture: centred vertically on at, anchored there horizontally, turned
// clockwise by angle (degrees). size is the height of its digits.
struct PictureText {
    enum Anchor { kStart, kMiddle, kEnd };
    PicturePt at;
    double size = 0.0;
    double angle = 0.0;
    Anchor anchor = kMiddle;
    std::string text;
    int level = -1; // a contour label's level
};

struct PictureRect {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
};

// A luminaire's symbol: the corners of its rectangle, or its circle.
struct PictureLamp {
    bool circle = false;
    std::vector<PicturePt> corners;
    PicturePt centre;
    double radius = 0.0;
};

// A drawn piece of a contour (between label gaps), in picture units.
struct PictureLine {
    int level = 0;
    std::vector<PicturePt> points;
};

// One picture of the given width, in picture units (a PNG pixel), y downwards.
struct IsoluxLayout {
    double width = 0.0;
    double height = 0.0;
    PictureRect plot;
    double scale = 1.0; // units per metre
    double uLow = 0.0;  // the plane's u at the plot's left edge
    double vHigh = 0.0; // the plane's v at its top edge
    double lineWidth = 1.0;
    double fontSize = 10.0;
    std::vector<PicturePt> outline; // closed: the first point repeated
    std::vector<PictureLamp> lamps;
    std::vector<PictureLine> lines;
    std::vector<PictureText> labels;    // one per labelled contour: its level's text
    std::vector<PictureText> axisTexts; // tick numbers and axis titles, Latin only
    std::vector<PicturePt> tickMarks;   // pairs of ends
    PictureRect colourBar;              // its bottom is the scale's low end
    std::vector<PictureText> barTexts;  // the bar's values and its unit "lx"
    PictureText title;                  // Chinese
    PictureText subtitle;               // Chinese
    PictureText latinTitle;             // the same in Latin letters, for the bitmap

    PicturePt ToPicture(double u, double v) const {
        return {plot.left + (u - uLow) * scale, plot.top + (vHigh - v) * scale};
    }
    double UAt(double x) const { return uLow + (x - plot.left) / scale; }
    double VAt(double y) const { return vHigh - (y - plot.top) / scale; }
};

class IsoluxPicture {
public:
    explicit IsoluxPicture(GridPictureData data);

    const GridPictureData& Data() const { return m_data; }
    const IsoluxField& Field() const { return m_field; }
    const std::vector<IsoluxContour>& Contours() const { return m_contours; }
    bool Empty() const { return m_field.Empty(); }

    // The colour scale runs from the data's low value to its highest level (or the
    // field's maximum when no level lies above it).
    double ScaleLow() const { return m_scaleLow; }
    double ScaleHigh() const { return m_scaleHigh; }
    PictureColour ColourOf(double value) const;
    // The line and label colour of a level: dark over light colours, light over dark.
    PictureColour LineColour(int level) const;

    IsoluxLayout Layout(double width) const;

    // The field over the layout's plot, pixelWidth × pixelHeight pixels, white where
    // nothing is coloured (outside the outline).
    RgbImage FieldImage(const IsoluxLayout& layout, int pixelWidth, int pixelHeight) const;

private:
    bool Inside(double u, double v) const;

    GridPictureData m_data;
    IsoluxField m_field;
    std::vector<IsoluxContour> m_contours;
    double m_scaleLow = 0.0;
    double m_scaleHigh = 1.0;
};

} // namespace qv
