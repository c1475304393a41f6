#include "core/gauge/gaugeline.h"

#include "core/util/numtext.h"

#include <limits>

namespace gauge {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Accumulates a field of digits; false for an empty field, any other character, or a value
// beyond 32 bits (checked before each step, so nothing overflows).
bool digitsOf(QByteArrayView field, int32_t& out) {
    if (field.isEmpty())
        return false;
    int32_t value = 0;
    for (const char c : field) {
        if (!isDigit(c))
            return false;
        const int digit = c - '0';
        if (value > (std::numeric_limits<int32_t>::max() - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    out = value;
    return true;
}

bool signedField(QByteArrayView field, char& sign, int32_t& magnitude) {
    if (field.isEmpty() || (field[0] != '+' && field[0] != '-'))
        return false;
    sign = field[0];
    return digitsOf(field.sliced(1), magnitude);
}

QString text(int32_t value) {
    return numText(static_cast<double>(value));
}

} // namespace

std::optional<GaugeLine> parseGaugeLine(QByteArrayView line) {
    // Split at the commas: exactly four.
    QByteArrayView fields[5];
    int count = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != ',')
            continue;
        if (count == 5)
            return std::nullopt;
        fields[count++] = line.sliced(start, i - start);
        start = i + 1;
    }
    if (count != 5)
        return std::nullopt;

    GaugeLine g;
    if (!signedField(fields[0], g.signA, g.magnitudeA) ||
        !signedField(fields[1], g.signB, g.magnitudeB) || !digitsOf(fields[2], g.field3) ||
        !digitsOf(fields[3], g.flow))
        return std::nullopt;
    const QByteArrayView settings = fields[4];
    if (settings.size() < 5)
        return std::nullopt;
    for (const char c : settings) {
        if (!isDigit(c))
            return std::nullopt;
    }
    g.d1 = static_cast<int16_t>(settings[0] - '0');
    g.d3 = static_cast<int16_t>(settings[2] - '0');
    g.d4 = static_cast<int16_t>(settings[3] - '0');
    g.d5 = static_cast<int16_t>(settings[4] - '0');
    return g;
}

QString diagnosticText(const GaugeLine& g) {
    QString out;
    out.reserve(64);
    out += u'(';
    out += QLatin1Char(g.signA);
    out += u")(";
    out += text(g.magnitudeA);
    out += u") (";
    out += QLatin1Char(g.signB);
    out += u")(";
    for (const int32_t v : {g.magnitudeB, g.field3, g.flow, int32_t(g.d1), int32_t(g.d3),
                            int32_t(g.d4), int32_t(g.d5)}) {
        out += text(v);
        out += u")(";
    }
    return out;
}

std::optional<QString> pressureText(const GaugeLine& g) {
    const double pa = g.magnitudeA / 40.0;
    switch (g.d3) {
    case 0:
    case 1:
        return QLatin1Char(g.signA) + numText(roundHalfEven(pa, 1)) + QStringLiteral(" Pa");
    case 2:
        return QLatin1Char(g.signA) + numText(roundHalfEven(pa / 249.1, 3)) +
               QStringLiteral(" inWC");
    default:
        return std::nullopt;
    }
}

std::optional<QString> flowText(const GaugeLine& g) {
    switch (g.d3) {
    case 0:
        return text(g.flow) + QStringLiteral(" m3/h");
    case 1:
    case 2:
        return text(g.flow) + QStringLiteral(" cfm");
    default:
        return std::nullopt;
    }
}

std::optional<QString> configurationText(int16_t d4) {
    switch (d4) {
    case 0:
    case 1:
        return QStringLiteral("PG5:Plate Off");
    case 2:
        return QStringLiteral("PG5:7 Holes Open");
    case 3:
        return QStringLiteral("PG5:4 Holes Open");
    case 4:
        return QStringLiteral("PG5:3 Holes Open");
    case 5:
        return QStringLiteral("PG5:2 Holes Open");
    case 6:
        return QStringLiteral("PG5:1 Hole Open");
    default:
        return std::nullopt;
    }
}

std::optional<float> plateCode(int16_t d4) {
    switch (d4) {
    case 0:
    case 1:
        return -10.0f;
    case 2:
        return -17.0f;
    case 3:
        return -14.0f;
    case 4:
        return -13.0f;
    case 5:
        return -12.0f;
    case 6:
        return -11.0f;
    default:
        return std::nullopt;
    }
}

} // namespace gauge
