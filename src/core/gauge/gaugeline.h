#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>

// One line of the two-channel gauge: "+00493,-00012,0,250,00000". Pressures come in fortieths
// of a pascal whatever unit the gauge shows; the flow is already computed by the gauge for its
// fan configuration, in the flow unit of the unit digit.
namespace gauge {

struct GaugeLine {
    char signA = '+';
    char signB = '+';
    int32_t magnitudeA = 0;
    int32_t magnitudeB = 0;
    int32_t field3 = 0;
    int32_t flow = 0;
    int16_t d1 = 0; // device: 0 is the K7 fan
    int16_t d3 = 0; // units: 0 Pa & m3/h, 1 Pa & cfm, 2 in.wc & cfm, 3 to 5 area units
    int16_t d4 = 0; // plate configuration
    int16_t d5 = 0;

    int32_t channelA() const { return signA == '-' ? -magnitudeA : magnitudeA; }
};

// The line taken apart, or nothing when it is not of the gauge's shape: five fields, signs
// before the first two, nothing but digits, no empty field, at least five setting digits, and
// every number within 32 bits.
std::optional<GaugeLine> parseGaugeLine(QByteArrayView line);

// Characters arrive in chunks that split lines anywhere. A carriage return or a line feed ends
// a line; whatever follows waits for the next chunk. A run without a line end longer than
// kMaxLine is noise: it is dropped, up to the next line end.
class LineAssembler {
  public:
    static constexpr qsizetype kMaxLine = 256;

    // Calls onLine(QByteArrayView) for each complete, non-empty line of the chunk, in order.
    template <typename OnLine> void feed(QByteArrayView chunk, OnLine&& onLine);

    void clear() {
        buffer_.clear();
        overlong_ = false;
    }
    const QByteArray& pending() const { return buffer_; }

  private:
    void append(QByteArrayView part) {
        if (overlong_)
            return;
        if (buffer_.size() + part.size() > kMaxLine) {
            buffer_.clear();
            overlong_ = true;
            return;
        }
        buffer_.append(part);
    }

    QByteArray buffer_;
    bool overlong_ = false;
};

template <typename OnLine> void LineAssembler::feed(QByteArrayView chunk, OnLine&& onLine) {
    const char* p = chunk.data();
    const qsizetype n = chunk.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] != '\r' && p[i] != '\n')
            continue;
        const QByteArrayView part(p + start, i - start);
        start = i + 1;
        if (buffer_.isEmpty() && !overlong_) {
            // The usual case: the whole line lies in this chunk, no copy.
            if (!part.isEmpty() && part.size() <= kMaxLine)
                onLine(part);
            continue;
        }
        append(part);
        if (!overlong_ && !buffer_.isEmpty()) {
            const QByteArray line = std::move(buffer_);
            buffer_ = QByteArray();
            onLine(QByteArrayView(line));
        }
        clear();
    }
    append(QByteArrayView(p + start, n - start));
}

// What the gauge page shows of a line. Numbers are in the program's number text (a blank
// before a non-negative number); roundings go halves to even.
QString diagnosticText(const GaugeLine& g); // "(+)( 493) (-)( 12)( 0)( 250)( 0)( 0)( 0)( 0)("
std::optional<QString> pressureText(const GaugeLine& g); // "+ 12.3 Pa"; nothing in area units
std::optional<QString> flowText(const GaugeLine& g);     // " 250 m3/h"; nothing in area units
std::optional<QString> configurationText(int16_t d4);    // "PG5:Plate Off"; nothing above 6

// The plate code a point stores for a configuration digit; nothing for an unknown digit.
std::optional<float> plateCode(int16_t d4);

} // namespace gauge
