#pragma once

// What every command of ventrel-cli shares: its output, its messages and its exit statuses.

#include <QByteArray>
#include <QString>

namespace cli {

constexpr int kOk = 0;
constexpr int kFileError = 1;
constexpr int kUsageError = 2;

// Bytes to standard output, as they are.
void writeOut(const QByteArray& bytes);
// "ventrel-cli: message" on standard error.
void complain(const QString& message);
// A usage error: the message, then the command's usage, on standard error; returns 2.
int usageError(const QString& message, const char* usage);
// Flushes standard output; false (after saying so) when it could not be written.
bool finishOutput();

} // namespace cli
