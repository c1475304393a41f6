#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// Where the program's printing starts: the platform's print dialog, so a user without a
// printer can print to a PDF file. Tests put a chooser of their own in its place.
namespace printing {

// A printer set up by the user, or nothing for Cancel.
using PrinterChooser = std::function<std::unique_ptr<QPrinter>(QWidget* parent)>;

std::unique_ptr<QPrinter> choosePrinter(QWidget* parent);

// Replaces the dialog (tests); an empty chooser restores it.
void setPrinterChooser(PrinterChooser chooser);

// The reason a print job could not start, for a message: the PDF file that cannot be written,
// or the printer that is not there.
QString failureReason(const QPrinter& printer);

} // namespace printing
