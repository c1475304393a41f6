#pragma once

#include "core/calc/testquality.h"
#include "core/record/testrecord.h"

#include <QByteArray>
#include <QString>

#include <array>

// One data file's figures as the analyser prints them: computed from the stored inputs, as the
// measurement page shows them once the file is opened.
struct Analysis {
    QString file;
    TestRecord record;
    std::array<bool, TestRecord::kPoints + 1> used{};
    std::array<float, TestRecord::kPoints + 1> fanFlow{}; // the plate rule, for every point
    testquality::Quality quality;
};

Analysis analyse(const QString& file, const TestRecord& stored);

// Output, appended to `out` as UTF-8. JSON: one object per file, to be joined into an array by
// the caller; CSV: the header line and one row per file with the scalar figures.
void appendJson(QByteArray& out, const Analysis& a);
QByteArray csvHeader();
void appendCsvRow(QByteArray& out, const Analysis& a);
