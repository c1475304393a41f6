#include "ui/report/printing.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

namespace printing {

namespace {

PrinterChooser& installed() {
    static PrinterChooser chooser;
    return chooser;
}

} // namespace

std::unique_ptr<QPrinter> choosePrinter(QWidget* parent) {
    if (installed())
        return installed()(parent);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

void setPrinterChooser(PrinterChooser chooser) {
    installed() = std::move(chooser);
}

QString failureReason(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QFileInfo target(printer.outputFileName());
        return QStringLiteral("The PDF file %1 cannot be written in %2.")
            .arg(target.fileName(), target.absolutePath());
    }
    const QString name = printer.printerName();
    return name.isEmpty() ? QStringLiteral("No printer is available.")
                          : QStringLiteral("The printer %1 cannot be used now.").arg(name);
}

} // namespace printing
