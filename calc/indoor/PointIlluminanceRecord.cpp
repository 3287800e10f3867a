#include "calc/indoor/PointIlluminanceRecord.h"

#include "calc/common/Outline.h"

namespace qv {

PointIlluminanceRecord RecordPointCalculation(const std::vector<CalcPoint>& points,
                                              const std::vector<Vector>& outline,
                                              const LuminaireList& luminaires,
                                              const std::vector<int>& linearTypes) {
    PointIlluminanceRecord record;
    record.inputs.luminaires = luminaires;
    record.calcPoints = points;
    std::vector<PreparedLuminaire> prepared;
    for (int i = 0; i < luminaires.Count(); ++i) {
        const Luminaire& luminaire = luminaires.At(i);
        const size_t index = static_cast<size_t>(i);
        // The type the run classified the luminaire with is kept where curve A cannot
        // classify it again.
        prepared.push_back(PrepareLuminaire(
            luminaire, index < linearTypes.size() ? linearTypes[index] : kLinearA));
        record.luminaires.push_back(
            {luminaire.nLuminousFlux, luminaire.dVindicate, luminaire.geometricShape.dLength});
    }
    for (const CalcPoint& point : points) {
        PointRecordPoint& entry = record.points.emplace_back();
        entry.eh = point.dEh;
        entry.ev = point.dEv;
        entry.ei = point.dEi;
        if (PointInOutline(outline, point.position) < 1) {
            continue;
        }
        const FrameMatrix frame = FrameOf(point.rotation);
        for (const PreparedLuminaire& luminaire : prepared) {
            entry.steps.push_back(ComputeLuminaireStep(luminaire, point.position, frame));
        }
    }
    return record;
}

} // namespace qv
