// A long random session of the energy window.
#include "forms/form3.h"
#include "soak.h"

#include "app/translation.h"
#include "controls/accessible.h"

using forms::Form3;

class TestSoakForm3 : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void session();
    void cleanupTestCase();

  private:
    Form3* form = nullptr;
};

void TestSoakForm3::initTestCase() {
    app::installItalianTexts(*QCoreApplication::instance());
    controls::installAccessibility();
    form = soak::showWindow<Form3>();
    QVERIFY(form);
}

// The activity options are chosen with the mouse more often than a random
// click would: each choice rewrites a factor the next computation reads.
// The menu only prints and closes.
void TestSoakForm3::session() {
    soak::Session session(form);
    session.results = {
        {QStringLiteral("Label8 (energy expenditure)"), [this] { return form->Label8->text(); }},
        {QStringLiteral("Text4 (man's basal metabolism)"), [this] { return form->Text4->text(); }},
        {QStringLiteral("Text5 (woman's basal metabolism)"), [this] { return form->Text5->text(); }},
    };
    session.enablingChain = {{QStringLiteral("Command3"), form->Command3},
                             {QStringLiteral("Command2"), form->Command2}};
    session.computeButtons = {form->Command3, form->Command2};
    session.closeButton = form->Command1;
    session.plausible = {{form->Text1, {"25", "35", "45", "70", "19", "18"}},
                         {form->Text9, {"70", "82", "95,5", "60"}},
                         {form->Text8, {"22", "40", "55", "80", "17"}},
                         {form->Text10, {"55", "62,5", "70", "48"}}};
    for (controls::OptionButton* option :
         {form->Option1, form->Option2, form->Option3, form->Option4, form->Option5, form->Option6})
        session.choices.push_back(
            {QStringLiteral("choose %1").arg(option->objectName()), [option] { clickMouse(option); }});
    session.run();
}

void TestSoakForm3::cleanupTestCase() { delete form; }

QTEST_MAIN(TestSoakForm3)
#include "test_soak_form3.moc"
