#include "forms/form3.h"

#include "app/lifecycle.h"
#include "controls/accessible.h"
#include "controls/line.h"
#include "controls/text.h"
#include "core/calculations.h"
#include "forms/looks.h"

namespace forms {

using namespace design;
using namespace Qt::Literals::StringLiterals;
using controls::Button;
using controls::EntryBox;
using controls::Frame;
using controls::Label;
using controls::OptionButton;
using controls::Twips;
using core::Activity;
using core::Sex;

namespace {

struct Row {
    const char* name;
    Twips at;
};

const controls::Look agePromptLook{
    .font = font::prompt, .text = colour::maroon, .centred = true, .border = true, .transparent = true};
const controls::Look weightPromptLook{
    .font = font::prompt, .text = colour::maroon, .centred = true, .border = true};
const controls::Look entryLook{.font = font::entry};
const controls::Look basalLook{
    .font = font::basal, .text = colour::blue, .background = colour::lightGrey, .centred = true};
const controls::Look levelLook{.font = font::small, .autoSize = true};
// The activity levels as the labels beside the options show them.
const QString levelCaptions[] = {u"Leggera"_s, u"Moderata"_s, u"Pesante"_s};
const QString basalCaption = u"Metabolismo basale"_s;
const auto filtered = EntryBox::Keys::Filtered;
const auto asTyped = EntryBox::Keys::AsTyped;

} // namespace

// Where one sex's controls sit: the two frames are built alike from these
// rows, which keep every difference between them (names, positions, the
// woman's options numbered from the other end).
struct SexFrameDesign {
    Sex sex;
    Row frame;
    QString caption;
    QColor captionColour;
    QString of, forWhom, word; // "dell'uomo", "per l'uomo", "uomo"
    Row agePrompt, age, coefficient, weightPrompt, constant, weight, basalCaption, basal;
    const char* line;
    Row activityCaption, factor;
    std::array<Row, 3> options, levels; // light, moderate, heavy
    Row compute;
};

namespace {

const SexFrameDesign manDesign{
    .sex = Sex::Man,
    .frame = {"Frame1", {120, 0, 3495, 6735}},
    .caption = u" Uomo "_s,
    .captionColour = colour::navy,
    .of = u"dell'uomo"_s,
    .forWhom = u"per l'uomo"_s,
    .word = u"uomo"_s,
    .agePrompt = {"Label1", {960, 360, 1485, 405}},
    .age = {"Text1", {960, 720, 1485, 495}},
    .coefficient = {"Text2", {120, 1080, 735, 285}},
    .weightPrompt = {"Label15", {960, 1440, 1485, 615}},
    .constant = {"Text3", {2520, 1560, 855, 285}},
    .weight = {"Text9", {960, 2040, 1485, 495}},
    .basalCaption = {"Label2", {960, 2880, 1425, 195}},
    .basal = {"Text4", {960, 3120, 1455, 375}},
    .line = "Line1",
    .activityCaption = {"Label3", {240, 3720, 1335, 375}},
    .factor = {"Text11", {2280, 3840, 975, 285}},
    .options = {{{"Option1", {960, 4080, 255, 255}},
                 {"Option2", {960, 4680, 255, 255}},
                 {"Option3", {960, 5280, 255, 255}}}},
    .levels = {{{"Label4", {1320, 4080, 765, 240}},
                {"Label5", {1320, 4680, 870, 240}},
                {"Label6", {1320, 5280, 750, 240}}}},
    .compute = {"Command3", {840, 5760, 1695, 735}},
};

const SexFrameDesign womanDesign{
    .sex = Sex::Woman,
    .frame = {"Frame2", {7320, 0, 3495, 6735}},
    .caption = u" Donna "_s,
    .captionColour = colour::purple,
    .of = u"della donna"_s,
    .forWhom = u"per la donna"_s,
    .word = u"donna"_s,
    .agePrompt = {"Label14", {1080, 360, 1485, 405}},
    .age = {"Text8", {1080, 720, 1485, 495}},
    .coefficient = {"Text7", {120, 1560, 855, 285}},
    .weightPrompt = {"Label16", {1080, 1440, 1485, 615}},
    .constant = {"Text6", {2640, 1440, 735, 285}},
    .weight = {"Text10", {1080, 2040, 1485, 495}},
    .basalCaption = {"Label13", {1080, 2880, 1425, 195}},
    .basal = {"Text5", {1080, 3120, 1455, 375}},
    .line = "Line2",
    .activityCaption = {"Label12", {360, 3720, 1335, 375}},
    .factor = {"Text12", {2640, 3840, 615, 285}},
    // The woman's options are numbered from the other end.
    .options = {{{"Option6", {1080, 4080, 255, 255}},
                 {"Option5", {1080, 4680, 255, 255}},
                 {"Option4", {1080, 5280, 255, 255}}}},
    .levels = {{{"Label11", {1440, 4080, 765, 240}},
                {"Label10", {1440, 4680, 870, 240}},
                {"Label9", {1440, 5280, 750, 240}}}},
    .compute = {"Command2", {960, 5760, 1695, 735}},
};

} // namespace

Form3::SexFrame Form3::buildFrame(const SexFrameDesign& d) {
    auto* frame = new Frame(client(), d.frame.name, d.frame.at, d.caption,
                            {.font = font::frameCaption, .text = d.captionColour});
    SexFrame built{.sex = d.sex};
    auto* agePrompt = new Label(frame, d.agePrompt.name, d.agePrompt.at, u"Inserire l'età:"_s, agePromptLook);
    built.ageBox =
        new EntryBox(frame, d.age.name, d.age.at, "Età " + d.of + " in anni", {}, filtered, entryLook);
    agePrompt->setBuddy(built.ageBox);
    // The boxes are made in the order of their top edge, which fixes how
    // they stack: the man's coefficient lies above his weight prompt, the
    // woman's below hers.
    const auto makeCoefficient = [&] {
        built.coefficientBox = new EntryBox(frame, d.coefficient.name, d.coefficient.at,
                                            "Coefficiente " + d.forWhom, {}, asTyped);
    };
    const bool coefficientFirst = d.coefficient.at.top < d.weightPrompt.at.top;
    if (coefficientFirst) makeCoefficient();
    auto* weightPrompt =
        new Label(frame, d.weightPrompt.name, d.weightPrompt.at, u"Inserire il peso:"_s, weightPromptLook);
    built.constantBox =
        new EntryBox(frame, d.constant.name, d.constant.at, "Costante " + d.forWhom, {}, asTyped);
    if (!coefficientFirst) makeCoefficient();
    built.weightBox = new EntryBox(frame, d.weight.name, d.weight.at, "Peso " + d.of + " in chilogrammi", {},
                                   filtered, entryLook);
    weightPrompt->setBuddy(built.weightBox);
    auto* basalPrompt = new Label(frame, d.basalCaption.name, d.basalCaption.at, basalCaption,
                                  {.centred = true, .transparent = true, .autoSize = true});
    built.basalBox =
        new EntryBox(frame, d.basal.name, d.basal.at, "Metabolismo basale " + d.of, {}, asTyped, basalLook);
    basalPrompt->setBuddy(built.basalBox);
    new controls::Line(frame, d.line, {240, 3600}, {3240, 3600});
    new Label(frame, d.activityCaption.name, d.activityCaption.at, u"Attività:"_s,
              {.font = font::prompt, .transparent = true});
    built.factorBox =
        new EntryBox(frame, d.factor.name, d.factor.at, "Fattore di attività " + d.of,
                     controls::qtText(core::activityFactorText(d.sex, Activity::Moderate)), asTyped);
    auto* group = new controls::OptionGroup(this);
    for (std::size_t level = 0; level < 3; ++level) {
        built.activityOptions[level] =
            new OptionButton(frame, d.options[level].name, d.options[level].at,
                             "Attività " + levelCaptions[level].toLower() + ", " + d.word,
                             u"Option%1"_s.arg(level + 1), *group);
        new Label(frame, d.levels[level].name, d.levels[level].at, levelCaptions[level], levelLook);
    }
    built.computeButton =
        new Button(frame, d.compute.name, d.compute.at, u"&Calcola"_s, {.font = font::button});
    built.computeButton->setAccessibleName("Calcola " + d.forWhom);
    built.computeButton->setEnabled(false);
    built.activityOptions[std::size_t(Activity::Moderate)]->setChecked(true);
    for (EntryBox* hidden : {built.coefficientBox, built.constantBox, built.factorBox})
        hidden->setVisible(false);
    built.basalBox->setReadOnly(true);
    return built;
}

Form3::Form3()
    : Form(u"Zelba 1 - Calorie"_s) {
    man = buildFrame(manDesign);
    auto* resultFrame = new Frame(client(), "Frame3", {3720, 240, 3495, 6495});
    new Label(resultFrame, "Label7", {120, 360, 3240, 390}, u"Dispendio energetico"_s,
              {.font = font::expenditureHeading, .text = colour::darkRed, .centred = true, .autoSize = true});
    resultLabel =
        new Label(resultFrame, "Label8", {840, 1200, 1575, 615}, {},
                  {.font = font::largeEntry, .text = colour::navy, .centred = true, .border = true});
    new Label(resultFrame, "Label17", {840, 1920, 1575, 255}, u"kcal / giorno"_s,
              {.font = font::smallBold, .text = colour::maroon, .centred = true, .transparent = true});
    man.sexLabel = new Label(resultFrame, "Label18", {960, 2400, 1335, 495}, u"Uomo"_s,
                             {.font = font::sex, .text = colour::navy, .centred = true, .transparent = true});
    auto* womanLabel =
        new Label(resultFrame, "Label19", {840, 2400, 1575, 495}, u"Donna"_s,
                  {.font = font::sex, .text = colour::purple, .centred = true, .transparent = true});
    woman = buildFrame(womanDesign);
    woman.sexLabel = womanLabel;
    auto* closeButton =
        new Button(client(), "Command1", {9240, 6960, 1335, 375}, u"Chiudi"_s, {.font = font::prompt});
    man.sexLabel->setVisible(false);
    woman.sexLabel->setVisible(false);
    controls::markAsResult(resultLabel, u"Dispendio energetico in kcal al giorno"_s);
    resultFrame->setAccessibleName(u"Dispendio energetico"_s);
    finishLayout();

    QAction* backItem = addMenuCommand("mnuInd", u"<< Peso corporeo"_s);
    addFileMenu("mnuStampa");

    const auto& [light, moderate, heavy] = man.activityOptions;
    const auto& [womanLight, womanModerate, womanHeavy] = woman.activityOptions;
    setTabOrder({man.ageBox,
                 man.weightBox,
                 closeButton,
                 man.coefficientBox,
                 man.constantBox,
                 man.basalBox,
                 man.computeButton,
                 light,
                 moderate,
                 heavy,
                 womanHeavy,
                 womanModerate,
                 womanLight,
                 woman.computeButton,
                 woman.basalBox,
                 woman.constantBox,
                 woman.coefficientBox,
                 woman.ageBox,
                 woman.weightBox,
                 man.factorBox,
                 woman.factorBox});
    man.ageBox->setFocus();

    for (SexFrame* frame : {&man, &woman}) {
        handle(frame->ageBox, &EntryBox::keyDown, [frame] { frame->computeButton->setEnabled(true); });
        for (std::size_t level = 0; level < 3; ++level)
            handle(frame->activityOptions[level], &OptionButton::clicked,
                   [this, frame, level] { onActivityChosen(*frame, Activity(level)); });
        handle(frame->computeButton, &Button::clicked, [this, frame] { compute(*frame); });
    }
    handle(closeButton, &Button::clicked, &Form3::onClose);
    handle(backItem, &QAction::triggered, &Form3::onClose);
}

// The chosen level's factor goes into its sex's factor box; the shown
// expenditure changes only at the next "Calcola".
void Form3::onActivityChosen(const SexFrame& frame, Activity level) {
    if (frame.activityOptions[std::size_t(level)]->isChecked())
        frame.factorBox->setText(controls::qtText(core::activityFactorText(frame.sex, level)));
}

// The band's coefficient and constant, and then the basal metabolism, travel
// through their boxes as texts: each is written into its box and read back
// from it.
void Form3::compute(const SexFrame& frame) {
    const auto band = app::accepted(core::ageBandTexts(frame.sex, frame.ageBox->text().toStdString()));
    frame.coefficientBox->setText(controls::qtText(band.coefficient));
    frame.constantBox->setText(controls::qtText(band.constant));
    frame.basalBox->setText(app::acceptedText(core::basalMetabolismText(
        frame.weightBox->text().toStdString(), frame.coefficientBox->text().toStdString(),
        frame.constantBox->text().toStdString())));
    const SexFrame& other = &frame == &man ? woman : man;
    sweep([&] {
        resultLabel->showResult(app::acceptedText(core::expenditureText(
            frame.factorBox->text().toStdString(), frame.basalBox->text().toStdString())));
        other.sexLabel->setVisible(false);
        frame.sexLabel->setVisible(true);
    });
    controls::announceResult(resultLabel, frame.sexLabel->text() + "; " + basalCaption.toLower() + ": " +
                                              frame.basalBox->text());
}

void Form3::onClose() { app::unload(*this); }

} // namespace forms
