#include "core/gauge/gaugeinput.h"

#include "core/calc/pointentry.h"
#include "core/calc/units.h"
#include "core/util/numtext.h"

#include <QLocale>

namespace gauge {

QString noticeText(Notice notice) {
    switch (notice) {
    case Notice::DeviceKey:
        return QStringLiteral("Please press PG5 Device key for K7");
    case Notice::AreaUnits:
        return QStringLiteral("Please change PG5 Units from area to flow");
    case Notice::ChangedToPaM3h:
        return QStringLiteral("Ventrel changed to PG5 units of Pa and m3h");
    case Notice::ChangedToPaCfm:
        return QStringLiteral("Ventrel changed to PG5 units of Pa and cfm");
    case Notice::ChangedToInWcCfm:
        return QStringLiteral("Ventrel changed to PG5 units of inWC and cfm");
    case Notice::None:
        break;
    }
    return QString();
}

int PointCounter::take() {
    ++PointCounter;
    const int point = PointCounter;
    if (point >= 9)
        PointCounter = 0;
    return point;
}

void PointCounter::skipDown() {
    ++PointCounter;
    if (PointCounter > 8)
        PointCounter = 0;
}

void PointCounter::skipUp() {
    --PointCounter;
    if (PointCounter < 0)
        PointCounter = 0;
}

namespace {

// The gauge's unit digit against the program's unit system: the system to switch to and the
// message that says so, if any.
struct UnitCheck {
    std::optional<int16_t> system;
    Notice notice = Notice::None;
};

UnitCheck unitCheck(int16_t d3, int16_t current) {
    switch (d3) {
    case 0:
        return {units::PaM3h, current == 1 || current == 2 ? Notice::ChangedToPaM3h : Notice::None};
    case 1:
        if (current == 1 || current == 3)
            return {units::PaCfm, Notice::ChangedToPaCfm};
        return {};
    case 2:
        if (current == 2 || current == 3)
            return {units::InWcCfm, Notice::ChangedToInWcCfm};
        return {};
    case 3:
    case 4:
    case 5:
        return {std::nullopt, Notice::AreaUnits};
    default:
        return {};
    }
}

} // namespace

ChunkResult GaugeInput::ParseChars(QByteArrayView chunk, TestRecord& r, const Moment& now) {
    ChunkResult result;
    assembler.feed(chunk, [&](QByteArrayView line) {
        if (auto handled = HandleInput(line, r, now))
            result.lines.push_back(std::move(*handled));
        else
            ++result.dropped;
    });
    return result;
}

std::optional<LineResult> GaugeInput::HandleInput(QByteArrayView line, TestRecord& r,
                                                  const Moment& now) {
    const std::optional<GaugeLine> parsed = parseGaugeLine(line);
    if (!parsed)
        return std::nullopt;
    const GaugeLine& g = *parsed;

    LineResult out;
    out.line = g;
    if (g.d1 != 0)
        out.deviceNotice = Notice::DeviceKey;
    const UnitCheck check = unitCheck(g.d3, r.UnitSystemG);
    out.unitNotice = check.notice;
    if (check.system && *check.system != r.UnitSystemG) {
        // The text form too, or the next save would write the old system.
        setUnitSystem(r, *check.system);
        out.unitSystemChanged = true;
    }
    GaugeFlow = g.flow;
    GaugeConfig = g.d4;
    GaugeUnits = g.d3;
    DataSeen = 1;

    if (auto pressure = pressureText(g))
        out.label3 = std::move(*pressure);
    else
        out.label3 = diagnosticText(g);
    out.label6 = flowText(g);
    out.label7 = configurationText(g.d4);
    const int64_t second = now.wall.toSecsSinceEpoch();
    if (second != stampSecond_ || stamp_.isEmpty()) {
        stamp_ = now.wall.toString(QStringLiteral("MM-dd-yyyy hh:mm:ss "));
        stampSecond_ = second;
    }
    out.label1 = stamp_ + QString::fromLatin1(line);
    ChannelA = g.channelA();
    out.average = averager.step(ChannelA, GaugeUnits, now.monotonicMs);
    return out;
}

void GaugeInput::portChanged() {
    assembler.clear();
    DataSeen = 0;
}

void GaugeInput::windowOpened() {
    counter.PointCounter = 0;
    DataSeen = 0;
}

SaveOutcome GaugeInput::savePoint(TestRecord& r, int* savedPoint) {
    if (DataSeen == 0)
        return SaveOutcome::NoData;
    // Area units carry no flow: storing the plate code alone beside the old pressure and flow
    // would make a point the gauge never measured.
    if (GaugeUnits < 0 || GaugeUnits > 2)
        return SaveOutcome::AreaUnits;
    const int n = counter.take();
    pointentry::storeGaugePoint(r, n, ChannelA / 40.0 / units::kPaPerInWc,
                                GaugeUnits == 0 ? GaugeFlow / units::kM3hPerCfm : GaugeFlow,
                                plateCode(GaugeConfig));
    if (savedPoint)
        *savedPoint = n;
    return SaveOutcome::Saved;
}

SaveOutcome GaugeInput::saveStaticAverage(TestRecord& r, bool postTest, const QDateTime& now,
                                          bool keepComment) {
    const std::optional<StaticAverages> a = averager.averagesFor(postTest);
    if (!a)
        return SaveOutcome::NoAverage;
    const float all = toSingle(a->all / units::kPaPerInWc);
    const float neg = toSingle(a->neg / units::kPaPerInWc);
    const float pos = toSingle(a->pos / units::kPaPerInWc);
    pointentry::storeGaugeStatics(r, postTest, all, neg, pos);
    if (postTest && !keepComment)
        r.Comment2G = a->text;
    if (!postTest)
        r.TestDateTimeG = testDateTimeText(now);
    averager.stop();
    return SaveOutcome::Saved;
}

bool GaugeInput::commentWouldBeLost(const TestRecord& r) {
    return !r.Comment2G.trimmed().isEmpty() && !isAverageText(r.Comment2G);
}

QString testDateTimeText(const QDateTime& now) {
    return QLocale::system().toString(now.date(), QLocale::LongFormat) + u' ' +
           now.time().toString(QStringLiteral("hh:mm:ss"));
}

bool isAverageText(const QString& text) {
    // A number of seconds, then the fixed head of every update.
    const qsizetype head = text.indexOf(QStringLiteral(" Sec: AvgAll="));
    if (head <= 0)
        return false;
    bool ok = false;
    text.first(head).trimmed().toInt(&ok);
    return ok;
}

} // namespace gauge
