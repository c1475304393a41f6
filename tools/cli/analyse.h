#pragma once

#include <QStringList>

// ventrel-cli analyse [--exact] [--format json|csv] FILE...
// `args` are the words after "analyse". Returns the exit status.
int runAnalyseCommand(const QStringList& args);

extern const char* const kAnalyseUsage;
