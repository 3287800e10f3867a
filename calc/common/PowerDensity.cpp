#include "calc/common/PowerDensity.h"

#include "calc/common/Outline.h"
#include "model/Constants.h"
#include "model/FormatTruncated.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

constexpr int kShownDecimals = 2;

} // namespace

double LightingPowerDensity(const Room& room, const LuminaireList& luminaires) {
    const double area = OutlineArea(room.outline);
    if (area < kTolerance) {
        return 0.0;
    }
    double power = 0.0;
    for (const Luminaire& luminaire : luminaires.Items()) {
        power += LuminairePower(luminaire);
    }
    const double lpd = power / area;
    return std::isfinite(lpd) ? lpd : 0.0;
}

int FirstUnsoundPower(const LuminaireList& luminaires) {
    for (int i = 0; i < luminaires.Count(); ++i) {
        if (!HasSoundPower(luminaires.At(i))) {
            return i + 1;
        }
    }
    return 0;
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
    message.caption = "照明功率密度计算";
    message.buttons = KvMessageButtons::Ok;
    if (const int unsound = FirstUnsoundPower(luminaires); unsound > 0) {
        message.text = KvStr::Format(
            "灯具%d的光源功率、镇流器功率或光源个数不是有效数值，无法计算功率密度", unsound);
        message.icon = KvMessageIcon::Warning;
        return message;
    }
    message.text =
        KvStr::Format("当前房间的功率密度为 %.2f w/m2", LightingPowerDensity(room, luminaires));
    message.icon = KvMessageIcon::Information;
    return message;
}

} // namespace qv
