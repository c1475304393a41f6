// The reports through the real printer path into a PDF, read back with pdftotext; the Print
// menu of the measurement page and the preview page.

#include "ui/guitest.h"

#include "core/report/customerreport.h"
#include "core/report/technicalreport.h"
#include "support/testrecords.h"
#include "ui/report/reportcommands.h"
#include "ui/report/reportprinter.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Every printed character in order, all blanks, TABs and line breaks taken out (pdftotext
// joins words that a TAB leaves close together).
QString inkOf(const QString& text) {
    return QString(text).remove(QRegularExpression(u"\\s+"_qs));
}

// A Customer.txt beside the program for as long as it lives.
struct TemplateBeside {
    explicit TemplateBeside(const QByteArray& bytes)
        : path(QDir(QCoreApplication::applicationDirPath()).filePath(u"Customer.txt"_qs)) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    ~TemplateBeside() { QFile::remove(path); }
    QString path;
};

QByteArray shippedTemplate() {
    QFile f(qEnvironmentVariable("VENTREL_SOURCE_DIR") + u"/data/Customer.txt"_qs);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestReportPrinting : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty(),
                 "pdftotext (poppler-utils) is needed");
    }

    // Every word of the composed text reaches the page in order, on one page, and each table
    // line stays one line.
    void technicalReportPdf() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"technical.pdf"_qs);
        TestRecord r = testrecords::reportTest(3);
        r.LanguageG = u"F"_qs;
        r.ReportKindG = 0;
        PdfDialog dialog(pdf);
        MessageRecorder messages;
        reportcommands::printTechnicalReport(nullptr, r);
        QCOMPARE(dialog.asked, 1);
        QVERIFY(messages.requests.empty());
        QCOMPARE(r.ReportKindG, int16_t(1));
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(inkOf(pages.first()), inkOf(report::technicalReportText(r, u"F"_qs, 3)));
        QStringList printedLines; // each line's words, one blank between them
        for (const QString& l : pages.first().split(u'\n'))
            printedLines << l.simplified();
        for (const QString& line : {u"Date et heur de test: 12/07/2026 10:15"_qs,
                                    u"-50 3398.4 3381.8 .497 1 MAG:Plate Off"_qs,
                                    u"Infiltration/BedRoom= 46.32 m3/h/bedroom"_qs})
            QVERIFY2(printedLines.contains(line), qPrintable(line));
    }

    // A long letter goes on over several pages, broken at line ends; a line wider than the
    // page is wrapped, not cut.
    void longCustomerReport() {
        QByteArray letter;
        for (int i = 1; i <= 99; ++i)
            letter += "\"Line " + QByteArray::number(i) + " of the letter\"\r\n";
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"customer.pdf"_qs);
        QString text =
            report::customerReportText(testrecords::reportTest(1), 1, QString::fromLatin1(letter));
        const QString wide = QStringList(60, u"wide"_qs).join(u' ') + u" END-OF-LINE"_qs;
        text += u"\t\t"_qs + wide + u"\r\n"_qs;
        QString error;
        QVERIFY2(reportprinter::printToPdf(pdf, text, reportcommands::kCustomerPointSize, &error),
                 qPrintable(error));
        const QStringList pages = pdfPages(pdf);
        QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
        const QString all = pages.join(u'\n');
        QCOMPARE(inkOf(all), inkOf(text));
        // Each numbered line is whole on one page; the wide line took more than one.
        for (int i = 1; i <= 99; ++i)
            QVERIFY(all.contains(u"Line %1 of the letter"_qs.arg(i)));
        QVERIFY(!all.contains(QRegularExpression(u"wide([ \\t]+wide){59}[ \\t]+END-OF-LINE"_qs)));
    }

    void failures_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancel") << 0 << QString();
        QTest::newRow("PDF in a missing folder") << 1 << u"^The folder .* does not exist"_qs;
        // Without a print system Qt falls back to a PDF printer that has no file to write.
        QTest::newRow("no such printer")
            << 2 << u"^(No printer is available|No file name was given)"_qs;
    }

    // Cancel prints nothing and changes nothing; a failure is told and changes nothing.
    void failures() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(kind == 1 ? u"missing/r.pdf"_qs : u"r.pdf"_qs);
        PdfDialog dialog(pdf, kind != 0, kind == 2 ? u"no-such-printer"_qs : QString());
        MessageRecorder messages;
        TestRecord r = testrecords::reportTest(1);
        r.ReportKindG = 0;
        reportcommands::printTechnicalReport(nullptr, r);
        QCOMPARE(r.ReportKindG, int16_t(0));
        QVERIFY(!QFile::exists(pdf));
        if (message.isEmpty()) {
            QVERIFY(messages.requests.empty());
        } else {
            QCOMPARE(messages.requests.size(), size_t(1));
            QVERIFY2(messages.requests[0].text.contains(QRegularExpression(message)),
                     qPrintable(messages.requests[0].text));
        }
    }

    // No template: the user is told where it was looked for, and no print dialog opens.
    void customerWithoutTemplate() {
        QTemporaryDir dir;
        PdfDialog dialog(dir.filePath(u"c.pdf"_qs));
        MessageRecorder messages;
        TestRecord r = testrecords::reportTest(1);
        r.ReportKindG = 1;
        reportcommands::printCustomerReport(nullptr, r);
        QCOMPARE(dialog.asked, 0);
        QCOMPARE(r.ReportKindG, int16_t(1));
        QCOMPARE(messages.requests.size(), size_t(1));
        QVERIFY(messages.requests[0].text.contains(u"Customer.txt"_qs));
        QVERIFY(messages.requests[0].text.contains(QCoreApplication::applicationDirPath()));
        QVERIFY(messages.requests[0].text.endsWith(u"Nothing has been printed."_qs));
    }

    // From the measurement page: both prints, both previews, Back, and Exit from the preview.
    void printMenu() {
        const TemplateBeside beside(shippedTemplate());
        FlowUnderTest f;
        f.show(PageId::Measurement, testrecords::reportTest(1));
        const QString pdf = f.path(u"menu.pdf"_qs);
        {
            PdfDialog dialog(pdf);
            f.trigger("mnuPrintCustRpt");
            QCOMPARE(dialog.asked, 1);
        }
        QCOMPARE(f.flow.record().ReportKindG, int16_t(0));
        const QString letter = pdfPages(pdf).join(u'\n');
        QVERIFY(letter.contains(u"Report Prepared For:"_qs));
        QVERIFY(letter.contains(u"12 Maple Lane"_qs));
        QVERIFY(!letter.contains(u"2.8 square feet"_qs));
        {
            PdfDialog dialog(pdf);
            f.trigger("mnuPrTecRpt");
        }
        QCOMPARE(f.flow.record().ReportKindG, int16_t(1));
        QVERIFY(pdfPages(pdf).join(u'\n').contains(u"AIR LEAKAGE TEST REPORT"_qs));

        // The technical preview shows what the core composes from the record as the
        // measurement page left it, and stores the DEAP index.
        TestRecord expected = f.flow.record();
        const QString technical = report::previewTechnicalReport(expected);
        f.flow.record().InfiltrationDeapIndexG = 0.5f;
        f.trigger("mnuPrevTecRpt");
        QCOMPARE(f.currentName(), u"PPreview"_qs);
        auto* text1 = f.child<QPlainTextEdit>("Text1");
        QVERIFY(text1 && text1->isReadOnly());
        QCOMPARE(text1->toPlainText(), QString(technical).replace(u"\r\n"_qs, u"\n"_qs));
        QCOMPARE(f.flow.record().InfiltrationDeapIndexG, expected.InfiltrationDeapIndexG);

        f.trigger("nmuBack");
        QCOMPARE(f.currentName(), u"BDMeasFm4"_qs);

        // The customer preview refreshes the infiltration factor (2 stories, shielding 1),
        // and the measurement page shows the figures of the new factor once back.
        f.flow.record().DivideBy20FactorG = 20;
        f.trigger("mnuPrevCustRept");
        QCOMPARE(f.currentName(), u"PPreview"_qs);
        QVERIFY(f.child<QPlainTextEdit>("Text1")->toPlainText().contains(
            u"\tReport Prepared For:\t\t12 Maple Lane\n"_qs));
        QVERIFY(qAbs(f.flow.record().DivideBy20FactorG - 15.966f) < 0.001f);
        f.click("Command3D1");
        QCOMPARE(f.currentName(), u"BDMeasFm4"_qs);
        QVERIFY(qAbs(f.flow.record().DivideBy20FactorG - 15.966f) < 0.001f);

        // Exit from the preview asks the common question.
        f.trigger("mnuPrevTecRpt");
        f.messages.answers.push_back(QMessageBox::Cancel);
        f.trigger("nmuExit");
        QCOMPARE(f.messages.titles().last(), u"Close"_qs);
        QCOMPARE(f.currentName(), u"PPreview"_qs);
        QCOMPARE(f.ends, 0);
    }
};

QTEST_MAIN(TestReportPrinting)
#include "test_reportprinting.moc"
