// The calculating core: what a user can type or paste gives the right number
// or a clear refusal, and every computation gives what the windows show.
#include "core/keyfilter.h"
#include "core/measures.h"
#include "core/messages.h"
#include "core/numbers.h"

#include <QTest>
#include <limits>

using namespace core;

class TestCore : public QObject {
    Q_OBJECT
  private slots:
    void keyFilter() {
        for (char32_t code : {U'0', U'5', U'9', backspaceCode}) QCOMPARE(filterKey(code), code);
        // A point, a sign, a letter, Enter, Ctrl+V, a non-Latin digit: a comma.
        for (char32_t other : {U'.', U'-', U'a', U'e', U'E', U'\r', U'\x16', U'٣'})
            QCOMPARE(filterKey(other), commaCode);
    }

    void localeNumber_data() {
        // Pasted from a web page: no-break spaces are blanks, zero-width characters are not there. A point
        // groups thousands only in a proper grouping: "80.5" is not 805; the rest read as nothing.
        const std::pair<QByteArray, double> read[] = {
            {"1,75", 1.75},           {"70,", 70},         {",5", 0.5},
            {" \t+2,5 ", 2.5},        {"1,5e-3", 0.0015},  {"0," + QByteArray(400, '3'), 1.0 / 3},
            {"\u00A070\u202F", 70},   {"7\u200B0", 70},    {"\u2060-1.\u200D234,\u200C5\uFEFF", -1234.5},
            {"12.345.678", 12345678}, {"1.234,5", 1234.5}, {"80.500", 80500}};
        textRows(read, {"1\u00A0234", "80.5", "1.2.3", "1.2345", "1234.567", ".5", "5.", "1.,5", "", ",",
                        "1,,5", "1E", "1,7976931348623159E308", "1E-400", QByteArray("1\0002", 3)});
    }
    void localeNumber() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QCOMPARE(parseLocaleNumber(view(text)).value_or(none), value);
    }

    void leadingNumber_data() {
        const std::pair<QByteArray, double> read[] = {
            {"496", 496},       {"679abc", 679},      {"14,7", 14},
            {"-14.7.3", -14.7}, {" 1 2\t3\n4", 1234}, {"8\u200B7\u00A09", 879},
            {"1.5E2x", 150},    {"5E+", 5},           {"1" + QByteArray(400, '0') + "E-399", 10},
            {"-1E999", -qInf()}};
        textRows(read, {"", "1E-999", "0.0001E-320"}, 0);
    }
    void leadingNumber() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QCOMPARE(parseLeadingNumber(view(text)), value);
    }

    // Every result text reads back as a number that shows as the same text.
    void resultText_data() {
        const std::pair<QByteArray, double> shown[] = {
            {"75", 75},          {"14,7", 14.7},
            {"0,3", 0.1 + 0.2},  {"3009,98", 1.78 * 1691},
            {"0", -0.0},         {"-123456789012345", -123456789012345},
            {"1,5E+21", 1.5e21}, {"1,79769313486231E+308", std::numeric_limits<double>::max()},
            {"1E-05", 1e-5},     {"4,94065645841247E-324", 5e-324}};
        textRows(shown);
    }
    void resultText() {
        QFETCH(QByteArray, text);
        QFETCH(double, value);
        QCOMPARE(QByteArray::fromStdString(core::resultText(value)), text);
        QCOMPARE(core::resultText(parseLocaleNumber(view(text)).value_or(none)), text.toStdString());
    }

    void conversionMessage() {
        const QString x33(33, 'x');
        QCOMPARE(message(""), "Inserire un valore numerico.");
        QCOMPARE(message("7\u200B0.5"), "Il valore «70.5» non è un numero valido.");
        QCOMPARE(message("<b>" + x33 + "</b>"), "Il valore «<b>" + x33 + "</b>» non è un numero valido.");
        QCOMPARE(message(QString(41, u'à')),
                 "Il valore «" + QString(40, u'à') + "…» non è un numero valido.");
    }

    // 64 kg at 1,6 m is a few units below 25 in double arithmetic.
    void bodyMass() {
        const double rows[][3] = {{1.75, 70, 22}, {1.6, 64, 25},   {1.8, 80.5, 24},
                                  {0.5, 60, 240}, {2, 119.99, 29}, {0.01, 1e9, 1e13}};
        for (const auto& [height, weight, value] : rows) QCOMPARE(bodyMassValue(height, weight).value, value);
    }

    // The edges of the rules the windows' rows do not reach: a height just short of too tall, a
    // weight of 0, results beyond the range of a double.
    void refusals() {
        QCOMPARE(checkHeight(2.49).value, 2.49);
        QCOMPARE(parseWeight("70,5").value_or(none), 70.5);
        QCOMPARE(parseWeight("0").value_or(none), 0.0);
        QCOMPARE(idealWeight(1.7e308, -1.7e308).refusal, Refusal::OutOfRange);
        QCOMPARE(bodyMassValue(1e-200, 1e300).refusal, Refusal::OutOfRange);
        QCOMPARE(basalMetabolism(1.7e308, 15.3, 679).refusal, Refusal::OutOfRange);
        QCOMPARE(core::resultText(energyExpenditure(1.78, 1691).value), "3009,98");
        QCOMPARE(energyExpenditure(2.1, 1.7e308).refusal, Refusal::OutOfRange);
    }

    // Each band starts strictly above its age; none up to 18.
    void ageBands() {
        const std::tuple<Sex, double, double, int> rows[] = {
            {Sex::Man, 18, none, 0},     {Sex::Man, 18.5, 15.3, 679}, {Sex::Man, 30, 15.3, 679},
            {Sex::Man, 30.5, 11.6, 879}, {Sex::Man, 60, 11.6, 879},   {Sex::Man, 74, 11.9, 700},
            {Sex::Man, 75, 8.4, 819},    {Sex::Woman, 25, 14.7, 496}, {Sex::Woman, 31, 8.7, 829},
            {Sex::Woman, 61, 9.2, 688},  {Sex::Woman, 120, 9.8, 624}, {Sex::Woman, 18, none, 0}};
        for (const auto& [sex, age, coefficient, constant] : rows) {
            const auto band = ageBand(sex, age);
            QCOMPARE(band.refusal == Refusal::None ? band.value.coefficient : none, coefficient);
            QCOMPARE(band.refusal == Refusal::None ? band.value.constant : 0, constant);
            QCOMPARE(band.refusal, coefficient == none ? Refusal::TooYoung : Refusal::None);
        }
    }

  private:
    static constexpr double none = -1; // no value: a refusal

    // One row a text, named by the text itself: each pair's text with its value, then texts that all
    // read as `alike`.
    template <class Pairs>
    static void textRows(const Pairs& pairs, std::initializer_list<QByteArray> texts = {},
                         double alike = none) {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("value");
        for (const auto& [text, value] : pairs) QTest::newRow(text.left(20).constData()) << text << value;
        for (const QByteArray& text : texts) QTest::newRow(text.left(20).constData()) << text << alike;
    }
    static std::string_view view(const QByteArray& text) { return {text.constData(), size_t(text.size())}; }
    static QString message(const QString& text) {
        return QString::fromStdString(messages::conversionFailure(text.toStdString()));
    }
};

QTEST_APPLESS_MAIN(TestCore)
#include "test_core.moc"
