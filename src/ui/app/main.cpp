#include "ui/app/pageflow.h"
#include "ui/app/shellpages.h"
#include "ui/calc/measurementpage.h"
#include "ui/gauge/gaugewindow.h"
#include "ui/report/graphpage.h"
#include "ui/report/previewpage.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Without a display Qt aborts with advice to reinstall; say what is really missing instead.
bool hasDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// The manual page in short, so that --help works on a machine without man or a display.
constexpr const char* kHelp =
    "Usage: ventrel [FILE.lkd]\n"
    "       ventrel --help | --version\n"
    "\n"
    "Analyses blower-door tests of buildings: building pressures and fan flows, typed in or read\n"
    "from a two-channel gauge on a serial port, give the power-law fit Q = C*P^n, leakage areas,\n"
    "ACH50, infiltration estimates, a log-log graph and printed reports. A test is kept in a\n"
    "data file (.lkd); started with one, Ventrel opens it.\n"
    "\n"
    "Files:\n"
    "  /usr/share/ventrel/samples/  example data files\n"
    "  New tests are saved beside the program when its folder can be written, otherwise in\n"
    "  the user's documents folder.\n"
    "Environment:\n"
    "  VENTREL_COM1 ... VENTREL_COM9  the serial device a Com port of the gauge window stands\n"
    "                                 for, e.g. /dev/ttyUSB0\n"
    "Ventrel needs a desktop session; `xvfb-run -a ventrel` runs it on a virtual display.\n"
    "See also: ventrel-cli(1), man ventrel.\n";

} // namespace

int main(int argc, char* argv[]) {
    // Asked before anything needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("ventrel " VENTREL_VERSION);
            return 0;
        }
    }
    if (!hasDisplay()) {
        std::fputs("ventrel: no display found. Ventrel is a desktop program and needs a desktop "
                   "session;\nwithout one, run it as `xvfb-run -a ventrel`, or set "
                   "QT_QPA_PLATFORM=offscreen for a smoke run.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ventrel"));
    // Pages replace one another; the program ends only through Exit or the save page.
    QApplication::setQuitOnLastWindowClosed(false);

    PageFlow flow;
    registerShellPages(flow);
    flow.registerPage(PageId::Measurement, [](PageHost& host) { return new BDMeasFm4(host); });
    flow.registerPage(PageId::Graph, [](PageHost& host) { return new fmGraph(host); });
    flow.registerPage(PageId::Preview, [](PageHost& host) { return new PPreview(host); });

    // The gauge window opens beside the pages whenever a test is begun.
    frmPG5ser gaugeWindow(flow);
    flow.setGaugeOpener([&gaugeWindow] { gaugeWindow.Form_Load(); });

    flow.showPage(PageId::Start);
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        flow.openFile(args.at(1));
    if (flow.hasEnded())
        return 0;
    return QApplication::exec();
}
