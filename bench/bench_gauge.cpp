// Times the gauge input: the line assembler and parser over 20 MB of gauge lines, and the whole
// input (labels, averages) over an hour of lines at 100 a second, with the memory before and
// after. Lines arrive in 64-byte chunks that split them anywhere, as a serial port hands them on.

#include "core/gauge/gaugeinput.h"
#include "core/record/testrecord.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace {

// Pressures and flows as a test goes: a static phase, five steps, a static phase, again.
QByteArray lines(int count) {
    QByteArray out;
    out.reserve(qsizetype(count) * 27);
    for (int i = 0; i < count; ++i) {
        const int phase = (i / 35) % 7;
        const int fortieths = phase == 0 || phase == 6 ? 60 + i % 13 : 400 * (7 - phase) + i % 29;
        const int flow = phase == 0 || phase == 6 ? 0 : 120 * (7 - phase) * 10 + i % 17;
        char line[40];
        std::snprintf(line, sizeof line, "-%05d,+%05d,0,%d,00100\r\n", fortieths, i % 100, flow);
        out += line;
    }
    return out;
}

QByteArrayView piece(const QByteArray& bytes, qsizetype at, qsizetype size) {
    return QByteArrayView(bytes.constData() + at, std::min(size, bytes.size() - at));
}

long residentKb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().split(' ').value(1).toLong() * 4;
}

} // namespace

int main() {
    const QByteArray stream = lines(800000); // about 20 MB
    volatile long sink = 0;
    {
        gauge::LineAssembler assembler;
        QElapsedTimer t;
        t.start();
        for (qsizetype at = 0; at < stream.size(); at += 64)
            assembler.feed(piece(stream, at, 64), [&](QByteArrayView line) {
                if (const auto g = gauge::parseGaugeLine(line))
                    sink = sink + g->flow;
            });
        const double seconds = double(t.nsecsElapsed()) / 1e9;
        std::printf("assembler and parser:   %7.1f MB/s of gauge lines\n",
                    double(stream.size()) / 1e6 / seconds);
    }

    // An hour of lines through the whole input, a chunk every 10 ms, a static average running.
    const QByteArray hour = lines(360000);
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, 2);
    gauge::GaugeInput input;
    input.windowOpened();
    input.averager.start(false);
    const QDateTime start = QDateTime::fromSecsSinceEpoch(1796601600);
    long afterFirstMinute = 0;
    QElapsedTimer t;
    t.start();
    qsizetype at = 0;
    int64_t ms = 0;
    for (; at < hour.size(); ms += 10) {
        const gauge::Moment now{start.addMSecs(ms), ms};
        const gauge::ChunkResult c = input.ParseChars(piece(hour, at, 27), r, now);
        sink = sink + long(c.lines.size());
        at += 27;
        if (ms == 60000)
            afterFirstMinute = residentKb();
    }
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    std::printf(
        "whole input:            %7.2f s for 360000 lines, %.0f minutes of gauge (%.1f MB/s)\n",
        seconds, double(ms) / 60000.0, double(hour.size()) / 1e6 / seconds);
    std::printf("resident memory:        %ld kB after the first minute, %ld kB after the hour\n",
                afterFirstMinute, residentKb());
    return 0;
}
