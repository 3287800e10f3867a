#include "calc/indoor/RoomGrid.h"

#include "calc/common/Outline.h"
#include "calc/indoor/LevelPointStep.h"

#include <kelvorin/KvMessage.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>
#include <thread>

namespace qv {
namespace {

constexpr int kProgressStep = 100;
const char* const kSearchText = "搜索计算点";
const char* const kCalculationText = " 计算中...";

// trunc(n·shorter/longer) as a count; 0 when the quotient is not a number (no extent).
int ProportionalCount(int n, double shorter, double longer) {
    const double count = n * shorter / longer;
    return count >= 0.0 && count < n + 1.0 ? static_cast<int>(count) : 0;
}

GridDivisions Divide(int n, double along, double up) {
    if (n <= 0) {
        return {};
    }
    if (along > up) {
        return {n, ProportionalCount(n, up, along)};
    }
    return {ProportionalCount(n, along, up), n};
}

// The points of the candidates with along index in [begin, end), up-inner, that lie
// inside the outline (or on it). The reporting run shows the search's progress every 100
// of its own candidates: the candidates visited by all runs (whole rows of the others).
template <typename CandidateAt>
void SearchRun(std::vector<CalcPoint>& found, const std::vector<Vector>& outline, int begin,
               int end, int up, int total, const CandidateAt& candidateAt,
               std::atomic<int>& visited, bool reports, const GridCancel* cancel) {
    int own = 0;
    found.reserve(found.size() + static_cast<size_t>(std::max(end - begin, 0)) *
                                     static_cast<size_t>(std::max(up, 0)));
    for (int i = begin; i < end; ++i) {
        for (int j = 0; j < up; ++j, ++own) {
            if (own % kProgressStep == 0) {
                if (Cancelled(cancel)) {
                    return;
                }
                if (reports) {
                    KvProgressSink::Report(
                        kSearchText, std::max(own, visited.load(std::memory_order_relaxed)), total);
                }
            }
            const Vector candidate = candidateAt(i, j);
            if (PointInOutline(outline, candidate) >= kOutlineOnEdge) {
                CalcPoint point;
                point.position = candidate;
                found.push_back(std::move(point));
            }
        }
        visited.fetch_add(up, std::memory_order_relaxed);
    }
}

// Visits the candidates along-outer, up-inner, in runs of along indexes spread over
// threads; the points are joined in visiting order, the same for any thread count.
template <typename CandidateAt>
void Search(std::vector<CalcPoint>& points, const std::vector<Vector>& outline,
            GridDivisions divisions, int threads, const GridCancel* cancel,
            CandidateAt candidateAt) {
    points.clear();
    const int total = divisions.along * divisions.up;
    if (total <= 0) {
        KvProgressSink::Close();
        return;
    }
    const int runs = std::clamp(threads, 1, divisions.along);
    const auto runBegin = [&](int run) {
        return static_cast<int>(static_cast<long long>(divisions.along) * run / runs);
    };
    std::vector<std::vector<CalcPoint>> found(static_cast<size_t>(runs));
    std::atomic<int> visited{0};
    std::vector<std::thread> workers;
    for (int run = 1; run < runs; ++run) {
        workers.emplace_back([&, run] {
            SearchRun(found[static_cast<size_t>(run)], outline, runBegin(run), runBegin(run + 1),
                      divisions.up, total, candidateAt, visited, false, cancel);
        });
    }
    SearchRun(points, outline, 0, runBegin(1), divisions.up, total, candidateAt, visited, true,
              cancel);
    for (std::thread& worker : workers) {
        worker.join();
    }
    size_t count = points.size();
    for (const std::vector<CalcPoint>& run : found) {
        count += run.size();
    }
    points.reserve(count);
    for (std::vector<CalcPoint>& run : found) {
        std::move(run.begin(), run.end(), std::back_inserter(points));
    }
    KvProgressSink::Close();
}

// The last contribution of every luminaire within one run of points, and whether the
// run set it at all.
struct LastContributions {
    std::vector<double> value;
    std::vector<char> set;
};

// The points [begin, end): zeroed, then the luminaires added in list order.
void CalculateRun(std::vector<CalcPoint>& points, size_t begin, size_t end,
                  const std::vector<PreparedLuminaire>& luminaires, LastContributions& last,
                  std::atomic<size_t>& done, bool reports, const GridCancel* cancel) {
    for (size_t p = begin; p < end; ++p) {
        if ((p - begin) % kProgressStep == 0 && Cancelled(cancel)) {
            return;
        }
        CalcPoint& point = points[p];
        point.dIntensity = 0.0;
        point.dEh = 0.0;
        point.dEv = 0.0;
        point.dEi = 0.0;
        const Rotation& r = point.rotation;
        const bool level = r.x == 0.0 && r.y == 0.0 && r.z == 0.0;
        const FrameMatrix frame = level ? FrameMatrix() : FrameOf(r);
        for (size_t i = 0; i < luminaires.size(); ++i) {
            if (level) {
                bool contributed = false;
                AddLevelContribution(luminaires[i], point, last.value[i], contributed);
                last.set[i] = last.set[i] != 0 || contributed ? 1 : 0;
                continue;
            }
            const LuminaireStep step = ComputeLuminaireStep(luminaires[i], point.position, frame);
            if (step.outcome == StepOutcome::Contributes) {
                last.set[i] = 1;
            }
            ApplyStep(step, point, last.value[i]);
        }
        const size_t finished = done.fetch_add(1, std::memory_order_relaxed);
        if (reports && (p - begin) % kProgressStep == 0) {
            KvProgressSink::Report(kCalculationText, static_cast<int>(finished),
                                   static_cast<int>(points.size()));
        }
    }
}

} // namespace

GridDivisions DivideGrid(int n, double along, double up) {
    return Divide(n, along, up);
}

void HorizontalGridSearch(std::vector<CalcPoint>& points, const Room& room, int n, int threads,
                          const GridCancel* cancel) {
    const OutlineExtent box = ExtentOf(room.outline);
    const double w = std::fabs(box.maxX - box.minX);
    const double h = std::fabs(box.maxY - box.minY);
    const GridDivisions divisions = Divide(n, w, h);
    Search(points, room.outline, divisions, threads, cancel, [&](int i, int j) {
        return Vector{box.minX + w * i / divisions.along, box.minY + h * j / divisions.up,
                      room.dWorkHeight};
    });
}

void VerticalGridSearch(std::vector<CalcPoint>& points, const Room& room, int n, double topHeight,
                        const Vector& a, const Vector& b, int side, int threads,
                        const GridCancel* cancel) {
    bool aFirst = std::fabs(a.x - b.x) < kTolerance ? a.y < b.y : a.x < b.x;
    if (side == kSideLowerRight) {
        aFirst = std::fabs(a.x - b.x) < kTolerance ? a.y > b.y : a.x > b.x;
    }
    const Vector& l1 = aFirst ? a : b;
    const Vector& l2 = aFirst ? b : a;
    const double hv = topHeight - room.dWorkHeight;
    const double lh = PlanDistance(l1, l2);
    const GridDivisions divisions = Divide(n, lh, std::fabs(hv));
    Search(points, room.outline, divisions, threads, cancel, [&](int i, int j) {
        return Vector{l1.x + (l2.x - l1.x) * i / divisions.along,
                      l1.y + (l2.y - l1.y) * i / divisions.along,
                      room.dWorkHeight + j * hv / divisions.up};
    });
}

double TopHeight(const LuminaireList& luminaires) {
    double top = 0.0;
    for (int i = 0; i < luminaires.Count(); ++i) {
        const double z = luminaires.At(i).ptCenter.z;
        if (i == 0 || z > top) {
            top = z;
        }
    }
    return top;
}

int DefaultThreadCount() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::vector<int> CalculateGridPoints(std::vector<CalcPoint>& points, LuminaireList& luminaires,
                                     int threads, const GridCancel* cancel) {
    const std::vector<PreparedLuminaire> prepared = PrepareLuminaires(luminaires);
    const size_t count = points.size();
    const size_t runs = std::clamp<size_t>(static_cast<size_t>(std::max(threads, 1)), 1,
                                           std::max<size_t>(count, 1));
    std::vector<LastContributions> last(runs);
    for (LastContributions& run : last) {
        run.value.assign(prepared.size(), 0.0);
        run.set.assign(prepared.size(), 0);
    }
    std::atomic<size_t> done{0};
    std::vector<std::thread> workers;
    workers.reserve(runs - 1);
    const auto runBegin = [&](size_t run) { return count * run / runs; };
    for (size_t run = 1; run < runs; ++run) {
        workers.emplace_back(CalculateRun, std::ref(points), runBegin(run), runBegin(run + 1),
                             std::cref(prepared), std::ref(last[run]), std::ref(done), false,
                             cancel);
    }
    CalculateRun(points, 0, runBegin(1), prepared, last[0], done, true, cancel);
    for (std::thread& worker : workers) {
        worker.join();
    }
    KvProgressSink::Close();
    if (Cancelled(cancel)) {
        return {}; // the luminaires keep their last contributions
    }
    for (size_t i = 0; i < prepared.size(); ++i) {
        for (size_t run = runs; run-- > 0;) {
            if (last[run].set[i] != 0) {
                luminaires.At(static_cast<int>(i)).dLastContribution = last[run].value[i];
                break;
            }
        }
    }
    std::vector<int> types;
    for (const PreparedLuminaire& luminaire : prepared) {
        types.push_back(luminaire.linearType);
    }
    return types;
}

} // namespace qv
