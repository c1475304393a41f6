#pragma once

#include "core/record/testrecord.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// Pieces both reports are written with: their number forms and the way a record text and the
// lines are put on the page.
namespace report {

inline const QString kTab = QStringLiteral("\t");
inline const QString kLineEnd = QStringLiteral("\r\n");

// A number in full with its sign column (" 12", " .25", "-.5"), never with an exponent.
QString num(float value);
QString num(double value);
// Rounded to `places`, halves to the even digit.
QString rounded(double value, int places);
QString rounded(float value, int places);
// Cut down to four places.
QString cut4(double value);
QString cut4(float value);
// The first k characters of a number's text, but never fewer than its whole-number digits:
// a flow of 123456 stays 123456 and is not printed as 12345.
QString firstOf(const QString& numberText, int k);

// A record text as one piece of a line: a TAB, CR or LF inside it would move the columns or
// break the line, so each is printed as a blank.
QString field(const QString& text);

// Whether the French variant is wanted ("F"); anything else is English.
bool isFrench(const QString& language);

// The lines joined by CR LF, with no break after the last.
QString joinLines(const QStringList& lines);

} // namespace report
