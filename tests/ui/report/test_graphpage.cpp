#include "core/calc/leakagecalc.h"
#include "support/testrecords.h"
#include "ui/guitest.h"
#include "ui/report/graphpainter.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

using namespace testrecords;

namespace {

TestRecord house(int16_t system) {
    TestRecord r = houseTest(system);
    r.FileNameG = u"HOUSE.LKD"_qs;
    calculateTest(r);
    return r;
}

} // namespace

class TestGraphPage : public QObject {
    Q_OBJECT
  private slots:
    // Painted at 15 twips a pixel: red discs at the points, blue at the line's ends, black
    // axes, grey grid lines.
    void paintedPixels() {
        const graph::Model withLine = graph::buildGraph(house(2), 2);
        graph::Model m = withLine;
        m.fit.reset(); // the line runs through the discs
        QImage image(int(kGraphWidthTwips / 15), int(kGraphHeightTwips / 15), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        paintGraph(p, m, 1.0 / 15);
        p.end();
        auto at = [&image](double x, double y) {
            return image.pixel(int(x / 15), int((y - graph::kAreaTop) / 15)) & 0xFFFFFFu;
        };
        QCOMPARE(m.points.size(), 5);
        for (const graph::Point& pt : m.points)
            QCOMPARE(at(pt.x, pt.y), 0xFF0000u);
        QVERIFY(withLine.fit);
        m = withLine;
        image.fill(Qt::magenta);
        p.begin(&image);
        paintGraph(p, m, 1.0 / 15);
        p.end();
        const double mx = (m.fit->x1 + m.fit->x2) / 2, my = (m.fit->y1 + m.fit->y2) / 2;
        const uint mid = at(mx, my); // the line is drawn smooth: mostly blue
        QVERIFY2((mid & 0xFF) >= 0xC0 && (mid >> 16) < 0x80 && ((mid >> 8) & 0xFF) < 0x80,
                 qPrintable(QString::number(mid, 16)));
        QCOMPARE(at(graph::kX0, 3000), 0x000000u);
        QCOMPARE(at(5000, graph::kY0), 0x000000u);
        const double x20 =
            graph::kX0 + (graph::kX1 - graph::kX0) * std::log(20.0 / 3) / std::log(100.0 / 3);
        QCOMPARE(at(x20, 2500), 0x808080u);
        QCOMPARE(at(x20 + 60, 2500), 0xFFFFFFu);
    }

    // A unit switch reloads the page and changes no reading; Back leads to the measurement page.
    void pageCommands() {
        FlowUnderTest f;
        f.show(PageId::Graph, house(2));
        const double before = f.flow.record().PresGageG[1];
        f.trigger("mnuPaM3h");
        QCOMPARE(f.currentName(), u"fmGraph"_qs);
        QCOMPARE(f.flow.record().UnitSystemG, int16_t(3));
        QCOMPARE(f.flow.record().PresGageG[1], before);
        f.click("Command3D1");
        QCOMPARE(f.currentName(), u"BDMeasFm4"_qs);
    }

    // Print Graph through the real printer path into a PDF: one page with the graph's texts;
    // Cancel prints nothing; a PDF that cannot be written is said.
    void printing_data() {
        QTest::addColumn<QString>("target"); // empty: Cancel
        QTest::addColumn<bool>("printed");
        QTest::newRow("to a PDF") << u"graph.pdf"_qs << true;
        QTest::newRow("Cancel") << QString() << false;
        QTest::newRow("folder missing") << u"no such folder/graph.pdf"_qs << false;
    }
    void printing() {
        QFETCH(QString, target);
        QFETCH(bool, printed);
        QTemporaryDir dir;
        const QString path = dir.filePath(target.isEmpty() ? u"graph.pdf"_qs : target);
        PdfDialog dialog(path, !target.isEmpty());
        MessageRecorder messages;
        TestRecord r = house(1);
        r.PrintGraphNowG = 1;
        QCOMPARE(printGraph(nullptr, r), printed);
        QCOMPARE(dialog.asked, 1);
        QCOMPARE(r.PrintGraphNowG, int16_t(0));
        QCOMPARE(QFile::exists(path), printed);
        QCOMPARE(messages.requests.size(), size_t(!printed && !target.isEmpty()));
        if (!messages.requests.empty())
            QVERIFY(messages.requests[0].text.contains(u"does not exist"_qs));
        if (printed) {
            const QStringList pages = pdfPages(path);
            QCOMPARE(pages.size(), 1);
            const QString text = pages.first().simplified();
            QVERIFY2(text.contains(u"LOG-LOG PLOT OF BLOWER DOOR DATA AND CURVE FIT"_qs) &&
                         text.contains(u"Pressure (in wc)"_qs) && text.contains(u".35"_qs),
                     qPrintable(text));
        }
    }
};

QTEST_MAIN(TestGraphPage)
#include "test_graphpage.moc"
