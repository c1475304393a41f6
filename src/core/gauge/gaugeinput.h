#pragma once

#include "core/gauge/gaugeline.h"
#include "core/gauge/staticaverage.h"
#include "core/record/testrecord.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// What the gauge window keeps between lines and what each line means for it: readings, label
// texts, unit changes and the gauge's complaints, as plain data. It knows nothing of ports or
// widgets; the window feeds it the characters that arrive and shows what comes back.
namespace gauge {

// The clock as the gauge input reads it: the wall time for the line stamp and the test date,
// and a monotonic time for the averaging windows.
struct Moment {
    QDateTime wall;
    int64_t monotonicMs = 0;
};

// Conditions of the gauge that the user is told about in a message box.
enum class Notice {
    None,
    DeviceKey,      // d1 is not the K7 fan
    AreaUnits,      // d3 is one of the area units
    ChangedToPaM3h, // the program followed the gauge's units
    ChangedToPaCfm,
    ChangedToInWcCfm,
};
QString noticeText(Notice notice);

// One valid line, as the window shows it. An empty optional leaves a label as it was.
struct LineResult {
    GaugeLine line;
    QString label1; // "mm-dd-yyyy hh:mm:ss " and the line as received
    QString label3; // the pressure, or the diagnostic text in area units
    std::optional<QString> label6;
    std::optional<QString> label7;
    Notice deviceNotice = Notice::None; // DeviceKey or None
    Notice unitNotice = Notice::None;   // a change of the unit system, AreaUnits, or None
    bool unitSystemChanged = false;
    std::optional<AverageUpdate> average;
};

struct ChunkResult {
    std::vector<LineResult> lines; // the valid lines, in order
    int dropped = 0;               // complete lines of the wrong shape
};

// Which point a save fills: 0 to 8, the number of the point saved last, modulo 9.
struct PointCounter {
    int16_t PointCounter = 0;

    int nextPoint() const { return PointCounter + 1; }
    // Counts a save; returns the point it fills (1 to 9).
    int take();
    void skipDown(); // to the next point, after 9 comes 1
    void skipUp();   // to the one before, staying at 1
};

enum class SaveOutcome {
    Saved,
    NoData,    // no valid line since the window opened or the port changed
    AreaUnits, // the gauge shows area units: nothing to store
    NoAverage, // no average of this kind since its Start
};

class GaugeInput {
  public:
    // Assembles the lines of a chunk and handles each one; the unit system of the record
    // follows the gauge (both its number and its text form).
    ChunkResult ParseChars(QByteArrayView chunk, TestRecord& r, const Moment& now);

    // One assembled line; nothing when it has the wrong shape (and then nothing changes).
    std::optional<LineResult> HandleInput(QByteArrayView line, TestRecord& r, const Moment& now);

    // A new port: what came from the old one is forgotten.
    void portChanged();
    // The window opens: the point counter and DataSeen start afresh, the rest is kept.
    void windowOpened();

    // The current reading as the next measurement point.
    SaveOutcome savePoint(TestRecord& r, int* savedPoint = nullptr);

    // The pre-test or post-test average into the record. The post-test save puts the last
    // update's text into the second comment line unless keepComment is set.
    SaveOutcome saveStaticAverage(TestRecord& r, bool postTest, const QDateTime& now,
                                  bool keepComment = false);

    // The second comment line holds something the user typed, which a post-test save would
    // replace.
    static bool commentWouldBeLost(const TestRecord& r);

    LineAssembler assembler;
    int32_t ChannelA = 0;
    int32_t GaugeFlow = 0;
    int16_t GaugeConfig = 0;
    int16_t GaugeUnits = 0;
    int16_t DataSeen = 0;
    StaticAverager averager;
    PointCounter counter;

  private:
    QString stamp_;
    int64_t stampSecond_ = -1;
};

// The stamp of a saved pre-test average: the long date, a blank, hh:mm:ss.
QString testDateTimeText(const QDateTime& now);

// A text the post-test save wrote: " 30 Sec: AvgAll= ...".
bool isAverageText(const QString& text);

} // namespace gauge
