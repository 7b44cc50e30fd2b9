// The control kit driven as a user drives it: keys, clicks and mouse moves
// through Qt Test, each case on a small window of its own.
#include "controls/button.h"
#include "controls/entrybox.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/messagebox.h"
#include "controls/optionbutton.h"
#include "controls/progressbar.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace controls;

namespace {

QTestEventList clicks(std::initializer_list<QKeyCombination> keys) {
    QTestEventList events;
    for (QKeyCombination key : keys) events.addKeyClick(key.key(), key.keyboardModifiers());
    return events;
}

QTestEventList typed(const QString& text) {
    QTestEventList events;
    events.addKeyClicks(text);
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

    QString selection() const {
        QString marks;
        for (const auto& group : options) {
            for (OptionButton* option : group) marks += option->isChecked() ? u'1' : u'0';
            marks += u' ';
        }
        return marks.trimmed();
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
        QTest::newRow("point") << numeric << "" << "" << typed("1.75") << "1,75";
        QTest::newRow("letter") << numeric << "" << "" << typed("a") << ",";
        QTest::newRow("space") << numeric << "" << "" << clicks({Qt::Key_Space}) << ",";
        QTest::newRow("minus") << numeric << "" << "" << typed("-") << ",";
        QTest::newRow("enter") << numeric << "" << "" << clicks({Qt::Key_Enter}) << ",";
        QTest::newRow("escape") << numeric << "" << "" << clicks({Qt::Key_Escape}) << ",";
        // Editing shortcuts type a comma and do nothing else: the clipboard stays as it was.
        QTest::newRow("ctrl+v") << numeric << "" << "123" << clicks({ctrl(Qt::Key_V)}) << ",";
        QTest::newRow("ctrl+c") << numeric << "12" << "ok" << clicks({all, ctrl(Qt::Key_C)}) << ",";
        QTest::newRow("ctrl+x") << numeric << "12" << "ok" << clicks({all, ctrl(Qt::Key_X)}) << ",";
        QTest::newRow("ctrl+z") << numeric << "" << "" << clicks({Qt::Key_5, ctrl(Qt::Key_Z)}) << "5,";
        QTest::newRow("ctrl+h erases") << numeric << "12" << "" << clicks({ctrl(Qt::Key_H)}) << "1";
        QTest::newRow("backspace") << numeric << "12" << "" << clicks({Qt::Key_Backspace}) << "1";
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
        QTest::newRow("text box") << EntryBox::Keys::AsTyped << "" << "" << typed("a.") << "a.";
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

    void keyDown_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("reported");
        for (Qt::Key key : {Qt::Key_7, Qt::Key_A, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Left, Qt::Key_Up})
            QTest::addRow("%s", qPrintable(QKeySequence(key).toString())) << key << true;
        QTest::newRow("tab moves on") << Qt::Key_Tab << false;
    }

    void keyDown() {
        QFETCH(Qt::Key, key);
        QFETCH(bool, reported);
        QWidget window;
        EntryBox* box = numericBox(&window, QStringLiteral("1"));
        QLineEdit next(&window);
        next.move(0, 50);
        QVERIFY(showReady(window, true));
        box->setFocus();
        QSignalSpy keyDowns(box, &EntryBox::keyDown);
        QTest::keyClick(box, key);
        QCOMPARE(keyDowns, reported ? QList<QVariantList>{{int(key)}} : QList<QVariantList>{});
        QCOMPARE(QApplication::focusWidget(), reported ? static_cast<QWidget*>(box) : &next);
    }

    void clickIsCompletedLeftClick_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("releasedInside");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left click") << Qt::LeftButton << true << 1;
        QTest::newRow("right click") << Qt::RightButton << true << 0;
        QTest::newRow("left, released elsewhere") << Qt::LeftButton << false << 0;
    }

    void clickIsCompletedLeftClick() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, releasedInside);
        QWidget window;
        window.resize(200, 100);
        EntryBox* box = numericBox(&window, QStringLiteral("Mt"));
        QVERIFY(showReady(window));
        QSignalSpy clicked(box, &EntryBox::clicked);
        const QPoint inside = box->rect().center();
        QTest::mousePress(box, button, {}, inside);
        QTest::mouseRelease(box, button, {}, releasedInside ? inside : QPoint(box->width() + 20, 50));
        QTEST(int(clicked.count()), "clicks");
    }

    void multiLineBoxKeepsTextAndColours() {
        QWidget window;
        const QString text = QStringLiteral("< 20\tsottopeso\r\n20 - 25\tnormale\r\n");
        MultiLineBox box(&window, "Text3", {120, 120, 3000, 1500}, QString(), text);
        box.setEnabled(false);
        QCOMPARE(box.text(), text);
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
        if (containerMoved) QTRY_VERIFY(!containerSpy.isEmpty());
        if (labelMoved) QTRY_VERIFY(!labelSpy.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(!containerSpy.isEmpty(), containerMoved);
        QCOMPARE(!labelSpy.isEmpty(), labelMoved);
    }

    void frameCaptionLookStaysWithFrame() {
        QWidget window;
        window.setFont(controls::designFont({Face::MsSansSerif, 8.25}));
        Frame frame(&window, "Frame1", {120, 120, 3000, 3000}, QStringLiteral(" Uomo "),
                    {.font = FontSpec{Face::TimesNewRoman, 14.25, true}, .text = QColor(0, 0, 128)});
        Label label(&frame, "Label1", {120, 600, 1500, 300}, QStringLiteral("Altezza"));
        QCOMPARE(label.font(), window.font());
        QCOMPARE(label.palette().color(QPalette::WindowText), window.palette().color(QPalette::WindowText));
    }

    void designFont_data() {
        QTest::addColumn<Face>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("pixels");
        const std::pair<double, int> sizes[] = {{8.25, 11}, {9.75, 13}, {12, 16}, {13.5, 18}, {14.25, 19},
                                                {18, 24}, {20.25, 27}, {24, 32}, {27.75, 37}};
        const Face faces[] = {Face::MsSansSerif, Face::MsSerif, Face::TimesNewRoman};
        int row = 0;
        for (auto [points, pixels] : sizes)
            QTest::addRow("%g pt", points) << faces[row++ % 3] << points << pixels;
    }

    void designFont() {
        QFETCH(Face, face);
        QFETCH(double, points);
        const QFont font = controls::designFont({face, points, true});
        QTEST(font.pixelSize(), "pixels");
        QCOMPARE(font.families().value(0),
                 face == Face::MsSansSerif ? "Liberation Sans" : "Liberation Serif");
        QVERIFY(font.bold());
    }

    void twipsToPixels() {
        QCOMPARE((Twips{120, 6960, 8775, 375}.toPixels()), QRect(8, 464, 585, 25));
        QCOMPARE((Twips{7, 8, 22, 23}.toPixels()), QRect(0, 1, 1, 2)); // to the nearest pixel
    }

    void inputsTakeClicksOverLabels_data() {
        QTest::addColumn<bool>("inFrame");
        QTest::newRow("box of the window") << false;
        QTest::newRow("button of a frame") << true;
    }

    void inputsTakeClicksOverLabels() {
        QFETCH(bool, inFrame);
        QWidget window;
        QWidget* container = inFrame ? new Frame(&window, "Frame1", {0, 0, 6000, 3000}) : &window;
        const Twips where{300, 300, 1500, 450};
        QWidget* input = inFrame ? static_cast<QWidget*>(new Button(container, "Command1", where, "&Calcola"))
                                 : new EntryBox(container, "Text1", where, {}, {}, EntryBox::Keys::Filtered);
        new Label(container, "Label1", {900, 300, 1500, 450}, QStringLiteral("Peso"));
        raiseInputs(&window);
        QCOMPARE(container->childAt(input->geometry().center() + QPoint(input->width() / 4, 0)), input);
    }

    // A click or an arrow key from the selected option of group A.
    void optionSelection_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("click another") << 0 << Qt::Key_unknown << 1;
        QTest::newRow("click the selected one") << 0 << Qt::Key_unknown << 0;
        QTest::newRow("down") << 0 << Qt::Key_Down << 1;
        QTest::newRow("right") << 1 << Qt::Key_Right << 2;
        QTest::newRow("down from the last") << 2 << Qt::Key_Down << 0;
        QTest::newRow("right from the last") << 2 << Qt::Key_Right << 0;
        QTest::newRow("up") << 2 << Qt::Key_Up << 1;
        QTest::newRow("left") << 1 << Qt::Key_Left << 0;
        QTest::newRow("up from the first") << 0 << Qt::Key_Up << 2;
        QTest::newRow("left from the first") << 0 << Qt::Key_Left << 2;
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
        QString expected = QStringLiteral("000 001");
        expected[to] = u'1';
        QCOMPARE(window.selection(), expected);
        QCOMPARE(QApplication::focusWidget(), group[to]);
        QCOMPARE(clicked.count(), 1);
    }

    void optionGroupIsOneTabStop_data() {
        QTest::addColumn<int>("selectedA");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("as built") << 0 << QStringList{"A0", "B2", "button", "edit"};
        QTest::newRow("after selecting the last of A") << 2 << QStringList{"A2", "B2", "button", "edit"};
    }

    void optionGroupIsOneTabStop() {
        QFETCH(int, selectedA);
        QFETCH(QStringList, stops);
        OptionWindow window;
        window.options[0][selectedA]->setChecked(true);
        QVERIFY(showReady(window, true));
        window.edit->setFocus();
        QStringList visited;
        while (visited.size() < stops.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, stops);
    }

    void progressBarPaintsAtOnce() {
        QWidget window;
        ProgressBar bar(&window, "ProgressBar1", {120, 120, 6000, 375}, QString());
        QVERIFY(showReady(window));
        struct : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                paints += event->type() == QEvent::Paint;
                return false;
            }
        } counter;
        bar.installEventFilter(&counter);
        int expected = 0;
        for (float position : {1.0f, 2.0f, 2.0f, 999.0f, 1000.0f, 0.0f}) {
            bar.setPosition(position); // no event loop runs until the next one
            QCOMPARE(counter.paints, ++expected);
            QCOMPARE(bar.position(), position);
        }
    }

    void message_data() {
        QTest::addColumn<MessageTone>("tone");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("plain") << MessageTone::Plain << QMessageBox::NoIcon;
        QTest::newRow("warning") << MessageTone::Warning << QMessageBox::Warning;
    }

    void message() {
        QFETCH(MessageTone, tone);
        QFETCH(QMessageBox::Icon, icon);
        QWidget window;
        QVERIFY(showReady(window));
        // Read while it is up and answered at once: no failed check can leave it open.
        QStringList seen;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() << box->text() << QString::number(box->textFormat())
                     << QString::number(box->icon()) << QString::number(box->standardButtons().toInt())
                     << QString::number(box->buttons().size());
                box->accept();
            }
        });
        answerer.start(5);
        const QString text = QStringLiteral("<b>1 < 2</b>");
        showMessage(&window, text, tone);
        QCOMPARE(seen, (QStringList{"Zelba 1", text, QString::number(Qt::PlainText), QString::number(icon),
                                    QString::number(QMessageBox::Ok), "1"}));
    }
};

QTEST_MAIN(TestControls)
#include "test_controls.moc"
