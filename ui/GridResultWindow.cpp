#include "ui/GridResultWindow.h"

#include "ui/QtText.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <QBoxLayout>
#include <QPainter>
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

} // namespace

const FileDialogSpec& BitmapDialog() {
    static const FileDialogSpec dialog{FileDialogSpec::kSave, "bmp", "位图 (.bmp) |*.bmp||"};
    return dialog;
}

GridResultWindow::GridResultWindow(const GridPanel& panel, ChooseFile chooseFile, QWidget* parent)
    : QDialog(parent), m_panel(panel), m_chooseFile(std::move(chooseFile)) {
    setObjectName(QStringLiteral("gridResultPicture"));
    setWindowTitle(QStringLiteral("计算结果图形输出"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* save = new QPushButton(QStringLiteral("保存BMP"), this);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, [this] { SavePicture(); });
    buttons->addWidget(save);
    layout->addLayout(buttons);
    resize(kPictureWidth, kPictureHeight + 40);
}

void GridResultWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSize size(width(), std::max(1, height() - 40)); // the button row below
    painter.drawImage(0, 0, Render(size));
}

QImage GridResultWindow::Render(const QSize& size) const {
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

    painter.setRenderHint(QPainter::Antialiasing, m_panel.drawForm == 0);
    for (const PicturePoint& p : points) {
        const QRectF r = cell(p.u, p.v);
        const QColor colour = BandColour(m_panel, bands[key(p)]);
        switch (m_panel.drawForm) {
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
    const QImage picture = Render(QSize(kPictureWidth, kPictureHeight));
    if (!picture.save(ToQt(*path), "BMP")) {
        KvMessageSink::Show("位图文件 " + *path + " 无法写入。", "系统提示",
                            KvMessageIcon::Warning);
        return false;
    }
    return true;
}

} // namespace qv
