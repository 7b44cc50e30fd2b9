// The application frame: the progress sweep, handlers stopped by a failed
// read, and the life of the windows.

// Clicks go through the window system, which is where a modal window blocks
// the others.
#define QTEST_QPA_MOUSE_HANDLING
#include "../forms/support.h"
#include "app/handler.h"
#include "app/lifecycle.h"
#include "app/sweep.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <cmath>
#include <numeric>

namespace {

using Read = std::function<double(const QLineEdit&)>;

// A window as the forms make them: fixed size, a box the user may change, a
// button.
class Window : public QWidget {
public:
    Window() {
        setFixedSize(300, 200);
        button->setGeometry(20, 100, 120, 40);
    }

    QLineEdit* box = new QLineEdit(QStringLiteral("Mt"), this);
    QPushButton* button = new QPushButton(QStringLiteral("Calcola"), this);
};

class Other : public Window {};

// Centred on its screen, give or take a frame.
bool centred(const QWidget& window) {
    const QPoint off = window.geometry().center() - window.screen()->availableGeometry().center();
    return off.manhattanLength() <= 4;
}

} // namespace

class TestApp : public QObject {
    Q_OBJECT
private slots:
    // Every test window goes, whether the test left it loaded or lost it.
    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (dynamic_cast<Window*>(window)) delete window;
    }

    // Each pass sees the counter from 0 up and the bar paints every step as
    // it comes, full at the end, then empty; a pass that stops the handler
    // stops the sweep there, the bar left at the last step done.
    void sweep_data() {
        QTest::addColumn<int>("stopAt");
        QTest::newRow("whole") << -1;
        QTest::newRow("stopped at the first pass") << 0;
        QTest::newRow("stopped in the middle") << 500;
        QTest::newRow("stopped at the last pass") << 999;
    }

    void sweep() {
        QFETCH(int, stopAt);
        QWidget window;
        controls::ProgressBar bar(&window, "ProgressBar1", {120, 120, 6000, 375}, QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintedPositions painted(&bar);
        std::vector<int> passes;
        qint16 counter = 1000;
        const auto sweep = [&] {
            app::runProgressSweep(counter, bar, [&] {
                passes.push_back(counter);
                if (counter == stopAt) app::refuse("stop");
            });
        };
        if (stopAt < 0) sweep();
        else QVERIFY_THROWS_EXCEPTION(app::HandlerStop, sweep());
        std::vector<int> expectedPasses(stopAt < 0 ? 1000 : stopAt + 1);
        std::iota(expectedPasses.begin(), expectedPasses.end(), 0);
        // The bar shows each pass once it is done.
        std::vector<float> expectedPositions(expectedPasses.begin(), expectedPasses.end());
        if (stopAt < 0) expectedPositions.insert(expectedPositions.end(), {1000.0f, 0.0f});
        else expectedPositions.pop_back();
        QCOMPARE(passes, expectedPasses);
        QCOMPARE(painted.positions, expectedPositions);
    }

    // The wording of the messages is the core's; here, which reads stop the
    // handler, and how they say it.
    void handlerReads_data() {
        QTest::addColumn<Read>("read");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // NaN: the handler stops
        QTest::addColumn<QString>("message");
        QTest::addColumn<QMessageBox::Icon>("icon");
        const Read number = app::readNumber, weight = app::readWeight;
        const double stop = std::nan("");
        const auto warning = QMessageBox::Warning;
        QTest::newRow("unit") << number << "Mt" << stop << "Il valore «Mt» non è un numero valido."
                              << warning;
        QTest::newRow("negative number") << number << "-1,75" << -1.75 << "" << warning;
        QTest::newRow("negative weight") << weight << "-3" << stop << "Il valore «-3» non è un numero valido."
                                         << warning;
        QTest::newRow("zero weight") << weight << "0" << 0.0 << "" << warning;
        QTest::newRow("infinite result") << Read([](auto&) { return app::checkedResult(INFINITY); }) << ""
                                         << stop << "Risultato fuori scala: controllare i valori inseriti."
                                         << warning;
        QTest::newRow("finite result") << Read([](auto&) { return app::checkedResult(1e308); }) << ""
                                       << 1e308 << "" << warning;
        QTest::newRow("refusal") << Read([](auto&) -> double { app::refuse("x"); }) << "" << stop << "x"
                                 << QMessageBox::NoIcon;
    }

    void handlerReads() {
        QFETCH(Read, read);
        QFETCH(QString, text);
        QFETCH(double, value);
        QWidget window;
        QLineEdit box(text, &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MessageAnswerer answerer;
        bool after = false;
        double got = std::nan("");
        app::runHandler(&window, [&] {
            got = read(box);
            after = true;
        });
        QCOMPARE(after, !std::isnan(value));
        if (after) {
            QCOMPARE(got, value);
            QVERIFY(answerer.texts.empty());
            return;
        }
        QCOMPARE(answerer.titles, std::vector<QString>{QStringLiteral("Zelba 1")});
        QTEST(answerer.last(), "message");
        QTEST(answerer.icons.front(), "icon");
    }

    // A window prepared before it is shown is the one that comes up; once
    // unloaded, deleted or only waiting for it, the next is a fresh one.
    void windowLivesUntilUnloaded_data() {
        QTest::addColumn<bool>("awaitDeletion");
        QTest::newRow("deleted") << true;
        QTest::newRow("closed, deletion pending") << false;
    }

    void windowLivesUntilUnloaded() {
        QFETCH(bool, awaitDeletion);
        Window& first = app::load<Window>();
        QCOMPARE(&app::show<Window>(), &first);
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        QCOMPARE(&app::load<Window>(), &first);
        first.box->setText(QStringLiteral("1,80"));
        app::unload(first);
        if (awaitDeletion) QTRY_VERIFY(!app::windowReference<Window>());
        Window& second = app::load<Window>();
        QCOMPARE(second.box->text(), QStringLiteral("Mt")); // a fresh one
    }

    void modalWindowBlocksTheOthers() {
        Other& other = app::show<Other>();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QSignalSpy clicks(other.button, &QPushButton::clicked);
        Window& modal = app::showModal<Window>();
        QVERIFY(QTest::qWaitForWindowExposed(&modal));
        QVERIFY(other.isVisible());
        QCOMPARE(modal.size(), QSize(300, 200));
        QVERIFY(centred(other));
        QVERIFY(centred(modal));
        QTest::mouseClick(other.button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 0);
        app::unload(modal);
        QTRY_VERIFY(!app::windowReference<Window>());
        QTest::mouseClick(other.button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(TestApp)
#include "test_app.moc"
