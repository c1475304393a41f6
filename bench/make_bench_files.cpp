// Writes N varied data files into a folder, for timing the analyser over a season of tests.
// Usage: make_bench_files FOLDER N

#include "core/record/lkdfile.h"

#include <QDir>
#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_bench_files FOLDER N\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int count = std::atoi(argv[2]);
    QDir().mkpath(folder);
    std::srand(12345);
    auto jitter = [] { return 1.0 + (std::rand() % 2001 - 1000) / 50000.0; };
    for (int f = 0; f < count; ++f) {
        TestRecord r;
        applyStartupValues(r);
        applyNewFileDefaults(r, static_cast<int16_t>(1 + f % 3));
        r.BuildingTestedG = QStringLiteral("House %1").arg(f);
        r.BuildingVolumeCuFtG = 9000 + f % 17 * 700;
        r.BuildingSurfaceAreaSqFtG = 4000 + f % 13 * 250;
        r.BuildingFloorAreaSqFtG = 1200 + f % 11 * 120;
        r.TemperatureOutsideFG = static_cast<float>(20 + f % 50);
        const int points = 1 + f % 9;
        const double c = 120.0 + f % 300;
        for (int i = 1; i <= points; ++i) {
            const double pa = 60.0 - 5.0 * i;
            r.PresGageG[i] = -pa / 249.1 * jitter();
            r.FlowGageG[i] = c * std::pow(pa, 0.62 + (f % 7) * 0.01) * jitter();
            r.LowFlowFactorG[i] = 1.0f;
        }
        QString error;
        const QString path =
            QStringLiteral("%1/test%2.lkd").arg(folder).arg(f, 5, 10, QLatin1Char('0'));
        if (!writeLkdFile(r, path, Line98::Extra, &error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
    }
    return 0;
}
