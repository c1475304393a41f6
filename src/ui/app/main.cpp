#include "ui/app/pageflow.h"
#include "ui/app/shellpages.h"
#include "ui/calc/measurementpage.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ventrel"));
    // Pages replace one another; the program ends only through Exit or the save page.
    QApplication::setQuitOnLastWindowClosed(false);

    PageFlow flow;
    registerShellPages(flow);
    flow.registerPage(PageId::Measurement, [](PageHost& host) { return new BDMeasFm4(host); });

    flow.showPage(PageId::Start);
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        flow.openFile(args.at(1));
    if (flow.hasEnded())
        return 0;
    return QApplication::exec();
}
