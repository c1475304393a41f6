#pragma once

#include "core/record/testrecord.h"

#include <QString>

#include <cstdint>
#include <vector>

// The technical report: the whole test in one text, lines ended by CR LF, columns by TABs.
// `language` "F" gives the French variant, anything else the English one; `system` is the
// unit system 1, 2 or 3 (any other prints as system 1).
namespace report {

// As the printer gets it.
QString technicalReportText(const TestRecord& r, const QString& language, int16_t system);

// As the preview shows it, from the record as it stands.
QString technicalScreenText(const TestRecord& r, const QString& language, int16_t system);

// What opening the preview stores first: the DEAP index from the infiltration flow and the
// surface area, when the preview shows the DEAP line and there is an area to divide by.
void refreshDeapIndex(TestRecord& r, int16_t system);

// The preview's load: refreshDeapIndex, then the screen text in the record's language and
// unit system.
QString previewTechnicalReport(TestRecord& r);

// The points the measurement table lists: those that take part in the fit, in order.
std::vector<int> reportedPoints(const TestRecord& r);

// The low-flow setting printed for a point: the plate table's text for its stored factor (the
// data file does not keep the text), else the stored text.
QString lowFlowSetupText(const TestRecord& r, int point);

} // namespace report
