#pragma once
// The two power densities that the calculation panels show: the calculated density
// ("计算功率密度w/m2", in the grid panel "计算功率密度") and the second value under its
// changing label.
#include "calc/common/PowerDensity.h"

class QFormLayout;
class QLabel;
class QLineEdit;

namespace qv {

struct DensityFields {
    QLineEdit* lpd = nullptr;
    QLineEdit* second = nullptr;
    QLabel* label = nullptr;
};

// Adds the two read-only fields to the form; the second one's label starts empty.
DensityFields AddDensityFields(QFormLayout& form, const char* lpdLabel = "计算功率密度w/m2");
void ShowDensities(const DensityFields& fields, const PowerDensityDisplay& shown);

} // namespace qv
