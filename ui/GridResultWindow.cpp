#include "ui/GridResultWindow.h"

#include "report/picture/PngPicture.h"
#include "report/picture/SvgPicture.h"
#include "ui/AppFont.h"
#include "ui/QtText.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace qv {
namespace {

constexpr int kMargin = 18;
constexpr int kLegendWidth = 90;
constexpr double kSameCoordinate = 1e-6;

// A grid point in the picture's plane: plan x, y for the horizontal grid; distance along
// the plane from its first point and height for the vertical one.
struct PicturePoint {
    double u = 0.0;
    double v = 0.0;
    double value = 0.0;
};

std::vector<PicturePoint> PicturePoints(const GridPanel& panel) {
    std::vector<PicturePoint> points;
    const std::vector<CalcPoint>& calculated = panel.Points();
    if (calculated.empty()) {
        return points;
    }
    const bool vertical = panel.LastKind() == kGridVertical;
    const Vector& first = calculated.front().position;
    for (const CalcPoint& point : calculated) {
        const Vector& p = point.position;
        if (vertical) {
            points.push_back({std::hypot(p.x - first.x, p.y - first.y), p.z, point.dEv});
        } else {
            points.push_back({p.x, p.y, point.dEh});
        }
    }
    return points;
}

// The smallest distance between neighbouring distinct coordinates; 1 when all agree.
double Step(std::vector<double> coordinates) {
    std::sort(coordinates.begin(), coordinates.end());
    double step = 0.0;
    for (size_t i = 1; i < coordinates.size(); ++i) {
        const double gap = coordinates[i] - coordinates[i - 1];
        if (gap > kSameCoordinate && (step == 0.0 || gap < step)) {
            step = gap;
        }
    }
    return step > 0.0 ? step : 1.0;
}

// The band of a value: the first band whose value is not below it, else the last; -1
// without bands.
int BandOf(const std::vector<LegendBand>& legend, double value) {
    for (size_t i = 0; i < legend.size(); ++i) {
        if (value <= KvStr::Atof(legend[i].valueText)) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(legend.size()) - 1;
}

QColor BandColour(const GridPanel& panel, int band) {
    if (band >= 0) {
        const GridColour& c = panel.Legend()[static_cast<size_t>(band)].colour;
        return QColor(c.red, c.green, c.blue);
    }
    const GridColour& c = panel.colours.empty() ? GridPanel::kMissingColour : panel.colours[0];
    return QColor(c.red, c.green, c.blue);
}

QColor ToColour(PictureColour c) {
    return QColor(c.red, c.green, c.blue);
}

QPointF ToPoint(const PicturePt& p) {
    return QPointF(p.x, p.y);
}

QPainterPath PathOf(const std::vector<PicturePt>& points, bool close) {
    QPainterPath path;
    for (size_t i = 0; i < points.size(); ++i) {
        if (i == 0) {
            path.moveTo(ToPoint(points[i]));
        } else {
            path.lineTo(ToPoint(points[i]));
        }
    }
    if (close) {
        path.closeSubpath();
    }
    return path;
}

// A picture text in the program's font, its digits as high as the layout asks.
void DrawText(QPainter& painter, const PictureText& text, bool bold = false) {
    QFont font(QString::fromLatin1(kUiFontFamily));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(text.size / 0.72))));
    font.setBold(bold);
    painter.setFont(font);
    const QString shown = ToQt(text.text);
    const double width = QFontMetricsF(font).horizontalAdvance(shown);
    const double x = text.anchor == PictureText::kStart    ? 0.0
                     : text.anchor == PictureText::kMiddle ? -width / 2.0
                                                           : -width;
    painter.save();
    painter.translate(ToPoint(text.at));
    painter.rotate(text.angle);
    painter.drawText(QPointF(x, text.size / 2.0), shown);
    painter.restore();
}

// The button row's height below the picture.
constexpr int kButtonRow = 40;

} // namespace

const FileDialogSpec& BitmapDialog() {
    static const FileDialogSpec dialog{FileDialogSpec::kSave, "bmp", "位图 (.bmp) |*.bmp||"};
    return dialog;
}

const FileDialogSpec& PngPictureDialog() {
    static const FileDialogSpec dialog{FileDialogSpec::kSave, "png", "PNG图片 (.png) |*.png||"};
    return dialog;
}

const FileDialogSpec& SvgPictureDialog() {
    static const FileDialogSpec dialog{FileDialogSpec::kSave, "svg", "SVG图形 (.svg) |*.svg||"};
    return dialog;
}

GridResultWindow::GridResultWindow(const GridPanel& panel, ChooseFile chooseFile, QWidget* parent)
    : QDialog(parent), m_panel(panel), m_chooseFile(std::move(chooseFile)),
      m_isolux(panel.Picture()) {
    setObjectName(QStringLiteral("gridResultPicture"));
    setWindowTitle(QStringLiteral("计算结果图形输出"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("显示"), this));
    m_viewList = new QComboBox(this);
    m_viewList->addItems({QStringLiteral("等照度图"), QStringLiteral("点"), QStringLiteral("线"),
                          QStringLiteral("面")});
    buttons->addWidget(m_viewList);
    buttons->addStretch();
    const auto add = [&](const char* text, std::function<void()> action) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, std::move(action));
        buttons->addWidget(button);
    };
    add("保存PNG", [this] { SavePng(); });
    add("保存SVG", [this] { SaveSvg(); });
    add("保存BMP", [this] { SavePicture(); });
    layout->addLayout(buttons);
    // After a horizontal run the isolux picture comes first; else the panel's form.
    ShowView(panel.LastKind() == kGridHorizontal ? kIsolux : static_cast<View>(panel.drawForm));
    connect(m_viewList, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowView(static_cast<View>(index - 1)); });
    resize(kPictureWidth, kPictureHeight + kButtonRow);
}

void GridResultWindow::ShowView(View view) {
    m_view = std::clamp(view, kIsolux, kAreas);
    const QSignalBlocker quiet(m_viewList);
    m_viewList->setCurrentIndex(static_cast<int>(m_view) + 1);
    update();
}

void GridResultWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSize size(width(), std::max(1, height() - kButtonRow));
    painter.drawImage(0, 0, RenderView(size));
}

QImage GridResultWindow::RenderView(const QSize& size) const {
    return m_view == kIsolux ? RenderIsolux(size) : RenderForm(size, static_cast<int>(m_view));
}

QImage GridResultWindow::RenderIsolux(const QSize& size) const {
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    if (m_isolux.Empty() || size.width() < 2 || size.height() < 2) {
        return image;
    }
    const IsoluxLayout layout = m_isolux.Layout(size.width());
    const double scale = std::min(1.0, size.height() / layout.height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate((size.width() - layout.width * scale) / 2.0, 0.0);
    painter.scale(scale, scale);
    const PictureRect& plot = layout.plot;
    const QRectF plotRect(plot.left, plot.top, plot.width, plot.height);
    const RgbImage field =
        m_isolux.FieldImage(layout, std::max(1, static_cast<int>(std::lround(plot.width * scale))),
                            std::max(1, static_cast<int>(std::lround(plot.height * scale))));
    const QImage fieldImage(field.pixels.data(), field.width, field.height, field.width * 3,
                            QImage::Format_RGB888);
    painter.drawImage(plotRect, fieldImage);
    const double line = layout.lineWidth;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 150, 150), 0.75 * line));
    painter.drawRect(plotRect);
    for (const PictureLine& piece : layout.lines) {
        painter.setPen(QPen(ToColour(m_isolux.LineColour(piece.level)), line, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(PathOf(piece.points, false));
    }
    painter.setPen(QPen(QColor(30, 30, 30), 1.6 * line));
    painter.drawPath(PathOf(layout.outline, true));
    painter.setPen(QPen(QColor(30, 30, 30), line));
    painter.setBrush(Qt::white);
    for (const PictureLamp& lamp : layout.lamps) {
        if (lamp.circle) {
            painter.drawEllipse(ToPoint(lamp.centre), lamp.radius, lamp.radius);
        } else {
            painter.drawPath(PathOf(lamp.corners, true));
        }
    }
    painter.setBrush(Qt::NoBrush);
    for (const PictureText& label : layout.labels) {
        painter.setPen(ToColour(m_isolux.LineColour(label.level)));
        DrawText(painter, label);
    }
    painter.setPen(QPen(QColor(30, 30, 30), 0.75 * line));
    for (size_t i = 0; i + 1 < layout.tickMarks.size(); i += 2) {
        painter.drawLine(ToPoint(layout.tickMarks[i]), ToPoint(layout.tickMarks[i + 1]));
    }
    const PictureRect& bar = layout.colourBar;
    QLinearGradient gradient(0.0, bar.Bottom(), 0.0, bar.top);
    for (int i = 0; i <= 16; ++i) {
        gradient.setColorAt(i / 16.0, ToColour(ScaleColour(i / 16.0)));
    }
    painter.setBrush(gradient);
    painter.drawRect(QRectF(bar.left, bar.top, bar.width, bar.height));
    painter.setBrush(Qt::NoBrush);
    for (const std::vector<PictureText>* texts : {&layout.axisTexts, &layout.barTexts}) {
        for (const PictureText& text : *texts) {
            DrawText(painter, text);
        }
    }
    DrawText(painter, layout.title, true);
    DrawText(painter, layout.subtitle);
    return image;
}

QImage GridResultWindow::Render(const QSize& size) const {
    return RenderForm(size, m_panel.drawForm);
}

QImage GridResultWindow::RenderForm(const QSize& size, int form) const {
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    const std::vector<PicturePoint> points = PicturePoints(m_panel);
    const std::vector<LegendBand>& legend = m_panel.Legend();

    // The legend on the right.
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    painter.setFont(font);
    const int legendLeft = size.width() - kLegendWidth;
    const int rowHeight = 16;
    for (size_t i = 0;
         i < legend.size() && kMargin + (static_cast<int>(i) + 1) * rowHeight < size.height();
         ++i) {
        const int top = kMargin + static_cast<int>(i) * rowHeight;
        painter.fillRect(legendLeft, top, 20, rowHeight - 3,
                         BandColour(m_panel, static_cast<int>(i)));
        painter.setPen(Qt::black);
        painter.drawText(legendLeft + 26, top + rowHeight - 4, ToQt(legend[i].valueText));
    }
    if (points.empty()) {
        return image;
    }

    std::vector<double> us;
    std::vector<double> vs;
    for (const PicturePoint& p : points) {
        us.push_back(p.u);
        vs.push_back(p.v);
    }
    const double du = Step(us);
    const double dv = Step(vs);
    const auto [uMin, uMax] = std::minmax_element(us.begin(), us.end());
    const auto [vMin, vMax] = std::minmax_element(vs.begin(), vs.end());
    const double spanU = *uMax - *uMin + du;
    const double spanV = *vMax - *vMin + dv;
    const double areaW = std::max(1, legendLeft - 2 * kMargin);
    const double areaH = std::max(1, size.height() - 2 * kMargin);
    const double scale = std::max(spanU / areaW, spanV / areaH); // units per pixel
    const double left = kMargin + (areaW - spanU / scale) / 2.0;
    const double bottom = size.height() - kMargin - (areaH - spanV / scale) / 2.0;
    const auto cell = [&](double u, double v) {
        return QRectF(left + (u - *uMin) / scale, bottom - (v - *vMin + dv) / scale, du / scale,
                      dv / scale);
    };

    // The band of every grid cell, by its whole-step indexes.
    std::map<std::pair<long, long>, int> bands;
    const auto key = [&](const PicturePoint& p) {
        return std::pair{std::lround((p.u - *uMin) / du), std::lround((p.v - *vMin) / dv)};
    };
    for (const PicturePoint& p : points) {
        bands[key(p)] = BandOf(legend, p.value);
    }

    painter.setRenderHint(QPainter::Antialiasing, form == 0);
    for (const PicturePoint& p : points) {
        const QRectF r = cell(p.u, p.v);
        const QColor colour = BandColour(m_panel, bands[key(p)]);
        switch (form) {
        case 2:                                               // 面
            painter.fillRect(r.adjusted(0, 0, 1, 1), colour); // no seams between cells
            break;
        case 1: { // 线: the borders where the band changes
            painter.setPen(QPen(colour, 1.5));
            const auto [i, j] = key(p);
            const auto right = bands.find({i + 1, j});
            if (right != bands.end() && right->second != bands[{i, j}]) {
                painter.drawLine(r.topRight(), r.bottomRight());
            }
            const auto up = bands.find({i, j + 1});
            if (up != bands.end() && up->second != bands[{i, j}]) {
                painter.drawLine(r.topLeft(), r.topRight());
            }
            break;
        }
        default: { // 点
            const double radius = std::clamp(std::min(r.width(), r.height()) / 3.0, 1.0, 4.0);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(r.center(), radius, radius);
            break;
        }
        }
    }
    return image;
}

bool GridResultWindow::SavePicture() {
    const std::optional<std::string> path =
        m_chooseFile ? m_chooseFile(BitmapDialog()) : std::nullopt;
    if (!path) {
        return false;
    }
    const QImage picture = RenderView(QSize(kPictureWidth, kPictureHeight));
    if (!picture.save(ToQt(*path), "BMP")) {
        KvMessageSink::Show("位图文件 " + *path + " 无法写入。", "系统提示",
                            KvMessageIcon::Warning);
        return false;
    }
    return true;
}

bool GridResultWindow::SavePng() {
    return SaveIsolux(PngPictureDialog(), false);
}

bool GridResultWindow::SaveSvg() {
    return SaveIsolux(SvgPictureDialog(), true);
}

bool GridResultWindow::SaveIsolux(const FileDialogSpec& dialog, bool svg) {
    if (m_isolux.Empty()) {
        KvMessageSink::Show("没有计算结果!", "系统提示", KvMessageIcon::Warning);
        return false;
    }
    const std::optional<std::string> path = m_chooseFile ? m_chooseFile(dialog) : std::nullopt;
    if (!path) {
        return false;
    }
    const std::string content = svg ? IsoluxSvg(m_isolux) : IsoluxPng(m_isolux);
    if (!KvFile::WriteAtomically(*path, content)) {
        KvMessageSink::Show("图片文件 " + *path + " 无法写入。", "系统提示",
                            KvMessageIcon::Warning);
        return false;
    }
    return true;
}

} // namespace qv
