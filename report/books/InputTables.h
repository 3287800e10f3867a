#pragma once
// The inputs a reviewer re-checks, stated by every book before its calculation: the room
// or site, the luminaires (identical ones in one row with their count and positions), the
// calculation points, the floodlights with their aiming points, the road's cross-section,
// the area source and the grid. The row builders are Qt-free and tested on their own; the
// writers put each table under its caption.
#include "calc/common/BookInputs.h"
#include "calc/indoor/AreaSourceRecord.h"
#include "calc/indoor/GridRecord.h"
#include "calc/indoor/LumenMethod.h"
#include "calc/outdoor/FloodPoint.h"
#include "model/CalcPoint.h"
#include "model/Luminaire.h"
#include "model/Road.h"
#include "model/Room.h"
#include "report/books/BookComposer.h"

#include <string>
#include <vector>

namespace qv {

using TableRows = std::vector<std::vector<std::string>>;

// Luminaires that are the same fitting at the same mounting height and rotation, in the
// order of their first appearance, with the plan positions of all of them.
struct LuminaireGroup {
    Luminaire sample;              // the first of the group
    int count = 0;                 // luminaires in the group
    std::vector<Vector> positions; // each one's centre, in list order
};

std::vector<LuminaireGroup> GroupLuminaires(const LuminaireList& luminaires);

// "2×36W荧光灯" per lamp slot, the second slot after " + ".
std::string LampText(const Luminaire& luminaire);
// "(1.50, 2.00)" joined by "、".
std::string PlanPositionsText(const std::vector<Vector>& positions);
// "(x, y, z)" with two decimals.
std::string PointText(const Vector& point);

// 项目 / 数值 rows of the room; site leaves out the reflectances and the window share.
// effective, when given, adds the effective reflectances the calculation used.
TableRows RoomInputRows(const Room& room, bool site, const CavityRatio* effective = nullptr);
// 序号, 名称, 型号, 光源, 镇流器, 光通量, 维护系数, 数量, 安装高度 (+ 旋转角 when any group
// is rotated).
std::vector<std::string> LuminaireHeaders(const std::vector<LuminaireGroup>& groups);
TableRows LuminaireRows(const std::vector<LuminaireGroup>& groups);
// 序号 and the group's plan positions.
TableRows LuminairePositionRows(const std::vector<LuminaireGroup>& groups);
// 序号, 名称, X, Y, Z, 旋转角.
TableRows PointRows(const std::vector<CalcPoint>& points);
// The points of the floodlight rows, once each: the point of every total row.
std::vector<CalcPoint> TotalRowPoints(const std::vector<FloodlightResultRow>& rows);
// 序号, 名称, 型号, 位置, 旋转角, 瞄准点: one row per floodlight (each aims on its own).
TableRows FloodlightRows(const LuminaireList& floodlights);
// 项目 / 数值 rows of the road, and its cross-section 序号, 类型, 车道数, 宽度.
TableRows RoadInputRows(const Road& road);
TableRows RoadSectionRows(const Road& road);
// 项目 / 数值 rows of the area source and the illuminated point.
TableRows AreaSourceInputRows(const AreaSourceRecord& record);
// 项目 / 数值 rows of the grid: plane height, density, spacing; for a vertical grid the
// plane's ends and side.
// The room and luminaires are the record's inputs.
TableRows GridInputRows(const GridBookRecord& record);

// The writers: a bold "计算参数" heading once (OpenInputs), then each table under its
// caption. A room-less or empty input writes nothing.
void OpenInputs(BookComposer& book);
void WriteRoomInputs(BookComposer& book, const BookInputs& inputs, bool site,
                     const CavityRatio* effective = nullptr);
void WriteLuminaireInputs(BookComposer& book, const LuminaireList& luminaires);
void WritePointInputs(BookComposer& book, const std::vector<CalcPoint>& points);
void WriteFloodlightInputs(BookComposer& book, const LuminaireList& floodlights);
void WriteRoadInputs(BookComposer& book, const Road& road);
void WriteAreaSourceInputs(BookComposer& book, const AreaSourceRecord& record);
void WriteGridInputs(BookComposer& book, const GridBookRecord& record);

} // namespace qv
