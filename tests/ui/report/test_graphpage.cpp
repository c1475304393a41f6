#include "core/calc/leakagecalc.h"
#include "support/testrecords.h"
#include "ui/guitest.h"
#include "ui/report/graphpage.h"
#include "ui/report/graphpainter.h"
#include "ui/report/reportprinter.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace testrecords;

namespace {

TestRecord house(int16_t system) {
    TestRecord r = houseTest(system);
    r.FileNameG = u"HOUSE.LKD"_qs;
    calculateTest(r);
    return r;
}

// Opens the graph page on a record and notes where it goes.
struct GraphHost : PageHost {
    explicit GraphHost(const TestRecord& r) : rec(r) { showPage(PageId::Graph); }
    ~GraphHost() override { delete page; }
    TestRecord& record() override { return rec; }
    void showPage(PageId id) override {
        shown.push_back(id);
        delete page;
        page = nullptr;
        if (id == PageId::Graph) {
            page = new fmGraph(*this);
            page->Form_Load();
        }
    }
    void saveCommand(QWidget*, bool) override {}
    void saveAsCommand(QWidget*) override {}
    void exitCommand(QWidget*) override {}
    void aboutCommand(QWidget*) override {}
    TestRecord rec;
    fmGraph* page = nullptr;
    std::vector<PageId> shown;
};

QString pdfText(const QString& path, const char* tool = "pdftotext") {
    QProcess p;
    p.start(QString::fromLatin1(tool), {path, u"-"_qs});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestGraphPage : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

  private slots:
    void initTestCase() { quietSizeHints(); }
    void cleanup() { reportprinter::setDialogHandler({}); }

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

    void pageCommands() {
        GraphHost h(house(2));
        QCOMPARE(h.page->windowTitle(), u"Ventrel 2.11 DEMO  Graph Page    File: HOUSE.LKD"_qs);
        const TestRecord before = h.rec;
        h.page->findChild<QAction*>(u"mnuPaM3h"_qs)->trigger();
        QCOMPARE(h.rec.UnitSystemG, int16_t(3));
        QCOMPARE(h.rec.PresGageG[1], before.PresGageG[1]);
        QCOMPARE(h.shown, (std::vector<PageId>{PageId::Graph, PageId::Graph}));
        MessageRecorder messages;
        h.page->findChild<QAction*>(u"mnuInstructions"_qs)->trigger();
        QCOMPARE(messages.requests.size(), size_t(1));
        QVERIFY(messages.requests[0].text.startsWith(
            u"VENTREL Blower Door Measurement Page\n\r\n\rGeneral:\n\rYou can select"_qs));
        h.page->findChild<QPushButton*>(u"Command3D1"_qs)->click();
        QCOMPARE(h.shown.back(), PageId::Measurement);
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
        const QString path = dir_.filePath(target);
        reportprinter::setDialogHandler([&](QPrinter& printer) {
            if (target.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            return true;
        });
        MessageRecorder messages;
        TestRecord r = house(1);
        r.PrintGraphNowG = 1;
        QCOMPARE(printGraph(nullptr, r), printed);
        QCOMPARE(r.PrintGraphNowG, int16_t(0));
        QCOMPARE(!target.isEmpty() && QFile::exists(path), printed);
        QCOMPARE(messages.requests.size(), size_t(!printed && !target.isEmpty()));
        if (!messages.requests.empty())
            QVERIFY(messages.requests[0].text.contains(u"does not exist"_qs));
        if (printed) {
            const QString text = pdfText(path);
            QVERIFY2(text.contains(u"LOG-LOG PLOT OF BLOWER DOOR DATA AND CURVE FIT"_qs) &&
                         text.contains(u"Pressure (in wc)"_qs) && text.contains(u".35"_qs),
                     qPrintable(text));
            QProcess info;
            info.start(u"pdfinfo"_qs, {path});
            info.waitForFinished(30000);
            QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                        .contains(QRegularExpression(u"Pages:\\s+1\n"_qs)));
        }
    }
};

QTEST_MAIN(TestGraphPage)
#include "test_graphpage.moc"
