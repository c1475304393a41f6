#include "cli/analyse.h"

#include "cli/cliio.h"
#include "core/calc/analysis.h"
#include "core/record/lkdfile.h"

#include <QCommandLineParser>

#include <cstdio>

const char* const kAnalyseUsage =
    "Usage: ventrel-cli analyse [--exact] [--format json|csv] FILE...\n"
    "\n"
    "Reads each .lkd data file and prints its results.\n"
    "\n"
    "The figures are those the measurement page shows once the file is opened: the fit and\n"
    "every figure computed from the stored pressures and readings as they are.\n"
    "\n"
    "Options:\n"
    "  --exact          accepted for older scripts; the figures are always those above\n"
    "  --format json    one JSON array, an object per file (the default)\n"
    "  --format csv     a header line and one row per file with the scalar figures\n"
    "  --help           this text\n"
    "\n"
    "All figures are in the file's US units (in.wc, cfm, ft2, in2) whatever its unit system.\n"
    "A file that cannot be read is reported on standard error and the others are still\n"
    "analysed. Exit status: 0 all files read, 1 some file could not be read, 2 usage error.\n";

int runAnalyseCommand(const QStringList& args) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption exact(QStringLiteral("exact"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("format"),
                                    QStringLiteral("json"));
    parser.addOptions({help, exact, format});
    if (!parser.parse(QStringList{QStringLiteral("analyse")} + args))
        return cli::usageError(parser.errorText(), kAnalyseUsage);
    if (parser.isSet(help)) {
        std::fputs(kAnalyseUsage, stdout);
        return cli::kOk;
    }
    const QString f = parser.value(format);
    if (f != QStringLiteral("json") && f != QStringLiteral("csv"))
        return cli::usageError(QStringLiteral("unknown format '%1'").arg(f), kAnalyseUsage);
    const bool csv = f == QStringLiteral("csv");
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return cli::usageError(QStringLiteral("no data file given"), kAnalyseUsage);

    int status = cli::kOk;
    bool first = true;
    QByteArray out;
    out.reserve(1 << 16);
    out += csv ? csvHeader() : QByteArray("[");
    for (const QString& file : files) {
        TestRecord stored;
        QString error;
        if (!readLkdFile(file, stored, &error)) {
            cli::writeOut(out);
            out.clear();
            cli::complain(error); // the reader's reason names the file already
            status = cli::kFileError;
            continue;
        }
        const Analysis a = analyse(file, stored);
        if (csv) {
            appendCsvRow(out, a);
        } else {
            out += first ? "\n" : ",\n";
            appendJson(out, a);
        }
        first = false;
        if (out.size() > (1 << 16) - 4096) {
            cli::writeOut(out);
            out.clear();
        }
    }
    if (!csv)
        out += first ? "]\n" : "\n]\n";
    cli::writeOut(out);
    return cli::finishOutput() ? status : cli::kFileError;
}
