// The ideal-weight window: opened modally from the body-weight window,
// both computations, their refusals, and unloading on close.
#include "app/lifecycle.h"
#include "forms/form1.h"
#include "forms/form2.h"
#include "support.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using forms::Form1;
using forms::Form2;

class TestForm2 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void designState();
    void keysEnableTheirButton_data();
    void keysEnableTheirButton();
    void compute_data();
    void compute();
    void womanLabelChangesAfterSweep();
    void bodyWeightWindowWaits();
    void closingUnloads_data();
    void closingUnloads();
    void printsTwoCopies();

private:
    Form2* open();
    Form1* form1 = nullptr;
};

void TestForm2::init() {
    form1 = &app::show<Form1>();
    QVERIFY(QTest::qWaitForWindowExposed(form1));
}

void TestForm2::cleanup() {
    controls::PrinterDialog::answerWith({});
    delete app::windowReference<Form2>().data();
    delete form1;
}

Form2* TestForm2::open() {
    form1->mnuId->trigger();
    Form2* form = app::windowReference<Form2>();
    if (form && !QTest::qWaitForWindowExposed(form)) return nullptr;
    return form;
}

void TestForm2::designState() {
    Form2* form = open();
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Zelba 1 - Peso ideale"));
    QCOMPARE(form->client()->size(), form1->client()->size());
    QCOMPARE(form->geometry(), form1->geometry());
    QVERIFY(form->isModal());
    QStringList menu;
    for (QAction* action : form->menuBar()->actions()) menu << action->text();
    QCOMPARE(menu, QStringList({"<< Peso corporeo", "File"}));
    QVERIFY(!form->mnuIndietro->menu()); // acts at once, no submenu
    QCOMPARE(form->mnuFile->actions(), QList<QAction*>{form->mnuStam});

    QVERIFY(form->Text1->text().isEmpty());
    QVERIFY(form->Text3->text().isEmpty());
    QCOMPARE(form->Text2->text(), QStringLiteral("100"));
    QCOMPARE(form->Text4->text(), QStringLiteral("104"));
    QVERIFY(form->Text2->isHidden() && form->Text4->isHidden());
    QVERIFY(!form->Command1->isEnabled() && !form->Command3->isEnabled());
    QVERIFY(form->Label5->text().isEmpty());
    QVERIFY(form->Label6->isHidden() && form->Label7->isHidden());
    QCOMPARE(form->focusWidget(), form->Command2);
    // The frames' caption font stays with the caption.
    QCOMPARE(form->Text1->font().pixelSize(), 24);
    QCOMPARE(form->Label4->font(), form->font());
}

void TestForm2::keysEnableTheirButton_data() {
    QTest::addColumn<bool>("man");
    QTest::newRow("man's height") << true;
    QTest::newRow("woman's height") << false;
}

void TestForm2::keysEnableTheirButton() {
    QFETCH(bool, man);
    Form2* form = open();
    QTest::keyClick(man ? form->Text1 : form->Text3, Qt::Key_Shift);
    QCOMPARE(form->Command1->isEnabled(), man);
    QCOMPARE(form->Command3->isEnabled(), !man);
}

void TestForm2::compute_data() {
    QTest::addColumn<bool>("man");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("man 175") << true << "175" << "75" << "";
    QTest::newRow("woman 175") << false << "175" << "71" << "";
    QTest::newRow("man 175,5") << true << "175,5" << "75,5" << "";
    QTest::newRow("man 101") << true << "101" << "1" << "";
    QTest::newRow("man 100") << true << "100" << "" << "Altezza non valida!";
    QTest::newRow("woman 90") << false << "90" << "" << "Altezza non valida!";
    QTest::newRow("woman 104") << false << "104" << "" << "Altezza non valida!";
    QTest::newRow("lone comma") << true << "," << "" << "Il valore «,» non è un numero valido.";
    QTest::newRow("two commas") << false << "1,,7" << "" << "Il valore «1,,7» non è un numero valido.";
    QTest::newRow("empty") << true << "" << "" << "";
}

void TestForm2::compute() {
    QFETCH(bool, man);
    QFETCH(QString, height);
    QFETCH(QString, result);
    QFETCH(QString, message);
    Form2* form = open();
    MessageAnswerer answerer;
    (man ? form->Text1 : form->Text3)->setText(height);
    QAbstractButton* calcola = man ? form->Command1 : form->Command3;
    calcola->setEnabled(true);
    QTest::mouseClick(calcola, Qt::LeftButton);
    QCOMPARE(form->Label5->text(), result);
    QCOMPARE(answerer.last(), message);
    const bool computed = !result.isEmpty();
    QCOMPARE(form->Label6->isVisible(), computed && man);
    QCOMPARE(form->Label7->isVisible(), computed && !man);
    QCOMPARE(form->ProgressBar1->position(), 0.0f);
}

// During a woman's sweep the previous sex label stays; it switches once the
// sweep is over. The man's switches at the first pass.
void TestForm2::womanLabelChangesAfterSweep() {
    Form2* form = open();
    form->Text1->setText("180");
    form->Text3->setText("170");
    form->Command1->setEnabled(true);
    form->Command3->setEnabled(true);
    std::vector<std::pair<bool, bool>> labels;
    auto record = [&](QObject*, QEvent* event) {
        if (event->type() == QEvent::Paint) labels.emplace_back(form->Label6->isVisible(), form->Label7->isVisible());
    };
    struct Filter : QObject {
        std::function<void(QObject*, QEvent*)> f;
        bool eventFilter(QObject* o, QEvent* e) override { f(o, e); return false; }
    } filter;
    filter.f = record;
    form->ProgressBar1->installEventFilter(&filter);

    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(labels.front(), std::make_pair(true, false));
    QCOMPARE(form->Label5->text(), QStringLiteral("80"));
    labels.clear();
    QTest::mouseClick(form->Command3, Qt::LeftButton);
    QCOMPARE(labels.size(), size_t(1002));
    for (const auto& seen : labels) QCOMPARE(seen, std::make_pair(true, false));
    QCOMPARE(form->Label5->text(), QStringLiteral("66"));
    QVERIFY(!form->Label6->isVisible());
    QVERIFY(form->Label7->isVisible());
}

void TestForm2::bodyWeightWindowWaits() {
    Form2* form = open();
    QVERIFY(form);
    QVERIFY(form1->isVisible());
    // Input to the body-weight window goes nowhere while this one is open.
    clickMouse(form1->Text1);
    QCOMPARE(form1->Text1->text(), QStringLiteral("Mt"));
    QTest::keyClick(form1->windowHandle(), Qt::Key_5);
    QVERIFY(!form1->Text2->isEnabled());
    moveMouse(form1->Label2);
    QVERIFY(form1->Text3->isHidden());

    clickMouse(form->Command2);
    QTRY_VERIFY(!app::windowReference<Form2>());
    clickMouse(form1->Text1);
    QVERIFY(form1->Text1->text().isEmpty());
    moveMouse(form1->Label2, {1, 1});
    QVERIFY(form1->Text3->isVisible());
}

void TestForm2::closingUnloads_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Chiudi") << "button";
    QTest::newRow("<< Peso corporeo") << "menu";
    QTest::newRow("close box") << "close";
}

void TestForm2::closingUnloads() {
    QFETCH(QString, how);
    Form2* form = open();
    QTest::keyClicks(form->Text1, "180");
    form->Command1->click();
    QCOMPARE(form->Label5->text(), QStringLiteral("80"));
    if (how == "button") QTest::mouseClick(form->Command2, Qt::LeftButton);
    if (how == "menu") form->mnuIndietro->trigger();
    if (how == "close") form->close();
    QTRY_VERIFY(!app::windowReference<Form2>());

    form = open();
    QVERIFY(form->Text1->text().isEmpty());
    QVERIFY(form->Label5->text().isEmpty());
    QVERIFY(!form->Command1->isEnabled());
    QVERIFY(form->Label6->isHidden() && form->Label7->isHidden());
}

void TestForm2::printsTwoCopies() {
    Form2* form = open();
    QTemporaryDir folder;
    const QString pdf = folder.filePath("ideale.pdf");
    answerPrintDialog(pdf, 2);
    form->mnuStam->trigger();
    QCOMPARE(pdfPageCount(pdf), 2);
    const QImage page = renderPdfPage(pdf, 1, folder.path());
    QVERIFY(countPixels(page, QColor(192, 192, 192)) > 200); // the result box is on the page
}

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
