// Times the graph of a nine-point house test: the model alone, and the model painted into an
// image of the page's size (15 twips a pixel), as the page and Print Graph do it.

#include "benchhouse.h"
#include "core/calc/leakagecalc.h"
#include "core/report/graphmodel.h"
#include "ui/report/graphpainter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestRecord r = houseTest();
    r.StaticPresBaselineG = staticBaseline(r);
    subLeakageCalc(r);
    volatile double sink = 0;
    const int calls = 2000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < calls; ++i)
        sink = sink + graph::buildGraph(r, int16_t(1 + i % 3)).points.size();
    const double model = double(t.nsecsElapsed()) / calls / 1e6;

    const double perTwip = 1.0 / 15.0;
    QImage image(int(kGraphWidthTwips * perTwip), int(kGraphHeightTwips * perTwip),
                 QImage::Format_RGB32);
    t.restart();
    for (int i = 0; i < calls / 10; ++i) {
        image.fill(Qt::white);
        QPainter painter(&image);
        paintGraph(painter, graph::buildGraph(r, int16_t(1 + i % 3)), perTwip);
    }
    const double painted = double(t.nsecsElapsed()) / (calls / 10) / 1e6;
    std::printf("graph model:               %7.3f ms\n", model);
    std::printf("graph model and painting:  %7.3f ms (%dx%d image)\n", painted, image.width(),
                image.height());
    return 0;
}
