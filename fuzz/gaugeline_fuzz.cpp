// The gauge line assembler and parser on any bytes, cut into chunks of any size: the first
// byte of the input chooses the chunk sizes. The lines found must not depend on where the
// chunks fall, and every line the parser takes must give finite readings and texts.

#include "fuzz.h"

#include "core/gauge/gaugeline.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

QList<QByteArray> linesOf(const QByteArray& bytes, qsizetype chunk) {
    gauge::LineAssembler assembler;
    QList<QByteArray> lines;
    for (qsizetype at = 0; at < bytes.size(); at += chunk)
        assembler.feed(QByteArrayView(bytes.constData() + at, std::min(chunk, bytes.size() - at)),
                       [&lines](QByteArrayView line) { lines.append(line.toByteArray()); });
    FUZZ_CHECK(assembler.pending().size() <= gauge::LineAssembler::kMaxLine, "%lld characters wait",
               static_cast<long long>(assembler.pending().size()));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const qsizetype chunk = 1 + data[0] % 17;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QList<QByteArray> whole = linesOf(bytes, bytes.size() + 1);
    const QList<QByteArray> cut = linesOf(bytes, chunk);
    FUZZ_CHECK(whole == cut, "%lld lines at once, %lld in chunks of %lld",
               static_cast<long long>(whole.size()), static_cast<long long>(cut.size()),
               static_cast<long long>(chunk));
    for (const QByteArray& line : whole) {
        FUZZ_CHECK(!line.isEmpty() && line.size() <= gauge::LineAssembler::kMaxLine &&
                       !line.contains('\r') && !line.contains('\n'),
                   "a line of %lld characters", static_cast<long long>(line.size()));
        const std::optional<gauge::GaugeLine> g = gauge::parseGaugeLine(line);
        if (!g)
            continue;
        FUZZ_CHECK(!gauge::diagnosticText(*g).contains(QLatin1String("nan")), "diagnostic text");
        if (const auto p = gauge::pressureText(*g))
            FUZZ_CHECK(!p->contains(QLatin1String("nan")) && !p->contains(QLatin1String("inf")),
                       "pressure text %s", qPrintable(*p));
        if (const auto f = gauge::flowText(*g))
            FUZZ_CHECK(!f->contains(QLatin1String("nan")) && !f->contains(QLatin1String("inf")),
                       "flow text %s", qPrintable(*f));
    }
    return 0;
}
