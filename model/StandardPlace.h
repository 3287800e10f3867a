#pragma once
// The place of the illuminance standards table ("类别/场所") a standard illuminance was
// taken from with "查照度标准"; empty when the value was typed by hand.
#include <string>

namespace qv {

struct StandardPlace {
    std::string category; // the category table ("办公建筑")
    std::string place;    // the place within it ("普通办公室")

    bool Empty() const { return category.empty() || place.empty(); }
    // "类别/场所"; empty for no place.
    std::string Text() const { return Empty() ? std::string() : category + "/" + place; }
    // "类别/场所" split at its first '/'; no place for a text without both halves.
    static StandardPlace FromText(const std::string& text);
    bool operator==(const StandardPlace&) const = default;
};

// The place an edited standard illuminance keeps: the place while the illuminance is
// still the one the place gave (placeLux), none once another value was typed.
StandardPlace KeptStandardPlace(const StandardPlace& place, double placeLux, double lux);

} // namespace qv
