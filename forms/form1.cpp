#include "forms/form1.h"

#include "app/lifecycle.h"
#include "controls/accessible.h"
#include "core/calculations.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "forms/looks.h"

#include <QCloseEvent>

namespace forms {

using namespace design;
using namespace Qt::Literals::StringLiterals;
using controls::Button;
using controls::EntryBox;
using controls::Frame;
using controls::Label;

namespace {

// The threshold table shown under "Tabella", exactly as it is drawn: a
// blank first line, then one threshold a line.
const QString thresholdTable = u"                          \r\n"
                               "     25 = Sovrappeso\r\n"
                               "     30 = Obesità\r\n"
                               "     35 = Allarmante\r\n"
                               "     40 = Pericolo di vita!\r\n"_s;

// The pointing hand over "Tabella", its tip at (12, 1).
QCursor pointingHand() { return QCursor(QPixmap(u":/icons/hand.svg"_s), 12, 1); }

const controls::Look promptLook{
    .font = font::prompt, .text = colour::darkRed, .centred = true, .border = true, .transparent = true};
const auto filtered = EntryBox::Keys::Filtered;

} // namespace

Form1::Form1()
    : Form(u"Zelba 1 - Peso corporeo"_s) {
    QWidget* window = client();
    auto* inputFrame = new Frame(window, "Frame1", {120, 120, 2415, 6615});
    auto* heightPrompt = new Label(inputFrame, "Label1", {360, 360, 1575, 960},
                                   u"Inserire la statura in metri: es; 1,75"_s, promptLook);
    heightBox = new EntryBox(inputFrame, "Text1", {360, 1320, 1575, 495}, u"Statura in metri"_s, u"Mt"_s,
                             filtered, {.font = font::entry});
    auto* weightPrompt =
        new Label(inputFrame, "Label4", {360, 2280, 1575, 615}, u"Inserire il peso in Kg:"_s,
                  {.font = font::prompt, .text = colour::darkRed, .centred = true, .border = true});
    new Label(inputFrame, "Label3", {1440, 2760, 975, 735}, {}, {.font = font::empty, .transparent = true});
    weightBox = new EntryBox(inputFrame, "Text2", {360, 2880, 1575, 495}, u"Peso in chilogrammi"_s, u"Kg"_s,
                             filtered, {.font = font::entry});
    weightBar = new controls::Shape(inputFrame, "Shape1", {360, 3600, 495, 1935}, u"Barra del peso"_s,
                                    colour::magenta, colour::purple);
    computeButton =
        new Button(inputFrame, "Command1", {360, 5760, 1575, 735}, u"&Calcola"_s, {.font = font::button});
    auto* resultFrame = new Frame(window, "Frame3", {2640, 120, 6255, 6615});
    new Label(resultFrame, "Label5", {600, 360, 5055, 495}, u"Valore  peso  corporeo"_s,
              {.font = font::heading, .text = colour::darkRed, .centred = true});
    resultLabel = new Label(
        resultFrame, "Label6", {2520, 1080, 1035, 600}, {},
        {.font = font::result, .text = colour::navy, .centred = true, .border = true, .transparent = true});
    tableBox = new controls::MultiLineBox(
        resultFrame, "Text3", {120, 1920, 6015, 3975}, u"Tabella dei valori"_s, thresholdTable,
        {.font = font::table, .text = colour::navy, .background = colour::peach});
    auto* tableFrame = new Frame(window, "Frame2", {9000, 120, 1815, 6615});
    auto* tableLabel = new Label(tableFrame, "Label2", {480, 1200, 885, 315}, u"Tabella"_s,
                                 {.font = font::button, .transparent = true, .autoSize = true});
    auto* closeButton =
        new Button(window, "Command2", {9240, 6960, 1335, 375}, u"Chiudi"_s, {.font = font::prompt});
    weightBox->setEnabled(false);
    computeButton->setEnabled(false);
    tableBox->setVisible(false);
    tableBox->setEnabled(false);
    tableLabel->setCursor(pointingHand());
    heightPrompt->setBuddy(heightBox);
    weightPrompt->setBuddy(weightBox);
    controls::markAsResult(resultLabel, u"Valore peso corporeo"_s);
    inputFrame->setAccessibleName(u"Statura e peso"_s);
    resultFrame->setAccessibleName(u"Valore peso corporeo"_s);
    tableFrame->setAccessibleName(u"Tabella"_s);
    finishLayout();

    addMenuCommand("mnuCrp", u"Peso corporeo"_s);
    addFileMenu("mnuStamp");
    QAction* idealWeightItem = addMenuCommand("mnuId", u"Peso ideale"_s);
    QAction* caloriesItem = addMenuCommand("mnuCal", u"Calorie"_s);

    setTabOrder({heightBox, weightBox, computeButton, tableBox, closeButton});
    // The height box starts with "Mt" selected, as Tab would leave it, so
    // that the user's first typing replaces it.
    heightBox->setFocus();
    heightBox->selectAll();

    handle(heightBox, &EntryBox::clicked, &Form1::onHeightClicked);
    handle(heightBox, &EntryBox::keyDown, &Form1::onHeightKeyDown);
    handle(weightBox, &EntryBox::clicked, &Form1::onWeightClicked);
    handle(weightBox, &EntryBox::textChanged, &Form1::onWeightChanged);
    handle(computeButton, &Button::clicked, &Form1::onCompute);
    handle(closeButton, &Button::clicked, &Form1::onClose);
    tableLabel->reportMouseMoves();
    handle(tableLabel, &Label::mouseMoved, &Form1::showTable);
    client()->reportMouseMoves();
    handle(client(), &controls::Surface::mouseMoved, &Form1::hideTable);
    resultFrame->reportMouseMoves();
    handle(resultFrame, &Frame::mouseMoved, &Form1::hideTable);
    handle(idealWeightItem, &QAction::triggered, &Form1::onOpenIdealWeight);
    handle(caloriesItem, &QAction::triggered, &Form1::onOpenCalories);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    app::endProgram();
}

void Form1::onHeightClicked() { heightBox->clear(); }

void Form1::onHeightKeyDown() { weightBox->setEnabled(true); }

void Form1::onWeightClicked() { weightBox->clear(); }

void Form1::onWeightChanged() {
    if (weightBox->text().isEmpty()) return;
    computeButton->setEnabled(true);
    // The bar follows the weight as it is typed; a text that is not (yet) a
    // weight leaves it alone, without a message in the middle of typing.
    if (const auto width = core::weightBar(weightBox->text().toStdString())) weightBar->setWidthTwips(*width);
}

void Form1::onCompute() {
    if (heightBox->text().isEmpty() || weightBox->text().isEmpty()) return;
    app::accepted(core::checkStature(heightBox->text().toStdString()));
    sweep([this] {
        resultLabel->showResult(app::acceptedText(
            core::bodyMassText(heightBox->text().toStdString(), weightBox->text().toStdString())));
    });
    controls::announceResult(resultLabel);
}

void Form1::onClose() { app::endProgram(); }

void Form1::showTable() { tableBox->setVisible(true); }

void Form1::hideTable() { tableBox->setVisible(false); }

// The table is part of every printed page; it stays up afterwards until the
// mouse hides it, like after hovering "Tabella".
void Form1::beforePrintPage() { tableBox->setVisible(true); }

void Form1::onOpenIdealWeight() { app::showModal<Form2>(*this); }

void Form1::onOpenCalories() { app::showModal<Form3>(*this); }

} // namespace forms
