// ventrel-cli: works with blower-door data files without opening a window. Each command
// lives in tools/cli/ and parses its own options.

#include "cli/analyse.h"
#include "cli/cliio.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

const char* const kUsage = "Usage: ventrel-cli COMMAND [OPTIONS] FILE...\n"
                           "\n"
                           "Commands:\n"
                           "  analyse    the figures of data files, as JSON or CSV\n"
                           "\n"
                           "ventrel-cli COMMAND --help describes a command.\n";

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString command = args.value(0);
    const QStringList rest = args.mid(1);

    if (command == QStringLiteral("analyse"))
        return runAnalyseCommand(rest);

    if (command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        std::fputs(kUsage, stdout);
        std::fputs("\n", stdout);
        std::fputs(kAnalyseUsage, stdout);
        return cli::kOk;
    }
    return cli::usageError(command.isEmpty() ? QStringLiteral("no command given")
                                             : QStringLiteral("unknown command '%1'").arg(command),
                           kUsage);
}
