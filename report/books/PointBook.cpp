#include "report/books/PointBook.h"
#include "report/books/InputTables.h"

#include "model/Constants.h"

#include <kelvorin/KvStr.h>

#include <array>
#include <cmath>

namespace qv {
namespace {

// The horizontal and the vertical part differ in their symbols and factors.
struct PlaneTexts {
    const char* resultSymbolLine; // "ξ——水平照度，lx\n"
    const char* factorName;       // "AF" or "af"
    const char* factorSymbolLine; // "AF——水平方位系数\n"
    const char* factorCasesLine;  // "AF根据灯的类型不同分为5种情况"
    const char* pointPower;       // the cosine powers of a point source
    const char* linePower;        // those of a linear source
    const char* sectionFormat;    // "P%d点的水平照度计算"
    const char* totalFormat;      // "点P%d在所有灯具下的水平照度为%0.2flx\n"
    std::array<const char*, 5> factorCases;
};

const PlaneTexts kHorizontal = {
    "ξ——水平照度，lx\n",
    "AF",
    "AF——水平方位系数\n",
    "AF根据灯的类型不同分为5种情况",
    "cos \\s\\up2(3)θ",
    "cos \\s\\up2(2)θ",
    "P%d点的水平照度计算",
    "点P%d在所有灯具下的水平照度为%0.2flx\n",
    {"AF = \\f(1, 2)(sinαcosα + α)",
     "AF = \\f(1, 4)(cosαsinα + α) + \\f(1, 6)(cos \\s\\up2(2)α + 2)sinα",
     "AF = \\f(1, 3)(cos \\s\\up2(2)α + 2)sinα",
     "AF = \\f(1, 4)cos \\s\\up2(3)αsinα + 0.375(cosαsinα + α)",
     "AF = \\f(4, 15)(cos \\s\\up2(2)α + 2)sinα + 0.2cos \\s\\up2(4)αsinα"}};

const PlaneTexts kVertical = {
    "ξ——垂直照度，lx\n",
    "af",
    "af——垂直方位系数\n",
    "af根据灯的类型不同分为5种情况",
    "cos \\s\\up2(2)θsinθ",
    "cosθ",
    "P%d点的垂直照度计算",
    "点P%d在所有灯具下的垂直照度为%0.2flx\n",
    {"af = \\f(1, 2)(1 - cos \\s\\up2(2)α)",
     "af = \\f(1, 6)(1 - cos \\s\\up2(3)α) + \\f(1, 4)(1 - cos \\s\\up2(2)α)",
     "af = \\f(1, 3)(1 - cos \\s\\up2(3)α)", "af = \\f(1, 4)(1 - cos \\s\\up2(4)α)",
     "af = 0.2(1 - cos \\s\\up2(5)α)"}};

const char* const kTypeNames[] = {"A", "B", "C", "D", "E"};

std::string Degrees(double radians) {
    return Fixed(radians * kRadToDeg, 2) + "°";
}

// Fixed, without the sign of a value that shows as zero ("-0.000" is "0.000").
std::string FixedFactor(double value, int decimals) {
    const std::string text = Fixed(value, decimals);
    return text.find_first_not_of("-0.") == std::string::npos && text[0] == '-' ? text.substr(1)
                                                                                : text;
}

class PointBookWriter {
public:
    PointBookWriter(CalcBookWriter& writer, const PointIlluminanceRecord& record)
        : m_book(writer), m_record(record) {}

    void Write(PointBookParts parts) {
        m_book.Open("点照度计算计算书");
        OpenInputs(m_book);
        WriteRoomInputs(m_book, m_record.inputs, false);
        WriteLuminaireInputs(m_book, m_record.inputs.luminaires);
        WritePointInputs(m_book, m_record.calcPoints);
        m_book.Heading("水平照度的计算公式:\n");
        WriteGeneralFormulas(kHorizontal);
        WritePoints(kHorizontal);
        if (parts.inclined) {
            WriteInclined();
        }
        if (parts.vertical) {
            m_book.Heading("垂直照度计算公式:\n");
            WriteGeneralFormulas(kVertical);
            WritePoints(kVertical);
        }
    }

private:
    bool Vertical(const PlaneTexts& texts) const { return &texts == &kVertical; }

    void WriteGeneralFormulas(const PlaneTexts& texts) {
        m_book.SubHeading("光源是点光源时的计算公式:\n");
        m_book.Equation(
            std::string("ξ = ") +
            Frac(std::string("φI ") + Lo("θ") + texts.pointPower + "K", "1000h" + Up("2")));
        m_book.Symbol("I", "θ", "——光源光通量为1000lm时照射方向的光强，cd/1000lm");
        m_book.Line("h——灯具到被照面的垂直距离，m\n");
        m_book.Line("cosθ——被照面的法线与入射光线的夹角的余弦。\n");
        if (Vertical(texts)) {
            m_book.Line("D——点光源在水平面上的投影至计算点P的距离，m\n");
        }
        m_book.Line("φ——光源光通量，lm\n");
        m_book.Line(texts.resultSymbolLine);
        m_book.Line("K——灯具维护系数\n");

        m_book.SubHeading("光源是线光源时的计算公式:\n");
        m_book.Equation(std::string("ξ = ") +
                        Frac(std::string("φI' ") + Lo("θ") + texts.linePower, "1000h") +
                        texts.factorName + "K");
        m_book.Symbol("I'", "θ",
                      "——线光源光通量为1000lm时，在θ平面上垂直于轴线的单位长度光强，cd/m");
        m_book.Line("φ——光源光通量，lm\n");
        m_book.Line("h——线光源在计算水平面上的计算高度，m\n");
        m_book.Line("D——线光源在水平面上的投影至计算点P的距离，m\n");
        m_book.Line(texts.factorSymbolLine);
        m_book.Line("K——灯具的维护系数\n");
        m_book.Line(texts.factorCasesLine);
        for (int type = 0; type < 5; ++type) {
            m_book.Line(KvStr::Format("%s类灯具:", kTypeNames[type]));
            m_book.Equation(texts.factorCases[static_cast<size_t>(type)]);
        }
    }

    void WritePoints(const PlaneTexts& texts) {
        const std::vector<PointRecordPoint>& points = m_record.points;
        for (size_t p = 0; p < points.size(); ++p) {
            const int pointNumber = static_cast<int>(p) + 1;
            m_book.Section(KvStr::Format(texts.sectionFormat, pointNumber));
            const std::vector<LuminaireStep>& steps = points[p].steps;
            if (steps.empty()) {
                m_book.Line("计算点不在房间内，照度为0。\n");
            }
            for (size_t l = 0; l < steps.size(); ++l) {
                WriteStep(texts, steps[l], static_cast<int>(l) + 1, pointNumber);
            }
            const double total = Vertical(texts) ? points[p].ev : points[p].eh;
            m_book.Line(KvStr::Format(texts.totalFormat, pointNumber, total));
        }
    }

    const PointRecordLuminaire& LuminaireAt(int number) const {
        return m_record.luminaires[static_cast<size_t>(number - 1)];
    }

    void WriteStep(const PlaneTexts& texts, const LuminaireStep& step, int lamp, int pointNumber) {
        const bool linear =
            step.outcome != StepOutcome::LevelOrBelow && step.sourceKind == kLinearSource;
        m_book.Section(KvStr::Format(linear ? "灯%d按线光源计算\n" : "灯%d按点光源计算\n", lamp));
        m_book.Line(KvStr::Format("灯%d对P%d的照度:\n", lamp, pointNumber));
        switch (step.outcome) {
        case StepOutcome::LevelOrBelow:
            m_book.Line(KvStr::Format("h = %0.2fm，灯具不高于计算点，照度为0。\n", step.h));
            return;
        case StepOutcome::NoIntensityAtZero:
            m_book.Line("灯具在0°方向没有光强，照度为0。\n");
            return;
        case StepOutcome::NotFinite:
            m_book.Line("数据无法计算出有限的照度，照度为0。\n");
            return;
        default:
            break;
        }
        if (linear) {
            WriteLinearStep(texts, step, lamp);
        } else {
            WritePointStep(texts, step, lamp);
        }
    }

    std::string FluxAndFactor(int lamp) const {
        return KvStr::Format("%d", LuminaireAt(lamp).flux) + " × ";
    }

    void WritePointStep(const PlaneTexts& texts, const LuminaireStep& step, int lamp) {
        const PointRecordLuminaire& luminaire = LuminaireAt(lamp);
        m_book.Equation("θ = arctg" + Frac("D", "h") + " = arctg" +
                        Frac(Fixed(step.d, 3), Fixed(step.h, 3)) + " = " + Degrees(step.theta));
        m_book.Equation("I " + Lo("θ") + " = " +
                        Frac(Fixed(step.intensityA, 2) + " × " + Fixed(step.intensityB, 2),
                             Fixed(step.intensityB0, 2)) +
                        " = " + Fixed(step.intensity, 2) + "cd/1000lm");
        const std::string cosine = Vertical(texts) ? "cos " + Up("2") + Degrees(step.theta) +
                                                         " × sin" + Degrees(step.theta)
                                                   : "cos " + Up("3") + Degrees(step.theta);
        const double value = Vertical(texts) ? step.ev : step.eh;
        m_book.Equation("ξ = " +
                        Frac(FluxAndFactor(lamp) + Fixed(step.intensity, 2) + " × " + cosine +
                                 " × " + Fixed(luminaire.maintenance, 2),
                             "1000 × " + Fixed(step.h, 3) + Up("2")) +
                        " = " + Fixed(value, 2) + "lx");
    }

    // One term e(α) of a linear source.
    std::string LinearTerm(const PlaneTexts& texts, const LuminaireStep& step,
                           const AzimuthTerm& term, int lamp) const {
        const PointRecordLuminaire& luminaire = LuminaireAt(lamp);
        const std::string cosine =
            Vertical(texts) ? "cos" + Degrees(step.theta) : "cos " + Up("2") + Degrees(step.theta);
        const double factor = Vertical(texts) ? term.factor.vertical : term.factor.horizontal;
        const double value = Vertical(texts) ? term.ev : term.eh;
        return Frac(FluxAndFactor(lamp) + Fixed(step.intensity, 2) + " × " + cosine,
                    "1000 × " + Fixed(step.h, 3)) +
               " × " + Fixed(factor, 4) + " × " + Fixed(luminaire.maintenance, 2) + " = " +
               Fixed(value, 2) + "lx";
    }

    void WriteLinearStep(const PlaneTexts& texts, const LuminaireStep& step, int lamp) {
        const PointRecordLuminaire& luminaire = LuminaireAt(lamp);
        m_book.Equation("θ = arctg" + Frac("D", "h") + " = arctg" +
                        Frac(Fixed(std::fabs(step.local.y), 3), Fixed(step.h, 3)) + " = " +
                        Degrees(step.theta));
        m_book.Equation("I' " + Lo("θ") + " = " +
                        Frac(Fixed(step.intensityB, 2), Fixed(luminaire.length, 3)) + " = " +
                        Fixed(step.intensity, 2) + "cd/m");
        m_book.Line(KvStr::Format("灯的类型为%s类，", kTypeNames[step.linearType]));
        m_book.Equation("α " + Lo("1") + " = " + Degrees(step.alpha1) + ", α " + Lo("2") + " = " +
                        Degrees(step.alpha2));
        if (step.footCase == kFootOff) {
            m_book.Line("计算点在光源上的垂足不在光源及其延长线上，照度为0。\n");
            return;
        }
        if (step.footCase == kFootBeyondE1 || step.footCase == kFootBeyondE2) {
            m_book.Line("计算点在光源上的垂足在光源延长线上，所以把光源延长求代数和。\n");
        } else if (step.footCase == kFootOnSource) {
            m_book.Line("计算点在光源上的垂足在光源上面，所以把光源分成两部分求代数和。\n");
        }
        if (step.termCount == 1) {
            const AzimuthTerm& term = step.terms[0];
            m_book.Equation(
                std::string(texts.factorName) + "(α " + Lo("1") + " + α " + Lo("2") +
                ") = " + Fixed(Vertical(texts) ? term.factor.vertical : term.factor.horizontal, 4));
            m_book.Equation("ξ = " + LinearTerm(texts, step, term, lamp));
            return;
        }
        for (int t = 0; t < 2; ++t) {
            const std::string index = Whole(t + 1);
            m_book.Equation("ξ " + Lo(index) + " = " +
                            LinearTerm(texts, step, step.terms[t], lamp));
        }
        const double value = Vertical(texts) ? step.ev : step.eh;
        const std::string combination = step.termSign > 0 ? "ξ " + Lo("1") + " + ξ " + Lo("2")
                                                          : "ξ " + Lo("1") + " - ξ " + Lo("2");
        m_book.Equation("ξ = " + combination + " = " + Fixed(value, 2) + "lx");
    }

    // Ei = Eδ(cosε + (D/h)·sinε·cosψ): for a plane tilted by ε straight toward the
    // luminaire (ψ = 0) the familiar cosδ + (D/h)·sinδ; each step prints the two angles
    // and then both factors, cosε = n_z and sinε·cosψ = n_h·û_h.
    void WriteInclined() {
        m_book.Heading("倾斜面照度计算公式:\n");
        m_book.Equation("E " + Lo("φ") + " = E " + Lo("δ") + "(cosε + " + Frac("D", "h") +
                        "sinεcosψ)");
        m_book.Symbol("E", "φ", "——倾斜面上P点的照度，lx\n");
        m_book.Symbol("E", "δ", "——P点的水平照度（上文算得的灯具对P点的水平照度），lx\n");
        m_book.Line("ε——倾斜面与水平面的夹角（倾斜面法线与铅垂线的夹角）\n");
        m_book.Line("ψ——水平面上倾斜面的倾斜方向与P点指向灯具方向的夹角；面向灯具倾斜时ψ = "
                    "0，侧向倾斜时ψ = 90°\n");
        m_book.Line("灯具位于倾斜面背面（cosε + D/h·sinεcosψ ≤ 0）时，对倾斜面的照度为0\n");
        const std::vector<PointRecordPoint>& points = m_record.points;
        for (size_t p = 0; p < points.size(); ++p) {
            const int pointNumber = static_cast<int>(p) + 1;
            m_book.Section(KvStr::Format("P%d点的倾斜照度计算", pointNumber));
            const std::vector<LuminaireStep>& steps = points[p].steps;
            for (size_t l = 0; l < steps.size(); ++l) {
                const LuminaireStep& step = steps[l];
                if (step.outcome != StepOutcome::Contributes) {
                    continue;
                }
                m_book.Line(
                    KvStr::Format("灯%d对P%d的照度:\n", static_cast<int>(l) + 1, pointNumber));
                m_book.Equation("ε = " + Degrees(step.tilt) + ",  ψ = " + Degrees(step.azimuth));
                const std::string factors = Fixed(step.eh, 2) + " × (" + FixedFactor(step.nz, 3) +
                                            " + " + Frac(Fixed(step.d, 3), Fixed(step.h, 3)) +
                                            " × " + FixedFactor(step.across, 3) + ")";
                m_book.Equation(
                    "E " + Lo("φ") + " = " + Fixed(step.eh, 2) + " × (cos" + Degrees(step.tilt) +
                    " + " + Frac(Fixed(step.d, 3), Fixed(step.h, 3)) + "sin" + Degrees(step.tilt) +
                    "cos" + Degrees(step.azimuth) + ") = " + factors +
                    (step.behind ? std::string(" ≤ 0") : " = " + Fixed(step.ei, 2) + "lx"));
                if (step.behind) {
                    m_book.Line(KvStr::Format("灯%d位于倾斜面背面，对P%d的倾斜面照度按0计\n",
                                              static_cast<int>(l) + 1, pointNumber));
                }
            }
            m_book.Line(
                KvStr::Format("点P%d在所有灯具下的倾斜照度为%0.2flx", pointNumber, points[p].ei));
        }
    }

    BookComposer m_book;
    const PointIlluminanceRecord& m_record;
};

} // namespace

BookName WritePointBook(CalcBookWriter& writer, const PointIlluminanceRecord& record,
                        PointBookParts parts) {
    PointBookWriter(writer, record).Write(parts);
    return {"点照度计算计算书", ""};
}

} // namespace qv
