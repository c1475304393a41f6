#pragma once

#include <QStringList>

// ventrel-cli graph [--units 1|2|3] [--scale N] (--png OUT | --svg OUT | --pdf OUT) FILE
// `args` are the words after "graph". Needs a QGuiApplication. Returns the exit status.
int runGraphCommand(const QStringList& args);

extern const char* const kGraphUsage;
