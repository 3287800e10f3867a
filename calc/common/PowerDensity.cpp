#include "calc/common/PowerDensity.h"

#include "calc/common/Outline.h"
#include "model/Constants.h"
#include "model/FormatTruncated.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

constexpr int kShownDecimals = 2;

double LampPower(const Lamp& lamp) {
    return lamp.dPower + lamp.dBallastPower;
}

} // namespace

double LightingPowerDensity(const Room& room, const LuminaireList& luminaires) {
    const double area = OutlineArea(room.outline);
    if (area < kTolerance) {
        return 0.0;
    }
    double power = 0.0;
    for (const Luminaire& luminaire : luminaires.Items()) {
        power += LampPower(luminaire.lamp1);
        if (luminaire.bLampHouse2 != 0) {
            power += LampPower(luminaire.lamp2);
        }
    }
    const double lpd = power / area;
    return std::isfinite(lpd) ? lpd : 0.0;
}

double ConvertedPowerDensity(double lpd, double e, double standard) {
    if (standard < kTolerance) {
        return 0.0;
    }
    const double converted = lpd * e / standard;
    return std::isfinite(converted) ? converted : 0.0;
}

PowerDensityDisplay ShowSecondDensity(double lpd, double e, double standard, DensityLabel style) {
    PowerDensityDisplay shown;
    shown.lpdText = FormatTruncated(lpd, kShownDecimals);
    shown.lpd = KvStr::Atof(shown.lpdText);
    const char* unit = style == DensityLabel::WithUnit ? "w/m2" : "";
    if (e > standard) {
        shown.second = shown.lpd;
        shown.secondText = shown.lpdText;
        shown.label = std::string("标准功率密度") + unit;
    } else {
        shown.secondText =
            FormatTruncated(ConvertedPowerDensity(shown.lpd, e, standard), kShownDecimals);
        shown.second = KvStr::Atof(shown.secondText);
        shown.label = std::string("折算功率密度") + unit;
    }
    return shown;
}

KvMessage PowerDensityMessage(const Room& room, const LuminaireList& luminaires) {
    KvMessage message;
    message.text =
        KvStr::Format("当前房间的功率密度为 %.2f w/m2", LightingPowerDensity(room, luminaires));
    message.caption = "照明功率密度计算";
    message.icon = KvMessageIcon::Information;
    message.buttons = KvMessageButtons::Ok;
    return message;
}

} // namespace qv
