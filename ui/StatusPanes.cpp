#include "ui/StatusPanes.h"

#include "ui/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace qv {
namespace {

struct PaneLayout {
    int width;
    const char* text;
};

// Widths in pixels and initial texts, left to right; the path pane stretches.
constexpr PaneLayout kLayout[StatusPanes::kPaneCount] = {
    {80, " "}, {200, ""}, {40, "X坐标"}, {80, "2000"}, {40, "Y坐标"}, {80, "3000"}, {200, ""}};

} // namespace

StatusPanes::StatusPanes(QStatusBar& bar) {
    for (int i = 0; i < kPaneCount; ++i) {
        auto* pane = new QLabel(QString::fromUtf8(kLayout[i].text), &bar);
        pane->setObjectName(QStringLiteral("pane%1").arg(i));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        if (i == kPath) {
            pane->setMinimumWidth(kLayout[i].width);
            bar.addWidget(pane, 1);
        } else {
            pane->setFixedWidth(kLayout[i].width);
            bar.addWidget(pane);
        }
        m_panes[static_cast<size_t>(i)] = pane;
    }
    // The progress bar (control 600) lies over pane 1.
    auto* layout = new QHBoxLayout(m_panes[kProgressBar]);
    layout->setContentsMargins(1, 1, 1, 1);
    m_progress = new QProgressBar(m_panes[kProgressBar]);
    m_progress->setObjectName(QStringLiteral("progress600"));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, m_display.range);
    m_progress->hide();
    layout->addWidget(m_progress);
}

void StatusPanes::Report(const std::string& text, int position, int range) {
    m_display.Report(text, position, range);
    m_panes[kProgressText]->setText(ToQt(m_display.paneText));
    if (m_display.visible) {
        m_progress->setRange(0, m_display.range);
        m_progress->setValue(m_display.position);
    }
    m_progress->setVisible(m_display.visible);
    m_panes[kProgressText]->repaint();
    m_panes[kProgressBar]->repaint();
}

void StatusPanes::ShowMouse(const std::string& x, const std::string& y) {
    m_panes[kX]->setText(ToQt(x));
    m_panes[kY]->setText(ToQt(y));
}

void StatusPanes::ShowPath(const std::string& path) {
    m_panes[kPath]->setText(ToQt(path));
}

QString StatusPanes::PaneText(Pane pane) const {
    return m_panes[static_cast<size_t>(pane)]->text();
}

} // namespace qv
