// A long random session of the ideal-weight window.
#include "forms/form2.h"
#include "soak.h"

#include "app/translation.h"
#include "controls/accessible.h"

using forms::Form2;

class TestSoakForm2 : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void session();
    void cleanupTestCase();

  private:
    Form2* form = nullptr;
};

void TestSoakForm2::initTestCase() {
    app::installItalianTexts(*QCoreApplication::instance());
    controls::installAccessibility();
    form = soak::showWindow<Form2>();
    QVERIFY(form);
}

// Its menu only prints and closes: the session makes no menu choice here.
void TestSoakForm2::session() {
    soak::Session session(form);
    session.results = {{QStringLiteral("Label5 (ideal weight)"), [this] { return form->Label5->text(); }}};
    session.enablingChain = {{QStringLiteral("Command1"), form->Command1},
                             {QStringLiteral("Command3"), form->Command3}};
    session.computeButtons = {form->Command1, form->Command3};
    session.closeButton = form->Command2;
    session.plausible = {{form->Text1, {"175", "182", "160", "190,5", "150"}},
                         {form->Text3, {"165", "158", "170", "149,5", "180"}}};
    session.run();
}

void TestSoakForm2::cleanupTestCase() { delete form; }

QTEST_MAIN(TestSoakForm2)
#include "test_soak_form2.moc"
