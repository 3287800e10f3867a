#include "calc/common/LuminaireLayout.h"

#include "calc/common/Outline.h"

#include <cmath>

namespace qv {
namespace {

bool Finite(double value) {
    return std::isfinite(value);
}

// The message for a margin, or empty: finite, 0 or more, and leaving room between the
// walls for the lines (a single line stands in the middle whatever the margin).
std::string CheckMargin(double margin, double extent, int lines, const char* axis,
                        const char* side) {
    if (!Finite(margin) || margin < 0.0) {
        return std::string(axis) + "方向距墙距离应为不小于0的数值,请重新输入!";
    }
    const bool fits = lines == 1 ? 2.0 * margin <= extent : 2.0 * margin < extent;
    if (!fits) {
        return std::string(axis) + "方向距墙距离应小于房间" + side + "的一半,请重新输入!";
    }
    return std::string();
}

// The centre lines along one axis.
std::vector<double> Lines(double start, double extent, int count, bool even, double margin) {
    std::vector<double> lines(static_cast<size_t>(count));
    for (int j = 0; j < count; ++j) {
        double at = 0.0;
        if (even) {
            at = start + (j + 0.5) * extent / count;
        } else if (count == 1) {
            at = start + extent / 2.0;
        } else {
            at = start + margin + j * (extent - 2.0 * margin) / (count - 1);
        }
        lines[static_cast<size_t>(j)] = at;
    }
    return lines;
}

} // namespace

bool LayoutAreaOf(const Room& room, LayoutArea& area, std::string& refusal) {
    if (room.outline.size() < 3) {
        refusal = "房间尚未输入拐角,无法布置灯具!";
        return false;
    }
    const OutlineExtent extent = ExtentOf(room.outline);
    const double length = extent.maxX - extent.minX;
    const double width = extent.maxY - extent.minY;
    if (!Finite(length) || !Finite(width) || !(length > 0.0) || !(width > 0.0)) {
        refusal = "房间的长度或宽度为0,无法布置灯具!";
        return false;
    }
    area = {extent.minX, extent.minY, length, width};
    return true;
}

std::string CheckArrayLayout(const Room& room, const ArrayLayout& layout) {
    if (layout.rows < 1) {
        return "行数应为不小于1的整数,请重新输入!";
    }
    if (layout.columns < 1) {
        return "列数应为不小于1的整数,请重新输入!";
    }
    if (static_cast<long long>(layout.rows) * layout.columns > kMaxLayoutLuminaires) {
        return "行数与列数之积不应超过" + std::to_string(kMaxLayoutLuminaires) + ",请重新输入!";
    }
    if (!Finite(layout.height) || std::fabs(layout.height) > kMaxLayoutHeight) {
        return "安装高度应为绝对值不大于100000的数值,请重新输入!";
    }
    if (!Finite(layout.rotation) || std::fabs(layout.rotation) > kMaxLayoutRotation) {
        return "旋转角度应为-360到360之间的数值,请重新输入!";
    }
    LayoutArea area;
    std::string refusal;
    if (!LayoutAreaOf(room, area, refusal)) {
        return refusal;
    }
    if (layout.even) {
        return std::string();
    }
    if (std::string problem = CheckMargin(layout.marginX, area.length, layout.columns, "X", "长度");
        !problem.empty()) {
        return problem;
    }
    return CheckMargin(layout.marginY, area.width, layout.rows, "Y", "宽度");
}

std::vector<Vector> ArrayPositions(const Room& room, const ArrayLayout& layout,
                                   std::string& refusal) {
    refusal = CheckArrayLayout(room, layout);
    if (!refusal.empty()) {
        return {};
    }
    LayoutArea area;
    LayoutAreaOf(room, area, refusal);
    const std::vector<double> xs =
        Lines(area.xmin, area.length, layout.columns, layout.even, layout.marginX);
    const std::vector<double> ys =
        Lines(area.ymin, area.width, layout.rows, layout.even, layout.marginY);
    std::vector<Vector> positions;
    positions.reserve(xs.size() * ys.size());
    for (const double y : ys) {
        for (const double x : xs) {
            positions.push_back({x, y, layout.height});
        }
    }
    return positions;
}

LuminaireList ArrayOf(const Luminaire& model, const std::vector<Vector>& positions,
                      double rotation) {
    LuminaireList list;
    list.Reserve(static_cast<int>(positions.size()));
    for (const Vector& position : positions) {
        Luminaire copy = model;
        copy.ptCenter = position;
        copy.Rotate.z = rotation;
        list.Add(std::move(copy));
    }
    return list;
}

double MountingHeightFor(const Room& room, const Luminaire& luminaire) {
    const double z = luminaire.ptCenter.z;
    if (Finite(z) && z > room.dWorkHeight && std::fabs(z) <= kMaxLayoutHeight) {
        return z;
    }
    const double above = room.dWorkHeight + kHeightAboveWorkPlane;
    return Finite(above) ? above : kHeightAboveWorkPlane;
}

GridShape NearestGrid(long long count, double aspect) {
    if (count < 1 || count > kMaxLayoutLuminaires) {
        return {};
    }
    if (!Finite(aspect) || !(aspect > 0.0)) {
        aspect = 1.0;
    }
    GridShape best;
    double bestCost = 0.0;
    for (long long rows = 1; rows <= count; ++rows) {
        const long long columns = (count + rows - 1) / rows;
        const double shape =
            std::fabs(std::log(static_cast<double>(columns) / static_cast<double>(rows) / aspect));
        const double waste = static_cast<double>(rows * columns - count) / count;
        const double cost = shape + waste;
        if (best.rows == 0 || cost < bestCost - 1e-12) {
            best = {static_cast<int>(rows), static_cast<int>(columns)};
            bestCost = cost;
        }
    }
    return best;
}

} // namespace qv
