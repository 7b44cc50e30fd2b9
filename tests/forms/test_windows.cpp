// The three windows driven as a user drives them, through the window system
// (keys, clicks, mouse movement, pastes), one table each. After every row the
// whole window is checked as the user sees it: every box, every label, what
// is enabled, the weight bar, and the message box (or that none opened).
// Expected values are worked out from the windows' formulas by hand.
#include "app/fixedsize.h"
#include "app/theme.h"
#include "app/translation.h"
#include "controls/accessible.h"
#include "controls/label.h"
#include "controls/progressbar.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include <QtTest>
#include <QtWidgets>

using controls::Label;

namespace {

template <class Control = QWidget> Control* find(QWidget* window, const char* designName) {
    auto* control = window->findChild<Control*>(QLatin1String(designName));
    if (!control) qFatal("no %s", designName);
    return control;
}
QString text(QWidget* window, const char* box) { return find<QLineEdit>(window, box)->text(); }
bool shows(QWidget* window, const char* control) { return find(window, control)->isVisible(); }
bool enabled(QWidget* window, const char* control) { return find(window, control)->isEnabled(); }

// Through the window, as a real pointer: Qt picks the control under it and
// honours modal blocking.
void moveTo(QWidget* widget, QPoint at) {
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), at));
}
void click(QWidget* widget) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), widget->rect().center()));
}

// What a row types into a box and what the box then shows: "keys=shown", or
// just the keys when they show as typed. "|text" pastes the text; "{Home}"
// and the like press a key that types no character.
struct Entry {
    QString keys, shown;
    explicit Entry(const QString& row)
        : keys(row.section('=', 0, 0))
        , shown(row.contains('=') ? row.section('=', 1) : QString(keys).remove('|')) {}
};

void type(QWidget* box, const QString& keys) {
    static const QMap<QString, Qt::Key> named{{"Home", Qt::Key_Home},    {"End", Qt::Key_End},
                                              {"Left", Qt::Key_Left},    {"Right", Qt::Key_Right},
                                              {"Del", Qt::Key_Delete},   {"Bksp", Qt::Key_Backspace},
                                              {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}};
    if (keys.startsWith('|')) {
        QGuiApplication::clipboard()->setText(keys.mid(1));
        return QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    }
    for (int at = 0; at < keys.size(); ++at) {
        const int close = keys.indexOf('}', at);
        if (keys[at] != '{')
            QTest::keyClicks(box, keys.mid(at, 1));
        else
            QTest::keyClick(box, named.value(keys.mid(at + 1, close - at - 1))), at = close;
    }
}

// The message box a click brings up, answered: its text, after "!" when it
// shows the warning icon; anything but the program's title and one OK button
// is reported as such. Empty when none opened.
QString clickAnswering(QWidget* button) {
    QString message;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->icon() == QMessageBox::Warning  ? "!" + box->text()
                      : box->icon() == QMessageBox::NoIcon ? box->text()
                                                           : "another icon";
            if (box->windowTitle() != "Zelba 1" || box->buttons().size() != 1 ||
                box->standardButtons() != QMessageBox::Ok || box->textFormat() != Qt::PlainText)
                message = "not the program's message box: " + message;
            box->accept();
        }
    });
    timer.start(5);
    click(button);
    return message;
}

// The bar's position at each of its paints.
struct PaintedPositions : QObject, std::vector<float> {
    explicit PaintedPositions(QWidget* bar) { bar->installEventFilter(this); }
    bool eventFilter(QObject* bar, QEvent* event) override {
        if (event->type() == QEvent::Paint) push_back(qobject_cast<controls::ProgressBar*>(bar)->position());
        return false;
    }
};

// Runs "Calcola" and checks its sweep and result label: every position drawn
// (0 to 999, then full, then empty) when it gives a result, none when it
// stops with a message; the whole value shown, in whatever font the label
// chose for it, and given whole to a screen reader with its details
// ("Peso ideale calcolato: 75 (Uomo)"). Returns the message box's text, as
// clickAnswering.
QString compute(QWidget* window, const char* button, const char* resultLabel, const QString& result,
                const QString& details = {}) {
    PaintedPositions painted(find(window, "ProgressBar1"));
    const QString message = clickAnswering(find(window, button));
    const std::vector<float> sweep{painted.begin(), painted.end()};
    std::vector<float> designed;
    if (message.isEmpty() && !result.isEmpty()) {
        for (int position = 0; position <= 999; ++position) designed.push_back(float(position));
        designed.insert(designed.end(), {1000, 0});
    }
    auto* label = find<Label>(window, resultLabel);
    const auto* accessible = QAccessible::queryAccessibleInterface(label);
    const QString heard = accessible->text(QAccessible::Name).section(": ", 1);
    if (sweep != designed) return "the sweep drew " + QString::number(sweep.size()) + " positions";
    if (label->text() != result || accessible->role() != QAccessible::Notification ||
        heard != (result.isEmpty() || details.isEmpty() ? result : result + " (" + details + ")"))
        return "shown " + label->text() + ", heard " + accessible->text(QAccessible::Name);
    if (QFontMetrics(label->font()).horizontalAdvance(result) > label->contentsRect().width())
        return result + " does not fit";
    return message;
}

// How the design draws the controls, as "Name colour words, Name ...": a pixel of its colour (its
// text's, its caption's, its outline's), its text "centred" or at its "left", its border or none, and
// its face ("on" a colour; else whatever lies behind it). In device pixels, at any scale: a border shows
// where the pixel under the middle of the top and side edges is darker than the face, none where it is
// the face. Each line of text, a band of rows holding anything but the face, lies at its place within
// two pixels at the scale and one device pixel.
void verifyLooks(QWidget* window, const QString& looks) {
    static const QMap<QString, QRgb> colours{
        {"navy", 0xff000080},      {"maroon", 0xff800000}, {"darkRed", 0xff400000},
        {"purple", 0xff800080},    {"blue", 0xff0000c0},   {"grey", 0xffc0c0c0},
        {"lightGrey", 0xffe0e0e0}, {"peach", 0xffffe0c0},  {"magenta", 0xffc000c0}};
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = image.devicePixelRatio();
    for (const QString& look : looks.split(", ")) {
        const QStringList words = look.split(' ');
        // The colour after "on"; with no "on" the name, which is no colour.
        const QRgb ink = colours.value(words.value(1)),
                   designedFace = colours.value(words.value(words.indexOf("on") + 1));
        const QByteArray name = words[0].toLatin1();
        const QWidget* control = find(window, name);
        const QRectF at(QPointF(control->mapTo(window, QPoint())) * ratio, QSizeF(control->size()) * ratio);
        const QImage shot = image.copy(at.toRect());
        const auto *bits = reinterpret_cast<const QRgb*>(shot.constBits()),
                   *end = bits + shot.sizeInBytes() / 4;
        const int inset = qCeil(3 * ratio);
        const QRgb face = shot.pixel(inset, inset);
        QVERIFY2((!designedFace || face == designedFace) && (!ink || std::count(bits, end, ink)), name);
        for (QPointF edge : {QPointF(at.center().x(), at.top() + 0.5 * ratio),
                             QPointF(at.left() + 0.5 * ratio, at.center().y()),
                             QPointF(at.right() - 0.5 * ratio, at.center().y())}) {
            const QRgb shown = image.pixel(int(edge.x()), int(edge.y()));
            QVERIFY2(!words.contains("bordered") || qGray(shown) < qGray(face) - 20, name);
            QVERIFY2(!words.contains("borderless") || shown == face, name);
        }
        const bool centred = words.contains("centred");
        for (int y = inset, left = shot.width(), right = -1;
             (centred || words.contains("left")) && y < shot.height(); ++y) {
            bool inRow = false;
            for (int x = inset; y < shot.height() - inset && x < shot.width() - inset; ++x)
                if (shot.pixel(x, y) != face)
                    left = std::min(left, x), right = std::max(right, x), inRow = true;
            if (inRow || right < 0) continue; // a line going on, or none yet
            const int off = left - (centred ? shot.width() - 1 - right : inset);
            QVERIFY2(qAbs(off) <= 2 * ratio + 1, qPrintable(QString("%1 is %2 px off").arg(look).arg(off)));
            left = shot.width(), right = -1;
        }
    }
}

template <class Window> Window* shown(std::unique_ptr<Window>& window) {
    window = std::make_unique<Window>();
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qFatal("window not shown");
    return window.get();
}

// The weight bar's width in pixels: 20 twips a kilogram, 15 twips a pixel.
// A bar past its frame is clipped by it: it shows as far as the frame goes,
// 137 px (the frame is 2415 twips wide, the bar starts at 360).
int barShown(QWidget* window) {
    const QWidget* bar = find(window, "Shape1");
    return std::min(bar->width(), bar->parentWidget()->width() - bar->x());
}

// A table's rows, one struct a row, named.
template <class Row> void rows(std::initializer_list<std::pair<const char*, Row>> table) {
    QTest::addColumn<Row>("row");
    for (const auto& [name, row] : table) QTest::newRow(name) << row;
}

// What a row types, pastes or presses (see Entry) and what the window then shows.
struct BodyWeight {
    QString height, weight, result;
    int bar; // in pixels
    QString message = {};
};
struct IdealWeight {
    bool woman;
    QString height, result, message = {};
};
struct Energy {
    bool woman;
    QString age, weight;
    int level; // light, moderate, heavy
    QString coefficient, constant, basal, result, message = {};
};

// The activity factors of the design's table, light to heavy.
const QStringList manFactors{"1,55", "1,78", "2,10"}, womanFactors{"1,56", "1,64", "1,82"};

} // namespace

class TestWindows : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        controls::installAccessibility();
        app::installItalianTexts(*qApp); // Qt's own texts are Italian whatever the locale
        app::useLightLook();
        app::keepFixedSizes(*qApp);
        QLineEdit box;
        const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        QVERIFY(menu->actions()[0]->text().startsWith("Ann"));                              // "Annulla"
        QVERIFY(qApp->translate("QPrintPropertiesWidget", "Advanced").startsWith("Avanz")); // Zelba's own
    }
    void cleanup() { form1.reset(), form2.reset(), form3.reset(); }

    // Height and weight typed (after a click, which empties the box), then
    // "Calcola": the value, the bar in pixels and the message.
    void bodyWeight_data() {
        rows<BodyWeight>({
            {"as designed", {"", "", "", 33}},
            {"1,75 m 70 kg", {"1,75", "70", "22", 93}},
            {"2 m 80 kg", {"2", "80", "20", 107}},
            {"64 kg at 1,6 m is 25", {"1,6", "64", "25", 85}},
            {"editing keys; Enter and Escape type a comma",
             {"9175{Home}{Del}{Right}{Enter}{End}0{Bksp}=1,75", "7{Home}8{Del}{End}0{Esc}=80,", "26", 107}},
            {"typed point", {"1.75=1,75", "70.5=70,5", "23", 94}},
            {"wide result, smaller font", {"0,5", "99999", "399996", 137}},
            {"no height", {"1{Bksp}=", "70", "", 93}},
            {"no weight", {"1,75", "7{Bksp}=", "", 9}},
            {"2,5 m", {"2,5", "70", "", 93, "Statura esagerata!"}},
            {"centimetres", {"175", "70", "", 93, "Statura esagerata!"}},
            {"0 m", {"0", "70", "", 93, "Statura non valida!"}},
            {"pasted negative height", {"|-1,75", "70", "", 93, "Statura non valida!"}},
            {"pasted 1.75", {"|1.75", "70", "", 93, "!Il valore «1.75» non è un numero valido."}},
            {"pasted 80.5", {"1,75", "|80.5", "", 33, "!Il valore «80.5» non è un numero valido."}},
            {"pasted negative weight", {"1,75", "|-70", "", 33, "!Il valore «-70» non è un numero valido."}},
            {"too large",
             {"0,01", "|1E308", "", 137, "!Risultato fuori scala: controllare i valori inseriti."}},
        });
    }
    void bodyWeight() {
        QFETCH(BodyWeight, row);
        auto* form = shown(form1);
        const Entry height(row.height), weight(row.weight);
        if (!row.height.isEmpty()) click(find(form, "Text1")), type(find(form, "Text1"), height.keys);
        if (!row.weight.isEmpty()) click(find(form, "Text2")), type(find(form, "Text2"), weight.keys);
        QCOMPARE(compute(form, "Command1", "Label6", row.result), row.message);
        QCOMPARE(text(form, "Text1"), row.height.isEmpty() ? "Mt" : height.shown);
        QCOMPARE(text(form, "Text2"), row.weight.isEmpty() ? "Kg" : weight.shown);
        QCOMPARE(enabled(form, "Text2"), !row.height.isEmpty());
        QCOMPARE(enabled(form, "Command1"), !row.weight.isEmpty());
        QCOMPARE(barShown(form), row.bar);
        if (!row.result.isEmpty()) verifyLooks(form, "Label6 navy centred bordered");
        QVERIFY(!shows(form, "Text3"));
    }

    // The table shows while the pointer is on "Tabella" (a pointing hand, its
    // tip at 12, 1) or elsewhere in its frame, and hides over the window's
    // background or the middle frame, the table itself included.
    void thresholdTableFollowsTheMouse() {
        auto* form = shown(form1);
        auto* table = find<QPlainTextEdit>(form, "Text3");
        auto* tabella = find(form, "Label2");
        QCOMPARE(table->toPlainText(), "                          \n     25 = Sovrappeso\n     30 = Obesità\n"
                                       "     35 = Allarmante\n     40 = Pericolo di vita!\n");
        QCOMPARE(tabella->cursor().hotSpot(), QPoint(12, 1));
        QCOMPARE(tabella->cursor().pixmap().size(), QSize(32, 32));
        moveTo(tabella, tabella->rect().center());
        QVERIFY(table->isVisible() && !table->isEnabled());
        verifyLooks(form,
                    "Text3 on peach bordered, Label1 darkRed centred bordered, Label4 darkRed centred "
                    "bordered, Label5 darkRed centred borderless, Label6 bordered, Shape1 purple on magenta");
        moveTo(find(form, "Text1"), {5, 5}); // an entry box leaves it
        QVERIFY(table->isVisible());
        moveTo(form->client(), {5, 5}); // the window background hides it
        QVERIFY(table->isHidden());
        moveTo(tabella, tabella->rect().center());
        moveTo(table, table->rect().center()); // over the table: its frame hides it
        QVERIFY(table->isHidden());
    }

    // A man's or a woman's height typed, then their "Calcola".
    void idealWeight_data() {
        rows<IdealWeight>({
            {"as designed", {false, "", ""}},
            {"man 175", {false, "175", "75"}},
            {"woman 175", {true, "175", "71"}},
            {"typed point is a comma", {false, "175.5=175,5", "75,5"}},
            {"woman 90", {true, "90", "", "Altezza non valida!"}},
            {"woman 104", {true, "104", "", "Altezza non valida!"}},
            {"woman 104,5", {true, "104,5", "0,5"}},
            {"no height", {true, "1{Bksp}=", ""}},
            {"pasted", {false, "|1.75", "", "!Il valore «1.75» non è un numero valido."}},
        });
    }
    void idealWeight() {
        QFETCH(IdealWeight, row);
        const bool woman = row.woman, typed = !row.height.isEmpty();
        auto* form = shown(form2);
        const Entry height(row.height);
        if (typed) type(find(form, woman ? "Text3" : "Text1"), height.keys);
        QCOMPARE(
            compute(form, woman ? "Command3" : "Command1", "Label5", row.result, woman ? "Donna" : "Uomo"),
            row.message);
        QCOMPARE(text(form, "Text1"), woman ? "" : height.shown);
        QCOMPARE(text(form, "Text3"), woman ? height.shown : "");
        QCOMPARE(text(form, "Text2") + text(form, "Text4"), "100104"); // hidden, as designed
        QCOMPARE(enabled(form, "Command1"), !woman && typed);
        QCOMPARE(enabled(form, "Command3"), woman && typed);
        QCOMPARE(shows(form, "Label6"), !woman && !row.result.isEmpty()); // "Uomo"
        QCOMPARE(shows(form, "Label7"), woman && !row.result.isEmpty());  // "Donna"
        QVERIFY(!shows(form, "Text2") && !shows(form, "Text4"));
        if (!row.result.isEmpty())
            verifyLooks(form, QString("Label5 navy on grey centred bordered, ") +
                                  (woman ? "Label7 purple centred" : "Label6 navy centred"));
    }

    // A man's or a woman's age and weight typed, an activity chosen, then
    // "Calcola": the band's coefficient and constant, the basal metabolism
    // (weight x coefficient + constant), the expenditure (factor x basal).
    void energy_data() {
        rows<Energy>({
            {"man 30 light", {false, "30", "70", 0, "15,3", "679", "1750", "2712,5"}},
            {"man 40 moderate", {false, "40", "70", 1, "11,6", "879", "1691", "3009,98"}},
            {"man 65 light", {false, "65", "70", 0, "11,9", "700", "1533", "2376,15"}},
            {"man 80 heavy", {false, "80", "70", 2, "8,4", "819", "1407", "2954,7"}},
            {"woman 25 moderate", {true, "25", "60", 1, "14,7", "496", "1378", "2259,92"}},
            {"woman 30,5 light", {true, "30,5", "60", 0, "8,7", "829", "1351", "2107,56"}},
            {"woman 65 heavy", {true, "65", "60", 2, "9,2", "688", "1240", "2256,8"}},
            {"woman 75 light", {true, "75", "60", 0, "9,8", "624", "1212", "1890,72"}},
            {"wide result", {false, "40", "999999999", 1, "11,6", "879", "11600000867,4", "20648001543,972"}},
            {"man 18",
             {false, "18", "70", 2, "", "", "", "", "Il calcolo vale solo per età superiori a 18 anni."}},
            {"no age", {true, "1{Bksp}=", "60", 1, "", "", "", "", "!Inserire un valore numerico."}},
            {"no weight", {true, "25", "", 1, "14,7", "496", "", "", "!Inserire un valore numerico."}},
            {"pasted negative weight",
             {false, "40", "|-70", 1, "11,6", "879", "", "", "!Il valore «-70» non è un numero valido."}},
            {"too large",
             {false, "40", "|1E308", 1, "11,6", "879", "", "",
              "!Risultato fuori scala: controllare i valori inseriti."}},
        });
    }
    void energy() {
        QFETCH(Energy, row);
        const bool woman = row.woman;
        const int level = row.level;
        auto* form = shown(form3);
        // The man's boxes and options, then the woman's, as the window names them.
        const std::array<const char*, 9> man{"Text1",  "Text9",   "Text2",   "Text3",  "Text4",
                                             "Text11", "Option1", "Option2", "Option3"},
            her{"Text8", "Text10", "Text7", "Text6", "Text5", "Text12", "Option6", "Option5", "Option4"};
        const auto& sex = woman ? her : man;
        const auto& other = woman ? man : her;
        const Entry ageEntry(row.age), weightEntry(row.weight);
        type(find(form, sex[0]), ageEntry.keys);
        type(find(form, sex[1]), weightEntry.keys);
        click(find(form, sex[6 + level]));
        QCOMPARE(compute(form, woman ? "Command2" : "Command3", "Label8", row.result,
                         QString(woman ? "Donna" : "Uomo") + "; metabolismo basale: " + row.basal),
                 row.message);
        QCOMPARE(QStringList({text(form, sex[0]), text(form, sex[1])}),
                 QStringList({ageEntry.shown, weightEntry.shown}));
        QCOMPARE(QStringList({text(form, sex[2]), text(form, sex[3]), text(form, sex[4])}),
                 QStringList({row.coefficient, row.constant, row.basal}));
        QCOMPARE(text(form, sex[5]), (woman ? womanFactors : manFactors)[level]);
        for (int option = 0; option < 3; ++option)
            QCOMPARE(find<QRadioButton>(form, sex[6 + option])->isChecked(), option == level);
        for (int box = 0; box < 5; ++box) QCOMPARE(text(form, other[box]), "");
        QCOMPARE(text(form, other[5]), (woman ? manFactors : womanFactors)[1]);
        QVERIFY(find<QRadioButton>(form, other[7])->isChecked());
        QCOMPARE(enabled(form, "Command3"), !woman);
        QCOMPARE(enabled(form, "Command2"), woman);
        QCOMPARE(shows(form, "Label18"), !woman && !row.result.isEmpty()); // "Uomo"
        QCOMPARE(shows(form, "Label19"), woman && !row.result.isEmpty());  // "Donna"
        for (const char* hidden : {sex[2], sex[3], sex[5], other[2], other[3], other[5]})
            QVERIFY(!shows(form, hidden));
        if (!row.result.isEmpty())
            verifyLooks(form,
                        QString("Label8 navy centred bordered, %1 blue on lightGrey centred, ").arg(sex[4]) +
                            (woman ? "Label19 purple centred" : "Label18 navy centred"));
    }

    // A result that fits after one that did not is in the design's font
    // again. Too young after a computation: nothing of the earlier one
    // changes or is reused; a new activity shows only at the next
    // computation. Each option group is one Tab stop, and the arrows move
    // within it.
    void energyKeepsWhatItShows() {
        auto* form = shown(form3);
        auto *age = find(form, "Text1"), *weight = find(form, "Text9"), *result = find(form, "Label8");
        const QFont designed = result->font();
        QTest::keyClicks(age, "40"), QTest::keyClicks(weight, "999999999");
        QCOMPARE(
            compute(form, "Command3", "Label8", "20648001543,972", "Uomo; metabolismo basale: 11600000867,4"),
            "");
        QVERIFY(result->font().pixelSize() < designed.pixelSize());
        QTest::keyClick(weight, Qt::Key_Home, Qt::ShiftModifier), QTest::keyClicks(weight, "70");
        QCOMPARE(compute(form, "Command3", "Label8", "3009,98", "Uomo; metabolismo basale: 1691"), "");
        QCOMPARE(result->font(), designed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // from "Calcola"
        QCOMPARE(QApplication::focusWidget(), find(form, "Option2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), find(form, "Option5")); // the woman's group untouched
        QCOMPARE(text(form, "Text11"), "2,10");
        QCOMPARE(find<Label>(form, "Label8")->text(), "3009,98");
        QTest::keyClick(age, Qt::Key_Home), QTest::keyClick(age, Qt::Key_Delete), type(age, "1{Del}7");
        QCOMPARE(compute(form, "Command3", "Label8", "3009,98", "Uomo; metabolismo basale: 1691"),
                 "Il calcolo vale solo per età superiori a 18 anni.");
        QCOMPARE(text(form, "Text4") + " " + text(form, "Text2"), "1691 11,6");
        type(age, "{Bksp}{Bksp}40");
        QCOMPARE(compute(form, "Command3", "Label8", "3551,1", "Uomo; metabolismo basale: 1691"),
                 ""); // 2,10 x 1691
        QTest::keyClicks(find(form, "Text8"), "25"), QTest::keyClicks(find(form, "Text10"), "60");
        QCOMPARE(compute(form, "Command2", "Label8", "2259,92", "Donna; metabolismo basale: 1378"),
                 ""); // now the woman's: "Donna" alone
        QVERIFY(!shows(form, "Label18") && shows(form, "Label19"));
    }

    // Where each window starts the keyboard, and where Tab takes it from
    // there: disabled and hidden controls skipped, an option group one stop.
    void tabOrder() {
        const auto order = [](QWidget*) {
            QStringList visited{QApplication::focusWidget()->objectName()};
            for (int step = 0; step < 9; ++step) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited << QApplication::focusWidget()->objectName();
            }
            return visited.join(' ');
        };
        QCOMPARE(order(shown(form1)),
                 "Text1 Command2 Text1 Command2 Text1 Command2 Text1 Command2 Text1 Command2");
        QCOMPARE(order(shown(form2)),
                 "Command2 Text1 Text3 Command2 Text1 Text3 Command2 Text1 Text3 Command2");
        QCOMPARE(order(shown(form3)), "Text1 Text9 Command1 Text4 Option2 Option5 Text5 Text8 Text10 Text1");
    }

    // Any line edit, Qt's dialogs' included, answers every query at once and
    // is read whole: one attribute run over the whole text.
    void lineEditsAnswerEveryTextQuery() {
        QLineEdit edit("2,5 Kg");
        auto* text = QAccessible::queryAccessibleInterface(&edit)->textInterface();
        int start = 0, end = 0;
        for (int boundary = QAccessible::CharBoundary; boundary <= QAccessible::NoBoundary; ++boundary)
            for (int offset = 0; offset <= 6; ++offset) {
                const auto type = QAccessible::TextBoundaryType(boundary);
                text->textBeforeOffset(offset, type, &start, &end),
                    text->textAfterOffset(offset, type, &start, &end);
                QVERIFY(!text->textAtOffset(offset, type, &start, &end).isEmpty() || offset == 6);
            }
        QCOMPARE(text->textAtOffset(6, QAccessible::WordBoundary, &start, &end), "Kg");
        QCOMPARE(text->textBeforeOffset(4, QAccessible::WordBoundary, &start, &end), " ");
        QCOMPARE(text->textAtOffset(1, QAccessible::LineBoundary, &start, &end), "2,5 Kg");
        text->attributes(2, &start, &end);
        QCOMPARE(QPair(start, end), QPair(0, 6));
        text->setCursorPosition(2);
        QCOMPARE(edit.cursorPosition(), 2);
        edit.setReadOnly(true); // a screen reader may read it, not write it
        auto* readOnly = QAccessible::queryAccessibleInterface(&edit);
        QVERIFY(!readOnly->editableTextInterface() && !readOnly->state().editable &&
                readOnly->state().readOnly);
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

    // The other windows open modally over the start-up window, centred or,
    // larger than the screen's free area, with their title bar in its corner,
    // and start afresh at every opening, after their "Chiudi", their close
    // box or "<< Peso corporeo".
    void windowsOpenModallyAndAfresh() {
        auto* form = shown(form1);
        const auto close = [](QWidget* window, int how) {
            if (how == 0)
                return click(
                    find(window, window->windowTitle().endsWith("Calorie") ? "Command1" : "Command2"));
            if (how == 1) return void(window->close());
            find<QAction>(window, window->windowTitle().endsWith("Calorie") ? "mnuInd" : "mnuIndietro")
                ->trigger();
        };
        for (int how = 0; how < 3; ++how) {
            for (const char* item : {"mnuId", "mnuCal"}) {
                find<QAction>(form, item)->trigger();
                auto* opened = qobject_cast<forms::Form*>(QApplication::activeModalWidget());
                QVERIFY(opened && opened != form && QTest::qWaitForWindowExposed(opened));
                QCOMPARE(opened->windowHandle()->transientParent(), form->windowHandle());
                const QRect free = opened->screen()->availableGeometry();
                const bool larger = opened->width() > free.width() || opened->height() > free.height();
                QCOMPARE(larger ? opened->frameGeometry().topLeft() : opened->geometry().center(),
                         larger ? free.topLeft() : free.center());
                verifyLooks(opened,
                            QString("Frame1 navy, Frame2 purple, ") +
                                (item == QByteArray("mnuId")
                                     ? "Label3 darkRed, Label1 maroon centred bordered, Label2 maroon "
                                       "centred bordered, Label5 bordered on grey"
                                     : "Label7 darkRed, Label1 maroon centred bordered, Label15 maroon "
                                       "centred bordered, Label17 maroon centred borderless, Label8 "
                                       "bordered, Label3 left, Label12 left, Text4 on lightGrey"));
                auto* box = find(opened, "Text1");
                QCOMPARE(text(opened, "Text1"), "");
                QInputMethodEvent composed; // dead keys and compose go through the filter too
                composed.setCommitString("1.é7");
                QApplication::sendEvent(box, &composed);
                QCOMPARE(text(opened, "Text1"), "1,,7");
                click(find(form, "Text1")); // the start-up window takes no input meanwhile
                QCOMPARE(text(form, "Text1"), "Mt");
                const QPointer<QWidget> gone = opened;
                close(opened, how);
                QTRY_VERIFY(!gone);
            }
        }
        QVERIFY(!QApplication::activeModalWidget());
    }

    // "Chiudi" and the close box of the start-up window end the program at
    // once. Last: ending it ends every event loop still to come in this test.
    void startUpWindowEndsTheProgram() {
        for (bool closeBox : {false, true}) {
            auto* form = shown(form1);
            QTimer::singleShot(0, form, [form, closeBox] {
                closeBox ? void(form->close()) : click(find(form, "Command2"));
            });
            QTimer failing;
            failing.callOnTimeout([] { QCoreApplication::exit(1); });
            failing.start(5000);
            QCOMPARE(QCoreApplication::exec(), 0);
        }
    }

  private:
    std::unique_ptr<forms::Form1> form1;
    std::unique_ptr<forms::Form2> form2;
    std::unique_ptr<forms::Form3> form3;
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
