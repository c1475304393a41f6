#include "ui/report/previewpage.h"

#include "core/report/customerreport.h"
#include "core/report/technicalreport.h"
#include "ui/common/pagemenus.h"
#include "ui/common/twips.h"
#include "ui/report/reportcommands.h"
#include "ui/report/reportprinter.h"

#include <QPlainTextEdit>
#include <QPushButton>

PPreview::PPreview(PageHost& host) : MainPage(host, QStringLiteral("PPreview")) {
    pagemenus::addBarItem(this, QStringLiteral("nmuBack"), QStringLiteral("&Back"),
                          [this] { Command3D1_Click(); });
    pagemenus::addBarItem(this, QStringLiteral("nmuExit"), QStringLiteral("&Exit"),
                          [this] { this->host().exitCommand(this); });
    QMenu* help = pagemenus::addMenu(this, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    pagemenus::addItem(help, QStringLiteral("mnuAbout"), QStringLiteral("&About"),
                       [this] { this->host().aboutCommand(this); });

    QFrame* frame = makeFrame();
    Text1_ = new QPlainTextEdit(frame);
    Text1_->setObjectName(QStringLiteral("Text1"));
    // Read only, but the text can be selected and copied.
    Text1_->setReadOnly(true);
    Text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    twips::place(Text1_, 120, 120, 9220, 6000);

    Command3D1_ = new QPushButton(QStringLiteral("Back"), frame);
    Command3D1_->setObjectName(QStringLiteral("Command3D1"));
    twips::place(Command3D1_, 120, 6240, 960, 435);
    connect(Command3D1_, &QPushButton::clicked, this, [this] { Command3D1_Click(); });
}

void PPreview::Form_Load() {
    sizeAndCentre();
    const TestRecord& r = rec();
    setWindowTitle(r.ProgramNameG + u' ' + r.ProgramVersionG + QStringLiteral("  File: ") +
                   r.FileNameG);
    const bool customer = r.ReportKindG == 0;
    const int points =
        customer ? reportcommands::kCustomerPointSize : reportcommands::kTechnicalPointSize;
    Text1_->setFont(reportprinter::reportFont(points));
    // The same TAB stops as on paper.
    Text1_->setTabStopDistance(reportprinter::tabStopDistance(points, twips::logicalDpi(Text1_)));
    show();

    QString text;
    if (customer) {
        QString templateText;
        if (reportcommands::loadTemplateTelling(this, QStringLiteral("Preview"),
                                                QStringLiteral("There is no letter to show."),
                                                templateText))
            text = report::previewCustomerReport(rec(), templateText);
    } else {
        text = report::previewTechnicalReport(rec());
    }
    // CR LF ends a line on paper; the text box takes LF.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1_->setPlainText(text);
    Command3D1_->setFocus();
}

void PPreview::Command3D1_Click() {
    host().showPage(PageId::Measurement);
}
