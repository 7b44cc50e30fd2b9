#include "forms/form1.h"

#include "app/lifecycle.h"
#include "app/sweep.h"
#include "controls/accessible.h"
#include "core/measures.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "forms/design.h"
#include "forms/form2.h"
#include "forms/form3.h"

#include <QCloseEvent>
#include <QMenu>

namespace forms {

using namespace design;
using controls::EntryBox;

const QString thresholdTable = QStringLiteral("                          \r\n"
                                              "     25 = Sovrappeso\r\n"
                                              "     30 = Obesità\r\n"
                                              "     35 = Allarmante\r\n"
                                              "     40 = Pericolo di vita!\r\n");

namespace {

// The pointing hand over "Tabella", its tip at (12, 1).
QCursor pointingHand() { return QCursor(QPixmap(QStringLiteral(":/icons/hand.svg")), 12, 1); }

} // namespace

Form1::Form1()
    : Form(QStringLiteral("Zelba 1 - Peso corporeo")) {
    QWidget* window = client();
    // clang-format off
    Frame1   = new controls::Frame(window, "Frame1", {120, 120, 2415, 6615});
    Label1   = new controls::Label(Frame1, "Label1", {360, 360, 1575, 960}, QStringLiteral("Inserire la statura in metri: es; 1,75"), {.font = font::prompt, .text = colour::darkRed, .centred = true, .border = true, .transparent = true});
    Text1    = new EntryBox(Frame1, "Text1", {360, 1320, 1575, 495}, QStringLiteral("Statura in metri"), QStringLiteral("Mt"), EntryBox::Keys::Filtered, {.font = font::entry});
    Label4   = new controls::Label(Frame1, "Label4", {360, 2280, 1575, 615}, QStringLiteral("Inserire il peso in Kg:"), {.font = font::prompt, .text = colour::darkRed, .centred = true, .border = true});
    Label3   = new controls::Label(Frame1, "Label3", {1440, 2760, 975, 735}, QString(), {.font = font::empty, .transparent = true});
    Text2    = new EntryBox(Frame1, "Text2", {360, 2880, 1575, 495}, QStringLiteral("Peso in chilogrammi"), QStringLiteral("Kg"), EntryBox::Keys::Filtered, {.font = font::entry});
    Shape1   = new controls::Shape(Frame1, "Shape1", {360, 3600, 495, 1935}, QStringLiteral("Barra del peso"), colour::magenta, colour::purple);
    Command1 = new controls::Button(Frame1, "Command1", {360, 5760, 1575, 735}, QStringLiteral("&Calcola"), {.font = font::button});
    Frame3   = new controls::Frame(window, "Frame3", {2640, 120, 6255, 6615});
    Label5   = new controls::Label(Frame3, "Label5", {600, 360, 5055, 495}, QStringLiteral("Valore  peso  corporeo"), {.font = font::heading, .text = colour::darkRed, .centred = true});
    Label6   = new controls::Label(Frame3, "Label6", {2520, 1080, 1035, 600}, QString(), {.font = font::result, .text = colour::navy, .centred = true, .border = true, .transparent = true});
    Text3    = new controls::MultiLineBox(Frame3, "Text3", {120, 1920, 6015, 3975}, QStringLiteral("Tabella dei valori"), thresholdTable, {.font = font::table, .text = colour::navy, .background = colour::peach});
    Frame2   = new controls::Frame(window, "Frame2", {9000, 120, 1815, 6615});
    Label2   = new controls::Label(Frame2, "Label2", {480, 1200, 885, 315}, QStringLiteral("Tabella"), {.font = font::button, .transparent = true, .autoSize = true});
    Command2 = new controls::Button(window, "Command2", {9240, 6960, 1335, 375}, QStringLiteral("Chiudi"), {.font = font::prompt});
    CommonDialog1 = new controls::PrinterDialog(this);
    // clang-format on
    Text2->setEnabled(false);
    Command1->setEnabled(false);
    Text3->setVisible(false);
    Text3->setEnabled(false);
    Label2->setCursor(pointingHand());
    controls::markAsResult(Label6, QStringLiteral("Valore peso corporeo"));
    Frame1->setAccessibleName(QStringLiteral("Statura e peso"));
    Frame3->setAccessibleName(QStringLiteral("Valore peso corporeo"));
    Frame2->setAccessibleName(QStringLiteral("Tabella"));
    finishLayout();

    mnuCrp = addMenuCommand("mnuCrp", QStringLiteral("Peso corporeo"));
    mnuFile = addMenu("mnuFile", QStringLiteral("File"));
    mnuStamp = addMenuItem(mnuFile, "mnuStamp", QStringLiteral("Stampa"));
    mnuId = addMenuCommand("mnuId", QStringLiteral("Peso ideale"));
    mnuCal = addMenuCommand("mnuCal", QStringLiteral("Calorie"));

    setTabOrder({Text1, Text2, Command1, Text3, Command2});
    // The height box starts with "Mt" selected, as Tab would leave it, so
    // that the user's first typing replaces it.
    Text1->setFocus();
    Text1->selectAll();

    handle(Text1, &EntryBox::clicked, &Form1::Text1_Click);
    handle(Text1, &EntryBox::keyDown, &Form1::Text1_KeyDown);
    handle(Text2, &EntryBox::clicked, &Form1::Text2_Click);
    handle(Text2, &EntryBox::textChanged, &Form1::Text2_Change);
    handle(Command1, &controls::Button::clicked, &Form1::Command1_Click);
    handle(Command2, &controls::Button::clicked, &Form1::Command2_Click);
    Label2->reportMouseMoves();
    handle(Label2, &controls::Label::mouseMoved, &Form1::Label2_MouseMove);
    client()->reportMouseMoves();
    handle(client(), &controls::Surface::mouseMoved, &Form1::Form_MouseMove);
    Frame3->reportMouseMoves();
    handle(Frame3, &controls::Frame::mouseMoved, &Form1::Frame3_MouseMove);
    handle(mnuStamp, &QAction::triggered, &Form1::mnuStamp_Click);
    handle(mnuId, &QAction::triggered, &Form1::mnuId_Click);
    handle(mnuCal, &QAction::triggered, &Form1::mnuCal_Click);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    app::endProgram();
}

void Form1::Text1_Click() { Text1->clear(); }

void Form1::Text1_KeyDown() { Text2->setEnabled(true); }

void Form1::Text2_Click() { Text2->clear(); }

void Form1::Text2_Change() {
    if (Text2->text().isEmpty()) return;
    Command1->setEnabled(true);
    // The bar follows the weight as it is typed; a text that is not (yet) a
    // weight leaves it alone, without a message in the middle of typing.
    const auto weight = core::parseLocaleNumber(Text2->text().toStdString());
    if (weight && *weight >= 0) Shape1->setWidthTwips(core::weightBarTwips(*weight));
}

void Form1::Command1_Click() {
    if (Text1->text().isEmpty() || Text2->text().isEmpty()) return;
    const double height = app::readNumber(*Text1);
    if (height >= 2.5) app::refuse(core::messages::tooTall);
    if (height <= 0) app::refuse(core::messages::invalidStature);
    app::runProgressSweep(command1Sweep_, *ProgressBar1, [this] {
        const double value = core::bodyMassValue(app::readNumber(*Text1), app::readWeight(*Text2));
        Label6->showResult(app::resultText(app::checkedResult(value)));
    });
}

void Form1::Command2_Click() { app::endProgram(); }

void Form1::Label2_MouseMove() { Text3->setVisible(true); }

void Form1::Form_MouseMove() { Text3->setVisible(false); }

void Form1::Frame3_MouseMove() { Text3->setVisible(false); }

void Form1::mnuStamp_Click() { print(*CommonDialog1); }

// The table is part of every printed page; it stays up afterwards until the
// mouse hides it, like after hovering "Tabella".
void Form1::beforePrintPage() { Text3->setVisible(true); }

void Form1::mnuId_Click() { app::showModal<Form2>(); }

void Form1::mnuCal_Click() { app::showModal<Form3>(); }

} // namespace forms
