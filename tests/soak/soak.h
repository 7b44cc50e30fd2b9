#pragma once

// A long random session of one window: a seeded stream of user events
// (typed characters of every kind, pastes, clicks, double clicks, mouse
// movement, option and menu choices), all through the window system, with
// the window's invariants checked after every event.
//
//     SOAK_SEED    the stream's seed (default below); a failure prints it
//                  with the event's index, and the same seed replays the
//                  same stream
//     SOAK_EVENTS  events per window (default 20000)
//     SOAK_EVENTS_PER_COMPUTATION, SOAK_DEADLINE  see Settings
#include "../forms/support.h"

#include "app/lifecycle.h"
#include "controls/progressbar.h"
#include "core/numbers.h"
#include "forms/form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace soak {

inline quint64 environmentNumber(const char* name, quint64 fallback) {
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

struct Settings {
    quint64 seed = environmentNumber("SOAK_SEED", 20240611);
    int events = int(environmentNumber("SOAK_EVENTS", 20000));
    // Every "Calcola" runs a sweep of 1000 synchronous repaints: one
    // computation in so many events keeps the session short and still
    // reaches every message and result. The ration depends on the event's
    // index only, so that a shorter session replays the start of a longer.
    int eventsPerComputation = int(environmentNumber("SOAK_EVENTS_PER_COMPUTATION", 500));
    // Seconds an event may take before the window counts as hung: a
    // sweep takes well under a second, so this is only hit by a hang.
    int deadline = int(environmentNumber("SOAK_DEADLINE", 120));
};

// Ends the process when an event does not come back: a hung event cannot
// report itself. It prints the seed and the event, to replay it.
class Watchdog {
  public:
    Watchdog()
        : thread_([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    void arm(std::string what, int seconds) {
        std::lock_guard lock(mutex_);
        what_ = std::move(what);
        deadline_ = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        armed_ = true;
        changed_.notify_all();
    }
    void disarm() {
        std::lock_guard lock(mutex_);
        armed_ = false;
    }

  private:
    void watch() {
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            if (!armed_) {
                changed_.wait(lock);
                continue;
            }
            const auto deadline = deadline_;
            if (changed_.wait_until(lock, deadline) == std::cv_status::timeout && armed_ &&
                deadline_ == deadline) {
                std::fprintf(stderr, "FAIL! the window did not come back from the event in time: %s\n",
                             what_.c_str());
                std::fflush(stderr);
                std::abort();
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    bool armed_ = false;
    bool stopping_ = false;
    std::chrono::steady_clock::time_point deadline_;
    std::string what_;
    std::thread thread_;
};

// Warnings of Zelba's code and of Qt fail the session. The offscreen
// platform notes that it cannot pass a fixed-size window's size hints on
// (there is no window manager to take them): that notice is allowed. So
// is the font engine's note, while it looks for a fallback font for a
// pasted script (Devanagari, say), about each installed font that lacks
// that script's shaping tables: it names the machine's fonts, and the text
// is still shown.
class MessageGuard {
  public:
    MessageGuard() { previous_ = qInstallMessageHandler(&MessageGuard::handle); }
    ~MessageGuard() { qInstallMessageHandler(previous_); }

    // The unexpected messages since the last call.
    static QStringList take() {
        std::lock_guard lock(mutex());
        QStringList taken;
        taken.swap(unexpected());
        return taken;
    }

  private:
    static bool allowed(const QString& message) {
        static const QStringList notices = {
            QStringLiteral("This plugin does not support propagateSizeHints()"),
        };
        static const QRegularExpression fontNotice(
            QStringLiteral(R"(\A  OpenType support missing for ".*", script \d+\z)"));
        return notices.contains(message) || fontNotice.match(message).hasMatch();
    }

    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtDebugMsg || type == QtInfoMsg) {
            if (previous_) previous_(type, context, message);
            return;
        }
        if (allowed(message)) return; // thousands of them would bury the log
        {
            std::lock_guard lock(mutex());
            unexpected() << QStringLiteral("%1 (%2)").arg(message, QString::fromLatin1(context.category));
        }
        if (previous_) previous_(type, context, message);
    }

    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static QStringList& unexpected() {
        static QStringList list;
        return list;
    }

    static inline QtMessageHandler previous_ = nullptr;
};

// What a result or basal box may show: nothing (its design state) or a
// result text: up to 15 significant digits with the decimal comma, or the
// exponent form ("1,5E+21"), which reads back as a number.
inline QString resultProblem(const QString& text) {
    static const QRegularExpression format(QStringLiteral(
        R"(\A(?:-?(?:0|[1-9][0-9]*)(?:,[0-9]*[1-9])?|-?[1-9](?:,[0-9]*[1-9])?E[+-][0-9]{2,3})\z)"));
    if (text.isEmpty()) return {};
    if (!format.match(text).hasMatch()) return QStringLiteral("not a result text");
    if (!core::parseLocaleNumber(text.toStdString())) return QStringLiteral("does not read back as a number");
    return {};
}

// One user event: what it does, and whether it may run a computation
// (press a "Calcola" button), the only events after which a result may
// change.
struct Event {
    QString what;
    bool computes = false;
    std::function<void()> perform;
};

// The window under test and what the session checks of it. A window's
// soak fills these in and calls run().
class Session {
  public:
    struct Shown {
        QString name;
        std::function<QString()> text;
    };
    struct Enabling {
        QString name;
        QWidget* widget;
        bool once = false;
    };

    explicit Session(forms::Form* window)
        : window_(window)
        , random_(settings_.seed) {}

    // Boxes and labels that show results: empty, or a valid result text
    // that changes only when a computation ends.
    std::vector<Shown> results;
    // Controls that, once enabled, stay enabled.
    std::vector<Enabling> enablingChain;
    // Buttons that compute, and the one that closes the window: the
    // session never presses the latter.
    std::vector<QPushButton*> computeButtons;
    QPushButton* closeButton = nullptr;
    // Menu and option choices the window offers besides printing and
    // closing, each as a user would make it.
    std::vector<std::pair<QString, std::function<void()>>> choices;
    // Values a user would type into a box (heights, weights, ages), which
    // a computation mostly accepts; other values come from a shared list.
    std::vector<std::pair<QLineEdit*, QStringList>> plausible;

    // Runs the session; a broken invariant fails the current test with the
    // seed and the event's index.
    void run() {
        QVERIFY(window_->windowHandle());
        MessageAnswerer answerer;
        MessageGuard guard;
        Watchdog watchdog;
        std::vector<QString> before = shownTexts();
        for (auto& link : enablingChain) link.once = link.widget->isEnabled();
        QElapsedTimer clock;
        qint64 slowest = -1;
        QString slowestWhat;
        for (int index = 0; index < settings_.events; ++index) {
            Event event = next(index);
            const std::string where = qPrintable(replay(index, event));
            watchdog.arm(where, settings_.deadline);
            clock.start();
            event.perform();
            const qint64 elapsed = clock.elapsed();
            watchdog.disarm();
            if (elapsed > slowest) {
                slowest = elapsed;
                slowestWhat = event.what;
            }
            if (event.computes) ++computations_;

            const QString problem = check(event, before);
            if (!problem.isEmpty())
                QFAIL(qPrintable(problem + QStringLiteral("\n  ") + QString::fromStdString(where)));
        }
        qInfo("soak: %d events, seed %llu: %d possible computations, %d new results, %d messages answered; "
              "slowest event %lld ms: %s",
              settings_.events, settings_.seed, computations_, resultsShown_, int(answerer.texts.size()),
              slowest, qPrintable(slowestWhat));
    }

  private:
    QString replay(int index, const Event& event) const {
        // Put together without arg(): the event's text may hold "%1".
        return QStringLiteral("event %1 of %2, ").arg(index).arg(settings_.events) + event.what +
               QStringLiteral("; replay with SOAK_SEED=%1 SOAK_EVENTS=%2").arg(settings_.seed).arg(index + 1);
    }

    std::vector<QString> shownTexts() const {
        std::vector<QString> texts;
        for (const auto& shown : results) texts.push_back(shown.text());
        return texts;
    }

    QString check(const Event& event, std::vector<QString>& before) {
        QStringList problems;
        const QStringList messages = MessageGuard::take();
        for (const QString& message : messages) problems << QStringLiteral("unexpected message: ") + message;
        if (window_->ProgressBar1->position() != 0.0f)
            problems << QStringLiteral("progress bar left at %1").arg(window_->ProgressBar1->position());
        const std::vector<QString> now = shownTexts();
        if (now != before) ++resultsShown_;
        for (std::size_t k = 0; k < results.size(); ++k) {
            const QString problem = resultProblem(now[k]);
            if (!problem.isEmpty())
                problems
                    << QStringLiteral("%1 shows \"%2\": %3").arg(results[k].name, now[k].left(80), problem);
            if (now[k] != before[k] && !event.computes)
                problems << QStringLiteral("%1 changed from \"%2\" to \"%3\" without a computation")
                                .arg(results[k].name, before[k].left(80), now[k].left(80));
        }
        before = now;
        for (auto& link : enablingChain) {
            if (link.once && !link.widget->isEnabled())
                problems << link.name + QStringLiteral(" was disabled again");
            link.once = link.once || link.widget->isEnabled();
        }
        if (!window_->isVisible()) problems << QStringLiteral("the window closed");
        return problems.join(QStringLiteral("; "));
    }

    // --- the stream of events ---

    int below(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random_)); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    template <class T> const T& pick(const std::vector<T>& items) {
        return items[std::size_t(below(int(items.size())))];
    }

    QWindow* handle() const { return window_->windowHandle(); }
    QWidget* focused() const { return window_->focusWidget(); }

    bool isCompute(const QWidget* widget) const {
        for (const QPushButton* button : computeButtons)
            if (widget == button) return true;
        return false;
    }

    Event next(int index) {
        // Computations are rationed evenly over the session, so that they
        // meet the boxes in every state the session brings.
        const int allowed = index / std::max(1, settings_.eventsPerComputation) + 1;
        for (;;) {
            Event event = candidate();
            // The close button is out of the session (it ends the window).
            if (event.what.isEmpty()) continue;
            if (event.computes && computations_ >= allowed) continue;
            return event;
        }
    }

    Event candidate() {
        const int roll = below(1000);
        if (roll < 300) return typed(digit());
        if (roll < 400) return typed(numberCharacter());
        if (roll < 470) return typed(asciiCharacter());
        if (roll < 520) return typed(foreignLetter());
        if (roll < 600) return controlKey();
        if (roll < 670) return navigationKey();
        if (roll < 700) return clearBox();
        if (roll < 750) return enterValue();
        if (roll < 790) return paste();
        if (roll < 800) return accessKey();
        if (roll < 880) return mouseMove();
        if (roll < 940) return click(false);
        if (roll < 965) return click(true);
        if (roll < 985) return clickAnywhere();
        if (roll < 990) return fillInAndCompute();
        if (!choices.empty()) {
            const auto& choice = pick(choices);
            return {choice.first, false, choice.second};
        }
        return mouseMove();
    }

    // Keys pressed on the window: they reach its focused control, and
    // shortcuts and access keys apply, as with a real keyboard.
    Event key(const QString& what, Qt::Key code, const QString& text, Qt::KeyboardModifiers modifiers = {}) {
        const bool presses = code == Qt::Key_Space || code == Qt::Key_Return || code == Qt::Key_Enter;
        const QWidget* target = focused();
        if (presses && target == closeButton) return {};
        const bool computes = presses && isCompute(target);
        return {what, computes, [this, code, text, modifiers] {
                    QTest::sendKeyEvent(QTest::Click, handle(), code, text, modifiers);
                }};
    }

    static QString printable(const QString& text) {
        QString shown;
        for (const char32_t c : text.left(24).toUcs4()) {
            if (c < 0x20 || c == 0x7f)
                shown += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
            else
                shown += QString::fromUcs4(&c, 1);
        }
        return shown + (text.size() > 24 ? QStringLiteral("...") : QString());
    }

    Event typed(char32_t character) {
        const QString text = QString::fromUcs4(&character, 1);
        Qt::Key code = Qt::Key_unknown;
        if (character < 0x10000) code = Qt::Key(QChar(char16_t(character)).toUpper().unicode());
        return key(QStringLiteral("type \"%1\"").arg(printable(text)), code, text);
    }

    char32_t digit() { return char32_t(U'0' + below(10)); }
    char32_t numberCharacter() {
        static const std::u32string set = U",.,.-+Ee \t";
        return set[std::size_t(below(int(set.size())))];
    }
    char32_t asciiCharacter() { return char32_t(0x20 + below(0x5f)); }
    char32_t foreignLetter() {
        static const std::u32string set =
            U"àèéìòùÀÉßñçøŁЖжΩπ中文日本한٣۳३١٫٬𝟙😀\u00a0\u2212\u2009\u202f\u00b7";
        return set[std::size_t(below(int(set.size())))];
    }

    // Control characters as keys deliver them: Ctrl with a letter, the
    // editing keys, and the bare codes an input method could send.
    Event controlKey() {
        const int roll = below(10);
        if (roll < 4) {
            const char letter = char('A' + below(26));
            const QString text(QChar(char16_t(letter & 0x1F)));
            return key(QStringLiteral("Ctrl+%1").arg(QLatin1Char(letter)),
                       Qt::Key(Qt::Key_A + (letter - 'A')), text, Qt::ControlModifier);
        }
        struct Named {
            const char* name;
            Qt::Key code;
            const char* text;
            Qt::KeyboardModifiers modifiers;
        };
        static const std::vector<Named> keys = {
            {"Backspace", Qt::Key_Backspace, "\b", {}},
            {"Delete", Qt::Key_Delete, "\x7f", {}},
            {"Tab", Qt::Key_Tab, "\t", {}},
            {"Shift+Tab", Qt::Key_Backtab, "", Qt::ShiftModifier},
            {"Return", Qt::Key_Return, "\r", {}},
            {"Enter", Qt::Key_Enter, "\r", Qt::KeypadModifier},
            {"Escape", Qt::Key_Escape, "\x1b", {}},
            {"Space", Qt::Key_Space, " ", {}},
        };
        if (roll < 8) {
            const Named& k = pick(keys);
            return key(QString::fromLatin1(k.name), k.code, QString::fromLatin1(k.text), k.modifiers);
        }
        const char32_t bare = below(4) == 0 ? char32_t(0x7f) : char32_t(below(0x20));
        return key(QStringLiteral("bare control %1").arg(uint(bare)), Qt::Key_unknown,
                   QString::fromUcs4(&bare, 1));
    }

    Event navigationKey() {
        static const std::vector<std::pair<const char*, Qt::Key>> keys = {
            {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},
            {"Down", Qt::Key_Down}, {"Home", Qt::Key_Home},   {"End", Qt::Key_End},
        };
        const auto& [name, code] = pick(keys);
        const bool shift = chance(0.4);
        return key(QStringLiteral("%1%2").arg(shift ? "Shift+" : "", name), code, QString(),
                   shift ? Qt::ShiftModifier : Qt::NoModifier);
    }

    // Emptying a box by keys: to its start, select to the end, delete.
    Event clearBox() {
        return {QStringLiteral("Home, Shift+End, Delete"), false, [this] {
                    QTest::sendKeyEvent(QTest::Click, handle(), Qt::Key_Home, QString(), {});
                    QTest::sendKeyEvent(QTest::Click, handle(), Qt::Key_End, QString(), Qt::ShiftModifier);
                    QTest::sendKeyEvent(QTest::Click, handle(), Qt::Key_Delete, QStringLiteral("\x7f"), {});
                }};
    }

    // Alt with a letter: "&Calcola" makes Alt+C press a "Calcola" button.
    Event accessKey() {
        const char letter = below(3) == 0 ? 'C' : char('A' + below(26));
        const QString text(QChar(char16_t(letter + 32)));
        Event event = key(QStringLiteral("Alt+%1").arg(QLatin1Char(letter)),
                          Qt::Key(Qt::Key_A + (letter - 'A')), text, Qt::AltModifier);
        event.computes = letter == 'C';
        // An access key presses its button for a moment and clicks it when
        // the button comes up again: the event ends with that click, not
        // with the key.
        event.perform = [this, press = event.perform] {
            press();
            if (!QTest::qWaitFor([this] { return !anyComputeButtonDown(); }, 10'000))
                qWarning("a \"Calcola\" button stayed down after its access key");
        };
        return event;
    }

    bool anyComputeButtonDown() const {
        for (const QPushButton* button : computeButtons)
            if (button->isDown()) return true;
        return false;
    }

    // Text for the clipboard: mostly short, sometimes pages of it; numbers,
    // near numbers and every kind of character.
    QString pasteText() {
        static const std::vector<QString> numbers = {
            QStringLiteral("1,75"),     QStringLiteral("70"),      QStringLiteral("-50"),
            QStringLiteral("1E400"),    QStringLiteral("1.234,5"), QStringLiteral("0"),
            QStringLiteral("175"),      QStringLiteral("4E-324"),  QStringLiteral("1,8E308"),
            QStringLiteral(" 30 "),     QStringLiteral("Mt"),      QStringLiteral("NaN"),
            QStringLiteral("inf"),      QStringLiteral("1e5"),     QStringLiteral("2,5\n"),
            QStringLiteral("99999999"),
        };
        if (chance(0.3)) return pick(numbers);
        // Pages are rare: a box holding one lays out all of it on every
        // key, which is Qt's work, not the window's.
        const int roll = below(100);
        const int length = roll < 60 ? below(21) : roll < 97 ? below(2001) : below(100'001);
        QString text;
        text.reserve(length);
        while (text.size() < length) {
            const int kind = below(10);
            char32_t c = kind < 4   ? digit()
                         : kind < 6 ? numberCharacter()
                         : kind < 8 ? asciiCharacter()
                         : kind < 9 ? foreignLetter()
                                    : char32_t(below(0x20));
            text += QString::fromUcs4(&c, 1);
        }
        return text;
    }

    // A value typed into an entry box, as a user fills in the form: click
    // into the box, select what is there, type the value's keys.
    Event enterValue() {
        std::vector<QLineEdit*> boxes = entryBoxes(window_->client());
        if (boxes.empty()) return {};
        return enterValue(pick(boxes));
    }

    std::vector<QLineEdit*> entryBoxes(QWidget* container) const {
        std::vector<QLineEdit*> boxes;
        for (QLineEdit* box : container->findChildren<QLineEdit*>())
            if (box->isVisibleTo(window_) && !box->isReadOnly()) boxes.push_back(box);
        return boxes;
    }

    // The whole of a computation: values into the boxes beside a "Calcola",
    // then a click on it.
    Event fillInAndCompute() {
        if (computeButtons.empty()) return {};
        QPushButton* button = pick(computeButtons);
        std::vector<Event> steps;
        QStringList what;
        for (QLineEdit* box : entryBoxes(button->parentWidget())) {
            steps.push_back(enterValue(box));
            what << steps.back().what;
        }
        const QPoint point = inWindow(button, button->rect().center());
        what << QStringLiteral("click on %1").arg(button->objectName());
        return {what.join(QStringLiteral(", ")), true, [this, steps, point] {
                    for (const Event& step : steps) step.perform();
                    QTest::mouseClick(handle(), Qt::LeftButton, {}, point);
                }};
    }

    Event enterValue(QLineEdit* box) {
        static const std::vector<QString> values = {
            QStringLiteral("1,75"), QStringLiteral("1,6"), QStringLiteral("2,49"), QStringLiteral("2,5"),
            QStringLiteral("70"),   QStringLiteral("64"),  QStringLiteral("0"),    QStringLiteral("250,5"),
            QStringLiteral("175"),  QStringLiteral("160"), QStringLiteral("100"),  QStringLiteral("99"),
            QStringLiteral("25"),   QStringLiteral("18"),  QStringLiteral("19"),   QStringLiteral("61"),
            QStringLiteral("0,5"),  QStringLiteral(",5"),  QStringLiteral("1,"),   QStringLiteral("40"),
        };
        QString value = pick(values);
        for (const auto& [known, typical] : plausible)
            if (known == box && chance(0.7)) value = typical[below(int(typical.size()))];
        if (chance(0.1)) value = QString(1 + below(400), QLatin1Char('9')); // beyond any result's range
        const QPoint point = inWindow(box, box->rect().center());
        return {QStringLiteral("enter \"%1\" into %2").arg(printable(value), box->objectName()), false,
                [this, point, value] {
                    QTest::mouseClick(handle(), Qt::LeftButton, {}, point);
                    QTest::sendKeyEvent(QTest::Click, handle(), Qt::Key_Home, QString(), {});
                    QTest::sendKeyEvent(QTest::Click, handle(), Qt::Key_End, QString(), Qt::ShiftModifier);
                    QTest::sendKeyEvent(QTest::Click, handle(), Qt::Key_Delete, QStringLiteral("\x7f"), {});
                    for (const QChar c : value)
                        QTest::sendKeyEvent(QTest::Click, handle(),
                                            c.isDigit() ? Qt::Key(c.unicode()) : Qt::Key_Comma, QString(c),
                                            {});
                }};
    }

    Event paste() {
        const QString text = pasteText();
        return {QStringLiteral("Shift+Insert of %1 characters \"%2\"").arg(text.size()).arg(printable(text)),
                false, [this, text] {
                    QGuiApplication::clipboard()->setText(text);
                    QTest::sendKeyEvent(QTest::Click, handle(), Qt::Key_Insert, QString(), Qt::ShiftModifier);
                }};
    }

    QPoint randomPoint(const QRect& area) {
        return {area.left() + below(std::max(1, area.width())),
                area.top() + below(std::max(1, area.height()))};
    }

    Event mouseMove() {
        const QPoint point = randomPoint(window_->rect());
        return {QStringLiteral("move the mouse to (%1, %2)").arg(point.x()).arg(point.y()), false,
                [this, point] { QTest::mouseMove(handle(), point); }};
    }

    // A click where the pointer is: whatever control is there takes it.
    Event clickAt(QPoint point, bool twice, const QString& what) {
        const QWidget* target = window_->childAt(point);
        if (target == closeButton) return {};
        return {what, isCompute(target), [this, point, twice] {
                    if (twice)
                        QTest::mouseDClick(handle(), Qt::LeftButton, {}, point);
                    else
                        QTest::mouseClick(handle(), Qt::LeftButton, {}, point);
                }};
    }

    // Clicks on the controls, at any point of them.
    Event click(bool twice) {
        std::vector<QWidget*> controls;
        for (QWidget* widget : window_->client()->findChildren<QWidget*>())
            if (widget->isVisibleTo(window_)) controls.push_back(widget);
        QWidget* control = pick(controls);
        // Only the part of the control its containers show: the weight bar
        // may be far wider than its frame.
        QRect shown(inWindow(control, QPoint()), control->size());
        for (QWidget* container = control->parentWidget(); container != window_;
             container = container->parentWidget())
            shown &= QRect(inWindow(container, QPoint()), container->size());
        if (shown.isEmpty()) return {};
        const QPoint point = randomPoint(shown);
        return clickAt(point, twice,
                       QStringLiteral("%1 on %2 at (%3, %4)")
                           .arg(twice ? "double click" : "click", control->objectName())
                           .arg(point.x())
                           .arg(point.y()));
    }

    // Clicks anywhere in the client area (the menu bar is left to the
    // menu choices).
    Event clickAnywhere() {
        const QRect client(inWindow(window_->client(), QPoint()), window_->client()->size());
        const QPoint point = randomPoint(client);
        return clickAt(point, chance(0.3), QStringLiteral("click at (%1, %2)").arg(point.x()).arg(point.y()));
    }

    forms::Form* window_;
    Settings settings_;
    std::mt19937_64 random_;
    int computations_ = 0;
    int resultsShown_ = 0;
};

// Starts a window as the program does and waits until it is on screen.
template <class Window> Window* showWindow() {
    Window& window = app::show<Window>();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window)) return nullptr;
    return &window;
}

} // namespace soak
