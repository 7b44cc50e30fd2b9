// A long random session of the body-weight window.
#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "soak.h"

#include "app/translation.h"
#include "controls/accessible.h"

using forms::Form1;

class TestSoakForm1 : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void session();
    void cleanupTestCase();

  private:
    Form1* form = nullptr;
};

void TestSoakForm1::initTestCase() {
    app::installItalianTexts(*QCoreApplication::instance());
    controls::installAccessibility();
    form = soak::showWindow<Form1>();
    QVERIFY(form);
}

// The ideal-weight and energy windows open modally from the menu; the
// session closes them at once with their "Chiudi", as a user would, and
// goes on in this window.
template <class Window, class Button> void openAndClose(QAction* item, Button* Window::*close) {
    item->trigger();
    Window* opened = app::windowReference<Window>().data();
    if (!opened || !opened->isVisible()) {
        qWarning("the menu did not open its window");
        return;
    }
    clickMouse(opened->*close);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (app::windowReference<Window>()) qWarning("the window outlived its Chiudi");
}

void TestSoakForm1::session() {
    soak::Session session(form);
    session.results = {{QStringLiteral("Label6 (body-mass value)"), [this] { return form->Label6->text(); }}};
    session.enablingChain = {{QStringLiteral("Text2"), form->Text2},
                             {QStringLiteral("Command1"), form->Command1}};
    session.computeButtons = {form->Command1};
    session.closeButton = form->Command2;
    session.plausible = {{form->Text1, {"1,75", "1,6", "1,82", "2,1", "0,9", "1,5"}},
                         {form->Text2, {"70", "64", "82,5", "120", "45", "3"}}};
    session.choices = {
        {QStringLiteral("menu Peso corporeo"), [this] { form->mnuCrp->trigger(); }},
        {QStringLiteral("menu Peso ideale, then its Chiudi"),
         [this] { openAndClose<forms::Form2>(form->mnuId, &forms::Form2::Command2); }},
        {QStringLiteral("menu Calorie, then its Chiudi"),
         [this] { openAndClose<forms::Form3>(form->mnuCal, &forms::Form3::Command1); }},
    };
    session.run();
}

void TestSoakForm1::cleanupTestCase() { delete form; }

QTEST_MAIN(TestSoakForm1)
#include "test_soak_form1.moc"
