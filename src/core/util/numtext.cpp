#include "core/util/numtext.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// A decimal number as sign, significant digits and the power of ten of the first digit:
// value = 0.d1d2d3... * 10^pointPos. Held in a fixed buffer: no allocation on the hot paths
// of the analyser.
struct Decimal {
    bool negative = false;
    char digits[40] = {}; // no leading or trailing zeros; length 0 means zero
    int length = 0;
    int pointPos = 0;

    bool isZero() const { return length == 0; }
};

Decimal fromScientific(const char* text, const char* end) {
    // text is "[-]d[.ddd]e[+-]xx" as printed by to_chars
    Decimal d;
    const char* p = text;
    if (p < end && *p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p < end && *p != 'e' && *p != 'E'; ++p) {
        if (*p >= '0' && *p <= '9' && d.length < static_cast<int>(sizeof d.digits))
            d.digits[d.length++] = *p;
    }
    int exponent = 0;
    if (p < end) {
        ++p;
        bool negExp = false;
        if (p < end && (*p == '-' || *p == '+'))
            negExp = *p++ == '-';
        for (; p < end && *p >= '0' && *p <= '9'; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (negExp)
            exponent = -exponent;
    }
    d.pointPos = exponent + 1;
    while (d.length > 0 && d.digits[d.length - 1] == '0')
        --d.length;
    int lead = 0;
    while (lead < d.length && d.digits[lead] == '0')
        ++lead;
    if (lead > 0) {
        std::memmove(d.digits, d.digits + lead, static_cast<std::size_t>(d.length - lead));
        d.length -= lead;
        d.pointPos -= lead;
    }
    if (d.length == 0)
        d.negative = false;
    return d;
}

template <typename T> Decimal shortestDecimal(T value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    return fromScientific(buf, res.ptr);
}

Decimal significantDecimal(double value, int significant) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significant - 1);
    return fromScientific(buf, res.ptr);
}

double toDouble(const Decimal& d) {
    if (d.isZero())
        return 0.0;
    char text[64];
    char* p = text;
    if (d.negative)
        *p++ = '-';
    *p++ = '0';
    *p++ = '.';
    std::memcpy(p, d.digits, static_cast<std::size_t>(d.length));
    p += d.length;
    *p++ = 'e';
    p = std::to_chars(p, text + sizeof text, d.pointPos).ptr;
    double out = 0.0;
    std::from_chars(text, p, out);
    return out;
}

void trimZeros(Decimal& d) {
    while (d.length > 0 && d.digits[d.length - 1] == '0')
        --d.length;
    if (d.length == 0)
        d.negative = false;
}

// Keeps `keep` digits and adds one unit in the last kept place to the magnitude.
void incrementMagnitude(Decimal& d, int keep) {
    d.length = keep;
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9') {
        d.digits[i] = '0';
        --i;
    }
    if (i < 0) {
        std::memmove(d.digits + 1, d.digits, static_cast<std::size_t>(keep));
        d.digits[0] = '1';
        ++d.length;
        ++d.pointPos;
    } else {
        ++d.digits[i];
    }
}

enum class Cut { HalfEven, Floor };

Decimal cutToPlaces(Decimal d, int places, Cut mode) {
    const long keepLong = static_cast<long>(d.pointPos) + places;
    if (keepLong >= d.length)
        return d;
    if (keepLong < 0) {
        // Everything is below half a unit of the last place.
        if (mode == Cut::Floor && d.negative) {
            d.digits[0] = '1';
            d.length = 1;
            d.pointPos = -places + 1;
            return d;
        }
        return Decimal{};
    }
    const int keep = static_cast<int>(keepLong);
    bool up = false;
    if (mode == Cut::Floor) {
        up = d.negative; // what is dropped is never all zeros: trailing zeros are trimmed
    } else {
        const char first = d.digits[keep];
        if (first > '5') {
            up = true;
        } else if (first == '5') {
            const bool exactHalf = keep + 1 == d.length;
            up = !exactHalf || (keep > 0 && (d.digits[keep - 1] - '0') % 2 == 1);
        }
    }
    if (up) {
        if (keep == 0) {
            d.digits[0] = '1';
            d.length = 1;
            d.pointPos += 1;
        } else {
            incrementMagnitude(d, keep);
        }
    } else {
        d.length = keep;
    }
    trimZeros(d);
    return d;
}

enum class Style { Display, File, Json };

// Lays out a decimal positionally or with an exponent, after the style's conventions, into
// `out` (at least 64 bytes); returns the length.
int layout(const Decimal& d, int maxPositionalExponent, Style style, char* out) {
    char* p = out;
    if (d.isZero()) {
        if (style == Style::Display)
            *p++ = ' ';
        *p++ = '0';
        return static_cast<int>(p - out);
    }
    if (d.negative)
        *p++ = '-';
    else if (style == Style::Display)
        *p++ = ' ';

    const int exponent = d.pointPos - 1;
    if (exponent >= -5 && exponent < maxPositionalExponent) {
        if (d.pointPos <= 0) {
            if (style == Style::Json)
                *p++ = '0';
            *p++ = '.';
            for (int i = 0; i < -d.pointPos; ++i)
                *p++ = '0';
            std::memcpy(p, d.digits, static_cast<std::size_t>(d.length));
            p += d.length;
        } else if (d.pointPos >= d.length) {
            std::memcpy(p, d.digits, static_cast<std::size_t>(d.length));
            p += d.length;
            for (int i = d.length; i < d.pointPos; ++i)
                *p++ = '0';
        } else {
            std::memcpy(p, d.digits, static_cast<std::size_t>(d.pointPos));
            p += d.pointPos;
            *p++ = '.';
            std::memcpy(p, d.digits + d.pointPos, static_cast<std::size_t>(d.length - d.pointPos));
            p += d.length - d.pointPos;
        }
    } else {
        *p++ = d.digits[0];
        if (d.length > 1) {
            *p++ = '.';
            std::memcpy(p, d.digits + 1, static_cast<std::size_t>(d.length - 1));
            p += d.length - 1;
        }
        *p++ = style == Style::Json ? 'e' : 'E';
        *p++ = exponent < 0 ? '-' : '+';
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            *p++ = '0';
        p = std::to_chars(p, out + 64, magnitude).ptr;
    }
    return static_cast<int>(p - out);
}

// Positional display form of any magnitude (a Double may carry 300 zeros).
QString plainText(const Decimal& d) {
    if (d.isZero())
        return QStringLiteral(" 0");
    QString out;
    out.reserve(d.length + std::abs(d.pointPos) + 3);
    out += d.negative ? QLatin1Char('-') : QLatin1Char(' ');
    const auto digits = QLatin1StringView(d.digits, d.length);
    if (d.pointPos <= 0) {
        out += QLatin1Char('.');
        out += QString(-d.pointPos, QLatin1Char('0'));
        out += digits;
    } else if (d.pointPos >= d.length) {
        out += digits;
        out += QString(d.pointPos - d.length, QLatin1Char('0'));
    } else {
        out += digits.left(d.pointPos);
        out += QLatin1Char('.');
        out += digits.mid(d.pointPos);
    }
    return out;
}

QString layoutText(const Decimal& d, int maxPositionalExponent, Style style) {
    char buf[64];
    const int n = layout(d, maxPositionalExponent, style, buf);
    return QString::fromLatin1(buf, n);
}

template <typename T> double roundImpl(T value, int places) {
    if (!std::isfinite(value))
        return 0.0;
    return toDouble(cutToPlaces(shortestDecimal(value), places, Cut::HalfEven));
}

template <typename T> double truncImpl(T value, int places) {
    if (!std::isfinite(value))
        return 0.0;
    return toDouble(cutToPlaces(shortestDecimal(value), places, Cut::Floor));
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Length of the number at the start of `text` (after `start`), 0 when there is none.
qsizetype scanNumber(QStringView text, qsizetype start) {
    qsizetype i = start;
    const qsizetype n = text.size();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype mantissaDigits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i - start;
}

// The writer turns a line break inside a text into a blank, so a number read from a text
// skips line-break characters as it skips blanks: read, write and read again agree.
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Whether a number that from_chars found out of range is tiny (underflow, read as zero)
// rather than huge: its first significant digit lies after the decimal point.
bool belowOne(const char* p, const char* end) {
    if (p < end && *p == '-')
        ++p;
    long long magnitude = 0; // power of ten just above the first significant digit
    bool seenDigit = false;
    bool afterPoint = false;
    for (; p < end && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (!seenDigit && *p == '0') {
            if (afterPoint)
                --magnitude;
        } else {
            seenDigit = true;
            if (!afterPoint)
                ++magnitude;
        }
    }
    if (!seenDigit)
        return true;
    long long exponent = 0;
    if (p < end) {
        ++p;
        const bool negative = p < end && *p == '-';
        if (p < end && (*p == '-' || *p == '+'))
            ++p;
        for (; p < end; ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 1'000'000'000'000LL);
        if (negative)
            exponent = -exponent;
    }
    return magnitude + exponent <= 0;
}

double convert(QStringView text) {
    // The text holds only sign, digits, period and exponent (scanNumber made sure), of any
    // length: a short number stays on the stack.
    QVarLengthArray<char, 128> buf;
    buf.reserve(text.size() + 1);
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'+')
        ++i;
    if (i < text.size() && text[i] == u'-') {
        buf.append('-');
        ++i;
    }
    if (i < text.size() && text[i] == u'.')
        buf.append('0');
    for (; i < text.size(); ++i)
        buf.append(static_cast<char>(text[i].unicode()));
    const char* end = buf.data() + buf.size();
    double out = 0.0;
    const auto res = std::from_chars(buf.data(), end, out);
    if (res.ec == std::errc::result_out_of_range)
        return belowOne(buf.data(), end) ? 0.0 : std::numeric_limits<double>::infinity();
    return out;
}

} // namespace

QString numText(float value) {
    if (!std::isfinite(value))
        return QStringLiteral(" 0");
    return layoutText(significantDecimal(value, 7), 7, Style::Display);
}

QString numText(double value) {
    if (!std::isfinite(value))
        return QStringLiteral(" 0");
    return layoutText(significantDecimal(value, 15), 15, Style::Display);
}

QString plainNumText(float value) {
    if (!std::isfinite(value))
        return QStringLiteral(" 0");
    return plainText(significantDecimal(value, 7));
}

QString plainNumText(double value) {
    if (!std::isfinite(value))
        return QStringLiteral(" 0");
    return plainText(significantDecimal(value, 15));
}

double roundHalfEven(double value, int places) {
    return roundImpl(value, places);
}
double roundHalfEven(float value, int places) {
    return roundImpl(value, places);
}
double truncDown(double value, int places) {
    return truncImpl(value, places);
}
double truncDown(float value, int places) {
    return truncImpl(value, places);
}

QString leftChars(const QString& text, int k) {
    return text.left(k);
}

double leadingNumber(QStringView text) {
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    const qsizetype len = scanNumber(text, start);
    if (len == 0)
        return 0.0;
    const double v = convert(text.mid(start, len));
    return std::isfinite(v) ? v : 0.0;
}

bool parseNumber(QStringView text, double& out) {
    const QStringView t = text.trimmed();
    const qsizetype len = scanNumber(t, 0);
    if (len == 0 || len != t.size())
        return false;
    const double v = convert(t);
    if (!std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool fitsSingle(double value) {
    // Half a step above the largest Single: anything below rounds to a finite Single (the
    // shortest digits of the largest Single, read as a Double, lie just above it).
    constexpr double limit = 0x1.ffffffp127;
    return std::isfinite(value) && std::fabs(value) < limit;
}

float toSingle(double value) {
    if (!fitsSingle(value))
        return 0.0f;
    const double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -largest, largest));
}

QString fileNumberText(double value) {
    return layoutText(shortestDecimal(std::isfinite(value) ? value : 0.0), 15, Style::File);
}
QString fileNumberText(float value) {
    return layoutText(shortestDecimal(std::isfinite(value) ? value : 0.0f), 15, Style::File);
}
QString jsonNumberText(double value) {
    return QString::fromLatin1(jsonNumber(value));
}
QString jsonNumberText(float value) {
    return QString::fromLatin1(jsonNumber(value));
}

void appendJsonNumber(QByteArray& out, double value) {
    char buf[64];
    out.append(buf,
               layout(shortestDecimal(std::isfinite(value) ? value : 0.0), 15, Style::Json, buf));
}
void appendJsonNumber(QByteArray& out, float value) {
    char buf[64];
    out.append(buf,
               layout(shortestDecimal(std::isfinite(value) ? value : 0.0f), 15, Style::Json, buf));
}

QByteArray jsonNumber(double value) {
    char buf[64];
    const int n = layout(shortestDecimal(std::isfinite(value) ? value : 0.0), 15, Style::Json, buf);
    return QByteArray(buf, n);
}
QByteArray jsonNumber(float value) {
    char buf[64];
    const int n =
        layout(shortestDecimal(std::isfinite(value) ? value : 0.0f), 15, Style::Json, buf);
    return QByteArray(buf, n);
}
