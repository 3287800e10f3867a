#pragma once
// The calculation book of road lighting by the utilization method
// ("利用系数法道路照度计算书").
#include "calc/outdoor/RoadLighting.h"
#include "report/books/BookComposer.h"

namespace qv {

BookName WriteRoadBook(CalcBookWriter& writer, const RoadLightingRecord& record);

} // namespace qv
