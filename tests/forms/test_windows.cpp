// The three windows driven as a user drives them, through the window system
// (keys, clicks, mouse movement, pastes), one table each: what goes in, and
// what the user sees come out: the result, the message, what is enabled.
#include "app/theme.h"
#include "app/translation.h"
#include "controls/accessible.h"
#include "controls/entrybox.h"
#include "controls/label.h"
#include "controls/optionbutton.h"
#include "controls/progressbar.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include <QtTest>
#include <QtWidgets>

using controls::EntryBox;
using controls::Label;

namespace {

// A row of a window's table: what is typed (pasted after a "|") and what shows.
struct Row {
    bool woman;
    QString first, second; // height and weight; an age and a weight
    int choice;            // the weight bar in twips; an activity level
    QString basal, result, message;
};

template <class Control = QWidget> Control* find(QWidget* window, const char* designName) {
    auto* control = window->findChild<Control*>(QLatin1String(designName));
    if (!control) qFatal("no %s", designName);
    return control;
}

// Through the window, as a real pointer: Qt picks the control under it and
// honours modal blocking.
void moveTo(QWidget* widget, QPoint at) {
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), at));
}
void click(QWidget* widget) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), widget->rect().center()));
}

void enter(QWidget* box, const QString& text) {
    if (!text.startsWith('|')) return QTest::keyClicks(box, text);
    QGuiApplication::clipboard()->setText(text.mid(1));
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
}

// The whole value is shown, in whatever font the label chose for it, and a
// screen reader is given it whole ("Peso ideale calcolato: 75 (Uomo)").
void verifyShownWhole(Label* label, const QString& value) {
    QCOMPARE(label->text(), value);
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(value) <= label->contentsRect().width());
    auto* accessible = QAccessible::queryAccessibleInterface(label);
    QCOMPARE(accessible->role(), QAccessible::Notification);
    QCOMPARE(accessible->text(QAccessible::Name).section(": ", 1).section(" (", 0, 0), value);
}

// Clicks the button and answers the message box it brings up, if any: its
// text, after a "!" when it shows the warning icon.
QString clickAnswering(QWidget* button) {
    QString text;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            const QString icon = box->icon() == QMessageBox::Warning ? "!" : "";
            text = box->windowTitle() == "Zelba 1" ? icon + box->text() : "untitled";
            box->accept();
        }
    });
    timer.start(5);
    click(button);
    return text;
}

// The bar's position at each of its paints.
struct PaintedPositions : QObject, std::vector<float> {
    explicit PaintedPositions(controls::ProgressBar* bar) { bar->installEventFilter(this); }
    bool eventFilter(QObject* bar, QEvent* event) override {
        if (event->type() == QEvent::Paint) push_back(qobject_cast<controls::ProgressBar*>(bar)->position());
        return false;
    }
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
    void initTestCase() {
        controls::installAccessibility();
        app::installItalianTexts(*qApp); // Qt's own texts are Italian whatever the locale
        app::useLightLook();
        QLineEdit box;
        const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        QVERIFY(menu->actions()[0]->text().startsWith("Ann"));                              // "Annulla"
        QVERIFY(qApp->translate("QPrintPropertiesWidget", "Advanced").startsWith("Avanz")); // Zelba's own
    }
    void cleanup() { form1.reset(), form2.reset(), form3.reset(); }

    void bodyWeight_data() {
        QTest::addColumn<Row>("row");
        QTest::newRow("1,75 m 70 kg") << Row{false, "1,75", "70", 1400, "", "22", ""};
        QTest::newRow("wide result, smaller font") << Row{false, "0,5", "99999", 1'000'000, "", "399996", ""};
        QTest::newRow("2,5 m") << Row{false, "2,5", "70", 1400, "", "", "Statura esagerata!"};
        QTest::newRow("pasted 80.5") << Row{
            false, "1,75", "|80.5", 140, "", "", "!Il valore «80.5» non è un numero valido."};
        QTest::newRow("pasted negative")
            << Row{false, "1,75", "|-70", 140, "", "", "!Il valore «-70» non è un numero valido."};
        QTest::newRow("too large") << Row{false,
                                          "0,01",
                                          "|1E308",
                                          1'000'000,
                                          "",
                                          "",
                                          "!Risultato fuori scala: controllare i valori inseriti."};
    }
    void bodyWeight() {
        QFETCH(Row, row);
        auto* form = shown(form1);
        auto* heightBox = find<EntryBox>(form, "Text1");
        auto* weightBox = find<EntryBox>(form, "Text2");
        auto* compute = find(form, "Command1");
        auto* bar = find<controls::Shape>(form, "Shape1");
        QVERIFY(!weightBox->isEnabled());
        click(heightBox); // clears "Mt"
        QTest::keyClicks(heightBox, row.first);
        QVERIFY(weightBox->isEnabled() && !compute->isEnabled());
        click(weightBox);
        QTest::keyClicks(weightBox, "7");
        QCOMPARE(bar->widthTwips(), 140);
        weightBox->clear();
        enter(weightBox, row.second);
        QCOMPARE(bar->widthTwips(), row.choice); // a text that is not a weight leaves it
        PaintedPositions painted(find<controls::ProgressBar>(form, "ProgressBar1"));
        QCOMPARE(clickAnswering(compute), row.message);
        verifyShownWhole(find<Label>(form, "Label6"), row.result);
        // Every position of the sweep is drawn: 0 to 999, then full, then empty.
        if (!row.result.isEmpty()) QVERIFY(painted.size() == 1002 && painted[1000] == 1000.0f);
        QCOMPARE(painted.empty() ? 0.0f : painted.back(), 0.0f);
    }

    // Any line edit, Qt's dialogs' included, answers every query at once and
    // is read whole: one attribute run over the whole text.
    void lineEditsAnswerEveryTextQuery() {
        QLineEdit edit("2,5 Kg");
        auto* text = QAccessible::queryAccessibleInterface(&edit)->textInterface();
        int start = 0, end = 0;
        for (int boundary = QAccessible::CharBoundary; boundary <= QAccessible::NoBoundary; ++boundary) {
            for (int offset = 0; offset <= 6; ++offset) {
                const auto type = QAccessible::TextBoundaryType(boundary);
                text->textBeforeOffset(offset, type, &start, &end);
                text->textAfterOffset(offset, type, &start, &end);
                QVERIFY(!text->textAtOffset(offset, type, &start, &end).isEmpty() || offset == 6);
            }
        }
        QCOMPARE(text->textAtOffset(6, QAccessible::WordBoundary, &start, &end), "Kg");
        QCOMPARE(text->textBeforeOffset(4, QAccessible::WordBoundary, &start, &end), " ");
        QCOMPARE(text->textAtOffset(1, QAccessible::LineBoundary, &start, &end), "2,5 Kg");
        text->attributes(2, &start, &end);
        QCOMPARE(QPair(start, end), QPair(0, 6));
    }

    // Alt and the arrows show where the keyboard is: on a title, then on the item of its open menu.
    void menuShowsTheKeyboardsPlace() {
        auto* form = shown(form1);
        const auto highlighted = [form](auto* menu, const char* item) {
            const QImage shot = menu->grab(menu->actionGeometry(find<QAction>(form, item))).toImage();
            return shot.pixelColor(3, shot.height() / 2) == qApp->palette().color(QPalette::Highlight);
        };
        QTest::keyClick(form, Qt::Key_Alt, Qt::AltModifier);
        for (auto key : {Qt::Key_Right, Qt::Key_Right}) QTest::keyClick(form->menuBar(), key);
        QVERIFY(highlighted(form->menuBar(), "mnuId"));
        for (auto key : {Qt::Key_Left, Qt::Key_Down}) QTest::keyClick(form->menuBar(), key);
        QVERIFY(highlighted(find<QMenu>(form, "mnuFile"), "mnuStamp"));
    }

    void thresholdTableFollowsTheMouse() {
        auto* form = shown(form1);
        auto* table = find(form, "Text3");
        auto* tabella = find(form, "Label2");
        QCOMPARE(tabella->cursor().shape(), Qt::BitmapCursor); // the pointing hand
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
            QVERIFY(opened && opened != form && QTest::qWaitForWindowExposed(opened));
            auto* box = find<EntryBox>(opened, "Text1");
            QVERIFY(box->text().isEmpty());
            QInputMethodEvent composed; // dead keys and compose go through the filter too
            composed.setCommitString("1.é7");
            QApplication::sendEvent(box, &composed);
            QCOMPARE(box->text(), "1,,7");
            click(find<EntryBox>(form, "Text1")); // the start-up window takes no input meanwhile
            QCOMPARE(find<EntryBox>(form, "Text1")->text(), "Mt");
            find<QAction>(opened, QByteArray(item) == "mnuId" ? "mnuIndietro" : "mnuInd")->trigger();
            QVERIFY(opened->isHidden());
        }
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void idealWeight_data() {
        QTest::addColumn<Row>("row");
        QTest::newRow("man 175") << Row{false, "175", "", 0, "", "75", ""};
        QTest::newRow("woman 175") << Row{true, "175", "", 0, "", "71", ""};
        QTest::newRow("typed point is a comma") << Row{false, "175.5", "", 0, "", "75,5", ""};
        QTest::newRow("woman 90") << Row{true, "90", "", 0, "", "", "Altezza non valida!"};
    }
    void idealWeight() {
        QFETCH(Row, row);
        auto* form = shown(form2);
        auto* compute = find(form, row.woman ? "Command3" : "Command1");
        QVERIFY(!compute->isEnabled());
        QTest::keyClicks(find(form, row.woman ? "Text3" : "Text1"), row.first);
        QCOMPARE(clickAnswering(compute), row.message);
        verifyShownWhole(find<Label>(form, "Label5"), row.result);
        QCOMPARE(find(form, "Label6")->isVisible(), !row.woman && row.message.isEmpty());
        QCOMPARE(find(form, "Label7")->isVisible(), row.woman && row.message.isEmpty());
    }

    void energy_data() {
        QTest::addColumn<Row>("row");
        QTest::newRow("woman 25 60 moderate")
            << Row{true, "25", "60", 1, "1378", "2259,92", ""}; // 1,64 x (60 x 14,7 + 496)
        QTest::newRow("man 80 70 heavy") << Row{false, "80", "70", 2, "1407", "2954,7", ""};
        QTest::newRow("man 30 70 light") << Row{false, "30", "70", 0, "1750", "2712,5", ""};
        QTest::newRow("wide result") << Row{false, "40", "999999999", 1, "11600000867,4", "20648001543,972",
                                            ""};
        QTest::newRow("18 years") << Row{
            false, "18", "70", 1, "", "", "Il calcolo vale solo per età superiori a 18 anni."};
        QTest::newRow("no weight") << Row{true, "25", "", 1, "", "", "!Inserire un valore numerico."};
    }
    void energy() {
        QFETCH(Row, row);
        auto* form = shown(form3);
        const char* options[] = {"Option1", "Option2", "Option3", "Option6", "Option5", "Option4"};
        auto* compute = find(form, row.woman ? "Command2" : "Command3");
        QVERIFY(!compute->isEnabled());
        QTest::keyClicks(find(form, row.woman ? "Text8" : "Text1"), row.first);
        QTest::keyClicks(find(form, row.woman ? "Text10" : "Text9"), row.second);
        click(find(form, options[row.choice + (row.woman ? 3 : 0)]));
        QCOMPARE(clickAnswering(compute), row.message);
        auto* basalBox = find<EntryBox>(form, row.woman ? "Text5" : "Text4");
        QCOMPARE(basalBox->text(), row.basal);
        QCOMPARE(basalBox->cursorPosition(), 0); // read from its first digit
        verifyShownWhole(find<Label>(form, "Label8"), row.result);
        QCOMPARE(find(form, row.woman ? "Label19" : "Label18")->isVisible(), row.message.isEmpty());
        QVERIFY(find(form, row.woman ? "Label18" : "Label19")->isHidden());
    }

    // Too young after a computation: nothing of the earlier one changes or
    // is reused; a new activity shows only at the next computation. Each
    // option group is one Tab stop, and the arrows move within it.
    void energyKeepsWhatItShows() {
        auto* form = shown(form3);
        auto* age = find<EntryBox>(form, "Text1");
        QTest::keyClicks(age, "40");
        QTest::keyClicks(find(form, "Text9"), "70");
        click(find(form, "Command3"));
        QCOMPARE(find<Label>(form, "Label8")->text(), "3009,98");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // from "Calcola"
        QCOMPARE(QApplication::focusWidget(), find(form, "Option2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), find(form, "Option5")); // the woman's group untouched
        QVERIFY(find<controls::OptionButton>(form, "Option3")->isChecked());
        age->setText("17");
        QCOMPARE(clickAnswering(find(form, "Command3")), "Il calcolo vale solo per età superiori a 18 anni.");
        QCOMPARE(find<EntryBox>(form, "Text4")->text(), "1691");
        QCOMPARE(find<Label>(form, "Label8")->text(), "3009,98");
        age->setText("40");
        click(find(form, "Command3"));
        QCOMPARE(find<Label>(form, "Label8")->text(), "3551,1");
    }

  private:
    std::unique_ptr<forms::Form1> form1;
    std::unique_ptr<forms::Form2> form2;
    std::unique_ptr<forms::Form3> form3;
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
