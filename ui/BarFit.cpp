#include "ui/BarFit.h"

#include <QEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace qv {
namespace {

// A button as wide as its text and the style's margins (the style would give at least
// 80 pixels to every button with a text).
void FitButtonToText(QPushButton& button) {
    const QStyle* style = button.style();
    const int margins = 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button) +
                        2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    button.setMinimumWidth(button.fontMetrics().horizontalAdvance(button.text()) + margins + 4);
    button.setSizePolicy(QSizePolicy::Preferred, button.sizePolicy().verticalPolicy());
}

// Keeps the scroll area's minimum across the page in step with the page's layout.
class BarFitter : public QObject {
public:
    BarFitter(QScrollArea& scroll, Qt::Orientation stacked)
        : QObject(&scroll), m_scroll(scroll), m_stacked(stacked) {}

    void Fit() {
        if (m_stacked == Qt::Vertical) {
            m_scroll.setMinimumWidth(BarExtent(m_scroll, m_stacked));
        } else {
            m_scroll.setMinimumHeight(BarExtent(m_scroll, m_stacked));
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::FontChange ||
            event->type() == QEvent::StyleChange) {
            Fit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QScrollArea& m_scroll;
    Qt::Orientation m_stacked;
};

} // namespace

QScrollArea* NewBarScroll(QWidget* page, Qt::Orientation stacked) {
    for (QPushButton* button : page->findChildren<QPushButton*>()) {
        FitButtonToText(*button);
    }
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (stacked == Qt::Horizontal) {
        scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    auto* fitter = new BarFitter(*scroll, stacked);
    page->installEventFilter(fitter);
    fitter->Fit();
    return scroll;
}

int BarExtent(const QScrollArea& scroll, Qt::Orientation stacked, bool preferred) {
    const QWidget* page = scroll.widget();
    if (!page) {
        return 0;
    }
    QSize least = page->minimumSizeHint().expandedTo(page->minimumSize());
    if (preferred) {
        least = least.expandedTo(page->sizeHint());
    }
    const int frames = 2 * scroll.frameWidth();
    if (stacked == Qt::Vertical) {
        // Room for the vertical scroll bar, which comes and goes with the bar's height.
        const int bar = scroll.verticalScrollBar()->sizeHint().width();
        return least.width() + frames + bar;
    }
    return least.height() + frames;
}

} // namespace qv
