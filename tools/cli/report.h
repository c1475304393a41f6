#pragma once

#include <QStringList>

// ventrel-cli report: a data file's technical or customer report, as the printer or the
// preview gets it, or printed into a PDF. `args` are the words after "report". Exit status:
// 0 done, 1 a file could not be read or written, 2 usage error.
int runReportCommand(const QStringList& args);
