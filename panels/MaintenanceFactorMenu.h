#pragma once
// The handbook values of the maintenance factor offered by the button "查手册>>" beside
// the field "维护系数" of the luminaire dialog.
#include <array>

namespace qv {

struct MaintenanceFactorItem {
    const char* text;
    double factor;
};

inline constexpr std::array<MaintenanceFactorItem, 6> kMaintenanceFactorMenu = {{
    {"清洁  0.80", 0.80},
    {"清洁  0.75", 0.75},
    {"一般  0.74", 0.74},
    {"一般  0.70", 0.70},
    {"污染  0.69", 0.69},
    {"污染  0.65", 0.65},
}};

} // namespace qv
