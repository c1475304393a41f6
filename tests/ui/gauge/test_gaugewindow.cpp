#include "core/calc/leakagecalc.h"
#include "core/calc/resultdisplay.h"
#include "support/testrecords.h"
#include "ui/gauge/gaugewindow.h"
#include "ui/guitest.h"

#include <QLabel>
#include <QProcess>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

// A pseudo-terminal standing for the gauge's serial cable: the window opens its far end as
// Com1, the test writes the gauge's lines into this end.
struct FakeGauge {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    QByteArray device = master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0
                            ? QByteArray(ptsname(master))
                            : QByteArray();
    ~FakeGauge() {
        if (master >= 0)
            ::close(master);
    }
    // Pressure in fortieths of a pascal, flow in cfm (unit digit 1: Pa and cfm), no plate.
    void send(int channelA, int cfm) {
        const QByteArray line = QString::asprintf("%c%05d,-00012,0,%d,00100\r\n",
                                                  channelA < 0 ? '-' : '+', std::abs(channelA), cfm)
                                    .toLatin1();
        // Split in two writes, as a serial line may deliver it.
        QVERIFY(::write(master, line.constData(), 7) == 7);
        QVERIFY(::write(master, line.constData() + 7, line.size() - 7) == line.size() - 7);
    }
};

} // namespace

class TestGaugeWindow : public QObject {
    Q_OBJECT
  private slots:
    // New File, Com1, both static averages and five points from the gauge: the measurement
    // page shows the figures of the same test typed in.
    void gaugeTestEndToEnd() {
        FakeGauge gauge;
        QVERIFY(!gauge.device.isEmpty());
        qputenv("VENTREL_COM1", gauge.device);
        qputenv("VENTREL_COM3", "/dev/no-such-gauge");
        FlowUnderTest t;
        frmPG5ser window(t.flow);
        int64_t ms = 0;
        window.setClock([&ms] {
            return gauge::Moment{QDateTime(QDate(2026, 12, 7), QTime(9, 0)).addMSecs(ms), ms};
        });
        t.flow.setGaugeOpener([&window] { window.Form_Load(); });
        t.toBuildingPage(2);
        const auto label = [&window](const char* name) {
            return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        const auto click = [&window](const QString& name) {
            window.findChild<QAbstractButton*>(name)->click();
            FlowUnderTest::flushDeletes();
        };
        QVERIFY(window.isVisible());
        QCOMPARE(label("Label2"), u" 1"_qs);
        click(u"Option3"_qs);
        QCOMPARE(label("Label5"), u"Com 3 Does Not Exist"_qs);
        click(u"Option1"_qs);
        QCOMPARE(label("Label5"), u"Com 1 Exists"_qs);

        const auto deliver = [&](int channelA, int cfm) {
            const QString before = label("Label1");
            gauge.send(channelA, cfm);
            QTRY_VERIFY_WITH_TIMEOUT(label("Label1") != before, 5000);
        };
        // A static for 31 seconds, saved: the label shown before the save.
        const auto staticAverage = [&](const QString& kind, int channelA) {
            click(u"cmdStart%1TestStaticPresAvg"_qs.arg(kind));
            for (int s = 0; s <= 31; ++s, ms += 1000)
                deliver(channelA, 0);
            const QString shown = label("Label9");
            click(u"cmdSave%1TestStaticPresAvg"_qs.arg(kind));
            return shown;
        };
        const QString pre = staticAverage(u"Pre"_qs, -48);
        QVERIFY2(pre.startsWith(u" 30 Sec: AvgAll= -1.2 Pa"_qs), qPrintable(pre));
        QCOMPARE(t.currentName(), u"BDMeasFm4"_qs);

        const int pascals[] = {60, 50, 40, 30, 20};
        const int flows[] = {3900, 3480, 3010, 2490, 1880};
        TestRecord typed = testrecords::newTest(2);
        testrecords::setStatics(typed, -1.2, -1.6);
        for (int i = 0; i < 5; ++i) {
            deliver(-40 * pascals[i], flows[i]);
            click(u"cmdSavePG5PresFlowLowflow"_qs);
            // The measurement page shows each point as soon as it is saved.
            QCOMPARE(t.text(u"txtPresGage%1"_qs.arg(i + 1)), u"-%1"_qs.arg(pascals[i]));
            testrecords::setPoint(typed, i + 1, -pascals[i], flows[i], -10);
        }
        QCOMPARE(label("Label2"), u" 6"_qs);
        staticAverage(u"Post"_qs, -64);

        calculateTest(typed);
        const TestRecord& r = t.flow.record();
        QCOMPARE(r.PointCountG, int16_t(5));
        QCOMPARE(r.UnitSystemG, int16_t(2));
        QCOMPARE(r.PressureExponentG, typed.PressureExponentG);
        QCOMPARE(t.text("txtFlow50Val"), resultdisplay::loadedResultTexts(typed).flow50);
        QCOMPARE(r.Comment2G.left(24), u" 30 Sec: AvgAll= -1.6 Pa"_qs);
    }

    // The simulator a user can try the window with: its first line names the terminal, and
    // the window shows the lines it sends.
    void simulatorFeedsTheWindow() {
        QProcess sim;
        sim.start(QStringLiteral(VENTREL_GAUGE_SIM_PATH), {u"--interval"_qs, u"20"_qs});
        QVERIFY(sim.waitForReadyRead(10000));
        const QByteArray device = sim.readLine().trimmed();
        QVERIFY2(device.startsWith("/dev/pts/"), device.constData());
        qputenv("VENTREL_COM2", device);
        FlowUnderTest t;
        frmPG5ser window(t.flow);
        window.Form_Load();
        window.findChild<QAbstractButton*>(u"Option2"_qs)->click();
        QLabel* pressure = window.findChild<QLabel*>(u"Label3"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(pressure->text().endsWith(u" Pa"_qs), 10000);
        sim.kill();
        sim.waitForFinished();
    }
};

QTEST_MAIN(TestGaugeWindow)
#include "test_gaugewindow.moc"
