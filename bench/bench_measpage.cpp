// Measurement page timings on the offscreen platform: one input change with its whole chain
// (store, calculation, every result box), and one full page load.

#include "benchhouse.h"
#include "core/calc/plates.h"
#include "ui/calc/measurementpage.h"
#include "ui/common/pagehost.h"

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
