#include "cli/graph.h"

#include "cli/cliio.h"
#include "core/calc/leakagecalc.h"
#include "core/record/lkdfile.h"
#include "core/report/graphmodel.h"
#include "ui/report/graphpainter.h"

#include <QCommandLineParser>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cstdio>

const char* const kGraphUsage =
    "Usage: ventrel-cli graph [--units 1|2|3] [--scale N] (--png OUT | --svg OUT | --pdf OUT) "
    "FILE\n"
    "\n"
    "Draws the log-log graph of a data file as the graph page shows it.\n"
    "\n"
    "Options:\n"
    "  --units 1|2|3    in.wc and cfm, Pa and cfm, or Pa and m3/h (default: the file's)\n"
    "  --png OUT        a PNG image of the page's drawing area, from 300 twips above the plot\n"
    "                   at 15 twips a pixel: a point at twips (x, y) is at pixel\n"
    "                   (x / 15, (y + 300) / 15)\n"
    "  --scale N        N twips a pixel for the PNG instead of 15\n"
    "  --svg OUT        an SVG drawing of the same area (1 unit = 15 twips)\n"
    "  --pdf OUT        one landscape page, as Print Graph prints it\n"
    "  --help           this text\n"
    "\n"
    "Exit status: 0 written, 1 the file could not be read or the output written, 2 usage "
    "error.\n";

namespace {

bool paintPng(const graph::Model& m, const QString& out, double twipsPerPixel) {
    QImage image(qRound(kGraphWidthTwips / twipsPerPixel),
                 qRound(kGraphHeightTwips / twipsPerPixel), QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0)); // the page's own background around the white box
    QPainter p(&image);
    paintGraph(p, m, 1.0 / twipsPerPixel);
    p.end();
    return image.save(out, "PNG");
}

bool paintSvg(const graph::Model& m, const QString& out) {
    QSvgGenerator svg;
    svg.setFileName(out);
    svg.setSize(QSize(qRound(kGraphWidthTwips / 15), qRound(kGraphHeightTwips / 15)));
    svg.setViewBox(QRectF(0, 0, kGraphWidthTwips / 15, kGraphHeightTwips / 15));
    svg.setTitle(m.title);
    QPainter p;
    if (!p.begin(&svg))
        return false;
    paintGraph(p, m, 1.0 / 15);
    return p.end();
}

bool paintPdf(const graph::Model& m, const QString& out) {
    QPdfWriter pdf(out);
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setResolution(600);
    pdf.setTitle(m.title);
    QPainter p;
    if (!p.begin(&pdf))
        return false;
    const double scale = std::min(pdf.width() / kGraphWidthTwips, pdf.height() / kGraphHeightTwips);
    paintGraph(p, m, scale);
    return p.end();
}

} // namespace

int runGraphCommand(const QStringList& args) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption units(QStringLiteral("units"), QString(), QStringLiteral("n"));
    const QCommandLineOption scale(QStringLiteral("scale"), QString(), QStringLiteral("n"),
                                   QStringLiteral("15"));
    const QCommandLineOption png(QStringLiteral("png"), QString(), QStringLiteral("out"));
    const QCommandLineOption svg(QStringLiteral("svg"), QString(), QStringLiteral("out"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QString(), QStringLiteral("out"));
    parser.addOptions({help, units, scale, png, svg, pdf});
    if (!parser.parse(QStringList{QStringLiteral("graph")} + args))
        return cli::usageError(parser.errorText(), kGraphUsage);
    if (parser.isSet(help)) {
        std::fputs(kGraphUsage, stdout);
        return cli::kOk;
    }
    const int outputs = int(parser.isSet(png)) + int(parser.isSet(svg)) + int(parser.isSet(pdf));
    if (outputs != 1)
        return cli::usageError(QStringLiteral("give one of --png, --svg and --pdf"), kGraphUsage);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return cli::usageError(QStringLiteral("give one data file"), kGraphUsage);
    bool ok = true;
    const double twipsPerPixel = parser.value(scale).toDouble(&ok);
    if (!ok || !(twipsPerPixel >= 1) || twipsPerPixel > 1440)
        return cli::usageError(QStringLiteral("--scale needs a number of twips from 1 to 1440"),
                               kGraphUsage);

    TestRecord r;
    QString error;
    if (!readLkdFile(files.first(), r, &error)) {
        cli::complain(error);
        return cli::kFileError;
    }
    int16_t system = r.UnitSystemG;
    if (parser.isSet(units)) {
        const QString u = parser.value(units);
        if (u != QStringLiteral("1") && u != QStringLiteral("2") && u != QStringLiteral("3"))
            return cli::usageError(QStringLiteral("--units needs 1, 2 or 3"), kGraphUsage);
        system = static_cast<int16_t>(u.toInt());
    }
    calculateTest(r);
    const graph::Model m = graph::buildGraph(r, system);

    const QString out = parser.value(parser.isSet(png) ? png : parser.isSet(svg) ? svg : pdf);
    const bool written = parser.isSet(png)   ? paintPng(m, out, twipsPerPixel)
                         : parser.isSet(svg) ? paintSvg(m, out)
                                             : paintPdf(m, out);
    if (!written) {
        cli::complain(QStringLiteral("%1 cannot be written").arg(out));
        return cli::kFileError;
    }
    return cli::kOk;
}
