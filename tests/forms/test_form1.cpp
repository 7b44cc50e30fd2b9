// The body-weight window driven as a user drives it: keys, clicks, mouse
// movement, the menu.
#include "forms/form1.h"
#include "support.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using forms::Form1;

class TestForm1 : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void designState();
    void thresholdTableText();
    void boxesAreAboveLabels();
    void keysEnableWeight_data();
    void keysEnableWeight();
    void clickClearsBox();
    void weightBar();
    void tableFollowsMouse_data();
    void tableFollowsMouse();
    void compute_data();
    void compute();
    void emptyBoxDoesNothing();
    void sweepPaintsEveryPosition();
    void printsOnePagePerCopy();
    void cancelPrintsNothing();
    void printFailureIsReported();

private:
    Form1* form = nullptr;
};

void TestForm1::init() {
    form = new Form1;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

void TestForm1::cleanup() {
    controls::PrinterDialog::answerWith({});
    delete form;
}

void TestForm1::designState() {
    QCOMPARE(form->windowTitle(), QStringLiteral("Zelba 1 - Peso corporeo"));
    QCOMPARE(form->client()->size(), QSize(728, 506));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!form->windowIcon().isNull());
    QStringList menu;
    for (QAction* action : form->menuBar()->actions()) menu << action->text();
    QCOMPARE(menu, QStringList({"Peso corporeo", "File", "Peso ideale", "Calorie"}));
    QCOMPARE(form->mnuFile->actions(), QList<QAction*>{form->mnuStamp});
    QCOMPARE(form->mnuStamp->text(), QStringLiteral("Stampa"));

    QCOMPARE(form->Text1->text(), QStringLiteral("Mt"));
    QCOMPARE(form->Text2->text(), QStringLiteral("Kg"));
    QVERIFY(!form->Text2->isEnabled());
    QVERIFY(!form->Command1->isEnabled());
    QVERIFY(form->Text3->isHidden());
    QVERIFY(!form->Text3->isEnabled());
    QVERIFY(form->Label6->text().isEmpty());
    QVERIFY(form->Label3->text().isEmpty());
    QCOMPARE(form->ProgressBar1->position(), 0.0f);
    QCOMPARE(form->Shape1->widthTwips(), 495);
    QCOMPARE(form->focusWidget(), form->Text1);
    QCOMPARE(form->Command2->text(), QStringLiteral("Chiudi"));
}

void TestForm1::thresholdTableText() {
    const QString blank(26, QLatin1Char(' '));
    const QString indent(5, QLatin1Char(' '));
    const QString crlf = QStringLiteral("\r\n");
    const QString expected = blank + crlf + indent + "25 = Sovrappeso" + crlf + indent + "30 = Obesità" + crlf +
                             indent + "35 = Allarmante" + crlf + indent + "40 = Pericolo di vita!" + crlf;
    QCOMPARE(form->Text3->text(), expected);
    QVERIFY(form->Text3->toPlainText().contains(QStringLiteral("     40 = Pericolo di vita!")));
}

// Where the empty label overlaps the weight box, the box takes the mouse.
void TestForm1::boxesAreAboveLabels() {
    const QPoint overlap = form->Text2->geometry().topRight() + QPoint(-3, 5);
    QVERIFY(form->Label3->geometry().contains(overlap));
    QCOMPARE(form->Frame1->childAt(overlap), form->Text2);
}

void TestForm1::keysEnableWeight_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enables");
    QTest::newRow("digit") << int(Qt::Key_5) << true;
    QTest::newRow("shift") << int(Qt::Key_Shift) << true;
    QTest::newRow("control") << int(Qt::Key_Control) << true;
    QTest::newRow("arrow") << int(Qt::Key_Left) << true;
    QTest::newRow("delete") << int(Qt::Key_Delete) << true;
    QTest::newRow("tab moves on") << int(Qt::Key_Tab) << false;
}

void TestForm1::keysEnableWeight() {
    QFETCH(int, key);
    QFETCH(bool, enables);
    QTest::keyClick(form->Text1, Qt::Key(key));
    QCOMPARE(form->Text2->isEnabled(), enables);
}

void TestForm1::clickClearsBox() {
    QTest::keyClicks(form->Text1, "1.75");
    QCOMPARE(form->Text1->text(), QStringLiteral("Mt1,75"));
    QTest::mouseClick(form->Text1, Qt::LeftButton);
    QVERIFY(form->Text1->text().isEmpty());
    QTest::keyClicks(form->Text1, "1.75");
    QCOMPARE(form->Text1->text(), QStringLiteral("1,75"));

    QTest::mouseClick(form->Text2, Qt::LeftButton);
    QVERIFY(form->Text2->text().isEmpty());
    QVERIFY(!form->Command1->isEnabled()); // an empty weight does not enable it
}

void TestForm1::weightBar() {
    QTest::keyClick(form->Text1, Qt::Key_1);
    QTest::mouseClick(form->Text2, Qt::LeftButton);
    QVERIFY(!form->Command1->isEnabled());
    QTest::keyClick(form->Text2, Qt::Key_7);
    QVERIFY(form->Command1->isEnabled());
    QCOMPARE(form->Shape1->widthTwips(), 140);
    QTest::keyClick(form->Text2, Qt::Key_0);
    QCOMPARE(form->Shape1->widthTwips(), 1400);
    QTest::keyClick(form->Text2, Qt::Key_Comma);
    QCOMPARE(form->Shape1->widthTwips(), 1400); // "70," reads as 70 while typing on
    QTest::keyClick(form->Text2, Qt::Key_5);
    QCOMPARE(form->Shape1->widthTwips(), 1410);

    form->Text2->clear();
    QCOMPARE(form->Shape1->widthTwips(), 1410);
    QVERIFY(form->Command1->isEnabled());
    form->Text2->setText(QStringLiteral("-50")); // only a paste can bring a minus
    QCOMPARE(form->Shape1->widthTwips(), 1410);
    form->Text2->setText(QStringLiteral(",,"));
    QCOMPARE(form->Shape1->widthTwips(), 1410);

    // From about 100 kg on the frame clips the bar; no weight overflows it.
    form->Text2->setText(QStringLiteral("150"));
    QCOMPARE(form->Shape1->widthTwips(), 3000);
    QVERIFY(form->Shape1->geometry().right() > form->Frame1->rect().right());
    form->Text2->setText(QStringLiteral("1E300"));
    QVERIFY(form->Shape1->widthTwips() > 0);
}

void TestForm1::tableFollowsMouse_data() {
    QTest::addColumn<QString>("over");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Tabella") << "Label2" << true;
    QTest::newRow("rest of its frame") << "Frame2" << true;
    QTest::newRow("window background") << "client" << false;
    QTest::newRow("middle frame") << "Frame3" << false;
    QTest::newRow("the table itself") << "Text3" << false;
    QTest::newRow("height box") << "Text1" << true;
    QTest::newRow("disabled weight box") << "Text2" << true;
    QTest::newRow("input frame") << "Frame1" << true;
    QTest::newRow("heading") << "Label5" << true;
    QTest::newRow("result") << "Label6" << true;
    QTest::newRow("progress bar") << "ProgressBar1" << true;
}

void TestForm1::tableFollowsMouse() {
    QFETCH(QString, over);
    QFETCH(bool, shown);
    // A point of the named control that no other control covers.
    QWidget* target = over == "client" ? form->client() : form->findChild<QWidget*>(over);
    QVERIFY(target);
    QPoint point = target->rect().center();
    if (over == "client") point = QPoint(4, 200);
    if (over.startsWith("Frame")) point = QPoint(target->width() / 2, target->height() - 20);

    // Qt drops a move to where the pointer already is: come from elsewhere.
    moveMouse(form->Text1);
    moveMouse(form->Label2);
    QTRY_VERIFY(form->Text3->isVisible());
    moveMouse(target, point);
    QTRY_COMPARE(form->Text3->isVisible(), shown);
}

void TestForm1::compute_data() {
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("1,75 m 70 kg") << "1,75" << "70" << "22" << "";
    QTest::newRow("2 m 80 kg") << "2" << "80" << "20" << "";
    QTest::newRow("1,6 m 64 kg") << "1,6" << "64" << "25" << "";
    QTest::newRow("0,5 m 60 kg") << "0,5" << "60" << "240" << "";
    QTest::newRow("1,8 m 80,5 kg") << "1,8" << "80,5" << "24" << "";
    QTest::newRow("a billion kilograms") << "0,01" << "1000000000" << "10000000000000" << "";
    QTest::newRow("2,5 m") << "2,5" << "175" << "" << "Statura esagerata!";
    QTest::newRow("centimetres") << "175" << "70" << "" << "Statura esagerata!";
    QTest::newRow("zero height") << "0" << "70" << "" << "Statura non valida!";
    QTest::newRow("pasted negative height") << "-1,7" << "70" << "" << "Statura non valida!";
    QTest::newRow("design text left") << "Mt" << "70" << "" << "Il valore «Mt» non è un numero valido.";
    QTest::newRow("lone comma") << "," << "70" << "" << "Il valore «,» non è un numero valido.";
    QTest::newRow("weight design text") << "1,75" << "Kg" << "" << "Il valore «Kg» non è un numero valido.";
    QTest::newRow("pasted negative weight") << "1,75" << "-70" << "" << "Il valore «-70» non è un numero valido.";
    QTest::newRow("pasted markup") << "<b>1</b>" << "70" << "" << "Il valore «<b>1</b>» non è un numero valido.";
    QTest::newRow("too small to square") << "1E-200" << "70" << ""
                                         << "Risultato fuori scala: controllare i valori inseriti.";
}

void TestForm1::compute() {
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, result);
    QFETCH(QString, message);
    MessageAnswerer answerer;
    form->Text1->setText(height);
    form->Text2->setEnabled(true);
    form->Text2->clear();
    form->Text2->setText(weight);
    QVERIFY(form->Command1->isEnabled());
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(form->Label6->text(), result);
    QCOMPARE(answerer.last(), message);
    if (!message.isEmpty()) {
        QCOMPARE(answerer.texts.size(), size_t(1));
        QCOMPARE(answerer.titles.back(), QStringLiteral("Zelba 1"));
        const bool conversion = message.startsWith("Il valore") || message.startsWith("Risultato");
        QCOMPARE(answerer.icons.back(), conversion ? QMessageBox::Warning : QMessageBox::NoIcon);
    }
    QCOMPARE(form->ProgressBar1->position(), 0.0f);
    // The window stays usable.
    QVERIFY(form->isEnabled());
    form->Text1->setText("1,75");
    form->Text2->setText("70");
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(form->Label6->text(), QStringLiteral("22"));
}

void TestForm1::emptyBoxDoesNothing() {
    MessageAnswerer answerer;
    form->Text2->setEnabled(true);
    form->Text2->setText("70");
    for (const auto& [height, weight] : {std::pair{"", "70"}, std::pair{"1,75", ""}}) {
        form->Text1->setText(height);
        form->Text2->setText(weight);
        PaintedPositions painted(form->ProgressBar1);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QVERIFY(painted.positions.empty());
    }
    QVERIFY(form->Label6->text().isEmpty());
    QVERIFY(answerer.texts.empty());
}

void TestForm1::sweepPaintsEveryPosition() {
    form->Text1->setText("1,75");
    form->Text2->setText("70");
    for (int press = 0; press < 2; ++press) {
        PaintedPositions painted(form->ProgressBar1);
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        std::vector<float> expected;
        for (int p = 0; p <= 999; ++p) expected.push_back(float(p));
        expected.push_back(1000.0f);
        expected.push_back(0.0f);
        QCOMPARE(painted.positions, expected);
    }
}

void TestForm1::printsOnePagePerCopy() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("window.pdf");
    answerPrintDialog(pdf, 3);
    form->mnuStamp->trigger();
    QCOMPARE(pdfPageCount(pdf), 3);
    for (int page = 1; page <= 3; ++page) {
        const QImage image = renderPdfPage(pdf, page, folder.path());
        QVERIFY(!image.isNull());
        QVERIFY2(countPixels(image, QColor(255, 224, 192)) > 1000, "the threshold table is on every page");
    }
    QVERIFY(form->Text3->isVisible()); // and stays up on screen
    QCOMPARE(form->CommonDialog1->printer().copyCount(), 1);
}

void TestForm1::cancelPrintsNothing() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("window.pdf");
    answerPrintDialog(pdf, 2, false);
    form->mnuStamp->trigger();
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(form->Text3->isHidden());
}

void TestForm1::printFailureIsReported() {
    MessageAnswerer answerer;
    answerPrintDialog("/nonexistent-folder/window.pdf", 1);
    form->mnuStamp->trigger();
    QVERIFY(answerer.last().startsWith(QStringLiteral("Stampa non riuscita.\n")));
    QVERIFY(answerer.last().contains("/nonexistent-folder/window.pdf"));
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
