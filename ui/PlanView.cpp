#include "ui/PlanView.h"

#include "ui/AppFont.h"
#include "ui/QtText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QTimerEvent>

#include <cmath>

namespace qv {
namespace {

class EntityPainter {
public:
    EntityPainter(QPainter& painter, const PlanMapping& mapping)
        : m_painter(painter), m_mapping(mapping) {}

    QPointF At(const Vector& point) const {
        return {m_mapping.PixelX(point.x), m_mapping.PixelY(point.y)};
    }

    void operator()(const KvLine& line) const { m_painter.drawLine(At(line.start), At(line.end)); }
    void operator()(const KvCircle& circle) const {
        const double radius = circle.diameter / 2.0 / m_mapping.scale;
        m_painter.drawEllipse(At(circle.center), radius, radius);
    }
    void operator()(const KvRectangle& rect) const {
        m_painter.drawRect(QRectF(At(rect.corner1), At(rect.corner2)).normalized());
    }
    void operator()(const KvText& text) const {
        const double pixels = text.height / m_mapping.scale;
        if (!(pixels >= 1.0) || pixels > 1000.0) {
            return; // too small to read or beyond any window
        }
        QFont font(QString::fromUtf8(kPlanFontFamily));
        font.setPixelSize(static_cast<int>(std::lround(pixels)));
        m_painter.setFont(font);
        m_painter.drawText(At(text.anchor), ToQt(text.text));
    }

private:
    QPainter& m_painter;
    const PlanMapping& m_mapping;
};

void DrawList(QPainter& painter, const PlanMapping& mapping, const EntityList& entities,
              const QColor& colour) {
    painter.setPen(QPen(colour, 1));
    painter.setBrush(Qt::NoBrush);
    const EntityPainter draw(painter, mapping);
    for (const KvEntity& entity : entities) {
        std::visit(draw, entity);
    }
}

} // namespace

PlanView::PlanView(PlanDrawing& drawing, QWidget* parent) : QWidget(parent), m_drawing(drawing) {
    setObjectName(QStringLiteral("planView"));
    setMouseTracking(true);
    setAutoFillBackground(false);
    setMinimumSize(200, 150);
    m_timer = startTimer(kTimerPeriodMs);
}

void PlanView::Rebuilt() {
    m_builtScale = m_drawing.scale;
    update();
}

void PlanView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    m_mapping = FitPlan(m_drawing, width(), height());
    painter.setRenderHint(QPainter::Antialiasing);
    DrawList(painter, m_mapping, m_drawing.ruler, QColor(200, 200, 200));
    DrawList(painter, m_mapping, m_drawing.model, Qt::black);
    DrawList(painter, m_mapping, m_drawing.overlay, Qt::red);
    if (ScaleMoved() && !m_rebuildAsked) {
        m_rebuildAsked = true;
        QTimer::singleShot(0, this, &PlanView::AskForRebuild);
    }
}

bool PlanView::ScaleMoved() const {
    return std::abs(m_drawing.scale - m_builtScale) > 1e-6 * m_drawing.scale;
}

void PlanView::AskForRebuild() {
    m_rebuildAsked = false;
    if (ScaleMoved()) {
        emit ScaleChanged();
    }
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseMoved(MouseXText(m_mapping, at.x()), MouseYText(m_mapping, at.y()));
}

void PlanView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer) {
        QWidget::timerEvent(event);
        return;
    }
    AskForRebuild();
}

} // namespace qv
