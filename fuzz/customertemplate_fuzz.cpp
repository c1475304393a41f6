// The customer letter's template reader on any bytes. The first byte chooses the test, its
// unit system and the system the letter is printed in; the rest is the template file. However
// the file is made, the items keep their limits, each item gives exactly one line of the
// letter on paper and on screen, and the preview's refresh of the air changes leaves finite
// numbers in the test.

#include "fuzz.h"

#include "core/calc/leakagecalc.h"
#include "core/record/testrecord.h"
#include "core/report/customerreport.h"

#include <QString>
#include <QStringList>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

constexpr double kPaPerInWc = 249.1;

// A five-point house test with its figures, or a new test with none, whose wind shielding
// may also be unreadable.
TestRecord chosenTest(uint8_t choice) {
    TestRecord r;
    applyStartupValues(r);
    applyNewFileDefaults(r, int16_t(1 + choice % 3));
    if (choice & 4) {
        r.BuildingVolumeCuFtG = 16500;
        r.BuildingSurfaceAreaSqFtG = 5900;
        r.BuildingFloorAreaSqFtG = 2100;
        const double pascals[] = {-60, -50, -40, -30, -20};
        const double flows[] = {3900, 3480, 3010, 2490, 1880};
        for (int i = 1; i <= 5; ++i) {
            r.PresGageG[i] = pascals[i - 1] / kPaPerInWc;
            r.FlowGageG[i] = flows[i - 1];
        }
        calculateTest(r);
    }
    if (choice & 8)
        r.WindShieldingFactorG = QStringLiteral("x");
    return r;
}

void checkLetter(const QString& letter, QStringView lead, qsizetype items) {
    QStringList lines = letter.split(QStringLiteral("\r\n"));
    FUZZ_CHECK(lines.takeLast().isEmpty(), "the letter does not end with a line end");
    FUZZ_CHECK(lines.size() == items, "%lld lines for %lld items", (long long)lines.size(),
               (long long)items);
    for (const QString& line : lines) {
        FUZZ_CHECK(line.startsWith(lead) && !line.contains(u'\r') && !line.contains(u'\n'),
                   "a line that is not one item after its TABs");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QString text =
        report::decodeCustomerTemplate(QByteArrayView(data + 1, qsizetype(size - 1)));
    const QStringList items = report::templateItems(text);
    FUZZ_CHECK(items.size() <= 100, "%lld items", (long long)items.size());
    for (const QString& item : items) {
        FUZZ_CHECK(!item.isEmpty() && item != QLatin1String("END") && item.size() < 256 &&
                       !item.contains(u'\r') && !item.contains(u'\n'),
                   "an item the report should have stopped at");
    }

    TestRecord r = chosenTest(data[0]);
    const auto printed = int16_t(1 + (data[0] >> 4) % 3);
    checkLetter(report::customerReportText(r, printed, text), u"\t\t", items.size());
    checkLetter(report::previewCustomerReport(r, text), u"\t", items.size());
    FUZZ_CHECK(std::isfinite(r.InfiltrationAchG) && std::isfinite(r.DivideBy20FactorG),
               "the preview stored air changes %g and factor %g", double(r.InfiltrationAchG),
               double(r.DivideBy20FactorG));
    return 0;
}
