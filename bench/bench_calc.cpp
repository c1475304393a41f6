// Times the calculation chain: subLeakageCalc over nine points, and the whole analysis of one
// record as the analyser does it (baseline, calculation, envelope figures, fan flows).

#include "benchhouse.h"
#include "core/calc/analysis.h"
#include "core/calc/leakagecalc.h"

#include <QElapsedTimer>

#include <cmath>
#include <cstdio>

namespace {

template <typename F> double nanosPerCall(int calls, F&& f) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < calls; ++i)
        f(i);
    return double(t.nsecsElapsed()) / calls;
}
} // namespace

int main() {
    TestRecord r = houseTest();
    r.StaticPresBaselineG = staticBaseline(r);
    volatile float sink = 0;
    const int calls = 200000;
    const double calc = nanosPerCall(calls, [&](int i) {
        r.FlowGageG[1] = 1900.0 + (i & 7);
        subLeakageCalc(r);
        sink = sink + r.FlowCoefficientG;
    });
    const TestRecord stored = houseTest();
    const double whole = nanosPerCall(calls / 4, [&](int) {
        const Analysis a = analyse(QString(), stored);
        sink = sink + a.record.Flow50G;
    });
    std::printf("subLeakageCalc, nine points:          %8.3f us\n", calc / 1000.0);
    std::printf("analyse one record (whole calculation): %8.3f us\n", whole / 1000.0);
    return 0;
}
