#include "core/gauge/staticaverage.h"

#include "core/calc/units.h"
#include "core/util/numtext.h"

namespace gauge {

void StaticAverager::start(bool postTest) {
    AvgIsPostTest = postTest ? 1 : 0;
    AvgState = StartRequested;
    updatedSinceStart_ = false;
}

std::optional<AverageUpdate> StaticAverager::step(int32_t channelA, int16_t units, int64_t nowMs) {
    if (AvgState == StartRequested) {
        AvgStartMs = nowMs;
        AvgCount = AvgPosCount = AvgNegCount = 0;
        AvgSum = AvgPosSum = AvgNegSum = 0;
        AvgShownSeconds = 0;
        AvgState = Averaging;
    }
    if (AvgState != Averaging)
        return std::nullopt;

    // The first sample counts as the first second.
    const double sinceStart = static_cast<double>(nowMs - AvgStartMs) / 1000.0;
    const double elapsed = roundHalfEven(sinceStart + 1.0, 0);
    int shown = 0;
    if (elapsed >= kSeconds + 4)
        return std::nullopt;
    if (elapsed > kSeconds) {
        if (AvgShownSeconds >= kSeconds)
            return std::nullopt;
        shown = AvgShownSeconds + 1;
    } else {
        shown = static_cast<int>(elapsed);
    }

    // Only samples that reach the label are summed: once it stops at 30 s the averages are
    // final, and a gauge that goes on sending cannot overflow the sums.
    ++AvgCount;
    AvgSum += channelA;
    if (channelA > 0) {
        AvgPosSum += channelA;
        ++AvgPosCount;
    } else if (channelA < 0) {
        AvgNegSum += channelA;
        ++AvgNegCount;
    }

    AvgShownSeconds = static_cast<int16_t>(shown);
    AvgAll = toSingle(static_cast<double>(AvgSum) / 40.0 / AvgCount);
    AvgNeg = AvgNegCount > 0 ? toSingle(static_cast<double>(AvgNegSum) / 40.0 / AvgNegCount) : 0.0f;
    AvgPos = AvgPosCount > 0 ? toSingle(static_cast<double>(AvgPosSum) / 40.0 / AvgPosCount) : 0.0f;
    updatedSinceStart_ = true;
    lastText_ = updateText(shown, units);
    return AverageUpdate{AvgIsPostTest == 1, lastText_};
}

QString StaticAverager::updateText(int seconds, int16_t units) const {
    bool inches = false;
    if (units == 2)
        inches = true;
    else if (units != 0 && units != 1)
        return QString();
    const QString unit = inches ? QStringLiteral(" \"wc") : QStringLiteral(" Pa");
    const int places = inches ? 3 : 2;
    auto value = [&](int64_t sum, int32_t count) {
        double v = static_cast<double>(sum) / 40.0 / count;
        if (inches)
            v /= units::kPaPerInWc;
        return numText(roundHalfEven(v, places));
    };
    const QString none = numText(0.0) + unit;
    QString out = numText(static_cast<double>(seconds)) + QStringLiteral(" Sec: AvgAll= ") +
                  value(AvgSum, AvgCount) + unit;
    out += QStringLiteral(", AvgNeg=") +
           (AvgNegCount < 1 ? none : value(AvgNegSum, AvgNegCount) + unit);
    out += QStringLiteral(", AvgPos=") +
           (AvgPosCount < 1 ? none : value(AvgPosSum, AvgPosCount) + unit);
    return out;
}

std::optional<StaticAverages> StaticAverager::averagesFor(bool postTest) const {
    if (!updatedSinceStart_ || (AvgIsPostTest == 1) != postTest)
        return std::nullopt;
    return StaticAverages{AvgAll, AvgNeg, AvgPos, lastText_};
}

} // namespace gauge
