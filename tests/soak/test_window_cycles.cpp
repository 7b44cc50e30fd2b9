// Opening and closing the ideal-weight and energy windows a thousand times
// from the menu leaves nothing behind: each closing unloads its window, and
// the process's resident memory stays where it was after a warm-up. Under
// the sanitizer build, LeakSanitizer checks the same cycles at exit, and
// the resident memory, which its allocator keeps for itself, is not
// compared.
#include "../forms/support.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include "app/lifecycle.h"
#include "app/translation.h"
#include "controls/accessible.h"

#include <QFile>
#include <QTest>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
constexpr bool memoryIsOurs = false;
#else
constexpr bool memoryIsOurs = true;
#endif

using forms::Form1;

namespace {

// Resident memory of this process, in KiB, after returning freed memory
// to the system.
qint64 residentKib() {
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

} // namespace

class TestWindowCycles : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void openAndCloseLeavesNothing();
    void cleanupTestCase();

  private:
    template <class Window, class Button> void cycle(QAction* item, Button* Window::*close);
    void cycles(int count);

    Form1* form = nullptr;
    qsizetype topLevels = 0;
};

void TestWindowCycles::initTestCase() {
    app::installItalianTexts(*QCoreApplication::instance());
    controls::installAccessibility();
    form = &app::show<Form1>();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    topLevels = QApplication::topLevelWidgets().size();
}

// One opening from the menu and one closing with the window's "Chiudi":
// afterwards the window is gone, and so is every top-level widget it made.
template <class Window, class Button> void TestWindowCycles::cycle(QAction* item, Button* Window::*close) {
    item->trigger();
    QPointer<Window> opened = app::windowReference<Window>();
    QVERIFY(opened);
    QVERIFY(QTest::qWaitForWindowExposed(opened.data()));
    QVERIFY(opened->isModal());
    clickMouse((*opened).*close);
    QVERIFY(!opened || opened->isHidden()); // the click's own event processing may have deleted it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!opened);
    QVERIFY(!app::windowReference<Window>());
    QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
}

void TestWindowCycles::cycles(int count) {
    for (int k = 0; k < count; ++k) {
        cycle<forms::Form2>(form->mnuId, &forms::Form2::Command2);
        if (QTest::currentTestFailed()) return;
        cycle<forms::Form3>(form->mnuCal, &forms::Form3::Command1);
        if (QTest::currentTestFailed()) return;
    }
}

void TestWindowCycles::openAndCloseLeavesNothing() {
    // Fonts, glyphs and styles are cached on first use: the warm-up pays
    // for them before the measure starts.
    cycles(50);
    if (QTest::currentTestFailed()) return;
    const qint64 before = residentKib();
    cycles(1000);
    if (QTest::currentTestFailed()) return;
    const qint64 after = residentKib();
    qInfo("resident memory: %lld KiB before 1000 cycles, %lld KiB after", before, after);
    if (memoryIsOurs) {
        QVERIFY(before > 0 && after > 0);
        QVERIFY2(after - before < 2048, qPrintable(QStringLiteral("grew by %1 KiB").arg(after - before)));
    }
}

void TestWindowCycles::cleanupTestCase() { delete form; }

QTEST_MAIN(TestWindowCycles)
#include "test_window_cycles.moc"
