// Times the data file: composing and writing one test, and reading it back, many times over.
#include "core/record/lkdfile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

TestRecord sampleTest() {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, 2);
    r.TestDateTimeG = QStringLiteral("Tuesday, October 15, 2024 09:42:10");
    r.TestingCompanyG = QStringLiteral("Northfield Energy Audits");
    r.BuildingAddressG = QStringLiteral("418 Birchwood Lane, Northfield");
    r.TechnicianG = QStringLiteral("Hélène Côté");
    r.Comment1G = QStringLiteral("Pre-retrofit test before attic air sealing.");
    r.BuildingVolumeCuFtG = 16500;
    r.BuildingSurfaceAreaSqFtG = 5900;
    r.BuildingFloorAreaSqFtG = 2100;
    r.DivideBy20FactorG = 18.4f;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        r.PresGageG[i] = -(65.0 - 5.5 * i) / 249.1;
        r.FlowGageG[i] = 4100.0 - 290.0 * i;
        r.FlowFitG[i] = 4090.3f - 287.1f * static_cast<float>(i);
        r.FlowErrorG[i] = 0.2134f * static_cast<float>(i % 3) - 0.31f;
        r.LowFlowFactorG[i] = i < 8 ? 1.0f : 1.69f;
    }
    r.CorrelationG = 0.99884f;
    r.FlowCoefficientG = 12345.678f;
    r.PressureExponentG = 0.6593f;
    r.BarometricPresG = 29.921f;
    return r;
}

double microseconds(const QElapsedTimer& timer, int runs) {
    return static_cast<double>(timer.nsecsElapsed()) / 1000.0 / runs;
}

} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString path = dir.filePath(QStringLiteral("bench.lkd"));
    const TestRecord test = sampleTest();
    constexpr int kRuns = 2000;
    QString error;

    QElapsedTimer timer;
    timer.start();
    qsizetype bytes = 0;
    for (int i = 0; i < kRuns; ++i)
        bytes += composeLkd(test).size();
    const double compose = microseconds(timer, kRuns);

    timer.restart();
    for (int i = 0; i < kRuns; ++i) {
        if (!writeLkdFile(test, path, Line98::Extra, &error)) {
            std::fprintf(stderr, "write failed: %s\n", qPrintable(error));
            return 1;
        }
    }
    const double write = microseconds(timer, kRuns);

    const QByteArray file = composeLkd(test);
    timer.restart();
    for (int i = 0; i < kRuns; ++i) {
        TestRecord r;
        if (!parseLkd(file, r, &error)) {
            std::fprintf(stderr, "parse failed: %s\n", qPrintable(error));
            return 1;
        }
    }
    const double parse = microseconds(timer, kRuns);

    timer.restart();
    for (int i = 0; i < kRuns; ++i) {
        TestRecord r;
        if (!readLkdFile(path, r, &error)) {
            std::fprintf(stderr, "read failed: %s\n", qPrintable(error));
            return 1;
        }
    }
    const double read = microseconds(timer, kRuns);

    std::printf("file of %lld bytes, %d runs each\n", static_cast<long long>(bytes / kRuns), kRuns);
    std::printf("compose          %8.1f us\n", compose);
    std::printf("compose + write  %8.1f us\n", write);
    std::printf("parse            %8.1f us\n", parse);
    std::printf("read from disk   %8.1f us  (target: under 50 us)\n", read);
    return 0;
}
