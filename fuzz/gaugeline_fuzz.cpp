// The gauge line assembler and parser on any bytes, in chunks of any size. The first four
// bytes choose the chunk sizes; the rest is what the serial port delivers. However the bytes
// are cut, the lines must come out as a plain split of the whole stream at CR and LF gives
// them (empty lines and lines over the limit dropped), and every line that parses must
// compose back to a line that parses to the same values.

#include "fuzz.h"

#include "core/gauge/gaugeline.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

namespace {

using gauge::LineAssembler;

// The whole stream split at line ends, as the assembler should see it; the tail waits.
QList<QByteArray> referenceLines(QByteArrayView all, QByteArray& tail) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i] != '\r' && all[i] != '\n')
            continue;
        const qsizetype len = i - start;
        if (len > 0 && len <= LineAssembler::kMaxLine)
            lines.append(all.sliced(start, len).toByteArray());
        start = i + 1;
    }
    const qsizetype rest = all.size() - start;
    tail = rest <= LineAssembler::kMaxLine ? all.sliced(start).toByteArray() : QByteArray();
    return lines;
}

void checkParsed(QByteArrayView line) {
    const auto g = gauge::parseGaugeLine(line);
    if (!g)
        return;
    FUZZ_CHECK(g->magnitudeA >= 0 && g->magnitudeB >= 0 && g->field3 >= 0 && g->flow >= 0,
               "a negative magnitude from \"%.*s\"", int(line.size()), line.data());
    for (int16_t d : {g->d1, g->d3, g->d4, g->d5})
        FUZZ_CHECK(d >= 0 && d <= 9, "setting digit %d", int(d));
    FUZZ_CHECK(g->signA == '+' || g->signA == '-', "sign A %d", int(g->signA));
    FUZZ_CHECK(g->signB == '+' || g->signB == '-', "sign B %d", int(g->signB));

    // Composed again without leading zeros, the line must read the same.
    QByteArray again;
    again += g->signA;
    again += QByteArray::number(g->magnitudeA) + ',';
    again += g->signB;
    again += QByteArray::number(g->magnitudeB) + ',';
    again += QByteArray::number(g->field3) + ',' + QByteArray::number(g->flow) + ',';
    for (int16_t d : {g->d1, int16_t(0), g->d3, g->d4, g->d5})
        again += char('0' + d);
    const auto h = gauge::parseGaugeLine(again);
    FUZZ_CHECK(h, "\"%s\" does not parse again", again.constData());
    FUZZ_CHECK(h->signA == g->signA && h->signB == g->signB && h->magnitudeA == g->magnitudeA &&
                   h->magnitudeB == g->magnitudeB && h->field3 == g->field3 && h->flow == g->flow &&
                   h->d1 == g->d1 && h->d3 == g->d3 && h->d4 == g->d4 && h->d5 == g->d5,
               "\"%s\" reads differently", again.constData());

    // What the gauge page shows: present exactly for the pressure and flow units.
    FUZZ_CHECK(!gauge::diagnosticText(*g).isEmpty(), "no diagnostic text");
    FUZZ_CHECK(gauge::pressureText(*g).has_value() == (g->d3 <= 2), "pressure text for %d",
               int(g->d3));
    FUZZ_CHECK(gauge::flowText(*g).has_value() == (g->d3 <= 2), "flow text for %d", int(g->d3));
    FUZZ_CHECK(gauge::configurationText(g->d4).has_value() == gauge::plateCode(g->d4).has_value(),
               "configuration %d has a text but no plate, or the reverse", int(g->d4));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const uint8_t sizes[4] = {data[0], data[1], data[2], data[3]};
    const QByteArrayView all(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4));

    QByteArray tail;
    const QList<QByteArray> expected = referenceLines(all, tail);

    LineAssembler assembler;
    QList<QByteArray> got;
    qsizetype at = 0;
    for (int k = 0; at < all.size(); ++k) {
        // Chunk sizes 0 to 300, so chunks longer than a line and empty chunks both happen.
        const qsizetype n = qMin<qsizetype>(sizes[k % 4] % 301, all.size() - at);
        assembler.feed(all.sliced(at, n),
                       [&](QByteArrayView line) { got.append(line.toByteArray()); });
        at += n;
        if (k > 4 * (all.size() + 1))
            break; // all four sizes zero: the bytes never arrive
    }
    if (at == all.size()) {
        FUZZ_CHECK(got == expected, "%lld lines instead of %lld, or different ones",
                   (long long)got.size(), (long long)expected.size());
        FUZZ_CHECK(assembler.pending() == tail, "%lld bytes wait instead of %lld",
                   (long long)assembler.pending().size(), (long long)tail.size());
    }
    for (const QByteArray& line : got) {
        FUZZ_CHECK(!line.isEmpty() && line.size() <= LineAssembler::kMaxLine,
                   "a line of %lld bytes", (long long)line.size());
        checkParsed(line);
    }
    return 0;
}
