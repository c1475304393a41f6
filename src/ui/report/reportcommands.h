#pragma once

#include "core/record/testrecord.h"

#include <QString>

class QWidget;

// The Print menu's report commands: compose the text from the record and print it.
namespace reportcommands {

// Printer font sizes of the two reports.
constexpr int kTechnicalPointSize = 9;
constexpr int kCustomerPointSize = 10;

// Print Technical Report. Sets ReportKindG to 1 once the print goes ahead; Cancel in the
// print dialog changes nothing.
void printTechnicalReport(QWidget* from, TestRecord& r);

// Print Customer Report, from a fresh read of the template. Sets ReportKindG to 0 once the
// print goes ahead. No template: the user is told where it was looked for, nothing is printed.
void printCustomerReport(QWidget* from, TestRecord& r);

// The customer template's text for a print or a preview; false when there is none or it
// cannot be read, after telling the user in a box titled `title`, `outcome` closing the text.
bool loadTemplateTelling(QWidget* from, const QString& title, const QString& outcome,
                         QString& text);

} // namespace reportcommands
