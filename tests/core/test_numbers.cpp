// The conversions every entry box goes through: what a user can type or
// paste must give the right number or a clear failure.
#include "core/keyfilter.h"
#include "core/messages.h"
#include "core/numbers.h"

#include <QTest>
#include <cmath>
#include <limits>
#include <string>

using namespace core;

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void keyFilter_data();
    void keyFilter();
    void localeNumber_data();
    void localeNumber();
    void localeNumberIsLinear();
    void leadingNumber_data();
    void leadingNumber();
    void resultText_data();
    void resultText();
    void resultTextReadsBack_data();
    void resultTextReadsBack();
    void wholeResultText();
    void conversionMessage_data();
    void conversionMessage();
};

void TestNumbers::keyFilter_data() {
    QTest::addColumn<uint>("code");
    QTest::addColumn<uint>("typed");
    QTest::newRow("digit 0") << uint('0') << uint('0');
    QTest::newRow("digit 9") << uint('9') << uint('9');
    QTest::newRow("backspace") << 8u << 8u;
    QTest::newRow("point") << uint('.') << 44u;
    QTest::newRow("comma") << 44u << 44u;
    QTest::newRow("minus") << uint('-') << 44u;
    QTest::newRow("letter") << uint('a') << 44u;
    QTest::newRow("space") << uint(' ') << 44u;
    QTest::newRow("enter") << 13u << 44u;
    QTest::newRow("escape") << 27u << 44u;
    QTest::newRow("ctrl+c") << 3u << 44u;
    QTest::newRow("ctrl+v") << 22u << 44u;
    QTest::newRow("ctrl+x") << 24u << 44u;
    QTest::newRow("ctrl+z") << 26u << 44u;
    QTest::newRow("a with grave") << uint(U'à') << 44u;
    QTest::newRow("arabic-indic digit") << uint(U'٣') << 44u;
    QTest::newRow("colon after the digits") << uint(':') << 44u;
    QTest::newRow("slash before the digits") << uint('/') << 44u;
}

void TestNumbers::keyFilter() {
    QFETCH(uint, code);
    QFETCH(uint, typed);
    QCOMPARE(uint(filterKey(char32_t(code))), typed);
}

void TestNumbers::localeNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("value");
    const double none = 0;
    QTest::newRow("decimal comma") << QByteArray("1,75") << true << 1.75;
    QTest::newRow("whole") << QByteArray("175") << true << 175.0;
    QTest::newRow("trailing comma") << QByteArray("70,") << true << 70.0;
    QTest::newRow("leading comma") << QByteArray(",5") << true << 0.5;
    QTest::newRow("blanks around") << QByteArray("  \t1,5 \t") << true << 1.5;
    QTest::newRow("plus") << QByteArray("+2") << true << 2.0;
    QTest::newRow("minus") << QByteArray("-2,5") << true << -2.5;
    QTest::newRow("thousands") << QByteArray("1.234") << true << 1234.0;
    QTest::newRow("odd grouping") << QByteArray("1.2.3") << true << 123.0;
    QTest::newRow("thousands and decimals") << QByteArray("1.234,5") << true << 1234.5;
    QTest::newRow("exponent") << QByteArray("2E3") << true << 2000.0;
    QTest::newRow("small exponent") << QByteArray("1,5e-3") << true << 0.0015;
    QTest::newRow("signed exponent") << QByteArray("1E+2") << true << 100.0;
    QTest::newRow("comma before exponent") << QByteArray("5,E1") << true << 50.0;
    QTest::newRow("design factor") << QByteArray("1,78") << true << 1.78;
    QTest::newRow("300 digits") << QByteArray("1" + QByteArray(299, '0')) << true << 1e299;
    QTest::newRow("400 decimals") << QByteArray("0," + QByteArray(400, '3')) << true << 1.0 / 3.0;
    QTest::newRow("400 digits, too large") << QByteArray(400, '9') << false << none;
    QTest::newRow("empty") << QByteArray("") << false << none;
    QTest::newRow("blanks only") << QByteArray("   ") << false << none;
    QTest::newRow("lone comma") << QByteArray(",") << false << none;
    QTest::newRow("two commas") << QByteArray("1,,5") << false << none;
    QTest::newRow("two decimal parts") << QByteArray("1,5,5") << false << none;
    QTest::newRow("design text Mt") << QByteArray("Mt") << false << none;
    QTest::newRow("letters after") << QByteArray("70kg") << false << none;
    QTest::newRow("blank inside") << QByteArray("7 0") << false << none;
    QTest::newRow("leading point") << QByteArray(".5") << false << none;
    QTest::newRow("trailing point") << QByteArray("5.") << false << none;
    QTest::newRow("double point") << QByteArray("1..2") << false << none;
    QTest::newRow("point before comma") << QByteArray("1.,5") << false << none;
    QTest::newRow("point after comma") << QByteArray("1,5.3") << false << none;
    QTest::newRow("point in exponent") << QByteArray("1E1.0") << false << none;
    QTest::newRow("sign only") << QByteArray("-") << false << none;
    QTest::newRow("two signs") << QByteArray("--1") << false << none;
    QTest::newRow("exponent without digits") << QByteArray("1E") << false << none;
    QTest::newRow("exponent only") << QByteArray("E5") << false << none;
    QTest::newRow("comma and exponent only") << QByteArray(",E5") << false << none;
    QTest::newRow("too large") << QByteArray("1E400") << false << none;
    QTest::newRow("too small") << QByteArray("1E-400") << false << none;
    QTest::newRow("non-ASCII letter") << QByteArray("1,7à") << false << none;
    QTest::newRow("non-breaking space") << QByteArray("1\xc2\xa0") << false << none;
    QTest::newRow("nan") << QByteArray("nan") << false << none;
    QTest::newRow("inf") << QByteArray("inf") << false << none;
    QTest::newRow("hex") << QByteArray("0x10") << false << none;
    QTest::newRow("nul inside") << QByteArray("1\0002", 3) << false << none;
}

void TestNumbers::localeNumber() {
    QFETCH(QByteArray, text);
    QFETCH(bool, readable);
    QFETCH(double, value);
    const auto number = parseLocaleNumber(std::string_view(text.constData(), size_t(text.size())));
    QCOMPARE(number.has_value(), readable);
    if (readable) QCOMPARE(*number, value);
}

// Pasted pages of text: 100,000 characters of the awkward kinds give their
// answer at once (a quadratic scan would run into the test's time limit).
void TestNumbers::localeNumberIsLinear() {
    std::string grouped;
    for (int i = 0; i < 25'000; ++i) grouped += "1.23";
    std::string decimals = "0," + std::string(100'000, '5');
    QVERIFY(!parseLocaleNumber(std::string(100'000, '7')).has_value()); // beyond the double range
    QVERIFY(!parseLocaleNumber(std::string(100'000, ',')).has_value());
    QVERIFY(!parseLocaleNumber(grouped).has_value()); // 75,000 digits: beyond the range
    QCOMPARE(*parseLocaleNumber(decimals), 5.0 / 9.0);
    QCOMPARE(parseLeadingNumber(std::string(100'000, ' ') + "42"), 42.0);
    QCOMPARE(parseLeadingNumber(std::string(100'000, '.')), 0.0);
}

void TestNumbers::leadingNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << QByteArray("496") << 496.0;
    QTest::newRow("letters after") << QByteArray("679abc") << 679.0;
    QTest::newRow("decimal comma stops") << QByteArray("14,7") << 14.0;
    QTest::newRow("decimal point") << QByteArray("14.7") << 14.7;
    QTest::newRow("blanks anywhere") << QByteArray(" 1 2\t3\n4") << 1234.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("no number") << QByteArray("abc") << 0.0;
    QTest::newRow("lone point") << QByteArray(".") << 0.0;
    QTest::newRow("sign") << QByteArray("-5x") << -5.0;
    QTest::newRow("exponent") << QByteArray("1.5E2x") << 150.0;
    QTest::newRow("exponent without digits") << QByteArray("5E+") << 5.0;
    QTest::newRow("second point") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("overflow") << QByteArray("1E999") << std::numeric_limits<double>::infinity();
    QTest::newRow("underflow") << QByteArray("1E-999") << 0.0;
    QTest::newRow("long mantissa") << QByteArray("1" + QByteArray(400, '0') + "E-399") << 10.0;
}

void TestNumbers::leadingNumber() {
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QCOMPARE(parseLeadingNumber(std::string_view(text.constData(), size_t(text.size()))), value);
}

void TestNumbers::resultText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("whole") << 75.0 << QByteArray("75");
    QTest::newRow("decimal") << 14.7 << QByteArray("14,7");
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << QByteArray("0,3");
    QTest::newRow("last place below a whole number") << 1.78 * 1691 << QByteArray("3009,98");
    QTest::newRow("negative") << -14.0 << QByteArray("-14");
    QTest::newRow("negative zero") << -0.0 << QByteArray("0");
    QTest::newRow("15 digits") << 123456789012345.0 << QByteArray("123456789012345");
    QTest::newRow("large") << 1.5e21 << QByteArray("1,5E+21");
    QTest::newRow("small") << 1e-5 << QByteArray("1E-05");
    QTest::newRow("not yet small") << 1e-4 << QByteArray("0,0001");
    QTest::newRow("billion over a tenth of a thousandth") << 1e13 << QByteArray("10000000000000");
    QTest::newRow("largest double, still readable") << std::numeric_limits<double>::max()
                                                    << QByteArray("1,79769313486231E+308");
}

void TestNumbers::resultText() {
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    QCOMPARE(QByteArray::fromStdString(core::resultText(value)), text);
}

void TestNumbers::resultTextReadsBack_data() {
    QTest::addColumn<double>("value");
    for (double v : {0.0, 1.0, -1.0, 14.7, 2259.92, 1.5e21, 1e-5, 1e300, 5e-324, 0.1 + 0.2, 1.0 / 3.0,
                     std::numeric_limits<double>::max(), std::numeric_limits<double>::min()})
        QTest::newRow(QByteArray::number(v, 'g', 17)) << v;
}

void TestNumbers::resultTextReadsBack() {
    QFETCH(double, value);
    const auto back = parseLocaleNumber(core::resultText(value));
    QVERIFY(back.has_value());
    QCOMPARE(*back, roundToResultPrecision(value));
}

void TestNumbers::wholeResultText() {
    QCOMPARE(QByteArray::fromStdString(core::resultText(std::int64_t{679})), QByteArray("679"));
    QCOMPARE(QByteArray::fromStdString(core::resultText(std::int64_t{-5})), QByteArray("-5"));
}

void TestNumbers::conversionMessage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QString() << QStringLiteral("Inserire un valore numerico.");
    QTest::newRow("short") << QStringLiteral("Mt") << QStringLiteral("Il valore «Mt» non è un numero valido.");
    QTest::newRow("exactly 40") << QString(40, QLatin1Char('x'))
                                << QStringLiteral("Il valore «%1» non è un numero valido.").arg(QString(40, 'x'));
    QTest::newRow("41 cut") << QString(41, QLatin1Char('x'))
                            << QStringLiteral("Il valore «%1…» non è un numero valido.").arg(QString(40, 'x'));
    QTest::newRow("characters, not bytes") << QString(41, QChar(0xE0))
                                           << QStringLiteral("Il valore «%1…» non è un numero valido.")
                                                  .arg(QString(40, QChar(0xE0)));
    QTest::newRow("markup kept") << QStringLiteral("<b>x</b>")
                                 << QStringLiteral("Il valore «<b>x</b>» non è un numero valido.");
}

void TestNumbers::conversionMessage() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QCOMPARE(QString::fromStdString(messages::conversionFailure(text.toStdString())), message);
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "test_numbers.moc"
