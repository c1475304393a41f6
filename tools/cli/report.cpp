#include "report.h"

#include "core/calc/leakagecalc.h"
#include "core/record/lkdfile.h"
#include "core/report/customerreport.h"
#include "core/report/technicalreport.h"
#include "ui/report/reportcommands.h"
#include "ui/report/reportprinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

const char* const kUsage =
    "Usage: ventrel-cli report (--technical | --customer) [--preview] [--lang E|F]\n"
    "                          [--units 1|2|3] [--template FILE] [--pdf OUT] FILE\n"
    "\n"
    "Composes a report of the .lkd data file FILE, with the figures the measurement page\n"
    "shows once the file is opened, and writes it to standard output as UTF-8, byte for byte\n"
    "as the printer gets it: TABs between columns, CR LF after lines.\n"
    "\n"
    "Options:\n"
    "  --technical      the technical report\n"
    "  --customer       the customer letter, from the template Customer.txt\n"
    "  --preview        the text the print preview shows instead (with the figures the\n"
    "                   preview refreshes; the data file is not changed)\n"
    "  --lang E|F       English (the default) or French\n"
    "  --units 1|2|3    in.wc and cfm, Pa and cfm, Pa and m3/h (default: the file's own)\n"
    "  --template FILE  the customer template to use (default: Customer.txt beside the\n"
    "                   program, then in the installed data folder)\n"
    "  --pdf OUT        print the report into the PDF file OUT instead of writing the text\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 usage error.\n";

int usageError(const QString& message) {
    std::fprintf(stderr, "ventrel-cli: %s\n\n%s", message.toLocal8Bit().constData(), kUsage);
    return 2;
}

int fileError(const QString& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "ventrel-cli: %s\n", message.toLocal8Bit().constData());
    return 1;
}

struct Options {
    bool technical = false;
    bool customer = false;
    bool preview = false;
    QString language = QStringLiteral("E");
    int16_t units = 0; // 0: the file's own
    QString templatePath;
    QString pdf;
    QString file;
};

// Fills `o` from the words; an empty text when they make sense, else what is wrong.
QString parse(const QStringList& args, Options& o) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto value = [&](QString& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        QString v;
        if (a == u"--technical") {
            o.technical = true;
        } else if (a == u"--customer") {
            o.customer = true;
        } else if (a == u"--preview") {
            o.preview = true;
        } else if (a == u"--lang") {
            if (!value(v) || (v != u"E" && v != u"F"))
                return QStringLiteral("--lang needs E or F");
            o.language = v;
        } else if (a == u"--units") {
            if (!value(v) || (v != u"1" && v != u"2" && v != u"3"))
                return QStringLiteral("--units needs 1, 2 or 3");
            o.units = static_cast<int16_t>(v.toInt());
        } else if (a == u"--template") {
            if (!value(o.templatePath))
                return QStringLiteral("--template needs a file");
        } else if (a == u"--pdf") {
            if (!value(o.pdf))
                return QStringLiteral("--pdf needs an output file");
        } else if (a.startsWith(u"--")) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else if (!o.file.isEmpty()) {
            return QStringLiteral("one data file at a time");
        } else {
            o.file = a;
        }
    }
    if (o.technical == o.customer)
        return QStringLiteral("choose --technical or --customer");
    if (o.preview && !o.pdf.isEmpty())
        return QStringLiteral("--pdf prints the paper report; it does not go with --preview");
    if (o.file.isEmpty())
        return QStringLiteral("no data file given");
    return QString();
}

} // namespace

int runReportCommand(const QStringList& args) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Options o;
    const QString wrong = parse(args, o);
    if (!wrong.isEmpty())
        return usageError(wrong);

    // The template is looked for beside the program, and a PDF needs fonts: both need an
    // application object; printing needs no screen.
    static int argc = 1;
    static char name[] = "ventrel-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (o.pdf.isEmpty()) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

    // The record as the measurement page holds it once the file is opened.
    TestRecord r;
    applyStartupValues(r);
    const QFileInfo info(o.file);
    r.FileNameG = info.fileName();
    r.FilePathG = QDir::toNativeSeparators(info.absoluteFilePath());
    QString error;
    if (!readLkdFile(o.file, r, &error))
        return fileError(error);
    calculateTest(r);
    if (o.units != 0 && o.units != r.UnitSystemG) {
        // The Units menu reloads the page in the new units.
        setUnitSystem(r, o.units);
        calculateTest(r);
    }
    r.LanguageG = o.language;

    QString text;
    if (o.technical) {
        text = o.preview ? report::previewTechnicalReport(r)
                         : report::technicalReportText(r, r.LanguageG, r.UnitSystemG);
    } else {
        const QString path =
            o.templatePath.isEmpty() ? report::findCustomerTemplate() : o.templatePath;
        if (path.isEmpty())
            return fileError(report::missingTemplateMessage(QStringLiteral("\n  ")));
        QString templateText;
        if (!report::readCustomerTemplate(path, templateText, error))
            return fileError(error);
        text = o.preview ? report::previewCustomerReport(r, templateText)
                         : report::customerReportText(r, r.UnitSystemG, templateText);
    }

    if (!o.pdf.isEmpty()) {
        const int points =
            o.technical ? reportcommands::kTechnicalPointSize : reportcommands::kCustomerPointSize;
        if (!reportprinter::printToPdf(o.pdf, text, points, &error))
            return fileError(error);
        return 0;
    }
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    if (std::fflush(stdout) != 0)
        return fileError(QStringLiteral("cannot write the output"));
    return 0;
}
