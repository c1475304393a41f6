#include "ui/report/reportprinter.h"

#include "ui/common/messages.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

namespace reportprinter {

namespace {

DialogHandler& installedDialog() {
    static DialogHandler handler;
    return handler;
}

// Half an inch all round unless the user chooses otherwise.
void setMargins(QPrinter& printer) {
    printer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
}

bool runDialog(QWidget* parent, QPrinter& printer) {
    if (installedDialog())
        return installedDialog()(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

void setError(QString* error, const QString& why) {
    if (error)
        *error = why;
}

// Why a PDF cannot be written, in the user's words; empty when it looks writable.
QString pdfProblem(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("No file name was given for the PDF file.");
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("The folder %1 does not exist.")
            .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (info.exists() ? !info.isWritable() : !folder.isWritable())
        return QStringLiteral("The file %1 cannot be written.")
            .arg(QDir::toNativeSeparators(info.absoluteFilePath()));
    return QString();
}

} // namespace

double tabStopDistance(int pointSize, double dotsPerInch) {
    // Arial's average character is 904/2048 of the em; fixed here rather than read from the
    // font, so that a substitute face with another average gives the same stops.
    constexpr double kAverageCharEm = 904.0 / 2048.0;
    return 8.0 * kAverageCharEm * pointSize / 72.0 * dotsPerInch;
}

QFont reportFont(int pointSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    font.setBold(false);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int paintReport(QPainter& painter, QPrinter& printer, const QString& text, int pointSize) {
    const QFont font(reportFont(pointSize), painter.device());
    painter.setFont(font);
    painter.setPen(Qt::black);
    // The painter's origin is the top left of the printable area.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double width = page.width();
    const double height = page.height();

    QTextOption option;
    // The text engine takes a layout's TAB distance in pixels at 96 DPI and scales it to the
    // font's resolution itself.
    option.setTabStopDistance(tabStopDistance(pointSize, 96.0));
    // A line wider than the page goes on below, so nothing is cut off at the margin.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    QStringList lines = normalised.split(u'\n');
    // A closing line break starts no line of its own.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();

    int pages = 1;
    double y = 0;
    for (const QString& line : lines) {
        QTextLayout layout(line, font, painter.device());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine tl = layout.createLine(); tl.isValid(); tl = layout.createLine())
            tl.setLineWidth(width);
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            QTextLine tl = layout.lineAt(i);
            const double lineHeight = tl.height();
            if (y > 0 && y + lineHeight > height) {
                printer.newPage();
                ++pages;
                y = 0;
            }
            tl.draw(&painter, QPointF(0, y - tl.y()));
            y += lineHeight;
        }
        if (layout.lineCount() == 0)
            y += QFontMetricsF(font, painter.device()).height();
    }
    return pages;
}

bool choosePrinter(QWidget* parent, QPrinter& printer) {
    setMargins(printer);
    return runDialog(parent, printer);
}

QString printerProblem(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return pdfProblem(printer.outputFileName());
    if (!printer.isValid())
        return QStringLiteral("No printer is available. Choose a printer, or print to a PDF file.");
    return QString();
}

bool printOn(QPrinter& printer, const QString& text, int pointSize, QString* error) {
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    if (const QString problem = printerProblem(printer); !problem.isEmpty()) {
        setError(error, problem);
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        setError(
            error,
            pdf ? QStringLiteral("The PDF file %1 could not be written.")
                      .arg(QDir::toNativeSeparators(printer.outputFileName()))
                : QStringLiteral("The printer %1 could not be opened.").arg(printer.printerName()));
        return false;
    }
    paintReport(painter, printer, text, pointSize);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        setError(error, QStringLiteral("The printer reported an error; the report may not have "
                                       "been printed completely."));
        return false;
    }
    return true;
}

Outcome printWithDialog(QWidget* parent, const QString& title, const QString& text, int pointSize) {
    QPrinter printer(QPrinter::HighResolution);
    setMargins(printer);
    if (!runDialog(parent, printer))
        return Outcome::Cancelled;
    QString error;
    if (!printOn(printer, text, pointSize, &error)) {
        showInformation(parent, title, error);
        return Outcome::Failed;
    }
    return Outcome::Printed;
}

DialogHandler setDialogHandler(DialogHandler handler) {
    DialogHandler previous = std::move(installedDialog());
    installedDialog() = std::move(handler);
    return previous;
}

bool printToPdf(const QString& path, const QString& text, int pointSize, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    setMargins(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return printOn(printer, text, pointSize, error);
}

} // namespace reportprinter
