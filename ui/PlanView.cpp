#include "ui/PlanView.h"

#include "panels/PlanEditing.h"
#include "ui/AppFont.h"
#include "ui/QtText.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QTimerEvent>
#include <QToolTip>
#include <QWheelEvent>

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
              const QColor& colour, int width = 1) {
    painter.setPen(QPen(colour, width));
    painter.setBrush(Qt::NoBrush);
    const EntityPainter draw(painter, mapping);
    for (const KvEntity& entity : entities) {
        std::visit(draw, entity);
    }
}

// One wheel notch (120) zooms by the square root of two.
double WheelFactor(int angle) {
    return std::pow(2.0, angle / 240.0);
}

} // namespace

PlanView::PlanView(PlanDrawing& drawing, QWidget* parent) : QWidget(parent), m_drawing(drawing) {
    setObjectName(QStringLiteral("planView"));
    setMouseTracking(true);
    setAutoFillBackground(false);
    setMinimumSize(200, 150);
    setFocusPolicy(Qt::StrongFocus); // the keys act on the selected luminaire
    m_timer = startTimer(kTimerPeriodMs);
}

void PlanView::Rebuilt() {
    m_builtScale = m_drawing.scale;
    m_builtView = m_drawing.view;
    update();
}

void PlanView::SetSelected(int row) {
    if (row != m_selected) {
        m_selected = row;
        update();
    }
}

void PlanView::FitToWindow() {
    m_zoomed = false;
    m_drawing.view.reset();
    update();
}

void PlanView::UseMapping(const PlanMapping& mapping) {
    m_mapping = mapping;
    m_drawing.scale = mapping.scale;
    m_zoomed = true;
    NoteView();
    update();
}

void PlanView::NoteView() {
    m_drawing.view = PlanRect{m_mapping.PlanX(0), m_mapping.PlanY(height()),
                              m_mapping.PlanX(width()), m_mapping.PlanY(0)};
}

const PlanLuminaire* PlanView::Luminaire(int row) const {
    for (const PlanLuminaire& luminaire : m_drawing.luminaires) {
        if (luminaire.index == row) {
            return &luminaire;
        }
    }
    return nullptr;
}

void PlanView::DrawSelected(QPainter& painter) const {
    const PlanLuminaire* luminaire = Luminaire(m_selected);
    if (!luminaire || luminaire->firstEntity + luminaire->entityCount > m_drawing.model.size()) {
        return;
    }
    painter.save();
    if (m_drag && m_drag->row == m_selected && m_drag->moving && m_drag->center) {
        // Live feedback: the luminaire drawn where it would land.
        painter.translate((m_drag->center->x * 1000.0 - luminaire->center.x) / m_mapping.scale,
                          -(m_drag->center->y * 1000.0 - luminaire->center.y) / m_mapping.scale);
    }
    const auto first =
        m_drawing.model.begin() + static_cast<std::ptrdiff_t>(luminaire->firstEntity);
    DrawList(painter, m_mapping,
             EntityList(first, first + static_cast<std::ptrdiff_t>(luminaire->entityCount)),
             QColor(0, 0, 255), 2);
    painter.restore();
}

void PlanView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_zoomed) {
        m_mapping.clientHeight = height(); // the lower-left corner stays put
        NoteView();
    } else {
        m_mapping = FitPlan(m_drawing, width(), height());
    }
    painter.setRenderHint(QPainter::Antialiasing);
    DrawList(painter, m_mapping, m_drawing.ruler, QColor(200, 200, 200));
    DrawList(painter, m_mapping, m_drawing.model, Qt::black);
    DrawList(painter, m_mapping, m_drawing.overlay, Qt::red);
    DrawSelected(painter);
    if (ScaleMoved() && !m_rebuildAsked) {
        m_rebuildAsked = true;
        QTimer::singleShot(0, this, &PlanView::AskForRebuild);
    }
}

bool PlanView::ScaleMoved() const {
    return std::abs(m_drawing.scale - m_builtScale) > 1e-6 * m_drawing.scale;
}

bool PlanView::ViewMoved() const {
    return m_drawing.view != m_builtView;
}

void PlanView::AskForRebuild() {
    m_rebuildAsked = false;
    if (ScaleMoved() || ViewMoved()) {
        emit ScaleChanged();
    }
}

void PlanView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::MiddleButton || event->button() == Qt::RightButton) {
        m_panFrom = at;
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int row = LuminaireAt(m_drawing, m_mapping.PlanX(at.x()), m_mapping.PlanY(at.y()),
                                kHitPixels * m_mapping.scale);
    SetSelected(row);
    m_drag.reset();
    if (row >= 0) {
        m_drag = Drag{row, at, false, std::nullopt};
    }
    emit LuminaireClicked(row);
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseMoved(MouseXText(m_mapping, at.x()), MouseYText(m_mapping, at.y()));
    if (m_panFrom && (event->buttons() & (Qt::MiddleButton | Qt::RightButton))) {
        const QPoint by = at - *m_panFrom;
        m_panFrom = at;
        UseMapping(PanBy(m_mapping, by.x(), by.y()));
        return;
    }
    if (!m_drag || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    const QPoint by = at - m_drag->from;
    if (!m_drag->moving && by.manhattanLength() < kDragPixels) {
        return; // still a click
    }
    const PlanLuminaire* luminaire = Luminaire(m_drag->row);
    if (!luminaire) {
        m_drag.reset();
        return;
    }
    m_drag->moving = true;
    m_drag->center =
        DraggedCenter(luminaire->center, by.x() * m_mapping.scale, -by.y() * m_mapping.scale,
                      event->modifiers().testFlag(Qt::ShiftModifier));
    update();
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton || event->button() == Qt::RightButton) {
        m_panFrom.reset();
        AskForRebuild(); // the ruler's numbers into the new view
        return;
    }
    if (event->button() != Qt::LeftButton || !m_drag) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const Drag drag = *m_drag;
    m_drag.reset();
    update();
    const PlanLuminaire* luminaire = Luminaire(drag.row);
    if (!drag.moving || !drag.center || !luminaire) {
        return;
    }
    // One edit on release, and none when the luminaire lands where it was.
    if (std::abs(drag.center->x * 1000.0 - luminaire->center.x) > 1e-6 ||
        std::abs(drag.center->y * 1000.0 - luminaire->center.y) > 1e-6) {
        emit LuminaireMoved(drag.row, drag.center->x, drag.center->y);
    }
}

void PlanView::wheelEvent(QWheelEvent* event) {
    const int angle = event->angleDelta().y();
    if (angle == 0) {
        event->ignore();
        return;
    }
    const QPointF at = event->position();
    UseMapping(ZoomAbout(m_mapping, at.x(), at.y(), WheelFactor(angle)));
    event->accept();
}

void PlanView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_drag) {
        m_drag.reset(); // the drag is dropped, the luminaire stays
        update();
        return;
    }
    const PlanLuminaire* luminaire = Luminaire(m_selected);
    if (!luminaire || m_drag) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        emit LuminaireDeleteRequested(m_selected);
        return;
    }
    const double step =
        event->modifiers().testFlag(Qt::ShiftModifier) ? kLongNudgeMetres : kNudgeMetres;
    double dx = 0.0;
    double dy = 0.0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = step;
        break;
    case Qt::Key_Down:
        dy = -step;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const Vector center{luminaire->center.x / 1000.0, luminaire->center.y / 1000.0, 0.0};
    if (const std::optional<Vector> moved = NudgedCenter(center, dx, dy)) {
        emit LuminaireMoved(m_selected, moved->x, moved->y);
    }
}

bool PlanView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return QWidget::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<std::string> tip =
        LabelTipAt(m_drawing, m_mapping.PlanX(help->pos().x()), m_mapping.PlanY(help->pos().y()),
                   kHitPixels * m_mapping.scale);
    if (tip) {
        QToolTip::showText(help->globalPos(), ToQt(*tip), this);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void PlanView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer) {
        QWidget::timerEvent(event);
        return;
    }
    AskForRebuild();
}

} // namespace qv
