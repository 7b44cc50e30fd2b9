#include "forms/form2.h"

#include "app/lifecycle.h"
#include "controls/accessible.h"
#include "core/calculations.h"
#include "forms/looks.h"

namespace forms {

using namespace design;
using namespace Qt::Literals::StringLiterals;
using controls::Button;
using controls::EntryBox;
using controls::Frame;
using controls::Label;

namespace {

const QString heightPrompt = u"Inserire l'altezza in cm,  es: 175"_s;
const controls::Look promptLook{
    .font = font::prompt, .text = colour::maroon, .centred = true, .border = true, .transparent = true};
const controls::Look heightLook{.font = font::largeEntry};
const auto filtered = EntryBox::Keys::Filtered;
const auto asTyped = EntryBox::Keys::AsTyped;

} // namespace

Form2::Form2()
    : Form(u"Zelba 1 - Peso ideale"_s) {
    QWidget* window = client();
    auto* manFrame = new Frame(window, "Frame1", {120, 120, 3495, 6615}, u" Uomo "_s,
                               {.font = font::frameCaption, .text = colour::navy});
    auto* manPrompt = new Label(manFrame, "Label1", {840, 1320, 1695, 975}, heightPrompt, promptLook);
    manHeightBox = new EntryBox(manFrame, "Text1", {840, 2280, 1695, 615},
                                u"Altezza dell'uomo in centimetri"_s, {}, filtered, heightLook);
    manComputeButton =
        new Button(manFrame, "Command1", {840, 4560, 1695, 735}, u"&Calcola"_s, {.font = font::button});
    manConstantBox =
        new EntryBox(manFrame, "Text2", {1200, 6120, 1095, 285}, u"Costante per l'uomo"_s, u"100"_s, asTyped);
    auto* resultFrame = new Frame(window, "Frame3", {3720, 120, 3495, 6615});
    new Label(resultFrame, "Label3", {720, 360, 1965, 465}, u"Peso ideale"_s,
              {.font = font::heading,
               .text = colour::darkRed,
               .centred = true,
               .transparent = true,
               .autoSize = true});
    new Label(resultFrame, "Label4", {1080, 960, 1245, 195}, u"( Metodo  Broca )"_s,
              {.centred = true, .transparent = true, .autoSize = true});
    resultLabel = new Label(resultFrame, "Label5", {960, 2160, 1485, 675}, {},
                            {.font = font::resultBold,
                             .text = colour::navy,
                             .background = colour::grey,
                             .centred = true,
                             .border = true});
    manLabel = new Label(resultFrame, "Label6", {1080, 3360, 1215, 495}, u"Uomo"_s,
                         {.font = font::sex, .text = colour::navy, .centred = true, .transparent = true});
    womanLabel = new Label(resultFrame, "Label7", {960, 3360, 1455, 495}, u"Donna"_s,
                           {.font = font::sex, .text = colour::purple, .centred = true, .transparent = true});
    auto* womanFrame = new Frame(window, "Frame2", {7320, 120, 3495, 6615}, u" Donna "_s,
                                 {.font = font::frameCaption, .text = colour::purple});
    auto* womanPrompt = new Label(womanFrame, "Label2", {960, 1320, 1695, 975}, heightPrompt, promptLook);
    womanHeightBox = new EntryBox(womanFrame, "Text3", {960, 2280, 1695, 615},
                                  u"Altezza della donna in centimetri"_s, {}, filtered, heightLook);
    womanComputeButton =
        new Button(womanFrame, "Command3", {960, 4560, 1695, 735}, u"&Calcola"_s, {.font = font::button});
    womanConstantBox = new EntryBox(womanFrame, "Text4", {1320, 5880, 1095, 285}, u"Costante per la donna"_s,
                                    u"104"_s, asTyped);
    auto* closeButton =
        new Button(window, "Command2", {9240, 6960, 1335, 375}, u"Chiudi"_s, {.font = font::prompt});
    manComputeButton->setAccessibleName(u"Calcola per l'uomo"_s);
    womanComputeButton->setAccessibleName(u"Calcola per la donna"_s);
    manPrompt->setBuddy(manHeightBox);
    womanPrompt->setBuddy(womanHeightBox);
    controls::markAsResult(resultLabel, u"Peso ideale calcolato"_s);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{manConstantBox, womanConstantBox, manLabel, womanLabel})
        hidden->setVisible(false);
    manComputeButton->setEnabled(false);
    womanComputeButton->setEnabled(false);
    resultFrame->setAccessibleName(u"Risultato"_s);
    finishLayout();

    QAction* backItem = addMenuCommand("mnuIndietro", u"<< Peso corporeo"_s);
    addFileMenu("mnuStam");

    setTabOrder({closeButton, manHeightBox, manConstantBox, womanHeightBox, womanConstantBox,
                 manComputeButton, womanComputeButton});
    closeButton->setFocus();

    handle(manHeightBox, &EntryBox::keyDown, &Form2::onManKeyDown);
    handle(womanHeightBox, &EntryBox::keyDown, &Form2::onWomanKeyDown);
    handle(manComputeButton, &Button::clicked, &Form2::onComputeMan);
    handle(womanComputeButton, &Button::clicked, &Form2::onComputeWoman);
    handle(closeButton, &Button::clicked, &Form2::onClose);
    handle(backItem, &QAction::triggered, &Form2::onClose);
}

void Form2::onManKeyDown() { manComputeButton->setEnabled(true); }

void Form2::onWomanKeyDown() { womanComputeButton->setEnabled(true); }

void Form2::writeIdealWeight(const QLineEdit& height, const QLineEdit& constant) {
    resultLabel->showResult(
        app::acceptedText(core::idealWeightText(height.text().toStdString(), constant.text().toStdString())));
}

void Form2::onComputeMan() {
    if (manHeightBox->text().isEmpty()) return;
    sweep([this] {
        writeIdealWeight(*manHeightBox, *manConstantBox);
        manLabel->setVisible(true);
        womanLabel->setVisible(false);
    });
    controls::announceResult(resultLabel, manLabel->text());
}

// The woman's label changes only once the sweep is over: meanwhile the
// previous one stays on screen.
void Form2::onComputeWoman() {
    if (womanHeightBox->text().isEmpty()) return;
    sweep([this] { writeIdealWeight(*womanHeightBox, *womanConstantBox); });
    manLabel->setVisible(false);
    womanLabel->setVisible(true);
    controls::announceResult(resultLabel, womanLabel->text());
}

void Form2::onClose() { app::unload(*this); }

} // namespace forms
