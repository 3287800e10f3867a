#pragma once
// The calculation book of the floodlight point illuminance ("投光灯单点照度计算计算书"):
// the aiming geometry in general form, then per point and floodlight the angles and
// illuminances of the result panel's last calculation, and the totals of each point.
#include "panels/FloodlightPanels.h"
#include "report/books/BookComposer.h"

namespace qv {

// The rows with the steps of their last computation (one per row) and the aimed
// floodlights.
BookName WriteFloodPointBook(CalcBookWriter& writer, const std::vector<FloodlightResultRow>& rows,
                             const std::vector<FloodlightStep>& steps,
                             const LuminaireList& floodlights);
// The result panel's last calculation.
BookName WriteFloodPointBook(CalcBookWriter& writer, const FloodlightResultPanel& panel);

} // namespace qv
