#include "report/books/InputTables.h"

#include "calc/common/Outline.h"
#include "calc/indoor/RoomGrid.h"
#include "model/Constants.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

std::string Metres(double value) {
    return Fixed(value, 2) + "m";
}

std::string Percent(double value) {
    return KvStr::FormatDouble(value) + "%";
}

bool SameGroup(const Luminaire& a, const Luminaire& b) {
    const bool lamp2 = a.bLampHouse2 != 0;
    return a.sName == b.sName && a.sModel == b.sModel && a.nLuminousFlux == b.nLuminousFlux &&
           a.lamp1 == b.lamp1 && lamp2 == (b.bLampHouse2 != 0) && (!lamp2 || a.lamp2 == b.lamp2) &&
           std::fabs(a.dVindicate - b.dVindicate) < 1e-6 &&
           std::fabs(a.ptCenter.z - b.ptCenter.z) < 1e-6 && a.Rotate == b.Rotate;
}

bool Rotated(const Rotation& rotation) {
    return rotation.x != 0.0 || rotation.y != 0.0 || rotation.z != 0.0;
}

std::string RotationText(const Rotation& rotation) {
    return KvStr::Format("(%s, %s, %s)°", KvStr::FormatDouble(rotation.x).c_str(),
                         KvStr::FormatDouble(rotation.y).c_str(),
                         KvStr::FormatDouble(rotation.z).c_str());
}

std::string SlotText(const Lamp& lamp) {
    return KvStr::Format("%d×%sW", lamp.nCount, KvStr::FormatDouble(lamp.dPower).c_str()) +
           lamp.sName;
}

std::string BallastText(const Luminaire& luminaire) {
    std::string text = KvStr::FormatDouble(luminaire.lamp1.dBallastPower) + "W";
    if (luminaire.bLampHouse2 != 0) {
        text += " + " + KvStr::FormatDouble(luminaire.lamp2.dBallastPower) + "W";
    }
    return text;
}

// An outline of four corners whose sides run along the axes is the rectangle the length
// and width describe; any other states its corners.
bool IsPlainRectangle(const std::vector<Vector>& outline) {
    if (outline.size() != 4) {
        return false;
    }
    for (size_t i = 0; i < 4; ++i) {
        const Vector& a = outline[i];
        const Vector& b = outline[(i + 1) % 4];
        if (std::fabs(a.x - b.x) > kTolerance && std::fabs(a.y - b.y) > kTolerance) {
            return false;
        }
    }
    return true;
}

void Caption(BookComposer& book, const std::string& text) {
    book.Line(text);
}

} // namespace

std::vector<LuminaireGroup> GroupLuminaires(const LuminaireList& luminaires) {
    std::vector<LuminaireGroup> groups;
    for (const Luminaire& luminaire : luminaires.Items()) {
        LuminaireGroup* group = nullptr;
        for (LuminaireGroup& candidate : groups) {
            if (SameGroup(candidate.sample, luminaire)) {
                group = &candidate;
                break;
            }
        }
        if (group == nullptr) {
            groups.push_back({luminaire, 0, {}});
            group = &groups.back();
        }
        ++group->count;
        group->positions.push_back(luminaire.ptCenter);
    }
    return groups;
}

std::string LampText(const Luminaire& luminaire) {
    std::string text = SlotText(luminaire.lamp1);
    if (luminaire.bLampHouse2 != 0) {
        text += " + " + SlotText(luminaire.lamp2);
    }
    return text;
}

std::string PlanPositionsText(const std::vector<Vector>& positions) {
    std::string text;
    for (const Vector& position : positions) {
        if (!text.empty()) {
            text += "、";
        }
        text += "(" + Fixed(position.x, 2) + ", " + Fixed(position.y, 2) + ")";
    }
    return text;
}

std::string PointText(const Vector& point) {
    return "(" + Fixed(point.x, 2) + ", " + Fixed(point.y, 2) + ", " + Fixed(point.z, 2) + ")";
}

TableRows RoomInputRows(const Room& room, bool site, const CavityRatio* effective) {
    TableRows rows;
    rows.push_back({"总长", Metres(room.dLength)});
    rows.push_back({"总宽", Metres(room.dWidth)});
    if (!room.outline.empty() && !IsPlainRectangle(room.outline)) {
        rows.push_back({"轮廓角点(m)", PlanPositionsText(room.outline)});
    }
    rows.push_back({site ? "计算面高度" : "工作面高度", Metres(room.dWorkHeight)});
    if (!site) {
        rows.push_back({"顶棚反射比", Percent(room.dReflectTop)});
        rows.push_back({"墙面反射比", Percent(room.dReflectWall)});
        rows.push_back({"地面反射比", Percent(room.dReflectFloor)});
        rows.push_back({"墙窗比", Percent(room.dWinInWall)});
        if (effective != nullptr && effective->ok) {
            rows.push_back({"顶棚有效反射比", Percent(effective->rhoC)});
            rows.push_back({"墙面有效反射比(计窗)", Percent(effective->rhoW)});
            rows.push_back({"地面有效反射比", Percent(effective->rhoF)});
        }
    }
    rows.push_back({"照度标准", KvStr::FormatDouble(room.dLxStandard) + "lx"});
    return rows;
}

std::vector<std::string> LuminaireHeaders(const std::vector<LuminaireGroup>& groups) {
    std::vector<std::string> headers{"序号",     "名称",     "型号", "光源",     "镇流器",
                                     "光通量lm", "维护系数", "数量", "安装高度m"};
    for (const LuminaireGroup& group : groups) {
        if (Rotated(group.sample.Rotate)) {
            headers.push_back("旋转角");
            break;
        }
    }
    return headers;
}

TableRows LuminaireRows(const std::vector<LuminaireGroup>& groups) {
    const bool rotations = LuminaireHeaders(groups).size() > 9;
    TableRows rows;
    for (size_t i = 0; i < groups.size(); ++i) {
        const Luminaire& l = groups[i].sample;
        std::vector<std::string> row{Whole(static_cast<int>(i) + 1),
                                     l.sName,
                                     l.sModel,
                                     LampText(l),
                                     BallastText(l),
                                     Whole(l.nLuminousFlux),
                                     Fixed(l.dVindicate, 2),
                                     Whole(groups[i].count),
                                     Fixed(l.ptCenter.z, 2)};
        if (rotations) {
            row.push_back(RotationText(l.Rotate));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

TableRows LuminairePositionRows(const std::vector<LuminaireGroup>& groups) {
    TableRows rows;
    for (size_t i = 0; i < groups.size(); ++i) {
        rows.push_back({Whole(static_cast<int>(i) + 1), PlanPositionsText(groups[i].positions)});
    }
    return rows;
}

TableRows PointRows(const std::vector<CalcPoint>& points) {
    TableRows rows;
    for (size_t i = 0; i < points.size(); ++i) {
        const CalcPoint& p = points[i];
        rows.push_back({Whole(static_cast<int>(i) + 1), p.name, Fixed(p.position.x, 2),
                        Fixed(p.position.y, 2), Fixed(p.position.z, 2), RotationText(p.rotation)});
    }
    return rows;
}

std::vector<CalcPoint> TotalRowPoints(const std::vector<FloodlightResultRow>& rows) {
    std::vector<CalcPoint> points;
    for (const FloodlightResultRow& row : rows) {
        if (row.IsTotal()) {
            points.push_back(row.point);
        }
    }
    return points;
}

TableRows FloodlightRows(const LuminaireList& floodlights) {
    TableRows rows;
    for (int i = 0; i < floodlights.Count(); ++i) {
        const Luminaire& l = floodlights.At(i);
        rows.push_back({Whole(i + 1), l.sName, l.sModel, PointText(l.ptCenter),
                        RotationText(l.Rotate), PointText(l.ptAim)});
    }
    return rows;
}

TableRows RoadInputRows(const Road& road) {
    const std::string arrangement =
        road.m_nLampType >= 0 && road.m_nLampType < static_cast<int>(kRoadArrangements.size())
            ? kRoadArrangements[static_cast<size_t>(road.m_nLampType)]
            : Whole(road.m_nLampType);
    return {{"道路总长", Metres(road.m_dLength)},
            {"道路总宽", Metres(road.m_dWidth)},
            {"道路中心点位置", PointText(road.ptCenter)},
            {"道路角度", KvStr::FormatDouble(road.m_dAngle) + "°"},
            {"道路工作面高度", Metres(road.m_dWorkHeight)},
            {"照度标准", KvStr::FormatDouble(road.m_dLxStandard) + "lx"},
            {"路灯间距", Metres(road.m_dLampDis)},
            {"排列方式", arrangement}};
}

TableRows RoadSectionRows(const Road& road) {
    TableRows rows;
    for (size_t i = 0; i < road.components.size(); ++i) {
        const RoadComponent& c = road.components[i];
        const std::string type = RoadComponent::TypeToText(c.m_nType);
        rows.push_back({Whole(static_cast<int>(i) + 1), type.empty() ? Whole(c.m_nType) : type,
                        KvStr::FormatDouble(c.m_nNumber), Fixed(c.m_dWidth, 2)});
    }
    return rows;
}

TableRows AreaSourceInputRows(const AreaSourceRecord& record) {
    TableRows rows;
    const AreaSourceCalculation calculation = record.calculation;
    const bool disc = calculation == AreaSourceCalculation::DiscHorizontal ||
                      calculation == AreaSourceCalculation::DiscVertical;
    if (disc) {
        const DiscSource& s = record.disc;
        rows.push_back({"光源形状", "圆形"});
        rows.push_back({"半径r", Metres(s.radius)});
        rows.push_back({"亮度L", KvStr::FormatDouble(s.luminance) + "cd/m²"});
        rows.push_back({"中心位置", PointText({s.centreX, s.centreY, s.height})});
    } else {
        const RectSource& s = record.rect;
        rows.push_back({"光源形状", calculation == AreaSourceCalculation::NonUniformHorizontal
                                        ? "矩形(非等亮度)"
                                        : "矩形"});
        rows.push_back({"长(沿x)", Metres(s.length)});
        rows.push_back({"宽(沿y)", Metres(s.width)});
        rows.push_back({"亮度L", KvStr::FormatDouble(s.luminance) + "cd/m²"});
        rows.push_back({"中心位置", PointText({s.centreX, s.centreY, s.height})});
    }
    rows.push_back({"计算点P", PointText({record.point.x, record.point.y, record.point.z})});
    std::string plane = "水平面";
    if (calculation == AreaSourceCalculation::RectVertical ||
        calculation == AreaSourceCalculation::DiscVertical) {
        plane = "垂直面";
    } else if (calculation == AreaSourceCalculation::RectInclined) {
        plane = "倾斜面,倾角" + KvStr::FormatDouble(record.angle) + "°";
    }
    rows.push_back({"受照面", plane});
    return rows;
}

TableRows GridInputRows(const GridBookRecord& record) {
    TableRows rows;
    const Room room = record.inputs.room.value_or(Room());
    rows.push_back({"计算面高度", Metres(room.dWorkHeight)});
    rows.push_back({"计算密度", Whole(record.density) + "等分"});
    double along = 0.0;
    double up = 0.0;
    if (record.kind == kGridHorizontal) {
        const OutlineExtent box = ExtentOf(room.outline);
        along = std::fabs(box.maxX - box.minX);
        up = std::fabs(box.maxY - box.minY);
    } else {
        along = PlanDistance(record.start, record.end);
        up = std::fabs(TopHeight(record.inputs.luminaires) - room.dWorkHeight);
    }
    const GridDivisions divisions = DivideGrid(record.density, along, up);
    if (divisions.along > 0 && divisions.up > 0) {
        rows.push_back({"网格间距", Fixed(along / divisions.along, 2) + "m × " +
                                        Fixed(up / divisions.up, 2) + "m"});
    }
    if (record.kind != kGridHorizontal) {
        rows.push_back({"垂直面起点", PointText(record.start)});
        rows.push_back({"垂直面终点", PointText(record.end)});
        rows.push_back({"受照侧", record.side == kSideLowerRight ? "右下" : "左上"});
    }
    return rows;
}

void OpenInputs(BookComposer& book) {
    book.Section("计算参数");
}

void WriteRoomInputs(BookComposer& book, const BookInputs& inputs, bool site,
                     const CavityRatio* effective) {
    if (!inputs.room) {
        return;
    }
    Caption(book, site ? "场地参数:" : "房间参数:");
    book.Table({"项目", "数值"}, RoomInputRows(*inputs.room, site, effective));
}

void WriteLuminaireInputs(BookComposer& book, const LuminaireList& luminaires) {
    if (luminaires.Empty()) {
        return;
    }
    const std::vector<LuminaireGroup> groups = GroupLuminaires(luminaires);
    Caption(book, "灯具参数:");
    book.Table(LuminaireHeaders(groups), LuminaireRows(groups));
    // The positions in a table of their own, wide enough for a long list.
    Caption(book, "灯具位置:");
    book.Table({"序号", "位置(x, y)m"}, LuminairePositionRows(groups));
}

void WritePointInputs(BookComposer& book, const std::vector<CalcPoint>& points) {
    if (points.empty()) {
        return;
    }
    Caption(book, "计算点:");
    book.Table({"序号", "名称", "X(m)", "Y(m)", "Z(m)", "旋转角"}, PointRows(points));
}

void WriteFloodlightInputs(BookComposer& book, const LuminaireList& floodlights) {
    if (floodlights.Empty()) {
        return;
    }
    Caption(book, "投光灯(场地坐标,m):");
    book.Table({"序号", "名称", "型号", "位置", "旋转角", "瞄准点"}, FloodlightRows(floodlights));
}

void WriteRoadInputs(BookComposer& book, const Road& road) {
    Caption(book, "道路参数:");
    book.Table({"项目", "数值"}, RoadInputRows(road));
    if (!road.components.empty()) {
        Caption(book, "道路横断面:");
        book.Table({"序号", "类型", "车道数", "宽度m"}, RoadSectionRows(road));
    }
}

void WriteAreaSourceInputs(BookComposer& book, const AreaSourceRecord& record) {
    Caption(book, "面光源与计算点:");
    book.Table({"项目", "数值"}, AreaSourceInputRows(record));
}

void WriteGridInputs(BookComposer& book, const GridBookRecord& record) {
    Caption(book, "计算网格:");
    book.Table({"项目", "数值"}, GridInputRows(record));
}

} // namespace qv
