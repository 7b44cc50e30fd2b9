// The three windows driven as a user drives them, through the window system
// (keys, clicks, mouse movement, pastes), one table each: what goes in, and
// what the user sees come out: the result, the message, what is enabled.
#include "controls/accessible.h"
#include "controls/entrybox.h"
#include "controls/label.h"
#include "controls/optionbutton.h"
#include "controls/progressbar.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using controls::EntryBox;
using controls::Label;

namespace {

template <class Control = QWidget> Control* find(QWidget* window, const char* designName) {
    auto* control = window->findChild<Control*>(QLatin1String(designName));
    if (!control) qFatal("no %s", designName);
    return control;
}

// Through the window, as a real pointer: Qt picks the control under it and
// honours modal blocking.
QPoint inWindow(QWidget* widget, QPoint at) { return widget->mapTo(widget->window(), at); }
void moveTo(QWidget* widget, QPoint at) {
    QTest::mouseMove(widget->window()->windowHandle(), inWindow(widget, at));
}
void click(QWidget* widget) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      inWindow(widget, widget->rect().center()));
}

void paste(QWidget* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
}

// The whole value is shown, in whatever font the label chose for it.
void verifyShownWhole(Label* label, const QString& value) {
    QCOMPARE(label->text(), value);
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(value) <= label->contentsRect().width());
    QVERIFY(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name).endsWith(value));
}

// Answers every message box that comes up while it lives, keeping the last text.
struct Messages : QObject {
    Messages() {
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                last = box->text();
                title = box->windowTitle();
                box->accept();
            }
        });
        timer.start(5);
    }
    QString last, title;
    QTimer timer;
};

template <class Window> Window* shown(std::unique_ptr<Window>& window) {
    window = std::make_unique<Window>();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qFatal("window not shown");
    return window.get();
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { controls::installAccessibility(); }
    void cleanup() { form1.reset(), form2.reset(), form3.reset(); }

    void bodyWeight_data() {
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("1,75 m 70 kg") << "1,75"
                                      << "70" << false << "22"
                                      << "";
        QTest::newRow("typed point, 64 kg at 1,6 m") << "1.6"
                                                     << "64" << false << "25"
                                                     << "";
        QTest::newRow("wide result, smaller font") << "0,5"
                                                   << "99999" << false << "399996"
                                                   << "";
        QTest::newRow("widest result") << "0,01"
                                       << "1000000000" << false << "10000000000000"
                                       << "";
        QTest::newRow("2,5 m") << "2,5"
                               << "70" << false << ""
                               << "Statura esagerata!";
        QTest::newRow("0 m") << "0"
                             << "70" << false << ""
                             << "Statura non valida!";
        QTest::newRow("pasted 80.5") << "1,75"
                                     << "80.5" << true << ""
                                     << "Il valore «80.5» non è un numero valido.";
        QTest::newRow("pasted negative") << "1,75"
                                         << "-70" << true << ""
                                         << "Il valore «-70» non è un numero valido.";
        QTest::newRow("too large") << "0,01"
                                   << "1E308" << true << ""
                                   << "Risultato fuori scala: controllare i valori inseriti.";
    }
    void bodyWeight() {
        QFETCH(QString, height);
        QFETCH(QString, weight);
        QFETCH(bool, pasted);
        QFETCH(QString, result);
        QFETCH(QString, message);
        auto* form = shown(form1);
        auto* heightBox = find<EntryBox>(form, "Text1");
        auto* weightBox = find<EntryBox>(form, "Text2");
        auto* compute = find(form, "Command1");
        auto* bar = find<controls::Shape>(form, "Shape1");
        auto* progress = find<controls::ProgressBar>(form, "ProgressBar1");
        QVERIFY(!weightBox->isEnabled());
        click(heightBox);
        QTest::keyClicks(heightBox, height);
        QVERIFY(weightBox->isEnabled() && !compute->isEnabled());
        click(weightBox);
        QTest::keyClicks(weightBox, "7");
        QCOMPARE(bar->widthTwips(), 140);
        weightBox->clear();
        pasted ? paste(weightBox, weight) : QTest::keyClicks(weightBox, weight);
        const int barBefore = bar->widthTwips();
        Messages messages;
        click(compute);
        QCOMPARE(messages.last, message);
        verifyShownWhole(find<Label>(form, "Label6"), result);
        QCOMPARE(progress->position(), 0.0f);
        if (!message.isEmpty()) QCOMPARE(messages.title, "Zelba 1");
        QCOMPARE(bar->widthTwips(), barBefore);
    }

    void bodyWeightKeyboard() {
        auto* form = shown(form1);
        auto* heightBox = find<EntryBox>(form, "Text1");
        auto* weightBox = find<EntryBox>(form, "Text2");
        // The first typing replaces "Mt"; keys with Alt type a comma unless a
        // button takes them; Ctrl+V types a comma too.
        QTest::keyClicks(heightBox, "1");
        QTest::keyClick(heightBox, Qt::Key_Period, Qt::AltModifier);
        QTest::keyClick(heightBox, Qt::Key_C, Qt::AltModifier); // "Calcola" still disabled
        QGuiApplication::clipboard()->setText("99");
        QTest::keyClick(heightBox, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(heightBox->text(), "1,,,");
        heightBox->setText("1,75");
        QTest::keyClick(heightBox, Qt::Key_Tab);
        QCOMPARE(weightBox->selectedText(), "Kg");
        QTest::keyClicks(weightBox, "70");
        QTest::keyClick(weightBox, Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(find<Label>(form, "Label6")->text(), "22");
    }

    // Every position of the sweep is drawn, at every press: 0 to 999, then
    // full, then empty.
    void sweepDrawsEveryPosition() {
        auto* form = shown(form1);
        struct Watch : QObject {
            std::vector<float> painted;
            bool eventFilter(QObject* bar, QEvent* event) override {
                if (event->type() == QEvent::Paint)
                    painted.push_back(qobject_cast<controls::ProgressBar*>(bar)->position());
                return false;
            }
        };
        find<EntryBox>(form, "Text1")->setText("1,75");
        find<EntryBox>(form, "Text2")->setText("70");
        for (int press = 0; press < 2; ++press) {
            Watch watch;
            find(form, "ProgressBar1")->installEventFilter(&watch);
            click(find(form, "Command1"));
            QCOMPARE(watch.painted.size(), 1002u); // 999 is drawn for an instant before full
            QCOMPARE(watch.painted[998], 998.0f);
            QCOMPARE(watch.painted[1000], 1000.0f);
            QCOMPARE(watch.painted[1001], 0.0f);
        }
    }

    void thresholdTableFollowsTheMouse() {
        auto* form = shown(form1);
        auto* table = find(form, "Text3");
        auto* tabella = find(form, "Label2");
        moveTo(tabella, tabella->rect().center());
        QVERIFY(table->isVisible());
        moveTo(find(form, "Text1"), {5, 5}); // an entry box leaves it
        QVERIFY(table->isVisible());
        moveTo(form->client(), {5, 5}); // the window background hides it
        QVERIFY(table->isHidden());
        moveTo(tabella, tabella->rect().center());
        moveTo(table, table->rect().center()); // over the table: its frame hides it
        QVERIFY(table->isHidden());
    }

    // The other windows open modally and start afresh at every opening.
    void windowsOpenModallyAndAfresh() {
        auto* form = shown(form1);
        for (const char* item : {"mnuId", "mnuCal", "mnuId"}) {
            find<QAction>(form, item)->trigger();
            auto* opened = qobject_cast<forms::Form*>(QApplication::activeModalWidget());
            QVERIFY(opened && opened != form);
            QVERIFY(QTest::qWaitForWindowExposed(opened));
            auto* box = find<EntryBox>(opened, "Text1");
            QVERIFY(box->text().isEmpty());
            QTest::keyClicks(box, "17");
            click(find<EntryBox>(form, "Text1")); // the start-up window takes no input meanwhile
            QCOMPARE(find<EntryBox>(form, "Text1")->text(), "Mt");
            find<QAction>(opened, QByteArray(item) == "mnuId" ? "mnuIndietro" : "mnuInd")->trigger();
            QVERIFY(opened->isHidden());
        }
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void idealWeight_data() {
        QTest::addColumn<bool>("woman");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("man 175") << false << "175"
                                 << "75"
                                 << "";
        QTest::newRow("woman 175") << true << "175"
                                   << "71"
                                   << "";
        QTest::newRow("typed point is a comma") << false << "175.5"
                                                << "75,5"
                                                << "";
        QTest::newRow("man at the constant") << false << "100"
                                             << ""
                                             << "Altezza non valida!";
        QTest::newRow("woman 90") << true << "90"
                                  << ""
                                  << "Altezza non valida!";
    }
    void idealWeight() {
        QFETCH(bool, woman);
        QFETCH(QString, height);
        QFETCH(QString, result);
        QFETCH(QString, message);
        auto* form = shown(form2);
        QCOMPARE(form->focusWidget(), find(form, "Command2"));
        auto* box = find<EntryBox>(form, woman ? "Text3" : "Text1");
        auto* compute = find(form, woman ? "Command3" : "Command1");
        QVERIFY(!compute->isEnabled());
        QTest::keyClicks(box, height);
        Messages messages;
        click(compute);
        QCOMPARE(messages.last, message);
        verifyShownWhole(find<Label>(form, "Label5"), result);
        QCOMPARE(find(form, "Label6")->isVisible(), !woman && message.isEmpty());
        QCOMPARE(find(form, "Label7")->isVisible(), woman && message.isEmpty());
    }

    void energy_data() {
        QTest::addColumn<bool>("woman");
        QTest::addColumn<QString>("age");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<int>("activity"); // 0 light, 1 moderate, 2 heavy
        QTest::addColumn<QString>("basal");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("woman 25 60 moderate") << true << "25"
                                              << "60" << 1 << "1378"
                                              << "2259,92"
                                              << "";
        QTest::newRow("man 80 70 heavy") << false << "80"
                                         << "70" << 2 << "1407"
                                         << "2954,7"
                                         << "";
        QTest::newRow("man 30, first band, light") << false << "30"
                                                   << "70" << 0 << "1750"
                                                   << "2712,5"
                                                   << "";
        QTest::newRow("man 30,5, second band") << false << "30,5"
                                               << "70" << 1 << "1691"
                                               << "3009,98"
                                               << "";
        QTest::newRow("wide result") << false << "40"
                                     << "999999999" << 1 << "11600000867,4"
                                     << "20648001543,972"
                                     << "";
        QTest::newRow("18 years") << false << "18"
                                  << "70" << 1 << ""
                                  << ""
                                  << "Il calcolo vale solo per età superiori a 18 anni.";
        QTest::newRow("no weight") << true << "25"
                                   << "" << 1 << ""
                                   << ""
                                   << "Inserire un valore numerico.";
    }
    void energy() {
        QFETCH(bool, woman);
        QFETCH(QString, age);
        QFETCH(QString, weight);
        QFETCH(int, activity);
        QFETCH(QString, basal);
        QFETCH(QString, result);
        QFETCH(QString, message);
        auto* form = shown(form3);
        const char* options[] = {"Option1", "Option2", "Option3", "Option6", "Option5", "Option4"};
        auto* compute = find(form, woman ? "Command2" : "Command3");
        QVERIFY(!compute->isEnabled());
        QTest::keyClicks(find(form, woman ? "Text8" : "Text1"), age);
        QTest::keyClicks(find(form, woman ? "Text10" : "Text9"), weight);
        click(find(form, options[activity + (woman ? 3 : 0)]));
        Messages messages;
        click(compute);
        QCOMPARE(messages.last, message);
        auto* basalBox = find<EntryBox>(form, woman ? "Text5" : "Text4");
        QCOMPARE(basalBox->text(), basal);
        QCOMPARE(basalBox->cursorPosition(), 0); // read from its first digit
        verifyShownWhole(find<Label>(form, "Label8"), result);
        QCOMPARE(find(form, woman ? "Label19" : "Label18")->isVisible(), message.isEmpty());
        QVERIFY(find(form, woman ? "Label18" : "Label19")->isHidden());
    }

    // Too young after a computation: nothing of the earlier one changes or
    // is reused; a new activity shows only at the next computation.
    void energyKeepsWhatItShows() {
        auto* form = shown(form3);
        auto* age = find<EntryBox>(form, "Text1");
        QTest::keyClicks(age, "40");
        QTest::keyClicks(find(form, "Text9"), "70");
        click(find(form, "Command3"));
        QCOMPARE(find<Label>(form, "Label8")->text(), "3009,98");
        auto* moderate = find<controls::OptionButton>(form, "Option2");
        moderate->setFocus();
        QTest::keyClick(moderate, Qt::Key_Down); // arrows move within the group
        QVERIFY(find<controls::OptionButton>(form, "Option3")->isChecked());
        QVERIFY(find<controls::OptionButton>(form, "Option5")->isChecked());
        age->setText("17");
        Messages messages;
        click(find(form, "Command3"));
        QCOMPARE(messages.last, "Il calcolo vale solo per età superiori a 18 anni.");
        QCOMPARE(find<EntryBox>(form, "Text4")->text(), "1691");
        QCOMPARE(find<Label>(form, "Label8")->text(), "3009,98");
        age->setText("40");
        click(find(form, "Command3"));
        QCOMPARE(find<Label>(form, "Label8")->text(), "3551,1");
    }

    // One Tab stop per option group, at its selected option.
    void energyTabOrder() {
        auto* form = shown(form3);
        QTest::keyClick(find(form, "Text1"), Qt::Key_A);
        QStringList order;
        for (int stop = 0; stop < 10; ++stop) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, QStringList({"Text9", "Command1", "Text4", "Command3", "Option2", "Option5", "Text5",
                                     "Text8", "Text10", "Text1"}));
    }

  private:
    std::unique_ptr<forms::Form1> form1;
    std::unique_ptr<forms::Form2> form2;
    std::unique_ptr<forms::Form3> form3;
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
