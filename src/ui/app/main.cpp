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

namespace {

// Without a display Qt aborts with advice to reinstall; say what is really missing instead.
bool hasDisplay() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
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
