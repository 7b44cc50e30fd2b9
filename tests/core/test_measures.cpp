// The computations of the three windows, on plain numbers.
#include "core/measures.h"

#include <QTest>

using namespace core;

class TestMeasures : public QObject {
    Q_OBJECT
private slots:
    void bodyMass_data();
    void bodyMass();
    void weightBar_data();
    void weightBar();
    void ageBands_data();
    void ageBands();
    void activityFactors();
};

void TestMeasures::bodyMass_data() {
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("value");
    QTest::newRow("1,75 m 70 kg") << 1.75 << 70.0 << 22.0;
    QTest::newRow("2 m 80 kg") << 2.0 << 80.0 << 20.0;
    QTest::newRow("1,6 m 60 kg") << 1.6 << 60.0 << 23.0;
    QTest::newRow("1,6 m 64 kg, a few units below 25") << 1.6 << 64.0 << 25.0;
    QTest::newRow("1,8 m 80,5 kg") << 1.8 << 80.5 << 24.0;
    QTest::newRow("0,5 m 60 kg") << 0.5 << 60.0 << 240.0;
    QTest::newRow("just below a threshold") << 2.0 << 119.99 << 29.0;
    QTest::newRow("a billion at 0,01 m") << 0.01 << 1e9 << 1e13;
    QTest::newRow("no weight") << 1.75 << 0.0 << 0.0;
}

void TestMeasures::bodyMass() {
    QFETCH(double, height);
    QFETCH(double, weight);
    QFETCH(double, value);
    QCOMPARE(bodyMassValue(height, weight), value);
}

void TestMeasures::weightBar_data() {
    QTest::addColumn<double>("weight");
    QTest::addColumn<int>("twips");
    QTest::newRow("7 kg") << 7.0 << 140;
    QTest::newRow("70 kg") << 70.0 << 1400;
    QTest::newRow("70,5 kg") << 70.5 << 1410;
    QTest::newRow("none") << 0.0 << 0;
    QTest::newRow("beyond int") << 1e300 << 1'000'000;
    QTest::newRow("largest double") << 1.7976931348623157e308 << 1'000'000;
}

void TestMeasures::weightBar() {
    QFETCH(double, weight);
    QFETCH(int, twips);
    QCOMPARE(weightBarTwips(weight), twips);
}

void TestMeasures::ageBands_data() {
    QTest::addColumn<int>("sex");
    QTest::addColumn<double>("age");
    QTest::addColumn<double>("coefficient"); // 0: no band
    QTest::addColumn<int>("constant");
    const int man = int(Sex::Man);
    const int woman = int(Sex::Woman);
    QTest::newRow("man 18") << man << 18.0 << 0.0 << 0;
    QTest::newRow("man 18,5") << man << 18.5 << 15.3 << 679;
    QTest::newRow("man 30") << man << 30.0 << 15.3 << 679;
    QTest::newRow("man 30,5") << man << 30.5 << 11.6 << 879;
    QTest::newRow("man 60") << man << 60.0 << 11.6 << 879;
    QTest::newRow("man 74") << man << 74.0 << 11.9 << 700;
    QTest::newRow("man 75") << man << 75.0 << 8.4 << 819;
    QTest::newRow("man -40") << man << -40.0 << 0.0 << 0;
    QTest::newRow("woman 17") << woman << 17.0 << 0.0 << 0;
    QTest::newRow("woman 25") << woman << 25.0 << 14.7 << 496;
    QTest::newRow("woman 31") << woman << 31.0 << 8.7 << 829;
    QTest::newRow("woman 61") << woman << 61.0 << 9.2 << 688;
    QTest::newRow("woman 120") << woman << 120.0 << 9.8 << 624;
}

void TestMeasures::ageBands() {
    QFETCH(int, sex);
    QFETCH(double, age);
    QFETCH(double, coefficient);
    QFETCH(int, constant);
    const auto band = ageBand(Sex(sex), age);
    QCOMPARE(band.has_value(), coefficient != 0);
    if (!band) return;
    QCOMPARE(band->coefficient, coefficient);
    QCOMPARE(band->constant, constant);
}

void TestMeasures::activityFactors() {
    const struct {
        Activity activity;
        const char* man;
        const char* woman;
    } rows[] = {{Activity::Light, "1,55", "1,56"}, {Activity::Moderate, "1,78", "1,64"}, {Activity::Heavy, "2,10", "1,82"}};
    for (const auto& row : rows) {
        QCOMPARE(activityFactorText(Sex::Man, row.activity), std::string_view(row.man));
        QCOMPARE(activityFactorText(Sex::Woman, row.activity), std::string_view(row.woman));
    }
}

QTEST_APPLESS_MAIN(TestMeasures)
#include "test_measures.moc"
