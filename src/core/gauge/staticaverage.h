#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The 30-second static pressure average. Start asks for a run; the next valid gauge line
// starts it and is its first sample. The shown seconds climb with the time since that first
// sample (a monotonic clock, so a run across midnight or a clock change still ends) and stop
// at 30; the averages frozen at that update are the ones saved, and later lines are no longer
// summed.
namespace gauge {

struct StaticAverages {
    float all = 0.0f; // Pa
    float neg = 0.0f; // Pa, 0 when no negative reading
    float pos = 0.0f; // Pa, 0 when no positive reading
    QString text;     // the last update as the label showed it
};

struct AverageUpdate {
    bool postTest = false; // which label: the post-test one, else the pre-test one
    QString text;
};

class StaticAverager {
  public:
    static constexpr int kSeconds = 30;

    enum State : int16_t { Idle = 0, Averaging = 1, StartRequested = 2 };

    void start(bool postTest);
    void stop() { AvgState = Idle; }

    // One valid line: channel A in fortieths of a pascal, the gauge's unit digit, and the
    // monotonic clock in milliseconds.
    std::optional<AverageUpdate> step(int32_t channelA, int16_t units, int64_t nowMs);

    // The averages of a run of this kind since its Start, or nothing when no update has
    // been shown since (no line yet, or the last Start was of the other kind).
    std::optional<StaticAverages> averagesFor(bool postTest) const;

    int16_t AvgState = Idle;
    int16_t AvgIsPostTest = 0;
    int64_t AvgStartMs = 0;
    int32_t AvgCount = 0;
    int32_t AvgPosCount = 0;
    int32_t AvgNegCount = 0;
    int64_t AvgSum = 0;
    int64_t AvgPosSum = 0;
    int64_t AvgNegSum = 0;
    int16_t AvgShownSeconds = 0;
    float AvgAll = 0.0f;
    float AvgNeg = 0.0f;
    float AvgPos = 0.0f;

  private:
    QString updateText(int seconds, int16_t units) const;

    bool updatedSinceStart_ = false;
    QString lastText_;
};

} // namespace gauge
