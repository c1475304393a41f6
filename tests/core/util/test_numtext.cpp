#include "core/util/numtext.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestNumText : public QObject {
    Q_OBJECT
  private slots:
    // How a number is shown, as it is (places -1), rounded half to even on the decimal digits
    // or cut towards minus infinity. A Single rounds the digits it shows: 0.545f is
    // 0.54500001..., 2.675f is 2.67499995...
    void shown_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("single");
        QTest::addColumn<int>("places");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, double v, bool single, int places, bool cut,
                      const char* text) {
            QTest::newRow(name) << v << single << places << cut << QString::fromLatin1(text);
        };
        row("negative no leading zero", -0.5, true, -1, false, "-.5");
        row("negative zero", -0.0, true, -1, false, " 0");
        row("seven digits, not nine", double(0.2007226f), true, -1, false, " .2007226");
        row("large integer", 1234567.0, true, -1, false, " 1234567");
        row("too large for seven digits", 12345678.0, true, -1, false, " 1.234568E+07");
        row("small", double(0.0001f), true, -1, false, " .0001");
        row("very small", double(0.0000012f), true, -1, false, " 1.2E-06");
        row("fifteen digits", 50.0 / 249.1, false, -1, false, " .200722601364914");
        row("1e15 needs an exponent", 1e15, false, -1, false, " 1E+15");
        row("NaN never shows", std::nan(""), false, -1, false, " 0");
        row("infinity never shows", HUGE_VAL, false, -1, false, " 0");
        row("exact half down to even", 0.125, false, 2, false, " .12");
        row("exact half up to even", 0.375, false, 2, false, " .38");
        row("half below in binary", 2.675, false, 2, false, " 2.68");
        row("half above in binary", 1234.35, false, 1, false, " 1234.4");
        row("negative half", -2.5, false, 0, false, "-2");
        row("carry", 9.9996, false, 3, false, " 10");
        row("negative to zero has no sign", -0.00004, false, 4, false, " 0");
        row("cut: negative goes down", -1.4895, false, 3, true, "-1.49");
        row("cut: positive", 1.1219, false, 3, true, " 1.121");
        row("cut: exact stays", -1.49, false, 3, true, "-1.49");
        row("cut: tiny negative", -0.00001, false, 3, true, "-.001");
        row("Single just above a half", 0.545, true, 2, false, " .54");
        row("Single just below a half", 2.675, true, 2, false, " 2.68");
        row("Single cut", 0.545, true, 3, true, " .545");
    }
    void shown() {
        QFETCH(double, value);
        QFETCH(bool, single);
        QFETCH(int, places);
        QFETCH(bool, cut);
        QFETCH(QString, text);
        const float s = float(value);
        if (places < 0)
            QCOMPARE(single ? numText(s) : numText(value), text);
        else if (cut)
            QCOMPARE(numText(single ? truncDown(s, places) : truncDown(value, places)), text);
        else
            QCOMPARE(numText(single ? roundHalfEven(s, places) : roundHalfEven(value, places)),
                     text);
    }

    void leading_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("blanks and sign") << "  -2.5" << -2.5;
        QTest::newRow("leading period") << ".25" << 0.25;
        QTest::newRow("exponent, then text") << "1.5E-3x" << 0.0015;
        QTest::newRow("exponent without digits stops") << "2e" << 2.0;
        QTest::newRow("text first") << "abc 5" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
        QTest::newRow("lone period") << "." << 0.0;
        QTest::newRow("second period stops") << "1.2.3" << 1.2;
        QTest::newRow("overflow is zero") << "1e999" << 0.0;
        QTest::newRow("underflow without exponent") << u"."_qs + QString(400, u'0') + u'1' << 0.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("600 leading zeros") << QString(600, u'0') + u"2.5"_qs << 2.5;
        QTest::newRow("600 decimals") << u"-."_qs + QString(600, u'3') << -1.0 / 3.0;
        QTest::newRow("line feed and blank first") << "\n 3" << 3.0;
    }
    void leading() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(leadingNumber(text), value);
    }

    void strictParse() {
        double v = -1;
        QVERIFY(parseNumber(u" -.5 ", v) && v == -0.5);
        QVERIFY(parseNumber(QString(600, u'0') + u"16500"_qs, v) && v == 16500.0);
        for (const char* bad : {"1.5x", "", "nan", "1e400"})
            QVERIFY2(!parseNumber(QString::fromLatin1(bad), v), bad);
    }

    // Numbers written to files read back exactly, as Doubles, Singles and in JSON.
    void fileNumbersReadBack() {
        for (double value : {50.0 / 249.1, 0.1 + 0.2, 1.5e-9, 3.25e20, -0.002007}) {
            double file = 0, json = 0, single = 0;
            QVERIFY(parseNumber(fileNumberText(value), file) && file == value);
            QVERIFY(parseNumber(jsonNumberText(value), json) && json == value);
            QVERIFY(parseNumber(fileNumberText(float(value)), single) &&
                    float(single) == float(value));
        }
        QCOMPARE(jsonNumberText(1.5e-9), u"1.5e-09"_qs);
        QCOMPARE(jsonNumberText(-0.5), u"-0.5"_qs);
    }

    void toSingleGuards() {
        QCOMPARE(toSingle(std::nan("")), 0.0f);
        QCOMPARE(toSingle(-3.4028235e38), -std::numeric_limits<float>::max());
        QCOMPARE(toSingle(3.4028236e38), 0.0f);
    }
};

QTEST_APPLESS_MAIN(TestNumText)
#include "test_numtext.moc"
