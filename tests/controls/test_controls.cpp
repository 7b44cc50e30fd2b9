// The control kit driven as a user drives it: keys, clicks and mouse moves
// through Qt Test, each case on a small window of its own.
#include "../forms/support.h"
#include "controls/button.h"
#include "controls/entrybox.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/messagebox.h"
#include "controls/optionbutton.h"

#include <QClipboard>
#include <QSignalSpy>
#include <functional>

using namespace controls;

namespace {

QTestEventList clicks(std::initializer_list<QKeyCombination> keys) {
    QTestEventList events;
    for (QKeyCombination key : keys) events.addKeyClick(key.key(), key.keyboardModifiers());
    return events;
}

// Input that no key click gives: several characters in one event, an
// input method's commit.
QTestEventList delivered(std::function<void(QWidget*)> send) {
    struct Event : QTestEvent {
        std::function<void(QWidget*)> send;
        explicit Event(std::function<void(QWidget*)> s) : send(std::move(s)) {}
        void simulate(QWidget* widget) override { send(widget); }
        QTestEvent* clone() const override { return new Event(send); }
    };
    QTestEventList events;
    events.append(new Event(std::move(send)));
    return events;
}

EntryBox* numericBox(QWidget* window, const QString& text, EntryBox::Keys keys = EntryBox::Keys::Filtered) {
    return new EntryBox(window, "Text1", {120, 120, 1500, 300}, QString(), text, keys);
}

// Shown, and active when keys are to move the focus.
bool showReady(QWidget& window, bool active = false) {
    window.show();
    if (!active) return QTest::qWaitForWindowExposed(&window);
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// A line edit, a frame each for options A0..A2 and B0..B2 (A0 and B2
// selected), a button.
struct OptionWindow : QWidget {
    QLineEdit* edit = new QLineEdit(this);
    OptionButton* options[2][3];

    OptionWindow() {
        edit->setObjectName(QStringLiteral("edit"));
        for (int g = 0; g < 2; ++g) {
            auto* frame = new Frame(this, "Frame", {g * 2250, 450, 2100, 1800});
            auto* group = new OptionGroup(frame);
            for (int i = 0; i < 3; ++i) {
                const QByteArray name = char('A' + g) + QByteArray::number(i);
                options[g][i] = new OptionButton(frame, name.constData(), {150, 300 + i * 450, 1500, 300},
                                                 QString(), QString::fromLatin1(name), *group);
            }
        }
        (new QPushButton(QStringLiteral("OK"), this))->setObjectName(QStringLiteral("button"));
        options[0][0]->setChecked(true);
        options[1][2]->setChecked(true);
        resize(320, 200);
    }
};

} // namespace

class TestControls : public QObject {
    Q_OBJECT
private slots:
    void numericKeys_data() {
        QTest::addColumn<EntryBox::Keys>("keys");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QTestEventList>("events");
        QTest::addColumn<QString>("expected");
        const auto numeric = EntryBox::Keys::Filtered;
        const auto ctrl = [](Qt::Key key) { return Qt::ControlModifier | key; };
        const QKeyCombination all = Qt::ShiftModifier | Qt::Key_Home; // selects the text
        QTest::newRow("point, other characters, enter, escape")
            << numeric << "" << "" << clicks({Qt::Key_1, Qt::Key_Period, Qt::Key_5, Qt::Key_A, Qt::Key_Space,
                                              Qt::Key_Minus, Qt::Key_Enter, Qt::Key_Escape}) << "1,5,,,,,";
        // Editing shortcuts type a comma and do nothing else: the clipboard stays as it was.
        QTest::newRow("ctrl+v, ctrl+z") << numeric << "" << "123"
            << clicks({Qt::Key_5, ctrl(Qt::Key_V), ctrl(Qt::Key_Z)}) << "5,,";
        QTest::newRow("ctrl+c, ctrl+x") << numeric << "12" << "ok"
            << clicks({all, ctrl(Qt::Key_C), all, ctrl(Qt::Key_X)}) << ",";
        QTest::newRow("ctrl+h, backspace") << numeric << "123" << ""
            << clicks({ctrl(Qt::Key_H), Qt::Key_Backspace}) << "1";
        QTest::newRow("delete, as X11 sends it") << numeric << "12" << "" << delivered([](QWidget* box) {
            QTest::keyClick(box, Qt::Key_Home);
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
        }) << "2";
        QTest::newRow("arrows") << numeric << "12" << "" << clicks({Qt::Key_Left, Qt::Key_5, Qt::Key_Right})
                                << "152";
        QTest::newRow("shift+insert pastes as is")
            << numeric << "" << "abc" << clicks({Qt::ShiftModifier | Qt::Key_Insert}) << "abc";
        QTest::newRow("several characters at once") << numeric << "" << "" << delivered([](QWidget* box) {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_1, QStringLiteral("1a2"), Qt::NoModifier);
        }) << "1,2";
        QTest::newRow("input method") << numeric << "" << "" << delivered([](QWidget* box) {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("1.5"));
            QCoreApplication::sendEvent(box, &commit);
        }) << "1,5";
        QTest::newRow("text box") << EntryBox::Keys::AsTyped << "" << ""
                                  << clicks({Qt::Key_A, Qt::Key_Period}) << "a.";
    }

    void numericKeys() {
        QFETCH(EntryBox::Keys, keys);
        QFETCH(QString, initial);
        QFETCH(QString, clipboard);
        QFETCH(QTestEventList, events);
        QGuiApplication::clipboard()->setText(clipboard);
        QWidget window;
        EntryBox* box = numericBox(&window, initial, keys);
        QVERIFY(showReady(window));
        events.simulate(box);
        QTEST(box->text(), "expected");
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    // Click is a left click released over the box.
    void clickIsCompletedLeftClick() {
        QWidget window;
        EntryBox* box = numericBox(&window, QStringLiteral("Mt"));
        QVERIFY(showReady(window));
        QSignalSpy clicked(box, &EntryBox::clicked);
        const QPoint inside = box->rect().center();
        QTest::mouseClick(box, Qt::RightButton, {}, inside);
        QTest::mousePress(box, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(box->width() + 20, 50));
        QCOMPARE(clicked.count(), 0);
        QTest::mouseClick(box, Qt::LeftButton, {}, inside);
        QCOMPARE(clicked.count(), 1);
    }

    void disabledMultiLineBoxKeepsItsColours() {
        QWidget window;
        MultiLineBox box(&window, "Text3", {120, 120, 3000, 1500}, QString(), QStringLiteral("< 20\r\n"));
        box.setEnabled(false);
        const QPalette& colours = box.palette();
        for (auto role : {QPalette::Text, QPalette::Base})
            QCOMPARE(colours.color(QPalette::Disabled, role), colours.color(QPalette::Active, role));
    }

    void mouseMovesReachTheRightWidget_data() {
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("containerMoved");
        QTest::addColumn<bool>("labelMoved");
        QTest::newRow("container") << "Frame1" << true << false;
        QTest::newRow("disabled multi-line box") << "box" << true << false;
        QTest::newRow("label keeps it") << "label" << false << false;
        QTest::newRow("reporting label, only") << "reporting" << false << true;
    }

    void mouseMovesReachTheRightWidget() {
        QFETCH(QString, over);
        QFETCH(bool, containerMoved);
        QFETCH(bool, labelMoved);
        QWidget window;
        window.resize(400, 300);
        Frame container(&window, "Frame1", {0, 0, 6000, 4500});
        container.reportMouseMoves();
        MultiLineBox box(&container, "box", {150, 300, 1500, 900}, QString(), QStringLiteral("a\r\nb"));
        box.setEnabled(false);
        Label label(&container, "label", {150, 1500, 1500, 450}, QStringLiteral("Peso"));
        Label reporting(&container, "reporting", {150, 2250, 1500, 450}, QStringLiteral("Tabella"));
        reporting.reportMouseMoves();
        QVERIFY(showReady(window));
        auto* target = window.findChild<QWidget*>(over);
        QTest::mouseMove(&window, QPoint(390, 290)); // Qt drops a move to where the pointer already is
        QSignalSpy containerSpy(&container, &Surface::mouseMoved);
        QSignalSpy labelSpy(&reporting, &Label::mouseMoved);
        QTest::mouseMove(target, target->rect().center());
        QCOMPARE(!containerSpy.isEmpty(), containerMoved);
        QCOMPARE(!labelSpy.isEmpty(), labelMoved);
    }

    // Points are meant at 96 dpi; each face maps to a free one.
    void designFont_data() {
        QTest::addColumn<Face>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QString>("family");
        QTest::newRow("MS Sans Serif") << Face::MsSansSerif << 8.25 << 11 << "Liberation Sans";
        QTest::newRow("MS Serif") << Face::MsSerif << 9.75 << 13 << "Liberation Serif";
        QTest::newRow("Times New Roman") << Face::TimesNewRoman << 27.75 << 37 << "Liberation Serif";
    }

    void designFont() {
        QFETCH(Face, face);
        QFETCH(double, points);
        const QFont font = controls::designFont({face, points, true});
        QTEST(font.pixelSize(), "pixels");
        QTEST(font.families().value(0), "family");
        QVERIFY(font.bold());
    }

    void twipsRoundToTheNearestPixel() { QCOMPARE((Twips{7, 8, 22, 23}.toPixels()), QRect(0, 1, 1, 2)); }

    // Where a label overlaps a button, even in a frame, the button takes the
    // mouse (for a box, see the body-weight window's test).
    void buttonsTakeClicksOverLabels() {
        QWidget window;
        auto* frame = new Frame(&window, "Frame1", {0, 0, 6000, 3000});
        auto* button = new Button(frame, "Command1", {300, 300, 1500, 450}, "&Calcola");
        new Label(frame, "Label1", {900, 300, 1500, 450}, QStringLiteral("Peso"));
        raiseInputs(&window);
        QCOMPARE(frame->childAt(button->geometry().center() + QPoint(button->width() / 4, 0)), button);
    }

    // A click or an arrow key from an option of group A; the arrows wrap round.
    void optionSelection_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("click another") << 0 << Qt::Key_unknown << 1;
        QTest::newRow("down") << 0 << Qt::Key_Down << 1;
        QTest::newRow("right from the last") << 2 << Qt::Key_Right << 0;
        QTest::newRow("up from the first") << 0 << Qt::Key_Up << 2;
        QTest::newRow("left") << 1 << Qt::Key_Left << 0;
    }

    void optionSelection() {
        QFETCH(int, from);
        QFETCH(Qt::Key, key);
        QFETCH(int, to);
        OptionWindow window;
        OptionButton* const* group = window.options[0];
        group[from]->setChecked(true);
        QVERIFY(showReady(window, true));
        group[from]->setFocus();
        QSignalSpy clicked(group[to], &QAbstractButton::clicked);
        if (key == Qt::Key_unknown)
            QTest::mouseClick(group[to], Qt::LeftButton, {}, QPoint(6, group[to]->height() / 2)); // the mark
        else
            QTest::keyClick(group[from], key);
        QString selection;
        for (const auto& options : window.options)
            for (OptionButton* option : options) selection += option->isChecked() ? u'1' : u'0';
        QString expected = QStringLiteral("000001"); // group B keeps its own
        expected[to] = u'1';
        QCOMPARE(selection, expected);
        QCOMPARE(QApplication::focusWidget(), group[to]);
        QCOMPARE(clicked.count(), 1);
    }

    // Tab stops once in each group, at its selected option.
    void optionGroupIsOneTabStop() {
        OptionWindow window;
        window.options[0][2]->setChecked(true);
        QVERIFY(showReady(window, true));
        window.edit->setFocus();
        QStringList visited;
        for (int stop = 0; stop < 4; ++stop) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"A2", "B2", "button", "edit"}));
    }

    // Icons by tone: see the handlers' test.
    void messageIsPlainTextWithTitleAndOk() {
        QWidget window;
        QVERIFY(showReady(window));
        // Read while it is up and answered at once: no failed check can leave it open.
        QStringList seen;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = QStringList{box->windowTitle(), box->text(), QString::number(box->textFormat()),
                                   QString::number(box->standardButtons().toInt())};
                box->accept();
            }
        });
        answerer.start(5);
        const QString text = QStringLiteral("<b>1 < 2</b>");
        showMessage(&window, text, MessageTone::Warning);
        QCOMPARE(seen, (QStringList{"Zelba 1", text, QString::number(Qt::PlainText),
                                    QString::number(QMessageBox::Ok)}));
    }
};

QTEST_MAIN(TestControls)
#include "test_controls.moc"
