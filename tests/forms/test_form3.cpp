// The energy window: age bands, the basal metabolism and the expenditure
// through the activity options, refusals, keyboard use of the options.
#include "app/lifecycle.h"
#include "forms/form1.h"
#include "forms/form3.h"
#include "support.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using forms::Form1;
using forms::Form3;

class TestForm3 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void designState();
    void keysEnable_data();
    void keysEnable();
    void compute_data();
    void compute();
    void youngAgeReusesNothing();
    void optionsWriteFactorOnly();
    void optionsByKeyboard();
    void reopensInDesignState();
    void printsOnePage();

private:
    Form3* form = nullptr;
    Form1* form1 = nullptr;
};

void TestForm3::init() {
    form1 = &app::show<Form1>();
    QVERIFY(QTest::qWaitForWindowExposed(form1));
    form1->mnuCal->trigger();
    form = app::windowReference<Form3>();
    QVERIFY(form);
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

void TestForm3::cleanup() {
    controls::PrinterDialog::answerWith({});
    delete app::windowReference<Form3>().data();
    delete form1;
}

void TestForm3::designState() {
    QCOMPARE(form->windowTitle(), QStringLiteral("Zelba 1 - Calorie"));
    QVERIFY(form->isModal());
    QCOMPARE(form->geometry(), form1->geometry());
    QStringList menu;
    for (QAction* action : form->menuBar()->actions()) menu << action->text();
    QCOMPARE(menu, QStringList({"<< Peso corporeo", "File"}));
    QCOMPARE(form->mnuFile->actions(), QList<QAction*>{form->mnuStampa});
    QCOMPARE(form->focusWidget(), form->Text1);
    QVERIFY(form->Option2->isChecked() && form->Option5->isChecked());
    QVERIFY(!form->Option1->isChecked() && !form->Option3->isChecked());
    QVERIFY(!form->Option4->isChecked() && !form->Option6->isChecked());
    QCOMPARE(form->Text11->text(), QStringLiteral("1,78"));
    QCOMPARE(form->Text12->text(), QStringLiteral("1,64"));
    for (QWidget* hidden : std::initializer_list<QWidget*>{form->Text2, form->Text3, form->Text11, form->Text6,
                                                           form->Text7, form->Text12, form->Label18, form->Label19})
        QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
    QVERIFY(form->Text4->isReadOnly() && form->Text5->isReadOnly());
    QVERIFY(!form->Command3->isEnabled() && !form->Command2->isEnabled());
    QVERIFY(form->Label8->text().isEmpty());
    // Option buttons show only their mark; the levels are the labels beside.
    QCOMPARE(form->Option1->width(), 17);
    QVERIFY(form->Option1->geometry().right() < form->Label4->geometry().left());
    // Caption fonts and colours stay on the frames.
    QCOMPARE(form->Label2->font(), form->font());
    QCOMPARE(form->Label2->palette().color(QPalette::WindowText), form->palette().color(QPalette::WindowText));
}

void TestForm3::keysEnable_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("man");
    QTest::addColumn<bool>("woman");
    QTest::newRow("man's age") << "Text1" << true << false;
    QTest::newRow("woman's age") << "Text8" << false << true;
    QTest::newRow("man's weight") << "Text9" << false << false;
    QTest::newRow("woman's weight") << "Text10" << false << false;
}

void TestForm3::keysEnable() {
    QFETCH(QString, box);
    QFETCH(bool, man);
    QFETCH(bool, woman);
    QTest::keyClick(form->findChild<QWidget*>(box), Qt::Key_Right);
    QCOMPARE(form->Command3->isEnabled(), man);
    QCOMPARE(form->Command2->isEnabled(), woman);
}

void TestForm3::compute_data() {
    QTest::addColumn<bool>("man");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("coefficient");
    QTest::addColumn<QString>("constant");
    QTest::addColumn<QString>("basal");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("woman 25 60 moderate") << false << "25" << "60" << "Option5" << "14,7" << "496" << "1378" << "2259,92" << "";
    QTest::newRow("woman 25 60 light") << false << "25" << "60" << "Option6" << "14,7" << "496" << "1378" << "2149,68" << "";
    QTest::newRow("man 40 70 moderate") << true << "40" << "70" << "Option2" << "11,6" << "879" << "1691" << "3009,98" << "";
    QTest::newRow("man 80 70 heavy") << true << "80" << "70" << "Option3" << "8,4" << "819" << "1407" << "2954,7" << "";
    QTest::newRow("man 30: first band") << true << "30" << "70" << "Option2" << "15,3" << "679" << "1750" << "3115" << "";
    QTest::newRow("man 30,5: second band") << true << "30,5" << "70" << "Option2" << "11,6" << "879" << "1691" << "3009,98" << "";
    QTest::newRow("woman 60: second band") << false << "60" << "50" << "Option4" << "8,7" << "829" << "1264" << "2300,48" << "";
    QTest::newRow("woman 74: third band") << false << "74" << "50" << "Option5" << "9,2" << "688" << "1148" << "1882,72" << "";
    QTest::newRow("man 75: fourth band") << true << "75" << "70" << "Option1" << "8,4" << "819" << "1407" << "2180,85" << "";
    QTest::newRow("man 18") << true << "18" << "70" << "Option2" << "" << "" << "" << ""
                            << "Il calcolo vale solo per età superiori a 18 anni.";
    QTest::newRow("empty age") << true << "" << "70" << "Option2" << "" << "" << "" << "" << "Inserire un valore numerico.";
    QTest::newRow("unreadable age") << false << ",," << "70" << "Option5" << "" << "" << "" << ""
                                    << "Il valore «,,» non è un numero valido.";
    QTest::newRow("empty weight") << false << "25" << "" << "Option5" << "14,7" << "496" << "" << ""
                                  << "Inserire un valore numerico.";
    QTest::newRow("pasted negative weight") << true << "40" << "-70" << "Option2" << "11,6" << "879" << "" << ""
                                            << "Il valore «-70» non è un numero valido.";
    QTest::newRow("weight beyond range") << true << "40" << "1E308" << "Option2" << "11,6" << "879" << "" << ""
                                         << "Risultato fuori scala: controllare i valori inseriti.";
}

void TestForm3::compute() {
    QFETCH(bool, man);
    QFETCH(QString, age);
    QFETCH(QString, weight);
    QFETCH(QString, option);
    QFETCH(QString, coefficient);
    QFETCH(QString, constant);
    QFETCH(QString, basal);
    QFETCH(QString, result);
    QFETCH(QString, message);
    MessageAnswerer answerer;
    clickMouse(form->findChild<QWidget*>(option));
    (man ? form->Text1 : form->Text8)->setText(age);
    (man ? form->Text9 : form->Text10)->setText(weight);
    QAbstractButton* calcola = man ? form->Command3 : form->Command2;
    calcola->setEnabled(true);
    clickMouse(calcola);
    QCOMPARE((man ? form->Text2 : form->Text7)->text(), coefficient);
    QCOMPARE((man ? form->Text3 : form->Text6)->text(), constant);
    QCOMPARE((man ? form->Text4 : form->Text5)->text(), basal);
    QCOMPARE(form->Label8->text(), result);
    QCOMPARE(answerer.last(), message);
    QCOMPARE(form->Label18->isVisible(), !result.isEmpty() && man);
    QCOMPARE(form->Label19->isVisible(), !result.isEmpty() && !man);
    QCOMPARE(form->ProgressBar1->position(), 0.0f);
}

// Right after a computation for 40 years, 17 years is refused and nothing
// shown changes; the earlier band is not reused.
void TestForm3::youngAgeReusesNothing() {
    MessageAnswerer answerer;
    QTest::keyClicks(form->Text1, "40");
    QTest::keyClicks(form->Text9, "70");
    clickMouse(form->Command3);
    QCOMPARE(form->Label8->text(), QStringLiteral("3009,98"));
    form->Text1->setText("17");
    clickMouse(form->Command3);
    QCOMPARE(answerer.last(), QStringLiteral("Il calcolo vale solo per età superiori a 18 anni."));
    QCOMPARE(form->Text2->text(), QStringLiteral("11,6"));
    QCOMPARE(form->Text3->text(), QStringLiteral("879"));
    QCOMPARE(form->Text4->text(), QStringLiteral("1691"));
    QCOMPARE(form->Label8->text(), QStringLiteral("3009,98"));
}

void TestForm3::optionsWriteFactorOnly() {
    QTest::keyClicks(form->Text1, "40");
    QTest::keyClicks(form->Text9, "70");
    clickMouse(form->Command3);
    QCOMPARE(form->Label8->text(), QStringLiteral("3009,98"));

    const struct {
        const char* option;
        const char* man;
        const char* woman;
    } clicks[] = {{"Option3", "2,10", "1,64"}, {"Option1", "1,55", "1,64"}, {"Option4", "1,55", "1,82"},
                  {"Option6", "1,55", "1,56"}, {"Option6", "1,55", "1,56"}, {"Option2", "1,78", "1,56"}};
    for (const auto& click : clicks) {
        clickMouse(form->findChild<QWidget*>(click.option));
        QCOMPARE(form->Text11->text(), QString(click.man));
        QCOMPARE(form->Text12->text(), QString(click.woman));
        QCOMPARE(form->Label8->text(), QStringLiteral("3009,98"));
    }
    // Each frame's group keeps exactly one option.
    QCOMPARE(int(form->Option1->isChecked()) + form->Option2->isChecked() + form->Option3->isChecked(), 1);
    QCOMPARE(int(form->Option4->isChecked()) + form->Option5->isChecked() + form->Option6->isChecked(), 1);
    QVERIFY(form->Option6->isChecked());

    form->Option3->click();
    clickMouse(form->Command3);
    QCOMPARE(form->Label8->text(), QStringLiteral("3551,1"));
}

void TestForm3::optionsByKeyboard() {
    // One Tab stop per group, at its selected option.
    QApplication::setActiveWindow(form);
    form->Text4->setFocus();
    QTest::keyClick(form->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->Option2);
    QTest::keyClick(form->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->Option5);
    QTest::keyClick(form->windowHandle(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form->Text5); // "Calcola" is still disabled

    // Arrows move the selection within the group, wrapping, and write the factor.
    form->Option2->setFocus();
    const struct {
        Qt::Key key;
        const char* selected;
        const char* factor;
    } moves[] = {{Qt::Key_Down, "Option3", "2,10"}, {Qt::Key_Down, "Option1", "1,55"},
                 {Qt::Key_Up, "Option3", "2,10"}, {Qt::Key_Left, "Option2", "1,78"}, {Qt::Key_Right, "Option3", "2,10"}};
    for (const auto& move : moves) {
        QTest::keyClick(form->windowHandle(), move.key);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(move.selected));
        QVERIFY(static_cast<QAbstractButton*>(QApplication::focusWidget())->isChecked());
        QCOMPARE(form->Text11->text(), QString(move.factor));
    }
    QVERIFY(form->Option5->isChecked());
    QCOMPARE(form->Text12->text(), QStringLiteral("1,64"));
}

void TestForm3::reopensInDesignState() {
    form->Option1->click();
    QTest::keyClicks(form->Text8, "30");
    QTest::keyClicks(form->Text10, "60");
    clickMouse(form->Command2);
    QVERIFY(!form->Label8->text().isEmpty());
    form->mnuInd->trigger();
    QTRY_VERIFY(!app::windowReference<Form3>());
    form1->mnuCal->trigger();
    form = app::windowReference<Form3>();
    QVERIFY(form->Label8->text().isEmpty());
    QVERIFY(form->Text8->text().isEmpty() && form->Text5->text().isEmpty());
    QVERIFY(form->Option2->isChecked());
    QCOMPARE(form->Text11->text(), QStringLiteral("1,78"));
    QVERIFY(!form->Command2->isEnabled());
    QVERIFY(form->Label19->isHidden());
}

void TestForm3::printsOnePage() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("calorie.pdf");
    answerPrintDialog(pdf, 1);
    form->mnuStampa->trigger();
    QCOMPARE(pdfPageCount(pdf), 1);
    QVERIFY(countPixels(renderPdfPage(pdf, 1, folder.path()), QColor(224, 224, 224)) > 100); // the basal boxes
}

QTEST_MAIN(TestForm3)
#include "test_form3.moc"
