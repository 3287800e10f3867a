#include "ui/IntensityPlot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

constexpr int kRings = 4;

double Largest(const IntensityCurve& curve) {
    double largest = 0.0;
    for (const IntensityRow& row : curve.Rows()) {
        if (std::isfinite(row.dLightStrong)) {
            largest = std::max(largest, row.dLightStrong);
        }
    }
    return largest;
}

// The curve as a path on one side (+1 right, -1 left): an angle θ from the nadir lies at
// (side·r·sinθ, r·cosθ) below the centre.
QPainterPath CurvePath(const IntensityCurve& curve, QPointF centre, double radius, double outer,
                       int side) {
    QPainterPath path;
    bool first = true;
    for (const IntensityRow& row : curve.Rows()) {
        if (!std::isfinite(row.dAngle) || !std::isfinite(row.dLightStrong)) {
            continue;
        }
        const double angle = row.dAngle * std::numbers::pi / 180.0;
        const double r = std::clamp(row.dLightStrong / outer, 0.0, 1.0) * radius;
        const QPointF point(centre.x() + side * r * std::sin(angle),
                            centre.y() + r * std::cos(angle));
        if (first) {
            path.moveTo(point);
            first = false;
        } else {
            path.lineTo(point);
        }
    }
    return path;
}

} // namespace

double RoundRingValue(double largest) {
    if (!(largest > 0.0) || !std::isfinite(largest)) {
        return 100.0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(largest)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        if (largest <= step * power) {
            return step * power;
        }
    }
    return 10.0 * power;
}

IntensityPlot::IntensityPlot(QWidget* parent) : QWidget(parent) {
    setMinimumSize(220, 220);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
}

void IntensityPlot::SetCurves(const IntensityCurve& curveA, const IntensityCurve& curveB) {
    m_curveA = curveA;
    m_curveB = curveB;
    m_outer = RoundRingValue(std::max(Largest(curveA), Largest(curveB)));
    update();
}

void IntensityPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double radius = std::max(10.0, std::min(width(), height()) / 2.0 - 24.0);
    const QPointF centre(width() / 2.0, height() / 2.0);

    // Rings with their values, spokes every 30° with their angles.
    painter.setPen(QPen(QColor(190, 190, 190), 1));
    painter.setFont(QFont(font().family(), 7));
    for (int ring = 1; ring <= kRings; ++ring) {
        const double r = radius * ring / kRings;
        painter.drawEllipse(centre, r, r);
        painter.drawText(QPointF(centre.x() + 3, centre.y() + r - 2),
                         QString::number(m_outer * ring / kRings, 'g', 4));
    }
    for (int degrees = 0; degrees < 360; degrees += 30) {
        const double angle = degrees * std::numbers::pi / 180.0;
        const QPointF end(centre.x() + radius * std::sin(angle),
                          centre.y() + radius * std::cos(angle));
        painter.drawLine(centre, end);
        const int shown = degrees <= 180 ? degrees : 360 - degrees;
        const QPointF label(centre.x() + (radius + 12) * std::sin(angle) - 8,
                            centre.y() + (radius + 12) * std::cos(angle) + 4);
        painter.drawText(label, QStringLiteral("%1°").arg(shown));
    }

    const QPen penA(QColor(0, 70, 200), 2);
    QPen penB(QColor(200, 40, 40), 2);
    penB.setStyle(Qt::DashLine);
    for (const int side : {1, -1}) {
        painter.setPen(penA);
        painter.drawPath(CurvePath(m_curveA, centre, radius, m_outer, side));
        painter.setPen(penB);
        painter.drawPath(CurvePath(m_curveB, centre, radius, m_outer, side));
    }
    painter.setFont(font());
    painter.setPen(penA);
    painter.drawLine(QPointF(8, 14), QPointF(30, 14));
    painter.drawText(QPointF(34, 18), QStringLiteral("A-A"));
    painter.setPen(penB);
    painter.drawLine(QPointF(8, 32), QPointF(30, 32));
    painter.drawText(QPointF(34, 36), QStringLiteral("B-B"));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, height() - 18, width() - 6, 16), Qt::AlignRight,
                     QStringLiteral("cd/1000lm"));
}

} // namespace qv
