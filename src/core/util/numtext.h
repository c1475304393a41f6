#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Number text and rounding, shared by every page, report, the data file and the CLI.
//
// Rounding and truncation work on the decimal digits a person sees: the shortest text that
// reads back to the value at its own precision. 2.675 (a Double just below the half) therefore
// rounds to 2.68, and a Single that shows as 0.545 truncates to 0.545, not 0.544.

// Display text: a blank before a non-negative number, "-" before a negative one, no zero
// before the decimal point, no trailing zeros, "." as the point whatever the locale.
// A Single shows up to 7 significant digits, a Double up to 15; an exponent ("1E-06",
// "1.5E+15") only where the positional form would be unreadable.
QString numText(float value);
QString numText(double value);

// The same digits as numText, always written out in full (no exponent), as the reports print
// a number: "1E-06" becomes " .000001", "1.5E+15" becomes " 1500000000000000".
QString plainNumText(float value);
QString plainNumText(double value);

// Rounds to `places` decimals, halves to the even digit.
double roundHalfEven(double value, int places);
double roundHalfEven(float value, int places);

// Cuts down to `places` decimals: floor(value * 10^places) / 10^places, so -1.4895 -> -1.49.
double truncDown(double value, int places);
double truncDown(float value, int places);

// The first k characters of a text (the leading blank included).
QString leftChars(const QString& text, int k);

// The value of the leading number of a text: optional blanks, sign, digits, one period and an
// exponent; 0 when the text does not begin with a number or the number is out of range.
double leadingNumber(QStringView text);

// A whole text that is exactly one number (blanks around it allowed); false otherwise, or when
// the number is not finite in double precision.
bool parseNumber(QStringView text, double& out);

// Whether a Double narrows to a finite Single (rounding included).
bool fitsSingle(double value);

// Narrows to a Single; anything that is not finite as a Single becomes 0.
float toSingle(double value);

// The shortest digits that read back to the same value at its precision, as the data file
// writes them: "-.5", ".2007226", "1.5E-05".
QString fileNumberText(double value);
QString fileNumberText(float value);

// The same shortest digits as a JSON/CSV number: "-0.5", "0.2007226", "1.5e-05".
QString jsonNumberText(double value);
QString jsonNumberText(float value);
QByteArray jsonNumber(double value);
QByteArray jsonNumber(float value);
void appendJsonNumber(QByteArray& out, double value);
void appendJsonNumber(QByteArray& out, float value);
