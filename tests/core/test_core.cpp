// The calculating core: what a user can type or paste gives the right number
// or a clear refusal, and every computation gives what the windows show.
#include "core/keyfilter.h"
#include "core/measures.h"
#include "core/messages.h"
#include "core/numbers.h"

#include <QTest>
#include <limits>

using namespace core;

namespace {
std::string_view view(const QByteArray& text) { return {text.constData(), size_t(text.size())}; }
constexpr double none = -1; // no value: a refusal
} // namespace

class TestCore : public QObject {
    Q_OBJECT
  private slots:
    void keyFilter() {
        for (char32_t digit = U'0'; digit <= U'9'; ++digit) QCOMPARE(filterKey(digit), digit);
        QCOMPARE(filterKey(backspaceCode), backspaceCode);
        // A point, a sign, a letter, Enter, Ctrl+V, a non-Latin digit: a comma.
        for (char32_t other : {U'.', U'-', U'a', U'\r', U'\x16', U'٣', U'/', U':'})
            QCOMPARE(filterKey(other), commaCode);
    }

    void localeNumber_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal comma") << QByteArray("1,75") << 1.75;
        QTest::newRow("trailing comma, typed on the way to 70,5") << QByteArray("70,") << 70.0;
        QTest::newRow("leading comma") << QByteArray(",5") << 0.5;
        QTest::newRow("blanks and sign") << QByteArray(" \t+2,5 ") << 2.5;
        QTest::newRow("negative") << QByteArray("-2,5") << -2.5;
        QTest::newRow("thousands") << QByteArray("12.345.678") << 12345678.0;
        QTest::newRow("thousands and decimals") << QByteArray("1.234,5") << 1234.5;
        QTest::newRow("a grouping of three") << QByteArray("80.500") << 80500.0;
        QTest::newRow("exponent") << QByteArray("1,5e-3") << 0.0015;
        QTest::newRow("comma before exponent") << QByteArray("5,E+1") << 50.0;
        QTest::newRow("400 decimals") << QByteArray("0," + QByteArray(400, '3')) << 1.0 / 3.0;
        QTest::newRow("pasted 80.5 is not 805") << QByteArray("80.5") << none;
        QTest::newRow("pasted 1.75") << QByteArray("1.75") << none;
        QTest::newRow("odd grouping") << QByteArray("1.2.3") << none;
        QTest::newRow("group of four") << QByteArray("1.2345") << none;
        QTest::newRow("first group of four") << QByteArray("1234.567") << none;
        QTest::newRow("leading point") << QByteArray(".5") << none;
        QTest::newRow("trailing point") << QByteArray("5.") << none;
        QTest::newRow("point before comma") << QByteArray("1.,5") << none;
        QTest::newRow("point after comma") << QByteArray("1,5.3") << none;
        QTest::newRow("empty") << QByteArray("") << none;
        QTest::newRow("lone comma") << QByteArray(",") << none;
        QTest::newRow("two commas") << QByteArray("1,,5") << none;
        QTest::newRow("design text") << QByteArray("Mt") << none;
        QTest::newRow("exponent without digits") << QByteArray("1E") << none;
        QTest::newRow("beyond the double range") << QByteArray("1,7976931348623159E308") << none;
        QTest::newRow("below the double range") << QByteArray("1E-400") << none;
        QTest::newRow("nul inside") << QByteArray("1\0002", 3) << none;
    }
    void localeNumber() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        const auto number = parseLocaleNumber(view(text));
        QCOMPARE(number.value_or(none), value);
    }

    void leadingNumber_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("constant") << QByteArray("496") << 496.0;
        QTest::newRow("letters after") << QByteArray("679abc") << 679.0;
        QTest::newRow("decimal comma stops") << QByteArray("14,7") << 14.0;
        QTest::newRow("decimal point") << QByteArray("-14.7.3") << -14.7;
        QTest::newRow("blanks anywhere") << QByteArray(" 1 2\t3\n4") << 1234.0;
        QTest::newRow("empty") << QByteArray("") << 0.0;
        QTest::newRow("exponent") << QByteArray("1.5E2x") << 150.0;
        QTest::newRow("exponent without digits") << QByteArray("5E+") << 5.0;
        QTest::newRow("overflow") << QByteArray("-1E999") << -std::numeric_limits<double>::infinity();
        QTest::newRow("underflow") << QByteArray("1E-999") << 0.0;
        QTest::newRow("long mantissa") << QByteArray("1" + QByteArray(400, '0') + "E-399") << 10.0;
        QTest::newRow("tiny mantissa") << QByteArray("0.0001E-320") << 0.0;
    }
    void leadingNumber() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QCOMPARE(parseLeadingNumber(view(text)), value);
    }

    // Every result text reads back as the value it shows.
    void resultText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("whole") << 75.0 << QByteArray("75");
        QTest::newRow("decimal") << 14.7 << QByteArray("14,7");
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << QByteArray("0,3");
        QTest::newRow("last place below a whole product") << 1.78 * 1691 << QByteArray("3009,98");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0");
        QTest::newRow("15 digits") << -123456789012345.0 << QByteArray("-123456789012345");
        QTest::newRow("large") << 1.5e21 << QByteArray("1,5E+21");
        QTest::newRow("small") << 1e-5 << QByteArray("1E-05");
        QTest::newRow("not yet small") << 1e-4 << QByteArray("0,0001");
        QTest::newRow("largest double")
            << std::numeric_limits<double>::max() << QByteArray("1,79769313486231E+308");
        QTest::newRow("smallest double") << 5e-324 << QByteArray("4,94065645841247E-324");
    }
    void resultText() {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(core::resultText(value)), text);
        QCOMPARE(parseLocaleNumber(view(text)).value_or(none), roundToResultPrecision(value));
        QCOMPARE(core::resultText(std::int64_t{-679}), std::string("-679"));
    }

    void conversionMessage() {
        const QString x40(40, 'x');
        const auto message = [](const QString& text) {
            return QString::fromStdString(messages::conversionFailure(text.toStdString()));
        };
        QCOMPARE(message(""), "Inserire un valore numerico.");
        QCOMPARE(message("<b>" + x40.left(33) + "</b>"),
                 "Il valore «<b>" + x40.left(33) + "</b>» non è un numero valido.");
        QCOMPARE(message(QString(41, QChar(0xE0))),
                 "Il valore «" + QString(40, QChar(0xE0)) + "…» non è un numero valido.");
    }

    void bodyMass_data() {
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("weight");
        QTest::addColumn<double>("value");
        QTest::newRow("1,75 m 70 kg") << 1.75 << 70.0 << 22.0;
        QTest::newRow("1,6 m 64 kg, a few units below 25") << 1.6 << 64.0 << 25.0;
        QTest::newRow("1,8 m 80,5 kg") << 1.8 << 80.5 << 24.0;
        QTest::newRow("0,5 m 60 kg") << 0.5 << 60.0 << 240.0;
        QTest::newRow("just below a threshold") << 2.0 << 119.99 << 29.0;
        QTest::newRow("a billion at 0,01 m") << 0.01 << 1e9 << 1e13;
    }
    void bodyMass() {
        QFETCH(double, height);
        QFETCH(double, weight);
        QFETCH(double, value);
        QCOMPARE(bodyMassValue(height, weight).value, value);
    }

    // The rules that refuse a value, each with its own message.
    void refusals() {
        QCOMPARE(checkHeight(2.49).value, 2.49);
        QCOMPARE(checkHeight(2.5).refusal, Refusal::TooTall);
        QCOMPARE(checkHeight(0).refusal, Refusal::InvalidStature);
        QCOMPARE(checkHeight(0.01).refusal, Refusal::None);
        QCOMPARE(parseWeight("70,5").value_or(none), 70.5);
        QCOMPARE(parseWeight("0").value_or(none), 0.0);
        QCOMPARE(parseWeight("-70").value_or(none), none);
        QCOMPARE(idealWeight(175.5, 100).value, 75.5);
        QCOMPARE(idealWeight(104.5, 104).refusal, Refusal::None);
        QCOMPARE(idealWeight(104, 104).refusal, Refusal::InvalidHeight);
        QCOMPARE(idealWeight(1.7e308, -1.7e308).refusal, Refusal::OutOfRange);
        QCOMPARE(bodyMassValue(1e-200, 1e300).refusal, Refusal::OutOfRange);
        QCOMPARE(basalMetabolism(70, 11.6, 879).value, 1691.0);
        QCOMPARE(basalMetabolism(1.7e308, 15.3, 679).refusal, Refusal::OutOfRange);
        QCOMPARE(energyExpenditure(1.78, 1691).value, 1.78 * 1691);
        QCOMPARE(energyExpenditure(2.1, 1.7e308).refusal, Refusal::OutOfRange);
        QCOMPARE(ageBand(Sex::Woman, 18).refusal, Refusal::TooYoung);
    }

    void weightBar() {
        QCOMPARE(weightBarTwips(7), 140);
        QCOMPARE(weightBarTwips(70.5), 1410);
        QCOMPARE(weightBarTwips(std::numeric_limits<double>::max()), 1'000'000);
    }

    void ageBands_data() {
        QTest::addColumn<Sex>("sex");
        QTest::addColumn<double>("age");
        QTest::addColumn<double>("coefficient"); // none: no band
        QTest::addColumn<int>("constant");
        QTest::newRow("man 18") << Sex::Man << 18.0 << none << 0;
        QTest::newRow("man 18,5") << Sex::Man << 18.5 << 15.3 << 679;
        QTest::newRow("man 30") << Sex::Man << 30.0 << 15.3 << 679;
        QTest::newRow("man 30,5") << Sex::Man << 30.5 << 11.6 << 879;
        QTest::newRow("man 74") << Sex::Man << 74.0 << 11.9 << 700;
        QTest::newRow("man 75") << Sex::Man << 75.0 << 8.4 << 819;
        QTest::newRow("woman 25") << Sex::Woman << 25.0 << 14.7 << 496;
        QTest::newRow("woman 31") << Sex::Woman << 31.0 << 8.7 << 829;
        QTest::newRow("woman 61") << Sex::Woman << 61.0 << 9.2 << 688;
        QTest::newRow("woman 120") << Sex::Woman << 120.0 << 9.8 << 624;
    }
    void ageBands() {
        QFETCH(Sex, sex);
        QFETCH(double, age);
        QFETCH(double, coefficient);
        QFETCH(int, constant);
        const auto band = ageBand(sex, age);
        QCOMPARE(band.refusal == Refusal::None ? band.value.coefficient : none, coefficient);
        QCOMPARE(band.value.constant, constant);
    }
};

QTEST_APPLESS_MAIN(TestCore)
#include "test_core.moc"
