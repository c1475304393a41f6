#include "core/gauge/gaugeinput.h"
#include "support/testrecords.h"

#include <QTest>

using namespace gauge;
using testrecords::newTest;

namespace {

QByteArray gaugeLine(int channelA, int flow, int d1 = 0, int d3 = 0, int d4 = 0) {
    return (channelA < 0 ? "-" : "+") +
           QByteArray::number(std::abs(channelA)).rightJustified(5, '0') + ",-00012,0," +
           QByteArray::number(flow) + ',' + QByteArray::number(d1) + '0' + QByteArray::number(d3) +
           QByteArray::number(d4) + '0';
}

Moment at(int64_t ms) {
    return {QDateTime(QDate(2026, 3, 14), QTime(23, 59, 50)).addMSecs(ms), ms};
}

// Feeds `stream` in the given chunks; the channel-A values of the valid lines, in order.
QList<int> channelsOf(const QList<QByteArray>& chunks) {
    GaugeInput g;
    TestRecord r = newTest(3);
    QList<int> out;
    for (const QByteArray& c : chunks) {
        for (const LineResult& l : g.ParseChars(c, r, at(0)).lines)
            out << l.line.channelA();
        if (g.assembler.pending().size() > LineAssembler::kMaxLine)
            return {-999999};
    }
    return out;
}

} // namespace

class TestGaugeInput : public QObject {
    Q_OBJECT
  private slots:
    void lineShape_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("channelA");
        QTest::addColumn<int>("flow");
        QTest::newRow("valid") << QByteArray("+00493,-00012,0,250,00000") << true << 493 << 250;
        QTest::newRow("negative") << QByteArray("-00493,+00012,7,250,00000") << true << -493 << 250;
        QTest::newRow("more setting digits") << QByteArray("+1,-2,3,4,0000012") << true << 1 << 4;
        QTest::newRow("largest") << QByteArray("-2147483647,+0,0,2147483647,00000") << true
                                 << -2147483647 << 2147483647;
        const auto bad = [](const char* name, const char* line) {
            QTest::newRow(name) << QByteArray(line) << false << 0 << 0;
        };
        bad("point", "+00493,-00012,0,25.0,00000");
        bad("space", "+00493, -00012,0,250,00000");
        bad("letter", "+00493,-00012,0,250,0000A");
        bad("slash", "+00493,-00012,0,2/50,00000");
        bad("three commas", "+00493,-00012,0250,00000");
        bad("five commas", "+00493,-00012,0,250,00000,1");
        bad("one sign", "+00493,00012,0,250,00000");
        bad("sign in field 3", "+00493,-00012,+0,250,00000");
        bad("sign inside", "0+0493,-00012,0,250,00000");
        bad("four setting digits", "+00493,-00012,0,250,0000");
        bad("empty field 3", "+00493,-00012,,250,00000");
        bad("sign only", "+,-00012,0,250,00000");
        bad("field 1 over 32 bits", "+2147483648,-1,0,250,00000");
        bad("field 2 over 32 bits", "+1,-99999999999999999999,0,250,00000");
        bad("flow over 32 bits", "+1,-1,0,4294967296,00000");
        bad("empty", "");
    }
    void lineShape() {
        QFETCH(QByteArray, line);
        QFETCH(bool, valid);
        const auto g = parseGaugeLine(line);
        QCOMPARE(g.has_value(), valid);
        if (g) {
            QTEST(g->channelA(), "channelA");
            QTEST(g->flow, "flow");
        }
    }

    // A recorded stream with every kind of line end and noise between the lines, cut at every
    // byte, and fed a byte at a time: the same readings come out.
    void streamSplitAnywhere() {
        const QByteArray stream = "+00493,-00012,0,250,00000\r\n" + QByteArray("garbage\r\n") +
                                  "-00040,+00000,0,251,00000\r" + QByteArray(300, 'x') + "\n" +
                                  "+00041,+00000,0,252,00000\n\n\r\r" + "+1,+2" + "\n" +
                                  "-00042,-00001,3,253,01030\n" + "+00043,";
        const QList<int> expected{493, -40, 41, -42};
        QCOMPARE(channelsOf({stream}), expected);
        for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
            const QList<int> got = channelsOf({stream.first(cut), stream.sliced(cut)});
            QVERIFY2(got == expected, qPrintable(u"cut at %1"_qs.arg(cut)));
        }
        QList<QByteArray> bytes;
        for (const char c : stream)
            bytes << QByteArray(1, c);
        QCOMPARE(channelsOf(bytes), expected);
    }

    void endlessNoiseStaysBounded() {
        GaugeInput g;
        TestRecord r = newTest(3);
        for (int i = 0; i < 1000; ++i) {
            g.ParseChars(QByteArray(97, '7'), r, at(0));
            QVERIFY(g.assembler.pending().size() <= LineAssembler::kMaxLine);
        }
        // The tail of the noise, up to its line end, is dropped with it.
        QCOMPARE(g.ParseChars("+1,-1,0,1,00000\n" + gaugeLine(5, 1) + "\n", r, at(0)).lines.size(),
                 1u);
        QCOMPARE(g.ChannelA, 5);
    }

    // A line's unit digit: the record's system follows it, told once; then the point saved
    // from it (in cfm, with the plate's factor, an unknown plate leaving the old one).
    void unitDigitAndPoint_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("systemBefore");
        QTest::addColumn<int>("systemAfter");
        QTest::addColumn<int>("notice");
        QTest::addColumn<QString>("label3");
        QTest::addColumn<QString>("label6");      // empty: kept as it was
        QTest::addColumn<QList<double>>("point"); // pressure (in.wc), flow, plate; empty: none
        const auto row = [](const char* name, const QByteArray& line, int before, int after,
                            Notice notice, const QString& label3, const QString& label6,
                            const QList<double>& point) {
            QTest::newRow(name) << line << before << after << int(notice) << label3 << label6
                                << point;
        };
        const auto inWc = [](int counts) { return counts / 40.0 / 249.1; };
        row("worked line, in.wc to Pa m3/h", "+00493,-00012,0,250,00000", 1, 3,
            Notice::ChangedToPaM3h, u"+ 12.3 Pa"_qs, u" 250 m3/h"_qs,
            {inWc(493), 250 / 1.699, -10});
        row("already Pa m3/h", "-00493,-00012,0,250,00000", 3, 3, Notice::None, u"- 12.3 Pa"_qs,
            u" 250 m3/h"_qs, {inWc(-493), 250 / 1.699, -10});
        row("to Pa cfm, 4 holes", gaugeLine(400, 1000, 0, 1, 3), 3, 2, Notice::ChangedToPaCfm,
            u"+ 10 Pa"_qs, u" 1000 cfm"_qs, {inWc(400), 1000, -14});
        row("to in.wc, unknown plate", gaugeLine(-2000, 99, 0, 2, 8), 2, 1,
            Notice::ChangedToInWcCfm, u"- .201 inWC"_qs, u" 99 cfm"_qs, {inWc(-2000), 99, 7});
        row("area units", "+00493,-00012,0,250,00400", 2, 2, Notice::AreaUnits,
            u"(+)( 493) (-)( 12)( 0)( 250)( 0)( 4)( 0)( 0)("_qs, QString(), {});
        row("unknown digit", gaugeLine(1, 1, 0, 7), 2, 2, Notice::None,
            u"(+)( 1) (-)( 12)( 0)( 1)( 0)( 7)( 0)( 0)("_qs, QString(), {});
    }
    void unitDigitAndPoint() {
        QFETCH(QByteArray, line);
        QFETCH(int, systemBefore);
        QFETCH(int, systemAfter);
        QFETCH(QList<double>, point);
        GaugeInput g;
        TestRecord r = newTest(int16_t(systemBefore));
        const auto result = g.HandleInput(line, r, at(0));
        QVERIFY(result);
        QCOMPARE(int(r.UnitSystemG), systemAfter);
        QCOMPARE(r.UnitSystemTextG, unitSystemText(int16_t(systemAfter)));
        QCOMPARE(result->unitSystemChanged, systemAfter != systemBefore);
        QTEST(int(result->unitNotice), "notice");
        QTEST(result->label3, "label3");
        QTEST(result->label6.value_or(QString()), "label6");
        QCOMPARE(result->label1, u"03-14-2026 23:59:50 "_qs + QString::fromLatin1(line));
        // A change is told once: the next line finds the systems matching.
        QCOMPARE(g.HandleInput(line, r, at(1000))->unitNotice,
                 result->unitNotice == Notice::AreaUnits ? Notice::AreaUnits : Notice::None);

        for (int i = 1; i <= 9; ++i)
            testrecords::setPoint(r, i, 9 * testrecords::kPaPerInWc, 8, 7);
        g.counter.PointCounter = 2;
        const TestRecord before = r;
        int saved = 0;
        QCOMPARE(g.savePoint(r, &saved),
                 point.isEmpty() ? SaveOutcome::AreaUnits : SaveOutcome::Saved);
        QCOMPARE(QList<int>({g.counter.nextPoint(), saved}),
                 point.isEmpty() ? QList<int>({3, 0}) : QList<int>({4, 3}));
        if (point.isEmpty())
            point = {before.PresGageG[3], before.FlowGageG[3], before.LowFlowFactorG[3]};
        QCOMPARE((QList<double>{r.PresGageG[3], r.FlowGageG[3], r.LowFlowFactorG[3]}), point);
        QCOMPARE(r.PresGageG[4], before.PresGageG[4]); // a refused save stores nothing
    }

    void deviceKeyStillKeepsReadings() {
        GaugeInput g;
        TestRecord r = newTest(3);
        for (int i = 0; i < 2; ++i) {
            const auto res = g.HandleInput(gaugeLine(-800, 1234, 1, 0, 3), r, at(i));
            QCOMPARE(res->deviceNotice, Notice::DeviceKey);
            QCOMPARE(res->label7.value_or(QString()), u"PG5:4 Holes Open"_qs);
        }
        QCOMPARE(QList<int>({g.ChannelA, g.GaugeFlow, g.DataSeen}), QList<int>({-800, 1234, 1}));
    }

    void averages_data() {
        QTest::addColumn<QList<int>>("readings");
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("all");
        QTest::addColumn<float>("neg");
        QTest::addColumn<float>("pos");
        QTest::newRow("+40 -40 0")
            << QList<int>{40, -40, 0} << 1
            << u" 3 Sec: AvgAll=  0 Pa, AvgNeg=-1 Pa, AvgPos= 1 Pa"_qs << 0.0f << -1.0f << 1.0f;
        QTest::newRow("negative only")
            << QList<int>{-100, -99} << 0
            << u" 2 Sec: AvgAll= -2.49 Pa, AvgNeg=-2.49 Pa, AvgPos= 0 Pa"_qs << -2.4875f << -2.4875f
            << 0.0f;
        QTest::newRow("in.wc") << QList<int>{996, 1000} << 2
                               << u" 2 Sec: AvgAll=  .1 \"wc, AvgNeg= 0 \"wc, AvgPos= .1 \"wc"_qs
                               << 24.95f << 0.0f << 24.95f;
        QTest::newRow("area units") << QList<int>{40} << 4 << QString() << 1.0f << 0.0f << 1.0f;
    }
    void averages() {
        QFETCH(QList<int>, readings);
        QFETCH(int, units);
        StaticAverager a;
        a.start(false);
        std::optional<AverageUpdate> u;
        for (int i = 0; i < readings.size(); ++i)
            u = a.step(readings[i], int16_t(units), 1000 * i);
        QVERIFY(u && !u->postTest);
        QTEST(u->text, "text");
        QTEST(a.AvgAll, "all");
        QTEST(a.AvgNeg, "neg");
        QTEST(a.AvgPos, "pos");
    }

    // Forty seconds of lines across midnight, once a second and a hundred a second: the
    // label stops at 30 and the saved average is that of the lines up to it.
    void freezesAtThirtySeconds() {
        for (const int perSecond : {1, 100}) {
            GaugeInput g;
            TestRecord r = newTest(2);
            g.averager.start(false);
            QString last;
            int64_t sum = 0;
            int counted = 0;
            for (int i = 0; i < 40 * perSecond; ++i) {
                const auto res = g.HandleInput(gaugeLine(i, 1, 0, 1), r, at(i * 1000 / perSecond));
                if (res->average) {
                    last = res->average->text;
                    sum += i;
                    ++counted;
                }
            }
            QVERIFY2(last.startsWith(u" 30 Sec:"_qs), qPrintable(last));
            QCOMPARE(int(g.averager.AvgShownSeconds), 30);
            QCOMPARE(g.averager.AvgCount, counted);
            QVERIFY(counted < 40 * perSecond);
            const float mean = float(double(sum) / 40 / counted);
            QCOMPARE(g.averager.AvgAll, mean);
            QCOMPARE(g.saveStaticAverage(r, false, at(0).wall), SaveOutcome::Saved);
            QCOMPARE(r.PreTestStaticPresG, float(double(mean) / 249.1));
        }
    }

    // Each save uses only an average of its own kind taken since its Start.
    void averageOfItsOwnKind_data() {
        QTest::addColumn<QString>("steps"); // S/s start pre/post, L a line, P/p save pre/post
        QTest::addColumn<QString>("outcomes");
        QTest::newRow("pre then post") << u"SLLPsLp"_qs << u"YY"_qs;
        QTest::newRow("post save after a pre run") << u"SLLp"_qs << u"N"_qs;
        QTest::newRow("no line since Start") << u"SLPSP"_qs << u"YN"_qs;
        QTest::newRow("restarted as post") << u"SLsP"_qs << u"N"_qs;
        QTest::newRow("never started") << u"LLPp"_qs << u"NN"_qs;
        QTest::newRow("saved twice") << u"sLpp"_qs << u"YY"_qs;
    }
    void averageOfItsOwnKind() {
        QFETCH(QString, steps);
        GaugeInput g;
        TestRecord r = newTest(2);
        QString outcomes;
        int64_t ms = 0;
        for (const QChar c : steps) {
            if (c == u'S' || c == u's') {
                g.averager.start(c == u's');
            } else if (c == u'L') {
                g.HandleInput(gaugeLine(-80, 1, 0, 1), r, at(ms += 1000));
            } else {
                const float before = r.PreTestStaticPresG + r.PostTestStaticPresG;
                const SaveOutcome o = g.saveStaticAverage(r, c == u'p', at(ms).wall);
                outcomes += o == SaveOutcome::Saved ? u'Y' : u'N';
                if (o != SaveOutcome::Saved) // a refused save stores nothing
                    QCOMPARE(r.PreTestStaticPresG + r.PostTestStaticPresG, before);
            }
        }
        QTEST(outcomes, "outcomes");
    }

    void postTestComment() {
        GaugeInput g;
        TestRecord r = newTest(1);
        g.averager.start(true);
        g.HandleInput(gaugeLine(-125, 1, 0, 2), r, at(0));
        QVERIFY(!GaugeInput::commentWouldBeLost(r));
        r.Comment2G = u"attic hatch taped"_qs;
        QVERIFY(GaugeInput::commentWouldBeLost(r));
        QCOMPARE(g.saveStaticAverage(r, true, at(0).wall, true), SaveOutcome::Saved);
        QCOMPARE(r.Comment2G, u"attic hatch taped"_qs);
        QCOMPARE(g.saveStaticAverage(r, true, at(0).wall), SaveOutcome::Saved);
        QCOMPARE(r.Comment2G, u" 1 Sec: AvgAll= -.013 \"wc, AvgNeg=-.013 \"wc, AvgPos= 0 \"wc"_qs);
        QVERIFY(!GaugeInput::commentWouldBeLost(r));
    }

    // Presses (s save, d skip down, u skip up) and the point each one fills or moves to.
    void counter() {
        const std::pair<QString, QList<int>> cases[] = {
            {u"ssssssssss"_qs, {1, 2, 3, 4, 5, 6, 7, 8, 9, 1}}, // nine saves and the tenth
            {u"uu"_qs, {1, 1}},                                 // skip up at 1 stays
            {u"ddddddddd"_qs, {2, 3, 4, 5, 6, 7, 8, 9, 1}},     // skip down past 9
            {u"dsuus"_qs, {2, 2, 2, 1, 1}},
        };
        for (const auto& [presses, expected] : cases) {
            PointCounter c;
            QList<int> filled;
            for (const QChar p : presses) {
                if (p != u's')
                    p == u'd' ? c.skipDown() : c.skipUp();
                filled << (p == u's' ? c.take() : c.nextPoint());
            }
            QCOMPARE(filled, expected);
        }
    }

    void portChangeForgetsHalfLine() {
        GaugeInput g;
        TestRecord r = newTest(3);
        g.ParseChars(gaugeLine(1, 1) + "\n+0000", r, at(0));
        g.portChanged();
        QCOMPARE(g.DataSeen, int16_t(0));
        QCOMPARE(int(g.ParseChars("7,-1,0,1,00000\n", r, at(0)).lines.size()), 0);
        QCOMPARE(g.savePoint(r), SaveOutcome::NoData);
    }
};

QTEST_GUILESS_MAIN(TestGaugeInput)
#include "test_gaugeinput.moc"
