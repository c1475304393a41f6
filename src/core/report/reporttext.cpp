#include "core/report/reporttext.h"

#include "core/calc/resultdisplay.h"
#include "core/util/numtext.h"

namespace report {

QString num(float value) {
    return plainNumText(value);
}
QString num(double value) {
    return plainNumText(value);
}
QString rounded(double value, int places) {
    return plainNumText(roundHalfEven(value, places));
}
QString rounded(float value, int places) {
    return plainNumText(roundHalfEven(value, places));
}
QString cut4(double value) {
    return plainNumText(truncDown(value, 4));
}
QString cut4(float value) {
    return plainNumText(truncDown(value, 4));
}

QString firstOf(const QString& numberText, int k) {
    return resultdisplay::firstChars(numberText, k);
}

QString field(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return out;
}

bool isFrench(const QString& language) {
    return language == QLatin1String("F");
}

QString joinLines(const QStringList& lines) {
    return lines.join(kLineEnd);
}

} // namespace report
