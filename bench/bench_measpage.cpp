// Measurement page timings on the offscreen platform: one input change with its whole chain
// (store, calculation, every result box), and one full page load.

#include "app/pagehost.h"
#include "calc/bdmeasfm4.h"
#include "calc/plates.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cmath>
#include <cstdio>

namespace {

class BenchHost : public PageHost {
  public:
    TestRecord& record() override { return rec; }
    void showPage(PageId) override {}
    void saveCommand(QWidget*, bool) override {}
    void saveAsCommand(QWidget*) override {}
    void exitCommand(QWidget*) override {}
    void aboutCommand(QWidget*) override {}
    TestRecord rec;
};

// Nine points of a typical house test.
TestRecord houseTest() {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, 2);
    r.BuildingVolumeCuFtG = 16500;
    r.BuildingSurfaceAreaSqFtG = 5900;
    r.BuildingFloorAreaSqFtG = 2100;
    r.TemperatureInsideFG = 70;
    r.TemperatureOutsideFG = 41;
    r.PressurizeOrDepressG = QStringLiteral("D");
    r.PreTestStaticPresG = -1.2f / 249.1f;
    r.PostTestStaticPresG = -1.6f / 249.1f;
    for (int i = 1; i <= TestRecord::kPoints; ++i) {
        const double pa = 60.0 - 5.0 * (i - 1);
        r.PresGageG[i] = -pa / 249.1;
        r.FlowGageG[i] = 3600.0 * std::pow(pa / 50.0, 0.64) * (1.0 + 0.01 * (i % 3));
        r.LowFlowFactorG[i] = 1.0f;
    }
    return r;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The offscreen platform warns about every window it is asked to size.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type != QtWarningMsg && type != QtDebugMsg && type != QtInfoMsg)
            std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    BenchHost host;
    host.rec = houseTest();

    // Page load: build, load (every input re-entered, each running the chain), close.
    constexpr int kLoads = 100;
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < kLoads; ++n) {
        auto* page = new BDMeasFm4(host);
        page->Form_Load();
        delete page;
    }
    const double loadMs = timer.nsecsElapsed() / 1e6 / kLoads;

    // One change: a new flow reading in row 5, alternating so that every write is a change.
    auto* page = new BDMeasFm4(host);
    page->Form_Load();
    auto* box = page->findChild<QLineEdit*>(QStringLiteral("txtFlowGage5"));
    constexpr int kChanges = 5000;
    const QString texts[2] = {QStringLiteral("3123.4"), QStringLiteral("3127.9")};
    timer.restart();
    for (int n = 0; n < kChanges; ++n)
        box->setText(texts[n % 2]);
    const double changeUs = timer.nsecsElapsed() / 1e3 / kChanges;
    delete page;

    std::printf("measurement page: one change and its chain %.1f us (target under 1000 us)\n",
                changeUs);
    std::printf("measurement page: full load %.2f ms (target under 50 ms)\n", loadMs);
    return 0;
}
