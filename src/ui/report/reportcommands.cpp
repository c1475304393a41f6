#include "ui/report/reportcommands.h"

#include "core/report/customerreport.h"
#include "core/report/technicalreport.h"
#include "ui/common/messages.h"
#include "ui/common/pagemenus.h"
#include "ui/report/reportprinter.h"

namespace reportcommands {

namespace {
const QString kTitle = QStringLiteral("Print");
}

void printTechnicalReport(QWidget* from, TestRecord& r) {
    const QString text = report::technicalReportText(r, r.LanguageG, r.UnitSystemG);
    // The report kind is part of the record only once a report is really printed.
    if (reportprinter::printWithDialog(from, kTitle, text, kTechnicalPointSize) ==
        reportprinter::Outcome::Printed)
        r.ReportKindG = 1;
}

bool loadTemplateTelling(QWidget* from, const QString& title, const QString& outcome,
                         QString& text) {
    const QString path = report::findCustomerTemplate();
    QString error;
    if (path.isEmpty())
        error = report::missingTemplateMessage(pagemenus::kBreak);
    else if (report::readCustomerTemplate(path, text, error))
        return true;
    showInformation(from, title, error + pagemenus::kBreak + outcome);
    return false;
}

void printCustomerReport(QWidget* from, TestRecord& r) {
    QString templateText;
    if (!loadTemplateTelling(from, kTitle, QStringLiteral("Nothing has been printed."),
                             templateText))
        return;
    const QString text = report::customerReportText(r, r.UnitSystemG, templateText);
    if (reportprinter::printWithDialog(from, kTitle, text, kCustomerPointSize) ==
        reportprinter::Outcome::Printed)
        r.ReportKindG = 0;
}

} // namespace reportcommands
