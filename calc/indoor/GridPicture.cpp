#include "calc/indoor/GridPicture.h"

#include "calc/common/Outline.h"
#include "calc/indoor/RoomGrid.h"
#include "model/Constants.h"

#include <cmath>

namespace qv {

GridPictureData MakeGridPicture(bool vertical, const std::vector<CalcPoint>& points,
                                const Room& room, const LuminaireList& luminaires,
                                const Vector& start, const Vector& end, int side,
                                double topHeight) {
    GridPictureData data;
    data.vertical = vertical;
    data.planeHeight = room.dWorkHeight;
    data.points.reserve(points.size());
    if (!vertical) {
        for (const CalcPoint& point : points) {
            data.points.push_back({point.position.x, point.position.y, point.dEh});
        }
        for (const Vector& corner : room.outline) {
            data.outline.push_back({corner.x, corner.y, 0.0});
        }
        for (const Luminaire& luminaire : luminaires.Items()) {
            const LuminaireShape& shape = luminaire.geometricShape;
            data.luminaires.push_back({luminaire.ptCenter.x, luminaire.ptCenter.y,
                                       luminaire.Rotate.z, shape.nShape == LuminaireShape::kCircle,
                                       shape.dLength, shape.dWidth});
        }
        return data;
    }
    // The first end as the vertical search takes it.
    bool startFirst = std::fabs(start.x - end.x) < kTolerance ? start.y < end.y : start.x < end.x;
    if (side == kSideLowerRight) {
        startFirst = std::fabs(start.x - end.x) < kTolerance ? start.y > end.y : start.x > end.x;
    }
    const Vector& first = startFirst ? start : end;
    const Vector& last = startFirst ? end : start;
    for (const CalcPoint& point : points) {
        data.points.push_back({PlanDistance(first, point.position), point.position.z, point.dEv});
    }
    const double length = PlanDistance(first, last);
    const double low = std::fmin(room.dWorkHeight, topHeight);
    const double high = std::fmax(room.dWorkHeight, topHeight);
    data.outline = {{0.0, low, 0.0}, {length, low, 0.0}, {length, high, 0.0}, {0.0, high, 0.0}};
    return data;
}

} // namespace qv
