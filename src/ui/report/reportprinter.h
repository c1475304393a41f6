#pragma once

#include <QString>

#include <functional>

class QFont;
class QPainter;
class QPrinter;
class QWidget;

// Printing a report text: one font, TAB stops evenly spaced (the same on the screen), lines
// that do not fit the page width wrapped, and pages broken at line ends.
namespace reportprinter {

// The distance between TAB stops for the report font at `pointSize`, in units of a device
// with `dotsPerInch`: eight average characters of Arial, the stops the reports' columns and
// padded labels are laid out for (31.8 points at 9 points).
double tabStopDistance(int pointSize, double dotsPerInch);

// The report font: "Arial" at `pointSize`, not bold. Arial resolves to a metric-compatible
// face (Liberation Sans) where Arial itself is not installed.
QFont reportFont(int pointSize);

// Lays `text` (lines ended by CR LF) out on the printer's pages with `painter`, which must be
// active on `printer`. Returns the number of pages used.
int paintReport(QPainter& painter, QPrinter& printer, const QString& text, int pointSize);

// Asks for the printer with the platform's print dialog, or the handler that stands in for it;
// false for Cancel. Every print command of the program starts here.
bool choosePrinter(QWidget* parent, QPrinter& printer);

// Why nothing can be printed on `printer` as it is set up (a PDF file that cannot be written,
// no printer at all), in the user's words; empty when it looks usable.
QString printerProblem(const QPrinter& printer);

// Prints on `printer` as it is set up (a printer or a PDF file). False with the reason when the
// printer cannot be opened or reports an error.
bool printOn(QPrinter& printer, const QString& text, int pointSize, QString* error = nullptr);

// The result of a print command.
enum class Outcome { Printed, Cancelled, Failed };

// Asks for the printer with the platform's print dialog (where a PDF file can be chosen when
// there is no printer), then prints. A failure is told to the user in a message box titled
// `title`; Cancel prints nothing.
Outcome printWithDialog(QWidget* parent, const QString& title, const QString& text, int pointSize);

// Stands in for the print dialog (tests): set up the printer and return true to print, or
// return false as Cancel would. An empty handler restores the real dialog.
using DialogHandler = std::function<bool(QPrinter&)>;
DialogHandler setDialogHandler(DialogHandler handler);

// Prints straight into a PDF file, without a dialog (the command-line tool).
bool printToPdf(const QString& path, const QString& text, int pointSize, QString* error = nullptr);

} // namespace reportprinter
