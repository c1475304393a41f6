#pragma once

// Runs the built ventrel-cli and keeps what it said.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct CliRun {
    int status = -1; // -1 when it did not end normally
    QByteArray out;
    QByteArray err;
};

inline CliRun runCliWith(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VENTREL_CLI_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}
