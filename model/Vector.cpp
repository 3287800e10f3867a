#include "model/Vector.h"

#include "model/Constants.h"
#include "model/Tolerance.h"

#include <kelvorin/KvStr.h>

#include <vector>

namespace qv {
namespace {

std::string TripleText(double x, double y, double z) {
    return KvStr::Format("%.3f,%.3f,%.3f", x, y, z);
}

bool TripleFromText(const std::string& text, double& x, double& y, double& z) {
    std::vector<std::string> pieces;
    if (KvStr::SplitStrBySymbol(pieces, text, ",") != 3) {
        return false;
    }
    x = KvStr::Atof(pieces[0]);
    y = KvStr::Atof(pieces[1]);
    z = KvStr::Atof(pieces[2]);
    return true;
}

} // namespace

std::string Vector::ToText() const {
    return TripleText(x, y, z);
}

bool Vector::FromText(const std::string& text) {
    return TripleFromText(text, x, y, z);
}

bool operator==(const Vector& a, const Vector& b) {
    return NearlyEqual(a.x, b.x) && NearlyEqual(a.y, b.y) && NearlyEqual(a.z, b.z);
}

std::string Rotation::ToText() const {
    return TripleText(x, y, z);
}

bool Rotation::FromText(const std::string& text) {
    return TripleFromText(text, x, y, z);
}

bool operator==(const Rotation& a, const Rotation& b) {
    return NearlyEqual(a.x, b.x) && NearlyEqual(a.y, b.y) && NearlyEqual(a.z, b.z);
}

} // namespace qv
