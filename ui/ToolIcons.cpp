#include "ui/ToolIcons.h"

#include "panels/CommandTable.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace qv {
namespace {

// The pictures are drawn in the 16 × 15 box of the button; a line of width 1 lies on the
// middle of a pixel (x.5) so that it stays one pixel wide at 1×.
const QColor kInk(64, 64, 64);
const QColor kPaper(252, 252, 248);
const QColor kBlue(47, 111, 181);
const QColor kLightBlue(170, 205, 240);
const QColor kYellow(242, 193, 46);
const QColor kLightYellow(255, 236, 150);
const QColor kGreen(58, 154, 74);
const QColor kLightGreen(190, 230, 180);
const QColor kRed(192, 57, 43);
const QColor kGrey(150, 150, 150);

using Drawing = std::function<void(QPainter&)>;

void Pen(QPainter& p, const QColor& colour, double width = 1.0) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void Polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& fill,
             const QColor& line = kInk) {
    Pen(p, line);
    p.setBrush(fill);
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

// A sheet of paper with its top right corner folded.
void Page(QPainter& p, const QColor& fill = kPaper) {
    Polygon(p, {{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 14.5}, {2.5, 14.5}}, fill);
    Pen(p, kInk);
    p.drawPolyline(QPolygonF({{10.5, 0.5}, {10.5, 3.5}, {13.5, 3.5}}));
}

void Folder(QPainter& p) {
    Polygon(p, {{0.5, 2.5}, {5.5, 2.5}, {6.5, 4.5}, {13.5, 4.5}, {13.5, 13.5}, {0.5, 13.5}},
            kYellow.darker(110));
    Polygon(p, {{2.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {0.5, 13.5}}, kLightYellow);
}

void Disk(QPainter& p) {
    Polygon(p, {{0.5, 0.5}, {12.5, 0.5}, {14.5, 2.5}, {14.5, 14.5}, {0.5, 14.5}}, kBlue);
    Pen(p, kInk);
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 0.5, 8, 5));
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(3.5, 9.5, 8, 5));
    p.fillRect(QRectF(8, 1, 2, 4), kInk);
}

// A curved arrow from the right to the left (mirrored for redo).
void TurnArrow(QPainter& p, bool mirrored) {
    if (mirrored) {
        p.translate(kToolIconWidth, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(4, 6);
    arc.cubicTo(8, 2, 15, 4, 13.5, 10);
    arc.cubicTo(12.5, 13, 10, 13.5, 8, 13.5);
    Pen(p, kBlue, 2.0);
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{0.5, 6.5}, {6.5, 1.5}, {7, 10}}));
}

// A ceiling luminaire: the housing and the light under it.
void Luminaire(QPainter& p, double x, double y, double width) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 226, 110, 170));
    p.drawPolygon(QPolygonF(
        {{x + 1, y + 3}, {x + width - 1, y + 3}, {x + width + 2, y + 10}, {x - 2, y + 10}}));
    Polygon(p, {{x, y}, {x + width, y}, {x + width - 1.5, y + 3}, {x + 1.5, y + 3}}, kGrey);
    Pen(p, kYellow.darker(120));
    p.drawLine(QPointF(x + 2, y + 3.5), QPointF(x + width - 2, y + 3.5));
}

// A floodlight on a short stand aiming up to the right.
void Floodlight(QPainter& p) {
    Pen(p, kInk);
    p.drawLine(QPointF(3.5, 14.5), QPointF(3.5, 10.5));
    p.drawLine(QPointF(1.5, 14.5), QPointF(5.5, 14.5));
    p.save();
    p.translate(3.5, 9.5);
    p.rotate(-30);
    Polygon(p, {{-2.5, -2.5}, {2.5, -2.5}, {3.5, -3.5}, {3.5, 3.5}, {2.5, 2.5}, {-2.5, 2.5}},
            kGrey);
    p.restore();
}

void Bolt(QPainter& p) {
    Polygon(p,
            {{9.5, 0.5}, {3.5, 8.5}, {7.5, 8.5}, {5.5, 14.5}, {12.5, 5.5}, {8.5, 5.5}, {10.5, 0.5}},
            kYellow, kYellow.darker(160));
}

// A plan of dots, rows × columns, over the box.
void Dots(QPainter& p, const QRectF& box, int rows, int columns, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double x = box.left() + box.width() * (c + 0.5) / columns;
            const double y = box.top() + box.height() * (r + 0.5) / rows;
            p.drawEllipse(QPointF(x, y), 1.2, 1.2);
        }
    }
}

const std::map<int, Drawing>& Drawings() {
    static const std::map<int, Drawing> drawings = {
        {kCmdNew,
         [](QPainter& p) {
             Page(p);
             p.setPen(Qt::NoPen);
             p.setBrush(kYellow);
             p.drawPolygon(QPolygonF({{11, 8},
                                      {12.2, 10.8},
                                      {15, 12},
                                      {12.2, 13.2},
                                      {11, 15},
                                      {9.8, 13.2},
                                      {7, 12},
                                      {9.8, 10.8}}));
         }},
        {kCmdOpen, [](QPainter& p) { Folder(p); }},
        {kCmdSave, [](QPainter& p) { Disk(p); }},
        {kCmdSaveAs,
         [](QPainter& p) {
             p.save();
             p.scale(0.8, 0.8);
             Disk(p);
             p.restore();
             // A pencil writing the new name.
             Polygon(p, {{15.5, 5.5}, {8.5, 12.5}, {6.5, 14.5}, {7.5, 11.5}, {14.5, 4.5}}, kYellow,
                     kInk);
             Pen(p, kRed, 1.5);
             p.drawLine(QPointF(14.2, 4.8), QPointF(15.5, 6));
         }},
        {kCmdUndo, [](QPainter& p) { TurnArrow(p, false); }},
        {kCmdRedo, [](QPainter& p) { TurnArrow(p, true); }},
        {kCmdAbout,
         [](QPainter& p) {
             Pen(p, kBlue.darker(130));
             p.setBrush(kBlue);
             p.drawEllipse(QRectF(0.5, 0.5, 14, 14));
             QPainterPath mark;
             mark.moveTo(5, 5.5);
             mark.cubicTo(5, 2.5, 10.5, 2.5, 10.5, 5.5);
             mark.cubicTo(10.5, 7.5, 7.5, 7.5, 7.5, 9.5);
             Pen(p, Qt::white, 2.0);
             p.setBrush(Qt::NoBrush);
             p.drawPath(mark);
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(7.5, 12), 1.2, 1.2);
         }},
        {kCmdLuminaireCatalogue,
         [](QPainter& p) {
             // The catalogue as a database drum, a luminaire type added to it.
             Pen(p, kInk);
             p.setBrush(kLightBlue);
             p.drawRect(QRectF(0.5, 3, 10, 9.5));
             p.drawEllipse(QRectF(0.5, 10, 10, 4.5));
             p.setPen(Qt::NoPen);
             p.drawRect(QRectF(1, 3, 9, 9.5));
             Pen(p, kInk);
             p.drawLine(QPointF(0.5, 3), QPointF(0.5, 12.2));
             p.drawLine(QPointF(10.5, 3), QPointF(10.5, 12.2));
             p.setBrush(kBlue.lighter(140));
             p.drawEllipse(QRectF(0.5, 0.5, 10, 4.5));
             Pen(p, kGreen, 2.5);
             p.drawLine(QPointF(12.5, 8), QPointF(12.5, 14));
             p.drawLine(QPointF(9.5, 11), QPointF(15.5, 11));
         }},
        {kCmdCatalogueFolder,
         [](QPainter& p) {
             Folder(p);
             p.setBrush(kLightBlue);
             Pen(p, kInk);
             p.drawEllipse(QRectF(6.5, 8.5, 6, 3));
         }},
        {kCmdProjectInfo,
         [](QPainter& p) {
             // A page of the project's particulars.
             Page(p);
             p.fillRect(QRectF(4, 3, 5, 2), kBlue);
             Pen(p, kGrey);
             for (const double y : {7.5, 9.5, 11.5}) {
                 p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
             }
         }},
        {kCmdRoomBar,
         [](QPainter& p) {
             // The room's outline with a door in its lower wall.
             Pen(p, kInk, 2.0);
             p.setBrush(kLightYellow);
             p.drawPolyline(QPolygonF(
                 {{5, 14}, {1, 14}, {1, 1}, {10, 1}, {10, 6}, {15, 6}, {15, 14}, {9, 14}}));
             Pen(p, kBlue, 1.0);
             p.drawArc(QRectF(1, 10, 8, 8), 0, 90 * 16);
         }},
        {kCmdSiteBar,
         [](QPainter& p) {
             // The site as a field with its corners marked.
             Polygon(p, {{2.5, 2.5}, {13.5, 2.5}, {13.5, 12.5}, {2.5, 12.5}}, kLightGreen,
                     kGreen.darker(130));
             Pen(p, kPaper);
             p.drawLine(QPointF(8, 3), QPointF(8, 12));
             p.drawEllipse(QPointF(8, 7.5), 2, 2);
             p.setPen(Qt::NoPen);
             p.setBrush(kRed);
             for (const QPointF corner : {QPointF(2.5, 2.5), QPointF(13.5, 2.5),
                                          QPointF(13.5, 12.5), QPointF(2.5, 12.5)}) {
                 p.drawEllipse(corner, 1.6, 1.6);
             }
         }},
        {kCmdRoadBar,
         [](QPainter& p) {
             // A road running away from the viewer, its centre line dashed.
             Polygon(p, {{5.5, 0.5}, {10.5, 0.5}, {15.5, 14.5}, {0.5, 14.5}}, kGrey, kInk);
             Pen(p, Qt::white, 1.5);
             for (const auto& [from, to] :
                  {std::pair{1.0, 3.0}, std::pair{5.5, 8.0}, std::pair{10.5, 14.0}}) {
                 p.drawLine(QPointF(8, from), QPointF(8, to));
             }
         }},
        {kCmdLuminaireBar, [](QPainter& p) { Luminaire(p, 2.5, 1.5, 11); }},
        {kCmdPointIlluminance,
         [](QPainter& p) {
             // A luminaire over one point of the working plane.
             Luminaire(p, 1.5, 0.5, 7);
             Pen(p, kRed, 1.0);
             p.drawLine(QPointF(5, 4), QPointF(11.5, 12.5));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(11.5, 12.5), 2.2, 2.2);
             p.drawLine(QPointF(11.5, 9), QPointF(11.5, 15));
             p.drawLine(QPointF(8, 12.5), QPointF(15, 12.5));
         }},
        {kCmdGridIlluminance,
         [](QPainter& p) {
             // The grid of calculation points on the plane and on a wall.
             Polygon(p, {{0.5, 4.5}, {10.5, 4.5}, {10.5, 14.5}, {0.5, 14.5}}, kPaper);
             Dots(p, QRectF(0.5, 4.5, 10, 10), 3, 3, kBlue);
             Polygon(p, {{11.5, 0.5}, {15.5, 2.5}, {15.5, 12.5}, {11.5, 14.5}}, kLightBlue);
             Dots(p, QRectF(12, 3, 3.5, 9), 3, 1, kRed);
         }},
        {kCmdLumenMethod,
         [](QPainter& p) {
             // The room in section: the luminaire's flux reaching the working plane.
             Pen(p, kInk);
             p.setBrush(kPaper);
             p.drawRect(QRectF(0.5, 0.5, 15, 14));
             p.fillRect(QRectF(5, 1, 6, 2), kGrey);
             Pen(p, kYellow.darker(130), 1.0);
             for (const double x : {3.0, 8.0, 13.0}) {
                 p.drawLine(QPointF(8, 3), QPointF(x, 10));
             }
             p.fillRect(QRectF(1, 10.5, 14, 4), kLightGreen);
             Pen(p, kGreen.darker(130));
             p.drawLine(QPointF(1, 10.5), QPointF(15, 10.5));
         }},
        {kCmdSpherical,
         [](QPainter& p) {
             QRadialGradient shade(QPointF(5.5, 5), 9);
             shade.setColorAt(0, kPaper);
             shade.setColorAt(1, kBlue);
             Pen(p, kBlue.darker(140));
             p.setBrush(shade);
             p.drawEllipse(QRectF(1, 0.5, 14, 14));
             p.setBrush(Qt::NoBrush);
             Pen(p, kBlue.darker(140), 0.8);
             p.drawEllipse(QRectF(1, 5.5, 14, 4));
         }},
        {kCmdCylindrical,
         [](QPainter& p) {
             QLinearGradient shade(QPointF(3, 0), QPointF(13, 0));
             shade.setColorAt(0, kPaper);
             shade.setColorAt(1, kGreen);
             Pen(p, kGreen.darker(150));
             p.setBrush(shade);
             p.drawRect(QRectF(2.5, 2.5, 11, 10));
             p.drawEllipse(QRectF(2.5, 10.5, 11, 4));
             p.setPen(Qt::NoPen);
             p.drawRect(QRectF(3, 2.5, 10, 10));
             Pen(p, kGreen.darker(150));
             p.drawLine(QPointF(2.5, 2.5), QPointF(2.5, 12.5));
             p.drawLine(QPointF(13.5, 2.5), QPointF(13.5, 12.5));
             p.setBrush(kLightGreen);
             p.drawEllipse(QRectF(2.5, 0.5, 11, 4));
         }},
        {kCmdUnitCapacity,
         [](QPainter& p) {
             // Watts per square metre read from a table: a floor area and its bars.
             Polygon(p, {{0.5, 9.5}, {9.5, 9.5}, {15.5, 14.5}, {5.5, 14.5}}, kLightGreen,
                     kGreen.darker(130));
             p.setPen(Qt::NoPen);
             p.setBrush(kBlue);
             p.drawRect(QRectF(2, 4, 3, 5));
             p.setBrush(kRed);
             p.drawRect(QRectF(6, 1, 3, 8));
             p.setBrush(kYellow);
             p.drawRect(QRectF(10, 6, 3, 3));
         }},
        {kCmdPowerDensity,
         [](QPainter& p) {
             Pen(p, kGrey);
             p.setBrush(kPaper);
             p.drawRect(QRectF(0.5, 8.5, 15, 6));
             Bolt(p);
         }},
        {kCmdFloodPoint,
         [](QPainter& p) {
             // A floodlight's beam on one aiming point.
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(255, 226, 110, 170));
             p.drawPolygon(QPolygonF({{6, 6}, {15, 0}, {15, 7}}));
             Floodlight(p);
             Pen(p, kRed);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(13.5, 3.5), 2, 2);
             p.drawPoint(QPointF(13.5, 3.5));
         }},
        {kCmdFloodUnitCapacity,
         [](QPainter& p) {
             // Floodlights lighting an area of the site.
             Polygon(p, {{6.5, 10.5}, {15.5, 10.5}, {15.5, 14.5}, {6.5, 14.5}}, kLightGreen,
                     kGreen.darker(130));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(255, 226, 110, 170));
             p.drawPolygon(QPolygonF({{5, 7}, {15.5, 10.5}, {7, 10.5}}));
             p.drawPolygon(QPolygonF({{11, 2}, {15.5, 10.5}, {8, 10.5}}));
             Floodlight(p);
             Pen(p, kInk);
             p.setBrush(kGrey);
             p.drawRect(QRectF(9.5, 0.5, 3, 2));
         }},
        {kCmdRoadLumenMethod,
         [](QPainter& p) {
             // A street lamp over the road.
             p.fillRect(QRectF(0, 12, 16, 3), kGrey);
             Pen(p, Qt::white);
             p.drawLine(QPointF(1, 13.5), QPointF(4, 13.5));
             p.drawLine(QPointF(7, 13.5), QPointF(10, 13.5));
             p.drawLine(QPointF(13, 13.5), QPointF(16, 13.5));
             Pen(p, kInk, 1.5);
             p.drawLine(QPointF(2.5, 12), QPointF(2.5, 2));
             p.drawLine(QPointF(2.5, 2), QPointF(10, 2));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(255, 226, 110, 170));
             p.drawPolygon(QPolygonF({{8.5, 3.5}, {12, 3.5}, {15.5, 12}, {5, 12}}));
             Polygon(p, {{7.5, 1}, {13.5, 1}, {12.5, 3.5}, {8.5, 3.5}}, kGrey);
         }},
    };
    return drawings;
}

QPixmap Render(const Drawing& draw, double ratio) {
    QPixmap pixmap(QSize(kToolIconWidth, kToolIconHeight) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
}

} // namespace

QIcon CommandIcon(int id) {
    const auto found = Drawings().find(id);
    if (found == Drawings().end()) {
        return {};
    }
    QIcon icon;
    icon.addPixmap(Render(found->second, 1.0));
    icon.addPixmap(Render(found->second, 2.0));
    return icon;
}

} // namespace qv
