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
#include <QTest>
#include <cmath>

namespace {

using Read = std::function<double(const QLineEdit&)>;

// A window as the forms make them: fixed size, a box the user may change, a
// button; numbered to tell a fresh instance from a reused one.
class Window : public QWidget {
public:
    Window() : serial(++made) {
        setFixedSize(300, 200);
        button->setGeometry(20, 100, 120, 40);
    }

    static inline int made = 0;
    const int serial;
    QLineEdit* box = new QLineEdit(QStringLiteral("Mt"), this);
    QPushButton* button = new QPushButton(QStringLiteral("Calcola"), this);
};

class Other : public Window {};

// Centred on its screen, give or take a frame.
bool centred(const QWidget& window) {
    const QPoint off = window.geometry().center() - window.screen()->availableGeometry().center();
    if (off.manhattanLength() <= 4) return true;
    qWarning("%s is off centre by %d,%d", window.metaObject()->className(), off.x(), off.y());
    return false;
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

    void sweepPaintsEveryStep() {
        QWidget window;
        controls::ProgressBar bar(&window, "ProgressBar1", {120, 120, 6000, 375}, QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        std::vector<float> expected;
        for (int position = 0; position <= 999; ++position) expected.push_back(float(position));
        expected.insert(expected.end(), {1000.0f, 0.0f});

        qint16 counter = 1000;
        for (int sweep = 0; sweep < 2; ++sweep) {
            PaintedPositions painted(&bar);
            std::vector<int> passes;
            app::runProgressSweep(counter, bar, [&] { passes.push_back(counter); });
            QCOMPARE(passes.size(), std::size_t{1000});
            QCOMPARE(passes.front(), 0);
            // The end first, where a slip reads best.
            QVERIFY(painted.positions.size() >= 4);
            QCOMPARE(std::vector<float>(painted.positions.end() - 4, painted.positions.end()),
                     (std::vector<float>{998.0f, 999.0f, 1000.0f, 0.0f}));
            QCOMPARE(painted.positions, expected);
        }
    }

    void stoppedSweep_data() {
        QTest::addColumn<int>("stopAt");
        QTest::addColumn<float>("left");
        QTest::newRow("first pass") << 0 << 0.0f;
        QTest::newRow("second pass") << 1 << 0.0f;
        QTest::newRow("middle") << 500 << 499.0f;
        QTest::newRow("last pass") << 999 << 998.0f;
    }

    void stoppedSweep() {
        QFETCH(int, stopAt);
        controls::ProgressBar bar(nullptr, "ProgressBar1", {120, 120, 6000, 375}, QString());
        qint16 counter = 0;
        int passes = 0;
        QVERIFY_THROWS_EXCEPTION(app::HandlerStop, app::runProgressSweep(counter, bar, [&] {
            if (passes++ == stopAt) app::refuse("stop");
        }));
        QCOMPARE(passes, stopAt + 1);
        QTEST(bar.position(), "left");
    }

    void handlerReads_data() {
        QTest::addColumn<Read>("read");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // NaN: the handler stops
        QTest::addColumn<QString>("message");
        QTest::addColumn<QMessageBox::Icon>("icon");
        const Read number = app::readNumber, weight = app::readWeight;
        const double stop = std::nan("");
        const auto warning = QMessageBox::Warning;
        const auto invalid = [](const QString& shown) {
            return QStringLiteral("Il valore «") + shown + QStringLiteral("» non è un numero valido.");
        };
        QTest::newRow("empty") << number << "" << stop << "Inserire un valore numerico." << warning;
        QTest::newRow("unit") << number << "Mt" << stop << invalid("Mt") << warning;
        QTest::newRow("comma alone") << number << "," << stop << invalid(",") << warning;
        QTest::newRow("long text") << number << QString(41, u'x') << stop
                                   << invalid(QString(40, u'x') + QStringLiteral("…")) << warning;
        QTest::newRow("decimal comma") << number << "1,75" << 1.75 << "" << warning;
        QTest::newRow("negative number") << number << "-3" << -3.0 << "" << warning;
        QTest::newRow("negative weight") << weight << "-3" << stop << invalid("-3") << warning;
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
        bool before = false, after = false;
        double got = std::nan("");
        app::runHandler(&window, [&] {
            before = true;
            got = read(box);
            after = true;
        });
        QVERIFY(before);
        QCOMPARE(after, !std::isnan(value));
        if (after) {
            QCOMPARE(got, value);
            QVERIFY(answerer.texts.empty());
            return;
        }
        QVERIFY(std::isnan(got));
        QCOMPARE(answerer.titles, std::vector<QString>{QStringLiteral("Zelba 1")});
        QTEST(answerer.last(), "message");
        QTEST(answerer.icons.front(), "icon");
    }

    // A window prepared before it is shown is the one that comes up.
    void loadedWindowIsTheOneShown() {
        Window& loaded = app::load<Window>();
        loaded.box->setText(QStringLiteral("1,80"));
        QCOMPARE(&app::load<Window>(), &loaded);
        QCOMPARE(&app::show<Window>(), &loaded);
    }

    void windowLivesUntilUnloaded_data() {
        QTest::addColumn<bool>("awaitDeletion");
        QTest::newRow("deleted") << true;
        QTest::newRow("closed, deletion pending") << false;
    }

    void windowLivesUntilUnloaded() {
        QFETCH(bool, awaitDeletion);
        Window& first = app::show<Window>();
        QVERIFY(first.testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        QCOMPARE(&app::load<Window>(), &first);
        first.box->setText(QStringLiteral("1,80"));
        const int serial = first.serial;
        app::unload(first);
        if (awaitDeletion) QTRY_VERIFY(!app::windowReference<Window>());
        Window& second = app::load<Window>();
        QVERIFY(second.serial != serial);
        QCOMPARE(second.box->text(), QStringLiteral("Mt"));
        QCOMPARE(app::windowReference<Window>().data(), &second);
    }

    void modalWindowBlocksTheOthers() {
        Other& other = app::show<Other>();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QSignalSpy clicks(other.button, &QPushButton::clicked);
        Window& modal = app::showModal<Window>();
        QVERIFY(QTest::qWaitForWindowExposed(&modal));
        QCOMPARE(modal.windowModality(), Qt::ApplicationModal);
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
