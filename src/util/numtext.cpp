#include "util/numtext.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

// A decimal number as sign, significant digits and the power of ten of the first digit:
// value = 0.d1d2d3... * 10^pointPos.
struct Decimal {
    bool negative = false;
    std::string digits; // no leading zeros; empty means zero
    int pointPos = 0;
};

Decimal fromScientific(const char* text) {
    // text is "[-]d[.ddd]e[+-]xx" as printed by to_chars or printf
    Decimal d;
    const char* p = text;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    int exponent = 0;
    for (; *p && *p != 'e' && *p != 'E'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    }
    if (*p)
        exponent = std::atoi(p + 1);
    d.pointPos = exponent + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    std::size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0') {
        ++lead;
        --d.pointPos;
    }
    d.digits.erase(0, lead);
    return d;
}

template <typename T> Decimal shortestDecimal(T value) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific);
    *res.ptr = '\0';
    return fromScientific(buf);
}

Decimal significantDecimal(double value, int significant) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, value);
    return fromScientific(buf);
}

double toDouble(const Decimal& d) {
    if (d.digits.empty())
        return 0.0;
    std::string text = d.negative ? "-0." : "0.";
    text += d.digits;
    text += 'e';
    text += std::to_string(d.pointPos);
    double out = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    return out;
}

// Adds one unit in the last kept place to the magnitude of a digit string.
void incrementMagnitude(Decimal& d, std::size_t keep) {
    d.digits.resize(keep);
    int i = static_cast<int>(keep) - 1;
    while (i >= 0 && d.digits[i] == '9') {
        d.digits[i] = '0';
        --i;
    }
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.pointPos;
    } else {
        ++d.digits[i];
    }
}

void trimZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.negative = false;
}

enum class Cut { HalfEven, Floor };

Decimal cutToPlaces(Decimal d, int places, Cut mode) {
    const long keepLong = static_cast<long>(d.pointPos) + places;
    if (keepLong >= static_cast<long>(d.digits.size()))
        return d;
    if (keepLong < 0) {
        // Everything is below half a unit of the last place.
        if (mode == Cut::Floor && d.negative && !d.digits.empty()) {
            d.digits = "1";
            d.pointPos = -places + 1;
            return d;
        }
        return Decimal{};
    }
    const auto keep = static_cast<std::size_t>(keepLong);
    const std::string dropped = d.digits.substr(keep);
    bool up = false;
    if (mode == Cut::Floor) {
        up = d.negative; // dropped is never all zeros: trailing zeros are trimmed
    } else {
        const char first = dropped[0];
        if (first > '5') {
            up = true;
        } else if (first == '5') {
            const bool exactHalf = dropped.find_first_not_of('0', 1) == std::string::npos;
            if (!exactHalf)
                up = true;
            else
                up = keep > 0 && ((d.digits[keep - 1] - '0') % 2 == 1);
        }
    }
    if (up) {
        if (keep == 0) {
            d.digits = "1";
            d.pointPos += 1;
        } else {
            incrementMagnitude(d, keep);
        }
    } else {
        d.digits.resize(keep);
    }
    trimZeros(d);
    return d;
}

enum class Style { Display, File, Json };

// Lays out a decimal positionally or with an exponent, after the style's conventions.
QString layout(const Decimal& d, int maxPositionalExponent, Style style) {
    QString sign;
    if (d.digits.empty()) {
        if (style == Style::Display)
            return QStringLiteral(" 0");
        return QStringLiteral("0");
    }
    if (d.negative)
        sign = QStringLiteral("-");
    else if (style == Style::Display)
        sign = QStringLiteral(" ");

    const int exponent = d.pointPos - 1;
    const auto digits = QString::fromLatin1(d.digits.data(), static_cast<qsizetype>(d.digits.size()));
    QString body;
    if (exponent >= -5 && exponent < maxPositionalExponent) {
        if (d.pointPos <= 0) {
            body = (style == Style::Json ? QStringLiteral("0.") : QStringLiteral("."))
                   + QString(-d.pointPos, QLatin1Char('0')) + digits;
        } else if (d.pointPos >= digits.size()) {
            body = digits + QString(d.pointPos - digits.size(), QLatin1Char('0'));
        } else {
            body = digits.left(d.pointPos) + QLatin1Char('.') + digits.mid(d.pointPos);
        }
    } else {
        body = digits.left(1);
        if (digits.size() > 1)
            body += QLatin1Char('.') + digits.mid(1);
        const QChar e = style == Style::Json ? QLatin1Char('e') : QLatin1Char('E');
        body += e + (exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'));
        body += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    }
    return sign + body;
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

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

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

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

double convert(QStringView text) {
    std::string s = text.toLatin1().toStdString();
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    if (!s.empty() && s[0] == '.')
        s.insert(0, "0");
    if (s.size() > 1 && s[0] == '-' && s[1] == '.')
        s.insert(1, "0");
    double out = 0.0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), out);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is out of range.
        return std::numeric_limits<double>::infinity();
    }
    return out;
}

} // namespace

QString numText(float value) {
    if (!std::isfinite(value))
        return QStringLiteral(" 0");
    return layout(significantDecimal(value, 7), 7, Style::Display);
}

QString numText(double value) {
    if (!std::isfinite(value))
        return QStringLiteral(" 0");
    return layout(significantDecimal(value, 15), 15, Style::Display);
}

double roundHalfEven(double value, int places) { return roundImpl(value, places); }
double roundHalfEven(float value, int places) { return roundImpl(value, places); }
double truncDown(double value, int places) { return truncImpl(value, places); }
double truncDown(float value, int places) { return truncImpl(value, places); }

QString leftChars(const QString& text, int k) { return text.left(k); }

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

float toSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        return 0.0f;
    const auto f = static_cast<float>(value);
    return std::isfinite(f) ? f : 0.0f;
}

QString fileNumberText(double value) {
    return layout(shortestDecimal(std::isfinite(value) ? value : 0.0), 15, Style::File);
}
QString fileNumberText(float value) {
    return layout(shortestDecimal(std::isfinite(value) ? value : 0.0f), 15, Style::File);
}
QString jsonNumberText(double value) {
    return layout(shortestDecimal(std::isfinite(value) ? value : 0.0), 15, Style::Json);
}
QString jsonNumberText(float value) {
    return layout(shortestDecimal(std::isfinite(value) ? value : 0.0f), 15, Style::Json);
}
