#pragma once
// The polar diagram of a luminaire's two intensity curves on the page "配光曲线": curve A
// (along the luminaire, solid) and curve B (across it, dashed), each drawn on both sides
// of the nadir, 0° pointing down, with rings of candela per 1000 lm.
#include "model/CatalogueRecords.h"

#include <QWidget>

namespace qv {

class IntensityPlot : public QWidget {
    Q_OBJECT
public:
    explicit IntensityPlot(QWidget* parent = nullptr);

    void SetCurves(const IntensityCurve& curveA, const IntensityCurve& curveB);
    // The value of the outer ring: the largest intensity rounded up to a round number
    // (1, 2 or 5 times a power of ten); 100 when the curves are empty or all zero.
    double OuterRing() const { return m_outer; }

    QSize sizeHint() const override { return {320, 320}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    IntensityCurve m_curveA;
    IntensityCurve m_curveB;
    double m_outer = 100.0;
};

// The round number a polar diagram's outer ring takes for a largest value.
double RoundRingValue(double largest);

} // namespace qv
