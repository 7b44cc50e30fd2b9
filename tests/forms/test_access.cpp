// Everyone can use Zelba: a screen reader finds a name and the right role
// for every control, every computation can be done with the keyboard alone,
// and Qt's own texts are Italian whatever the user's locale.
#include "app/lifecycle.h"
#include "app/translation.h"
#include "controls/accessible.h"
#include "controls/entrybox.h"
#include "controls/frame.h"
#include "controls/optionbutton.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "support.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace forms;

class TestAccess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void everyControlNamedAndRoled_data();
    void everyControlNamedAndRoled();
    void resultsAreRead();
    void bodyWeightByKeyboard();
    void idealWeightByKeyboard();
    void energyByKeyboard();
    void menusByKeyboard();
    void qtTextsAreItalian();

private:
    Form1* startWith(QWidget** window, const QString& which);
};

void TestAccess::initTestCase() {
    app::installItalianTexts(*QCoreApplication::instance());
    controls::installAccessibility();
    QAccessible::setActive(true);
}

void TestAccess::cleanup() {
    delete app::windowReference<Form3>().data();
    delete app::windowReference<Form2>().data();
    delete app::windowReference<Form1>().data();
}

Form1* TestAccess::startWith(QWidget** window, const QString& which) {
    Form1* form1 = &app::show<Form1>();
    *window = form1;
    if (which == "Form2") {
        form1->mnuId->trigger();
        *window = app::windowReference<Form2>();
    } else if (which == "Form3") {
        form1->mnuCal->trigger();
        *window = app::windowReference<Form3>();
    }
    return form1;
}

void TestAccess::everyControlNamedAndRoled_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("body weight") << "Form1";
    QTest::newRow("ideal weight") << "Form2";
    QTest::newRow("energy") << "Form3";
}

// Walks the accessibility tree as a screen reader does and checks each of
// the window's controls: the role its kind calls for, and a name, except a
// separator line or an empty decorative label, which say nothing.
void TestAccess::everyControlNamedAndRoled() {
    QFETCH(QString, window);
    QWidget* form = nullptr;
    startWith(&form, window);
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QRegularExpression control(QStringLiteral("^(Text|Label|Command|Frame|Option|Shape|Line|ProgressBar)\\d+$"));
    const std::pair<const char*, QAccessible::Role> roles[] = {
        {"controls::EntryBox", QAccessible::EditableText}, {"controls::MultiLineBox", QAccessible::EditableText},
        {"controls::Label", QAccessible::StaticText},      {"QPushButton", QAccessible::Button},
        {"controls::OptionButton", QAccessible::RadioButton}, {"controls::Frame", QAccessible::Grouping},
        {"controls::Shape", QAccessible::Graphic},         {"controls::Line", QAccessible::Separator},
        {"controls::ProgressBar", QAccessible::ProgressBar}};
    int checked = 0;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (!child) continue;
            QObject* object = child->object();
            if (object && control.match(object->objectName()).hasMatch()) {
                const QString what = object->objectName() + " (" + object->metaObject()->className() + ")";
                const auto expected = std::find_if(std::begin(roles), std::end(roles), [&](const auto& role) {
                    return object->inherits(role.first);
                });
                QVERIFY2(expected != std::end(roles), qPrintable("unknown kind: " + what));
                QVERIFY2(child->role() == expected->second,
                         qPrintable(QString("role of %1: %2").arg(what).arg(int(child->role()))));
                const bool silent = child->role() == QAccessible::Separator ||
                                    (child->role() == QAccessible::StaticText && child->text(QAccessible::Name).isEmpty() &&
                                     qobject_cast<QLabel*>(object)->text().isEmpty() &&
                                     !object->property("zelbaResult").isValid());
                QVERIFY2(silent || !child->text(QAccessible::Name).trimmed().isEmpty(), qPrintable("no name: " + what));
                ++checked;
            }
            walk(child);
        }
    };
    walk(QAccessible::queryAccessibleInterface(form));
    QCOMPARE(checked, form->findChildren<QWidget*>(control).size());
}

void TestAccess::resultsAreRead() {
    QWidget* window = nullptr;
    Form1* form = startWith(&window, "Form1");
    form->Text1->setText("1,75");
    form->Text2->setText("70");
    auto* result = QAccessible::queryAccessibleInterface(form->Label6);
    QCOMPARE(result->text(QAccessible::Name), QStringLiteral("Valore peso corporeo"));
    form->Command1->click();
    QCOMPARE(result->text(QAccessible::Name), QStringLiteral("Valore peso corporeo: 22"));
}

// The keys a user without a mouse presses, sent to the window as a keyboard
// would send them.
static void press(QWidget* window, const QString& keys) {
    for (const QString& key : keys.split(' ', Qt::SkipEmptyParts)) {
        if (key == "Tab") QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
        else if (key == "Backtab") QTest::keyClick(window->windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
        else if (key == "Shift") QTest::keyClick(window->windowHandle(), Qt::Key_Shift);
        else if (key == "Space") QTest::keyClick(window->windowHandle(), Qt::Key_Space);
        else if (key == "Enter") QTest::keyClick(window->windowHandle(), Qt::Key_Return);
        else if (key == "Down") QTest::keyClick(window->windowHandle(), Qt::Key_Down);
        else
            for (QChar c : key) QTest::keyClick(window->windowHandle(), c.toLatin1());
    }
}

void TestAccess::bodyWeightByKeyboard() {
    QWidget* window = nullptr;
    Form1* form = startWith(&window, "Form1");
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    // Shift wakes the weight box; Tab selects its design text, so typing
    // replaces it; back in the height box the same.
    press(form, "Shift Tab 70 Backtab 1.75 Tab Tab Enter");
    QCOMPARE(form->Text1->text(), QStringLiteral("1,75"));
    QCOMPARE(form->Label6->text(), QStringLiteral("22"));
}

void TestAccess::idealWeightByKeyboard() {
    QWidget* window = nullptr;
    startWith(&window, "Form2");
    auto* form = static_cast<Form2*>(window);
    QVERIFY(QTest::qWaitForWindowActive(form));
    press(form, "Tab 175 Tab Tab Space");
    QCOMPARE(form->Label5->text(), QStringLiteral("75"));
    QVERIFY(form->Label6->isVisible());
}

void TestAccess::energyByKeyboard() {
    QWidget* window = nullptr;
    startWith(&window, "Form3");
    auto* form = static_cast<Form3*>(window);
    QVERIFY(QTest::qWaitForWindowActive(form));
    // Age, weight, past "Chiudi" and the basal box to the man's "Calcola",
    // on to his activity options: heavy, then back to "Calcola".
    press(form, "40 Tab 70 Tab Tab Tab Tab Down Backtab Space");
    QCOMPARE(form->Text11->text(), QStringLiteral("2,10"));
    QCOMPARE(form->Label8->text(), QStringLiteral("3551,1"));
}

void TestAccess::menusByKeyboard() {
    QWidget* window = nullptr;
    Form1* form = startWith(&window, "Form1");
    QApplication::setActiveWindow(form);
    QVERIFY(QTest::qWaitForWindowActive(form));
    // Alt alone moves to the menu bar, the arrows go along it, Enter opens.
    QTest::keyClick(form->windowHandle(), Qt::Key_Alt);
    QTRY_VERIFY(form->menuBar()->activeAction());
    QTest::keyClick(form->menuBar(), Qt::Key_Right);
    QTest::keyClick(form->menuBar(), Qt::Key_Right);
    QCOMPARE(form->menuBar()->activeAction(), form->mnuId);
    QTest::keyClick(form->menuBar(), Qt::Key_Return);
    QTRY_VERIFY(app::windowReference<Form2>());
}

void TestAccess::qtTextsAreItalian() {
    controls::EntryBox box(nullptr, "Text1", {0, 0, 1500, 300}, "prova", "", controls::EntryBox::Keys::Filtered);
    std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions()) texts << action->text().remove('&').section('\t', 0, 0);
    for (const char* expected : {"Annulla", "Taglia", "Copia", "Incolla"})
        QVERIFY2(texts.contains(expected), qPrintable(texts.join(", ")));

    QPrinter printer;
    QPrintDialog dialog(&printer);
    QStringList buttons;
    for (auto* button : dialog.findChildren<QPushButton*>()) buttons << button->text().remove('&');
    QVERIFY2(buttons.contains("Stampa") && buttons.contains("Annulla"), qPrintable(buttons.join(", ")));
}

QTEST_MAIN(TestAccess)
#include "test_access.moc"
