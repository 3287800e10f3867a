#include "panels/LuminairePlacement.h"

#include "panels/NumberCheck.h"
#include "panels/PanelText.h"

#include <algorithm>
#include <array>

namespace qv {
namespace {

const std::array<const char*, kPlacementFields> kNames = {"X轴位置", "Y轴位置", "Z轴位置",
                                                          "X轴旋转", "Y轴旋转", "Z轴旋转"};

// The luminaire's double of the field, const or not as the luminaire.
template <typename L> auto ValueOf(L& luminaire, int field) -> decltype((luminaire.ptCenter.x)) {
    switch (field) {
    case kPlaceX:
        return luminaire.ptCenter.x;
    case kPlaceY:
        return luminaire.ptCenter.y;
    case kPlaceZ:
        return luminaire.ptCenter.z;
    case kRotateX:
        return luminaire.Rotate.x;
    case kRotateY:
        return luminaire.Rotate.y;
    default:
        return luminaire.Rotate.z;
    }
}

} // namespace

const char* PlacementName(int field) {
    return kNames[static_cast<size_t>(std::clamp(field, 0, kPlacementFields - 1))];
}

double PlacementValue(const Luminaire& luminaire, int field) {
    return ValueOf(luminaire, field);
}

std::string PlacementText(const Luminaire& luminaire, int field) {
    return NumberText(PlacementValue(luminaire, field));
}

bool SetPlacement(Luminaire& luminaire, int field, const std::string& text,
                  const std::string& label) {
    if (field < 0 || field >= kPlacementFields) {
        return false;
    }
    const std::optional<double> value =
        CheckNumber(text, field >= kRotateX ? NumberKind::kAngle : NumberKind::kCoordinate, label);
    if (value) {
        ValueOf(luminaire, field) = *value;
    }
    return value.has_value();
}

Vector RoomCentre(const Room& room) {
    if (room.outline.empty()) {
        return {room.ptLeftBot.x + room.dLength / 2, room.ptLeftBot.y + room.dWidth / 2, 0.0};
    }
    const auto [left, right] =
        std::minmax_element(room.outline.begin(), room.outline.end(),
                            [](const Vector& a, const Vector& b) { return a.x < b.x; });
    const auto [bottom, top] =
        std::minmax_element(room.outline.begin(), room.outline.end(),
                            [](const Vector& a, const Vector& b) { return a.y < b.y; });
    return {(left->x + right->x) / 2, (bottom->y + top->y) / 2, 0.0};
}

double MountingHeightFor(const Room& room, double templateHeight) {
    return templateHeight > room.dWorkHeight ? templateHeight
                                             : room.dWorkHeight + kMountingAboveWorkPlane;
}

} // namespace qv
