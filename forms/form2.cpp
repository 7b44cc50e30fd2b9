#include "forms/form2.h"

#include "app/lifecycle.h"
#include "app/sweep.h"
#include "controls/accessible.h"
#include "core/measures.h"
#include "core/messages.h"
#include "forms/design.h"

namespace forms {

using namespace design;
using controls::EntryBox;

Form2::Form2()
    : Form(QStringLiteral("Zelba 1 - Peso ideale")) {
    QWidget* window = client();
    const QString heightPrompt = QStringLiteral("Inserire l'altezza in cm,  es: 175");
    const controls::Look promptLook{
        .font = font::prompt, .text = colour::maroon, .centred = true, .border = true, .transparent = true};
    // clang-format off
    Frame1   = new controls::Frame(window, "Frame1", {120, 120, 3495, 6615}, QStringLiteral(" Uomo "), {.font = font::frameCaption, .text = colour::navy});
    Label1   = new controls::Label(Frame1, "Label1", {840, 1320, 1695, 975}, heightPrompt, promptLook);
    Text1    = new EntryBox(Frame1, "Text1", {840, 2280, 1695, 615}, QStringLiteral("Altezza dell'uomo in centimetri"), QString(), EntryBox::Keys::Filtered, {.font = font::largeEntry});
    Command1 = new controls::Button(Frame1, "Command1", {840, 4560, 1695, 735}, QStringLiteral("&Calcola"), {.font = font::button});
    Text2    = new EntryBox(Frame1, "Text2", {1200, 6120, 1095, 285}, QStringLiteral("Costante per l'uomo"), QStringLiteral("100"), EntryBox::Keys::AsTyped);
    Frame3   = new controls::Frame(window, "Frame3", {3720, 120, 3495, 6615});
    Label3   = new controls::Label(Frame3, "Label3", {720, 360, 1965, 465}, QStringLiteral("Peso ideale"), {.font = font::heading, .text = colour::darkRed, .centred = true, .transparent = true, .autoSize = true});
    Label4   = new controls::Label(Frame3, "Label4", {1080, 960, 1245, 195}, QStringLiteral("( Metodo  Broca )"), {.centred = true, .transparent = true, .autoSize = true});
    Label5   = new controls::Label(Frame3, "Label5", {960, 2160, 1485, 675}, QString(), {.font = font::resultBold, .text = colour::navy, .background = colour::grey, .centred = true, .border = true});
    Label6   = new controls::Label(Frame3, "Label6", {1080, 3360, 1215, 495}, QStringLiteral("Uomo"), {.font = font::sex, .text = colour::navy, .centred = true, .transparent = true});
    Label7   = new controls::Label(Frame3, "Label7", {960, 3360, 1455, 495}, QStringLiteral("Donna"), {.font = font::sex, .text = colour::purple, .centred = true, .transparent = true});
    Frame2   = new controls::Frame(window, "Frame2", {7320, 120, 3495, 6615}, QStringLiteral(" Donna "), {.font = font::frameCaption, .text = colour::purple});
    Label2   = new controls::Label(Frame2, "Label2", {960, 1320, 1695, 975}, heightPrompt, promptLook);
    Text3    = new EntryBox(Frame2, "Text3", {960, 2280, 1695, 615}, QStringLiteral("Altezza della donna in centimetri"), QString(), EntryBox::Keys::Filtered, {.font = font::largeEntry});
    Command3 = new controls::Button(Frame2, "Command3", {960, 4560, 1695, 735}, QStringLiteral("&Calcola"), {.font = font::button});
    Text4    = new EntryBox(Frame2, "Text4", {1320, 5880, 1095, 285}, QStringLiteral("Costante per la donna"), QStringLiteral("104"), EntryBox::Keys::AsTyped);
    Command2 = new controls::Button(window, "Command2", {9240, 6960, 1335, 375}, QStringLiteral("Chiudi"), {.font = font::prompt});
    CommonDialog1 = new controls::PrinterDialog(this);
    // clang-format on
    Command1->setAccessibleName(QStringLiteral("Calcola per l'uomo"));
    Command3->setAccessibleName(QStringLiteral("Calcola per la donna"));
    controls::markAsResult(Label5, QStringLiteral("Peso ideale calcolato"));
    Command1->setEnabled(false);
    Command3->setEnabled(false);
    Text2->setVisible(false);
    Text4->setVisible(false);
    Label6->setVisible(false);
    Label7->setVisible(false);
    Frame3->setAccessibleName(QStringLiteral("Risultato"));
    finishLayout();

    mnuIndietro = addMenuCommand("mnuIndietro", QStringLiteral("<< Peso corporeo"));
    mnuFile = addMenu("mnuFile", QStringLiteral("File"));
    mnuStam = addMenuItem(mnuFile, "mnuStam", QStringLiteral("Stampa"));

    setTabOrder({Command2, Text1, Text2, Text3, Text4, Command1, Command3});
    Command2->setFocus();

    handle(Text1, &EntryBox::keyDown, &Form2::Text1_KeyDown);
    handle(Text3, &EntryBox::keyDown, &Form2::Text3_KeyDown);
    handle(Command1, &controls::Button::clicked, &Form2::Command1_Click);
    handle(Command3, &controls::Button::clicked, &Form2::Command3_Click);
    handle(Command2, &controls::Button::clicked, &Form2::Command2_Click);
    handle(mnuIndietro, &QAction::triggered, &Form2::mnuIndietro_Click);
    handle(mnuStam, &QAction::triggered, &Form2::mnuStam_Click);
}

void Form2::Text1_KeyDown() { Command1->setEnabled(true); }

void Form2::Text3_KeyDown() { Command3->setEnabled(true); }

void Form2::writeIdealWeight(const QLineEdit& height, const QLineEdit& constant) {
    const double weight = core::idealWeight(app::readNumber(height), app::readNumber(constant));
    // A height at or below the constant has no ideal weight.
    if (!(weight > 0)) app::refuse(core::messages::invalidHeight);
    Label5->showResult(app::resultText(app::checkedResult(weight)));
}

void Form2::Command1_Click() {
    if (Text1->text().isEmpty()) return;
    app::runProgressSweep(command1Sweep_, *ProgressBar1, [this] {
        writeIdealWeight(*Text1, *Text2);
        Label6->setVisible(true);
        Label7->setVisible(false);
    });
}

// The woman's label changes only once the sweep is over: meanwhile the
// previous one stays on screen.
void Form2::Command3_Click() {
    if (Text3->text().isEmpty()) return;
    app::runProgressSweep(command3Sweep_, *ProgressBar1, [this] { writeIdealWeight(*Text3, *Text4); });
    Label6->setVisible(false);
    Label7->setVisible(true);
}

void Form2::Command2_Click() { app::unload(*this); }

void Form2::mnuIndietro_Click() { app::unload(*this); }

void Form2::mnuStam_Click() { print(*CommonDialog1); }

} // namespace forms
