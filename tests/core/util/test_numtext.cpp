#include "core/util/numtext.h"

#include <QTest>

#include <cmath>
#include <limits>

// How a number is shown: the figure (a Single or a Double) and the text expected.
class TestNumText : public QObject {
    Q_OBJECT
  private slots:
    void singleText_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative no leading zero") << -0.5f << "-.5";
        QTest::newRow("negative zero") << -0.0f << " 0";
        QTest::newRow("seven digits, not nine") << 0.2007226f << " .2007226";
        QTest::newRow("float noise hidden") << 0.1f << " .1";
        QTest::newRow("large integer") << 1234567.0f << " 1234567";
        QTest::newRow("too large for seven digits") << 12345678.0f << " 1.234568E+07";
        QTest::newRow("small") << 0.0001f << " .0001";
        QTest::newRow("very small") << 0.0000012f << " 1.2E-06";
    }
    void singleText() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(numText(value), text);
    }

    void doubleText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fifteen digits") << 50.0 / 249.1 << " .200722601364914";
        QTest::newRow("negative") << -1.49 << "-1.49";
        QTest::newRow("1e15 needs an exponent") << 1e15 << " 1E+15";
        QTest::newRow("NaN never shows") << std::numeric_limits<double>::quiet_NaN() << " 0";
        QTest::newRow("infinity never shows") << std::numeric_limits<double>::infinity() << " 0";
    }
    void doubleText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numText(value), text);
    }

    // Rounding half to even on the decimal digits, and cutting towards minus infinity.
    void roundAndCut_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("text");
        QTest::newRow("exact half down to even") << 0.125 << 2 << false << " .12";
        QTest::newRow("exact half up to even") << 0.375 << 2 << false << " .38";
        QTest::newRow("half below in binary") << 2.675 << 2 << false << " 2.68";
        QTest::newRow("half above in binary") << 1234.35 << 1 << false << " 1234.4";
        QTest::newRow("half of a unit to even zero") << 0.5 << 0 << false << " 0";
        QTest::newRow("negative half") << -2.5 << 0 << false << "-2";
        QTest::newRow("carry") << 9.9996 << 3 << false << " 10";
        QTest::newRow("negative to zero has no sign") << -0.00004 << 4 << false << " 0";
        QTest::newRow("pascals back from in.wc")
            << (50.0 / 249.1) * double(249.1f) << 2 << false << " 50";
        QTest::newRow("cut: negative goes down") << -1.4895 << 3 << true << "-1.49";
        QTest::newRow("cut: positive") << 1.1219 << 3 << true << " 1.121";
        QTest::newRow("cut: exact stays") << -1.49 << 3 << true << "-1.49";
        QTest::newRow("cut: tiny negative") << -0.00001 << 3 << true << "-.001";
    }
    void roundAndCut() {
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(bool, cut);
        QFETCH(QString, text);
        QCOMPARE(numText(cut ? truncDown(value, places) : roundHalfEven(value, places)), text);
    }

    void singleRoundsItsOwnDigits() {
        // 0.545f is 0.54500001..., 2.675f is 2.67499995...: the digits shown decide.
        QCOMPARE(numText(roundHalfEven(0.545f, 2)), QStringLiteral(" .54"));
        QCOMPARE(numText(roundHalfEven(2.675f, 2)), QStringLiteral(" 2.68"));
        QCOMPARE(numText(truncDown(0.545f, 3)), QStringLiteral(" .545"));
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

    // Numbers written to files read back exactly, as Doubles, Singles and in JSON.
    void fileNumbersReadBack_data() {
        QTest::addColumn<double>("value");
        QTest::newRow("pressure") << 50.0 / 249.1;
        QTest::newRow("tiny") << 1.5e-9;
        QTest::newRow("huge") << 3.25e20;
        QTest::newRow("negative") << -0.002007;
    }
    void fileNumbersReadBack() {
        QFETCH(double, value);
        double back = 0;
        QVERIFY(parseNumber(fileNumberText(value), back));
        QCOMPARE(back, value);
        QVERIFY(parseNumber(jsonNumberText(value), back));
        QCOMPARE(back, value);
        const float single = static_cast<float>(value);
        QVERIFY(parseNumber(fileNumberText(single), back));
        QCOMPARE(static_cast<float>(back), single);
    }

    void jsonForms() {
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
