#include "calc/common/Verdict.h"

#include "calc/glare/RoomUgr.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

std::string Lux(double value) {
    return KvStr::Format("%.2f", value);
}

// A limit of the table as the standard prints it: whole numbers without decimals.
std::string Limit(double value) {
    return KvStr::FormatDouble(value);
}

const char* MetText(bool met) {
    return met ? kMet : kNotMet;
}

} // namespace

StandardBasis DesignRequirement(double lux) {
    StandardBasis basis;
    basis.lux = lux;
    return basis;
}

StandardBasis LookUpStandardBasis(CatalogueDatabase* db, const StandardPlace& place, double lux,
                                  StandardScope scope) {
    if (place.Empty()) {
        return DesignRequirement(lux);
    }
    StandardBasis basis = DesignRequirement(lux);
    basis.place = place;
    if (scope == StandardScope::kRoad) {
        basis.standard = std::string("《") + kRoadStandardTitle + "》" + kRoadStandard;
    } else {
        StandardEdition edition;
        if (db != nullptr) {
            edition = ReadStandardsEdition(*db);
        }
        if (edition.number.empty()) {
            edition = {kLightingStandard, kLightingStandardTitle};
        }
        basis.standard = "《" + edition.title + "》" + edition.number;
        basis.tolerance = true;
    }
    PlaceStandard limits;
    if (db != nullptr && LoadPlaceStandard(*db, place.category, place.place, limits) == 1) {
        basis.limits = limits;
    }
    return basis;
}

double LowestAcceptedIlluminance(const StandardBasis& basis) {
    return basis.tolerance ? basis.lux * 0.9 : basis.lux;
}

bool IlluminanceMet(const StandardBasis& basis, double e) {
    // Compared in tenths so that exactly 90 % of the standard is not lost to rounding.
    return basis.tolerance ? e * 10.0 >= basis.lux * 9.0 : e - basis.lux >= 0.0;
}

std::string IlluminanceMessage(VerdictSubject subject, bool met) {
    switch (subject) {
    case VerdictSubject::kSite:
        return met ? "照度满足场地最低照度,不需增加灯具" : "照度不满足场地最低照度，需增加灯具";
    case VerdictSubject::kRoad:
        return met ? "照度满足道路照度标准,不需增加灯具" : "照度不满足道路照度标准，需增加灯具";
    case VerdictSubject::kRoom:
        break;
    }
    return met ? "照度满足房间照度标准,不需增加灯具" : "照度不满足房间照度标准，需增加灯具";
}

std::vector<VerdictRow> VerdictRows(const StandardBasis& basis, const VerdictValues& values) {
    std::vector<VerdictRow> rows;
    const bool chosen = !basis.place.Empty();
    std::string standard = Lux(basis.lux);
    if (!chosen && basis.lux < 1e-6) {
        standard = "未给出照度标准";
    } else if (!chosen) {
        standard += "(设计要求)";
    } else if (basis.tolerance) {
        standard += "(允许偏差−10%,不低于" + Lux(LowestAcceptedIlluminance(basis)) + ")";
    }
    rows.push_back(
        {"平均照度Eav(lx)", Lux(values.e), standard, MetText(IlluminanceMet(basis, values.e))});

    if (values.u0 && basis.limits.u0) {
        const double limit = *basis.limits.u0;
        rows.push_back({"照度均匀度U0=Emin/Eav", KvStr::Format("%.2f", *values.u0),
                        "≥" + KvStr::Format("%.2f", limit), MetText(*values.u0 - limit >= 0.0)});
    }

    if (values.lpd) {
        const std::string computed = KvStr::Format("%.2f", *values.lpd);
        if (basis.limits.currentLpd) {
            std::string limit = "≤" + Limit(*basis.limits.currentLpd) + "(现行值)";
            if (basis.limits.targetLpd) {
                limit += ",目标值" + Limit(*basis.limits.targetLpd);
            }
            rows.push_back({"照明功率密度LPD(W/m²)", computed, limit,
                            MetText(*basis.limits.currentLpd - *values.lpd >= 0.0)});
        } else if (basis.limits.targetLpd) {
            // The 2024 building standard leaves the current limits of most places to the
            // energy code; the catalogue holds only their targets.
            std::string limit = "目录未收录现行值";
            if (basis.tolerance) {
                limit += "(见GB 55015-2021)";
            }
            rows.push_back({"照明功率密度LPD(W/m²)", computed,
                            limit + ",目标值" + Limit(*basis.limits.targetLpd), "无法判定"});
        } else {
            rows.push_back({"照明功率密度LPD(W/m²)", computed,
                            chosen ? "标准未规定该场所的限值" : "未选择标准场所,无限值",
                            "无法判定"});
        }
    }

    if (basis.limits.ugr && values.ugr) {
        rows.push_back(
            {"统一眩光值UGR", KvStr::Format("%.1f", std::round(*values.ugr * 10.0) / 10.0),
             "≤" + Limit(*basis.limits.ugr), MetText(UgrMet(*values.ugr, *basis.limits.ugr))});
    } else if (basis.limits.ugr) {
        rows.push_back({"统一眩光值UGR", "—", "≤" + Limit(*basis.limits.ugr), kByLuminaireChoice});
    }
    if (basis.limits.ra) {
        rows.push_back({"显色指数Ra", "—", "≥" + Limit(*basis.limits.ra), kByLuminaireChoice});
    }
    return rows;
}

std::string VerdictBasisText(const StandardBasis& basis) {
    if (basis.place.Empty()) {
        return "照度标准值为设计要求,未按标准场所查取。";
    }
    std::string text = "依据" + basis.standard + ",场所:" + basis.place.Text() + "。";
    if (basis.tolerance) {
        text += "设计照度与照度标准值的偏差不超过−10%时,视为满足照度标准。";
    }
    return text;
}

} // namespace qv
