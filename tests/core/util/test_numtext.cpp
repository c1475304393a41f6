#include "core/util/numtext.h"

#include <QTest>

#include <cmath>
#include <limits>

// How a number is shown: the figure (a Single or a Double) and the text expected.
class TestNumText : public QObject {
    Q_OBJECT
  private slots:
    void shown_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative no leading zero") << -0.5 << true << "-.5";
        QTest::newRow("negative zero") << -0.0 << true << " 0";
        QTest::newRow("seven digits, not nine") << double(0.2007226f) << true << " .2007226";
        QTest::newRow("float noise hidden") << double(0.1f) << true << " .1";
        QTest::newRow("large integer") << 1234567.0 << true << " 1234567";
        QTest::newRow("too large for seven digits") << 12345678.0 << true << " 1.234568E+07";
        QTest::newRow("small") << double(0.0001f) << true << " .0001";
        QTest::newRow("very small") << double(0.0000012f) << true << " 1.2E-06";
        QTest::newRow("fifteen digits") << 50.0 / 249.1 << false << " .200722601364914";
        QTest::newRow("double negative") << -1.49 << false << "-1.49";
        QTest::newRow("1e15 needs an exponent") << 1e15 << false << " 1E+15";
        QTest::newRow("NaN never shows") << std::nan("") << false << " 0";
        QTest::newRow("infinity never shows") << HUGE_VAL << false << " 0";
    }
    void shown() {
        QFETCH(double, value);
        QFETCH(bool, single);
        QFETCH(QString, text);
        QCOMPARE(single ? numText(float(value)) : numText(value), text);
    }

    // Rounding half to even on the decimal digits, and cutting towards minus infinity. A Single
    // rounds the digits it shows: 0.545f is 0.54500001..., 2.675f is 2.67499995...
    void roundAndCut_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, double v, int places, bool cut, bool single,
                      const char* text) {
            QTest::newRow(name) << v << places << cut << single << QString::fromLatin1(text);
        };
        row("exact half down to even", 0.125, 2, false, false, " .12");
        row("exact half up to even", 0.375, 2, false, false, " .38");
        row("half below in binary", 2.675, 2, false, false, " 2.68");
        row("half above in binary", 1234.35, 1, false, false, " 1234.4");
        row("half of a unit to even zero", 0.5, 0, false, false, " 0");
        row("negative half", -2.5, 0, false, false, "-2");
        row("carry", 9.9996, 3, false, false, " 10");
        row("negative to zero has no sign", -0.00004, 4, false, false, " 0");
        row("pascals back from in.wc", (50.0 / 249.1) * double(249.1f), 2, false, false, " 50");
        row("cut: negative goes down", -1.4895, 3, true, false, "-1.49");
        row("cut: positive", 1.1219, 3, true, false, " 1.121");
        row("cut: exact stays", -1.49, 3, true, false, "-1.49");
        row("cut: tiny negative", -0.00001, 3, true, false, "-.001");
        row("Single just above a half", 0.545, 2, false, true, " .54");
        row("Single just below a half", 2.675, 2, false, true, " 2.68");
        row("Single cut", 0.545, 3, true, true, " .545");
    }
    void roundAndCut() {
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(bool, cut);
        QFETCH(bool, single);
        QFETCH(QString, text);
        const double v =
            single ? (cut ? truncDown(float(value), places) : roundHalfEven(float(value), places))
                   : (cut ? truncDown(value, places) : roundHalfEven(value, places));
        QCOMPARE(numText(v), text);
    }

    void leading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("blanks and sign") << "  -2.5" << -2.5;
        QTest::newRow("leading period") << ".25" << 0.25;
        QTest::newRow("exponent") << "1.5E-3x" << 0.0015;
        QTest::newRow("exponent without digits stops") << "2e" << 2.0;
        QTest::newRow("trailing text") << "4 people" << 4.0;
        QTest::newRow("text first") << "abc 5" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
        QTest::newRow("lone period") << "." << 0.0;
        QTest::newRow("second period stops") << "1.2.3" << 1.2;
        QTest::newRow("overflow is zero") << "1e999" << 0.0;
        QTest::newRow("underflow without exponent")
            << QStringLiteral(".") + QString(400, u'0') + u'1' << 0.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("600 leading zeros") << QString(600, u'0') + QStringLiteral("2.5") << 2.5;
        QTest::newRow("600 decimals") << QStringLiteral("-.") + QString(600, u'3') << -1.0 / 3.0;
        QTest::newRow("line feed and blank first") << "\n 3" << 3.0;
    }
    void leading() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(leadingNumber(text), value);
    }

    void strictParse() {
        double v = -1;
        QVERIFY(parseNumber(u" -.5 ", v));
        QCOMPARE(v, -0.5);
        for (const char* bad : {"1.5x", "", "nan", "1e400"})
            QVERIFY2(!parseNumber(QString::fromLatin1(bad), v), bad);
        QVERIFY(parseNumber(QString(600, u'0') + QStringLiteral("16500"), v));
        QCOMPARE(v, 16500.0);
    }

    // Numbers written to files read back exactly (QCOMPARE would allow a fuzzy match), as
    // Doubles, Singles and in JSON.
    void fileNumbersReadBack() {
        for (double value : {50.0 / 249.1, 0.1 + 0.2, 1.5e-9, 3.25e20, -0.002007}) {
            const float single = static_cast<float>(value);
            double file = 0, json = 0, fromSingle = 0;
            QVERIFY(parseNumber(fileNumberText(value), file));
            QVERIFY(parseNumber(jsonNumberText(value), json));
            QVERIFY(parseNumber(fileNumberText(single), fromSingle));
            QVERIFY2(file == value && json == value && float(fromSingle) == single,
                     qPrintable(fileNumberText(value)));
        }
        QCOMPARE(jsonNumberText(1.5e-9), QStringLiteral("1.5e-09"));
        QCOMPARE(jsonNumberText(-0.5), QStringLiteral("-0.5"));
    }

    void toSingleGuards() {
        QCOMPARE(toSingle(std::nan("")), 0.0f);
        QCOMPARE(toSingle(-3.4028235e38), -std::numeric_limits<float>::max());
        QCOMPARE(toSingle(3.4028236e38), 0.0f);
    }
};

QTEST_APPLESS_MAIN(TestNumText)
#include "test_numtext.moc"
