// ventrel-cli: prints the figures of blower-door data files without opening a window.

#include "cli/report.h"
#include "core/calc/analysis.h"
#include "core/record/lkdfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

const char* const kUsage =
    "Usage: ventrel-cli analyse [--exact] [--format json|csv] FILE...\n"
    "       ventrel-cli report --help   (the technical and customer reports)\n"
    "\n"
    "Reads each .lkd data file and prints its results.\n"
    "\n"
    "By default the figures are those the measurement page shows once the file is opened:\n"
    "every stored pressure and reading is first re-entered as the page shows it (building\n"
    "and static pressures to 4 places in in.wc, or 2 places in Pa; flow readings to 1 place\n"
    "in cfm, or m3/h), then the fit and every figure are computed.\n"
    "\n"
    "Options:\n"
    "  --exact          compute from the stored values as they are\n"
    "  --format json    one JSON array, an object per file (the default)\n"
    "  --format csv     a header line and one row per file with the scalar figures\n"
    "  --help           this text\n"
    "\n"
    "All figures are in the file's US units (in.wc, cfm, ft2, in2) whatever its unit system.\n"
    "A file that cannot be read is reported on standard error and the others are still\n"
    "analysed. Exit status: 0 all files read, 1 some file could not be read, 2 usage error.\n";

int usageError(const QString& message) {
    std::fprintf(stderr, "ventrel-cli: %s\n\n%s", message.toLocal8Bit().constData(), kUsage);
    return 2;
}

void writeOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (!args.isEmpty() && args.first() == QStringLiteral("report"))
        return runReportCommand(args.mid(1));

    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.isEmpty() || args.first() != QStringLiteral("analyse"))
        return usageError(args.isEmpty()
                              ? QStringLiteral("no command given")
                              : QStringLiteral("unknown command '%1'").arg(args.first()));

    bool exact = false;
    bool csv = false;
    QStringList files;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsEnded || !a.startsWith(QLatin1String("--"))) {
            files << a;
        } else if (a == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (a == QStringLiteral("--exact")) {
            exact = true;
        } else if (a == QStringLiteral("--format") || a.startsWith(QStringLiteral("--format="))) {
            QString format;
            if (a == QStringLiteral("--format")) {
                if (i + 1 >= args.size())
                    return usageError(QStringLiteral("--format needs json or csv"));
                format = args[++i];
            } else {
                format = a.mid(9);
            }
            if (format == QStringLiteral("csv"))
                csv = true;
            else if (format == QStringLiteral("json"))
                csv = false;
            else
                return usageError(QStringLiteral("unknown format '%1'").arg(format));
        } else {
            return usageError(QStringLiteral("unknown option '%1'").arg(a));
        }
    }
    if (files.isEmpty())
        return usageError(QStringLiteral("no data file given"));

    int status = 0;
    bool first = true;
    QByteArray out;
    out.reserve(1 << 16);
    out += csv ? csvHeader() : QByteArray("[");
    for (const QString& file : files) {
        TestRecord stored;
        QString error;
        if (!readLkdFile(file, stored, &error)) {
            std::fflush(stdout);
            // The reader's reason names the file already.
            std::fprintf(stderr, "ventrel-cli: %s\n", error.toLocal8Bit().constData());
            status = 1;
            continue;
        }
        const Analysis a = analyse(file, stored, exact);
        if (csv) {
            appendCsvRow(out, a);
        } else {
            out += first ? "\n" : ",\n";
            appendJson(out, a);
        }
        first = false;
        if (out.size() > (1 << 16) - 4096) {
            writeOut(out);
            out.clear();
        }
    }
    if (!csv)
        out += first ? "]\n" : "\n]\n";
    writeOut(out);
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "ventrel-cli: cannot write the output\n");
        return 1;
    }
    return status;
}
