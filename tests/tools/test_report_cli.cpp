// ventrel-cli report: the texts the printer and the preview get, byte for byte, and the PDF.

#include "core/calc/leakagecalc.h"
#include "core/record/lkdfile.h"
#include "core/report/customerreport.h"
#include "core/report/technicalreport.h"
#include "support/testrecords.h"
#include "tools/clirun.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = CliRun;

Run runCli(const QStringList& args) {
    return runCliWith(QStringList{u"report"_qs} + args);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestReportCli : public QObject {
    Q_OBJECT
  private slots:
    void texts() {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"maple.lkd"_qs);
        QVERIFY(writeLkdFile(testrecords::reportTest(2), file));
        const QString letter = dir.filePath(u"letter.txt"_qs);
        QFile t(letter);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("\"Report Prepared For:\"\r\n\"About 1.3 square feet\"\r\n\"Caf\xE9\"\r\nEND\r\n");
        t.close();
        const QByteArray stored = readAll(file);

        // The record as the program holds it once the file is opened in system 3.
        TestRecord r;
        applyStartupValues(r);
        r.FileNameG = u"maple.lkd"_qs;
        QVERIFY(readLkdFile(file, r));
        calculateTest(r);
        setUnitSystem(r, 3);
        calculateTest(r);
        r.LanguageG = u"F"_qs;

        const Run paper =
            runCli({u"--technical"_qs, u"--units"_qs, u"3"_qs, u"--lang"_qs, u"F"_qs, file});
        QCOMPARE(paper.status, 0);
        QCOMPARE(paper.out, report::technicalReportText(r, u"F"_qs, 3).toUtf8());
        QVERIFY(paper.out.startsWith("\t\r\n\t\r\n"));
        QVERIFY(paper.out.contains("\r\n\t\tData File:\t\t\tmaple.lkd\r\n"));
        QVERIFY(paper.out.contains("\r\n\t\tDate et heur de test: \t\t12/07/2026 10:15\r\n"));
        QVERIFY(paper.out.contains("\r\n\t\tVolume of Building=               \t\t 339.9  m3\r\n"));
        QCOMPARE(paper.out.count("\n"), paper.out.count("\r\n"));

        TestRecord preview = r;
        const Run screen = runCli({u"--technical"_qs, u"--preview"_qs, u"--units"_qs, u"3"_qs,
                                   u"--lang"_qs, u"F"_qs, file});
        QCOMPARE(screen.status, 0);
        QCOMPARE(screen.out, report::previewTechnicalReport(preview).toUtf8());

        // The customer preview refreshes the infiltration figures, but saves nothing.
        TestRecord customer = r;
        setUnitSystem(customer, 2);
        calculateTest(customer);
        customer.LanguageG = u"E"_qs;
        const QString templateText = decodeWindows1252(readAll(letter));
        const Run letterRun = runCli({u"--customer"_qs, u"--preview"_qs, u"--units"_qs, u"2"_qs,
                                      u"--template"_qs, letter, file});
        QCOMPARE(letterRun.status, 0);
        QCOMPARE(letterRun.out, report::previewCustomerReport(customer, templateText).toUtf8());
        QVERIFY(letterRun.out.contains("\tReport Prepared For:\t\t12 Maple Lane\r\n"));
        QVERIFY(letterRun.out.endsWith("\tCaf\xC3\xA9\r\n"));
        QCOMPARE(readAll(file), stored);

        const QString pdf = dir.filePath(u"maple.pdf"_qs);
        const Run printed = runCli({u"--technical"_qs, u"--pdf"_qs, pdf, file});
        QCOMPARE(printed.status, 0);
        QVERIFY(printed.out.isEmpty());
        QProcess text;
        text.start(u"pdftotext"_qs, {pdf, u"-"_qs});
        QVERIFY(text.waitForFinished(30000));
        const QByteArray pdfText = text.readAllStandardOutput();
        QVERIFY(pdfText.contains("AIR LEAKAGE TEST REPORT"));
        QVERIFY(pdfText.contains("maple.lkd"));
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no kind") << QStringList{u"x.lkd"_qs} << 2
                                 << u"--technical or --customer"_qs;
        QTest::newRow("both kinds") << QStringList{u"--technical"_qs, u"--customer"_qs, u"x.lkd"_qs}
                                    << 2 << u"--technical or --customer"_qs;
        QTest::newRow("bad units")
            << QStringList{u"--technical"_qs, u"--units"_qs, u"4"_qs, u"x.lkd"_qs} << 2
            << u"--units"_qs;
        QTest::newRow("missing file")
            << QStringList{u"--technical"_qs, u"/nonexistent/x.lkd"_qs} << 1 << u"x.lkd"_qs;
        QTest::newRow("missing template")
            << QStringList{u"--customer"_qs, u"--template"_qs, u"/nonexistent/Customer.txt"_qs,
                           u"SAMPLE"_qs}
            << 1 << u"/nonexistent/Customer.txt"_qs;
    }

    void failures() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"house.lkd"_qs);
        QVERIFY(writeLkdFile(testrecords::reportTest(1), file));
        args.replaceInStrings(u"SAMPLE"_qs, file);
        const Run run = runCli(args);
        QCOMPARE(run.status, status);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(QString::fromLocal8Bit(run.err).contains(message), run.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestReportCli)
#include "test_report_cli.moc"
