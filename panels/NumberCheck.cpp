#include "panels/NumberCheck.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace qv {
namespace {

struct Rule {
    double low;
    bool lowIncluded;
    double high;
    bool whole;           // whole numbers only
    const char* tooSmall; // the message below the range (or not whole)
    const char* tooLarge; // the message above it
};

Rule RuleOf(NumberKind kind) {
    switch (kind) {
    case NumberKind::kLength:
        return {0.0, false, kMaxLength, false, "应为不大于100000的正数", "应为不大于100000的正数"};
    case NumberKind::kSize:
        return {
            0.0, true, kMaxLength, false, "应为不大于100000的非负数", "应为不大于100000的非负数"};
    case NumberKind::kCoordinate:
        return {-kMaxLength,
                true,
                kMaxLength,
                false,
                "应为绝对值不大于100000的数值",
                "应为绝对值不大于100000的数值"};
    case NumberKind::kAngle:
        return {
            -360.0, true, 360.0, false, "应为绝对值不大于360的数值", "应为绝对值不大于360的数值"};
    case NumberKind::kFlux:
        return {0.0, false, kMaxQuantity, false, "应为正数", "应为不大于1000000000的正数"};
    case NumberKind::kIntFlux:
        return {0.0, false, double{INT_MAX}, true, "应为正整数", "应为不大于2147483647的正整数"};
    case NumberKind::kPercent:
        return {0.0, true, 100.0, false, "应为0到100之间的数值", "应为0到100之间的数值"};
    case NumberKind::kFraction:
        return {0.0, true, 1.0, false, "应为0到1之间的数值", "应为0到1之间的数值"};
    case NumberKind::kMaintenance:
        return {0.0, false, 1.0, false, "应为大于0且不大于1的数值", "应为大于0且不大于1的数值"};
    case NumberKind::kCount:
        return {
            0.0, true, 100000.0, true, "应为不大于100000的非负整数", "应为不大于100000的非负整数"};
    case NumberKind::kNonNegative:
        return {0.0, true, kMaxQuantity, false, "应为非负数", "应为不大于1000000000的非负数"};
    case NumberKind::kNumber:
        break;
    }
    return {-HUGE_VAL, true, HUGE_VAL, false, "应为数字", "应为数字"};
}

std::string Refused(const std::string& label, const char* rule) {
    return label + rule + ",请重新输入!";
}

} // namespace

std::string NumberRefusal(const std::string& text, NumberKind kind, const std::string& label,
                          double* value) {
    double number = 0.0;
    // The grammar takes a lone point ("." or "-."), which holds no number.
    const bool digits =
        std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || !KvStr::IsDigitFactor(&number, text) || std::isnan(number)) {
        return Refused(label, "应为数字");
    }
    const Rule rule = RuleOf(kind);
    // An overflow ("1e+999") reads as an infinity: refused as too large or too small, or
    // as no number where the kind has no bound.
    if (!std::isfinite(number)) {
        return Refused(label, number > 0 ? rule.tooLarge : rule.tooSmall);
    }
    if (number < rule.low || (number == rule.low && !rule.lowIncluded)) {
        return Refused(label, rule.tooSmall);
    }
    if (number > rule.high) {
        return Refused(label, rule.tooLarge);
    }
    if (rule.whole && number != std::trunc(number)) {
        return Refused(label, rule.tooSmall);
    }
    if (value != nullptr) {
        *value = number == 0.0 ? 0.0 : number; // "-0" is 0
    }
    return std::string();
}

std::optional<double> ReadNumber(const std::string& text, NumberKind kind) {
    double value = 0.0;
    if (!NumberRefusal(text, kind, std::string(), &value).empty()) {
        return std::nullopt;
    }
    return value;
}

void ShowRefusal(const std::string& refusal) {
    KvMessageSink::Show(refusal, "系统提示", KvMessageIcon::Warning);
}

std::optional<double> CheckNumber(const std::string& text, NumberKind kind,
                                  const std::string& label) {
    double value = 0.0;
    const std::string refusal = NumberRefusal(text, kind, label, &value);
    if (!refusal.empty()) {
        ShowRefusal(refusal);
        return std::nullopt;
    }
    return value;
}

std::optional<int> CheckInt(const std::string& text, NumberKind kind, const std::string& label) {
    const std::optional<double> value = CheckNumber(text, kind, label);
    if (!value) {
        return std::nullopt;
    }
    // Every whole kind lies within int; a fractional kind held as an int drops the part.
    return static_cast<int>(std::clamp(std::trunc(*value), double{INT_MIN}, double{INT_MAX}));
}

} // namespace qv
