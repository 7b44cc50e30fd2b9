// Measures Zelba's windows on the platform QT_QPA_PLATFORM names, beside a
// floor: bare Qt widgets doing the same visible work. Prints one JSON object
// on standard output; bench/run-bench runs it many times and sums it up.
//
//   zelba_measure startup zelba|floor [--cycles N]
//       One start-up, from the first line of main to the first completed
//       paint of the first window, and the resident memory then. With
//       --cycles, then N openings and closings of each other window and the
//       resident memory after them. One start-up per process.
//
//   zelba_measure startup copy --tree FILE
//       The same start-up with a bare copy of the body-weight window: the
//       same widget tree in plain Qt widgets (FILE, written by describe).
//
//   zelba_measure describe
//       The widget tree of the body-weight window, for startup copy.
//
//   zelba_measure session [--repetitions N]
//       In one process, each "Calcola" and the modal opening of the energy
//       window, N times each, every Zelba sample followed by a floor sample;
//       the opening also beside a bare copy of the energy window.
//
// Nothing here judges a figure: it only measures and prints.
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "program/startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// Taken on the first line of main: start-up counts from there.
Clock::time_point processStart;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// VmRSS of this process, in KiB.
qint64 residentKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "zelba_measure: %s\n", what);
    std::exit(2);
}

// A QApplication that notices when a watched window has finished a paint:
// the paint events of its widgets are delivered from inside the expose or
// update request that flushes them to the screen, so the paint is complete,
// flush included, when that outer event returns.
class MeasuringApplication : public QApplication {
  public:
    using WindowTest = std::function<bool(const QWidget*)>;

    MeasuringApplication(int& argc, char** argv)
        : QApplication(argc, argv) {}

    // Runs `action`, then the event loop until a window that passes `test`
    // has completed its first paint; returns the time it completed.
    Clock::time_point untilFirstPaint(WindowTest test, const std::function<void()>& action) {
        watched_ = std::move(test);
        outerLevel_.reset();
        finished_.reset();
        action();
        // A paint run straight from the action, outside any event.
        if (outerLevel_ && *outerLevel_ < 0) finished_ = Clock::now();
        if (!finished_) {
            QEventLoop loop;
            loop_ = &loop;
            QTimer::singleShot(30000, &loop, [] { fail("no paint within 30 s"); });
            loop.exec();
            loop_ = nullptr;
        }
        watched_ = nullptr;
        return *finished_;
    }

    bool notify(QObject* receiver, QEvent* event) override {
        // Checked before delivery: a deferred delete leaves no receiver.
        if (watched_ && !outerLevel_ && event->type() == QEvent::Paint && receiver->isWidgetType() &&
            watched_(static_cast<QWidget*>(receiver)->window()))
            outerLevel_ = level_ - 1;
        ++level_;
        const bool handled = QApplication::notify(receiver, event);
        --level_;
        if (outerLevel_ && !finished_ && level_ == *outerLevel_) {
            finished_ = Clock::now();
            if (loop_) loop_->quit();
        }
        return handled;
    }

  private:
    WindowTest watched_;
    int level_ = 0;
    std::optional<int> outerLevel_;
    std::optional<Clock::time_point> finished_;
    QEventLoop* loop_ = nullptr;
};

MeasuringApplication* measuring() { return static_cast<MeasuringApplication*>(QCoreApplication::instance()); }

template <class Window> MeasuringApplication::WindowTest isA() {
    return [](const QWidget* window) { return qobject_cast<const Window*>(window) != nullptr; };
}

MeasuringApplication::WindowTest isNamed(const QString& name) {
    return [name](const QWidget* window) { return window->objectName() == name; };
}

void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// ---------------------------------------------------------------- the floor

// The client size of every Zelba window: 10920 x 7590 twips.
constexpr QSize clientSize{728, 506};

// A bare main window of Zelba's client size, with a menu bar of plain
// items, centred as Zelba centres its windows.
QMainWindow* bareWindow(const QString& name, const QStringList& menuItems, QWidget* client = nullptr) {
    auto* window = new QMainWindow;
    window->setObjectName(name);
    window->setWindowTitle(name);
    if (!client) client = new QWidget;
    client->setFixedSize(clientSize);
    window->setCentralWidget(client);
    for (const QString& item : menuItems) window->menuBar()->addAction(item);
    window->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = window->geometry();
        area.moveCenter(screen->availableGeometry().center());
        window->move(area.topLeft());
    }
    return window;
}

const QStringList startMenu{QStringLiteral("Peso corporeo"), QStringLiteral("File"),
                            QStringLiteral("Peso ideale"), QStringLiteral("Calorie")};
const QStringList otherMenu{QStringLiteral("<< Peso corporeo"), QStringLiteral("File")};

// The floor of a "Calcola": a bare progress bar where Zelba has its own, of
// the same size and range, moved through 1000 positions with a repaint
// after each, and a label written at each position.
class BareWork {
  public:
    BareWork() {
        auto* client = new QWidget;
        bar_ = new QProgressBar(client);
        bar_->setGeometry(8, 464, 585, 25); // 120, 6960, 8775, 375 twips
        bar_->setRange(0, 1000);
        bar_->setTextVisible(false);
        bar_->setValue(0);
        label_ = new QLabel(client);
        label_->setGeometry(176, 72, 69, 40);
        button_ = new QPushButton(QStringLiteral("Calcola"), client);
        button_->setGeometry(24, 384, 105, 49);
        QObject::connect(button_, &QPushButton::clicked, [this] {
            const QString text = QStringLiteral("22");
            for (int position = 1; position <= 1000; ++position) {
                label_->setText(text);
                bar_->setValue(position);
                bar_->repaint();
            }
            bar_->setValue(0);
        });
        window_ = bareWindow(QStringLiteral("floor"), startMenu, client);
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }

    QMainWindow* window() const { return window_; }
    QPushButton* button() const { return button_; }

  private:
    QMainWindow* window_;
    QProgressBar* bar_;
    QLabel* label_;
    QPushButton* button_;
};

// The floor of an opening: a bare window of the same size shown
// application-modal from a bare parent, closed by a button of its own.
QMainWindow* openBareModal() {
    auto* close = new QPushButton(QStringLiteral("Chiudi"));
    close->setObjectName(QStringLiteral("close"));
    auto* client = new QWidget;
    close->setParent(client);
    close->setGeometry(616, 464, 89, 25);
    QMainWindow* modal = bareWindow(QStringLiteral("floorModal"), otherMenu, client);
    QObject::connect(close, &QPushButton::clicked, modal, &QWidget::close);
    modal->setAttribute(Qt::WA_DeleteOnClose);
    modal->setWindowModality(Qt::ApplicationModal);
    modal->show();
    return modal;
}

void closeBareModal(const QString& name = QStringLiteral("floorModal")) {
    auto* modal = qobject_cast<QMainWindow*>(QApplication::activeModalWidget());
    if (!modal || modal->objectName() != name) fail("the bare modal window is not open");
    auto* close = modal->findChild<QPushButton*>(QStringLiteral("close"));
    if (!close) fail("the bare modal window has no close button");
    close->click();
    deleteClosedWindows();
}

// A window's widget tree as plain Qt would build it: each control as the
// Qt widget it derives from, at the same place, with the same text and
// visibility, in Qt's default font and colours. It tells what the widgets
// themselves cost, apart from what Zelba adds to them.
QJsonArray describeTree(const QWidget* container) {
    QJsonArray tree;
    for (const QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QJsonObject node;
        QString kind = QStringLiteral("widget");
        QString text;
        if (auto* box = qobject_cast<const QLineEdit*>(child)) {
            kind = QStringLiteral("lineedit");
            text = box->text();
        } else if (auto* page = qobject_cast<const QPlainTextEdit*>(child)) {
            kind = QStringLiteral("plaintext");
            text = page->toPlainText();
        } else if (auto* option = qobject_cast<const QRadioButton*>(child)) {
            kind = QStringLiteral("radio");
            text = option->text();
        } else if (auto* button = qobject_cast<const QPushButton*>(child)) {
            kind = QStringLiteral("button");
            text = button->text();
        } else if (auto* label = qobject_cast<const QLabel*>(child)) {
            kind = QStringLiteral("label");
            text = label->text();
            node.insert(QStringLiteral("wrap"), label->wordWrap());
        } else if (qobject_cast<const controls::ProgressBar*>(child)) {
            kind = QStringLiteral("progressbar");
        } else if (qobject_cast<const controls::Frame*>(child)) {
            kind = QStringLiteral("frame");
            node.insert(QStringLiteral("children"), describeTree(child));
        } else {
            node.insert(QStringLiteral("children"), describeTree(child));
        }
        const QRect place = child->geometry();
        node.insert(QStringLiteral("kind"), kind);
        node.insert(QStringLiteral("text"), text);
        node.insert(QStringLiteral("geometry"),
                    QJsonArray{place.x(), place.y(), place.width(), place.height()});
        node.insert(QStringLiteral("visible"), !child->isHidden());
        node.insert(QStringLiteral("enabled"), child->isEnabled());
        tree.append(node);
    }
    return tree;
}

void buildTree(QWidget* container, const QJsonArray& tree) {
    for (const QJsonValue& value : tree) {
        const QJsonObject node = value.toObject();
        const QString kind = node.value(QStringLiteral("kind")).toString();
        const QString text = node.value(QStringLiteral("text")).toString();
        QWidget* widget = nullptr;
        if (kind == QLatin1String("lineedit")) {
            widget = new QLineEdit(text, container);
        } else if (kind == QLatin1String("plaintext")) {
            widget = new QPlainTextEdit(text, container);
        } else if (kind == QLatin1String("radio")) {
            widget = new QRadioButton(text, container);
        } else if (kind == QLatin1String("button")) {
            auto* button = new QPushButton(text, container);
            if (text == QLatin1String("Chiudi")) button->setObjectName(QStringLiteral("close"));
            widget = button;
        } else if (kind == QLatin1String("label")) {
            auto* label = new QLabel(text, container);
            label->setWordWrap(node.value(QStringLiteral("wrap")).toBool());
            widget = label;
        } else if (kind == QLatin1String("progressbar")) {
            auto* bar = new QProgressBar(container);
            bar->setRange(0, 1000);
            bar->setTextVisible(false);
            widget = bar;
        } else if (kind == QLatin1String("frame")) {
            auto* frame = new QFrame(container);
            frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
            widget = frame;
        } else {
            widget = new QWidget(container);
        }
        const QJsonArray place = node.value(QStringLiteral("geometry")).toArray();
        widget->setGeometry(place.at(0).toInt(), place.at(1).toInt(), place.at(2).toInt(),
                            place.at(3).toInt());
        widget->setEnabled(node.value(QStringLiteral("enabled")).toBool());
        if (!node.value(QStringLiteral("visible")).toBool()) widget->setVisible(false);
        buildTree(widget, node.value(QStringLiteral("children")).toArray());
    }
}

QMainWindow* bareCopy(const QString& name, const QJsonObject& description) {
    auto* client = new QWidget;
    buildTree(client, description.value(QStringLiteral("client")).toArray());
    QStringList menu;
    for (const QJsonValue& item : description.value(QStringLiteral("menu")).toArray())
        menu.append(item.toString());
    QMainWindow* window = bareWindow(name, menu, client);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* close = client->findChild<QPushButton*>(QStringLiteral("close")))
        QObject::connect(close, &QPushButton::clicked, window, &QWidget::close);
    return window;
}

// The client's widget tree and the menu bar's items of a Zelba window.
QJsonObject describeWindow(forms::Form& window) {
    QJsonArray menu;
    for (const QAction* item : window.menuBar()->actions()) menu.append(item->text());
    QJsonObject description;
    description.insert(QStringLiteral("client"), describeTree(window.client()));
    description.insert(QStringLiteral("menu"), menu);
    return description;
}

// ------------------------------------------------------------------- Zelba

forms::Form1* startWindow = nullptr;

// The program's own start-up, as main() runs it before the event loop.
void startZelba(QApplication& application) { startWindow = program::start(application).release(); }

forms::Form1& form1() {
    if (!startWindow) fail("the body-weight window is not open");
    return *startWindow;
}

// A control of a window by its design name.
template <class Control = QAbstractButton> Control& control(QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found) fail("a control is missing");
    return *found;
}

template <class Window> Window* topLevel() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget)) return window;
    return nullptr;
}

template <class Window> Window& openedWindow() {
    Window* window = topLevel<Window>();
    if (!window || window->isHidden()) fail("a window did not open");
    return *window;
}

template <class Window> void checkUnloaded() {
    if (topLevel<Window>()) fail("a closed window was not deleted");
}

void trigger(const char* item) { control<QAction>(form1(), item).trigger(); }

void openAndClose(bool zelba, int cycles) {
    for (int cycle = 0; cycle < cycles; ++cycle) {
        if (zelba) {
            measuring()->untilFirstPaint(isA<forms::Form2>(), [] { trigger("mnuId"); });
            control(openedWindow<forms::Form2>(), "Command2").click();
            deleteClosedWindows();
            checkUnloaded<forms::Form2>();
            measuring()->untilFirstPaint(isA<forms::Form3>(), [] { trigger("mnuCal"); });
            control(openedWindow<forms::Form3>(), "Command1").click();
            deleteClosedWindows();
            checkUnloaded<forms::Form3>();
        } else {
            for (int window = 0; window < 2; ++window) {
                measuring()->untilFirstPaint(isNamed(QStringLiteral("floorModal")), [] { openBareModal(); });
                closeBareModal();
            }
        }
    }
}

// ----------------------------------------------------------------- figures

QJsonObject readTree(const char* path) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) fail("cannot read the widget tree");
    return QJsonDocument::fromJson(file.readAll()).object();
}

enum class Who { Zelba, Floor, Copy };

int startup(int argc, char** argv, Who who, int cycles, const char* treePath) {
    const Clock::time_point start = processStart;
    MeasuringApplication application(argc, argv);
    const Clock::time_point constructed = Clock::now();
    const bool zelba = who == Who::Zelba;
    QMainWindow* floor = nullptr;
    Clock::time_point shown;
    const Clock::time_point painted =
        application.untilFirstPaint(zelba ? isA<forms::Form1>() : isNamed(QStringLiteral("floor")), [&] {
            if (zelba) {
                startZelba(application);
            } else if (who == Who::Copy) {
                floor = bareCopy(QStringLiteral("floor"),
                                 readTree(treePath).value(QStringLiteral("form1")).toObject());
                floor->show();
            } else {
                floor = bareWindow(QStringLiteral("floor"), startMenu);
                floor->show();
            }
            shown = Clock::now();
        });
    const qint64 residentAfterStartup = residentKib();

    QJsonObject result;
    result.insert(QStringLiteral("startup_ms"), millisecondsBetween(start, painted));
    result.insert(QStringLiteral("application_ms"), millisecondsBetween(start, constructed));
    result.insert(QStringLiteral("shown_ms"), millisecondsBetween(start, shown));
    result.insert(QStringLiteral("rss_startup_kib"), residentAfterStartup);
    if (cycles > 0 && who != Who::Copy) {
        openAndClose(zelba, 1);
        result.insert(QStringLiteral("rss_first_cycle_kib"), residentKib());
        openAndClose(zelba, cycles - 1);
        result.insert(QStringLiteral("rss_cycles_kib"), residentKib());
        result.insert(QStringLiteral("cycles"), cycles);
    }
    std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
    delete startWindow;
    delete floor;
    return 0;
}

double timed(const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    return millisecondsBetween(start, Clock::now());
}

// Zelba's and the floor's samples of one figure, taken in turn.
struct Pairs {
    QJsonArray zelba;
    QJsonArray floor;
};

void takeTurns(Pairs& pairs, int repetitions, const std::function<double()>& zelba,
               const std::function<double()>& floor) {
    // One of each first, unmeasured: the first draw of anything loads glyphs
    // and pixmaps that the following ones reuse.
    zelba();
    QCoreApplication::processEvents();
    floor();
    QCoreApplication::processEvents();
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        pairs.zelba.append(zelba());
        QCoreApplication::processEvents();
        pairs.floor.append(floor());
        QCoreApplication::processEvents();
    }
}

int session(int argc, char** argv, int repetitions) {
    MeasuringApplication application(argc, argv);
    application.untilFirstPaint(isA<forms::Form1>(), [&] { startZelba(application); });
    BareWork bare;
    application.untilFirstPaint(isNamed(QStringLiteral("floor")), [&] { bare.window()->show(); });
    const auto floorCalcola = [&] { return timed([&] { bare.button()->click(); }); };

    QJsonObject samples;
    const auto keep = [&](const char* name, const Pairs& pairs) {
        samples.insert(QString::fromLatin1(name), pairs.zelba);
        samples.insert(QString::fromLatin1(name) + QStringLiteral(".floor"), pairs.floor);
    };

    // Body-weight window: 1,75 m and 70 kg, typed as a user types them.
    {
        forms::Form1& form = form1();
        QTest::mouseClick(&control<QLineEdit>(form, "Text1"), Qt::LeftButton);
        QTest::keyClicks(&control<QLineEdit>(form, "Text1"), QStringLiteral("1,75"));
        QTest::mouseClick(&control<QLineEdit>(form, "Text2"), Qt::LeftButton);
        QTest::keyClicks(&control<QLineEdit>(form, "Text2"), QStringLiteral("70"));
        Pairs pairs;
        takeTurns(
            pairs, repetitions, [&] { return timed([&] { control(form, "Command1").click(); }); },
            floorCalcola);
        if (control<QLabel>(form, "Label6").text() != QLatin1String("22"))
            fail("the body-weight window computed no result");
        keep("calcola.form1", pairs);
    }

    // Ideal-weight window: a man of 175 cm.
    {
        application.untilFirstPaint(isA<forms::Form2>(), [] { trigger("mnuId"); });
        forms::Form2& form = openedWindow<forms::Form2>();
        QTest::keyClicks(&control<QLineEdit>(form, "Text1"), QStringLiteral("175"));
        Pairs pairs;
        takeTurns(
            pairs, repetitions, [&] { return timed([&] { control(form, "Command1").click(); }); },
            floorCalcola);
        if (control<QLabel>(form, "Label5").text() != QLatin1String("75"))
            fail("the ideal-weight window computed no result");
        keep("calcola.form2", pairs);
        control(form, "Command2").click();
        deleteClosedWindows();
        checkUnloaded<forms::Form2>();
    }

    // Energy window: a woman of 25 years and 60 kg.
    {
        application.untilFirstPaint(isA<forms::Form3>(), [] { trigger("mnuCal"); });
        forms::Form3& form = openedWindow<forms::Form3>();
        QTest::keyClicks(&control<QLineEdit>(form, "Text8"), QStringLiteral("25"));
        QTest::keyClicks(&control<QLineEdit>(form, "Text10"), QStringLiteral("60"));
        Pairs pairs;
        takeTurns(
            pairs, repetitions, [&] { return timed([&] { control(form, "Command2").click(); }); },
            floorCalcola);
        if (control<QLabel>(form, "Label8").text().isEmpty()) fail("the energy window computed no result");
        keep("calcola.form3", pairs);
        control(form, "Command1").click();
        deleteClosedWindows();
        checkUnloaded<forms::Form3>();
    }

    // Opening the energy window modally, to its first completed paint.
    {
        Pairs pairs;
        takeTurns(
            pairs, repetitions,
            [&] {
                const Clock::time_point start = Clock::now();
                const Clock::time_point painted =
                    application.untilFirstPaint(isA<forms::Form3>(), [] { trigger("mnuCal"); });
                control(openedWindow<forms::Form3>(), "Command1").click();
                deleteClosedWindows();
                checkUnloaded<forms::Form3>();
                return millisecondsBetween(start, painted);
            },
            [&] {
                const Clock::time_point start = Clock::now();
                const Clock::time_point painted = application.untilFirstPaint(
                    isNamed(QStringLiteral("floorModal")), [] { openBareModal(); });
                closeBareModal();
                return millisecondsBetween(start, painted);
            });
        keep("open.form3", pairs);
    }

    // The same opening beside a bare copy of the energy window's widgets.
    {
        application.untilFirstPaint(isA<forms::Form3>(), [] { trigger("mnuCal"); });
        const QJsonObject description = describeWindow(openedWindow<forms::Form3>());
        control(openedWindow<forms::Form3>(), "Command1").click();
        deleteClosedWindows();
        checkUnloaded<forms::Form3>();
        Pairs pairs;
        takeTurns(
            pairs, repetitions,
            [&] {
                const Clock::time_point start = Clock::now();
                const Clock::time_point painted =
                    application.untilFirstPaint(isA<forms::Form3>(), [] { trigger("mnuCal"); });
                control(openedWindow<forms::Form3>(), "Command1").click();
                deleteClosedWindows();
                checkUnloaded<forms::Form3>();
                return millisecondsBetween(start, painted);
            },
            [&] {
                const Clock::time_point start = Clock::now();
                const Clock::time_point painted =
                    application.untilFirstPaint(isNamed(QStringLiteral("floorCopy")), [&] {
                        QMainWindow* copy = bareCopy(QStringLiteral("floorCopy"), description);
                        copy->setWindowModality(Qt::ApplicationModal);
                        copy->show();
                    });
                closeBareModal(QStringLiteral("floorCopy"));
                return millisecondsBetween(start, painted);
            });
        keep("open.form3.copy", pairs);
    }

    QJsonObject result;
    result.insert(QStringLiteral("samples"), samples);
    result.insert(QStringLiteral("qt"), QString::fromLatin1(qVersion()));
    result.insert(QStringLiteral("platform"), QGuiApplication::platformName());
    result.insert(QStringLiteral("style"), QApplication::style()->name());
    std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
    bare.window()->close();
    deleteClosedWindows();
    delete startWindow;
    return 0;
}

int describe(int argc, char** argv) {
    MeasuringApplication application(argc, argv);
    application.untilFirstPaint(isA<forms::Form1>(), [&] { startZelba(application); });
    QJsonObject trees;
    trees.insert(QStringLiteral("form1"), describeWindow(form1()));
    std::printf("%s\n", QJsonDocument(trees).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
    delete startWindow;
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: zelba_measure startup zelba|floor [--cycles N]\n"
                         "       zelba_measure startup copy --tree FILE\n"
                         "       zelba_measure describe\n"
                         "       zelba_measure session [--repetitions N]\n");
    return 2;
}

const char* optionText(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
    return nullptr;
}

int optionValue(int argc, char** argv, const char* name, int fallback) {
    const char* text = optionText(argc, argv, name);
    return text ? std::atoi(text) : fallback;
}

} // namespace

int main(int argc, char* argv[]) {
    program::prepareEnvironment();
    processStart = Clock::now();
    if (argc < 2) return usage();
    const QByteArray mode = argv[1];
    if (mode == "startup" && argc >= 3) {
        const QByteArray who = argv[2];
        const char* tree = optionText(argc, argv, "--tree");
        if (who == "zelba")
            return startup(argc, argv, Who::Zelba, optionValue(argc, argv, "--cycles", 0), nullptr);
        if (who == "floor")
            return startup(argc, argv, Who::Floor, optionValue(argc, argv, "--cycles", 0), nullptr);
        if (who == "copy" && tree) return startup(argc, argv, Who::Copy, 0, tree);
        return usage();
    }
    if (mode == "describe") return describe(argc, argv);
    if (mode == "session") return session(argc, argv, optionValue(argc, argv, "--repetitions", 20));
    return usage();
}
