#include "forms/form3.h"

#include "app/lifecycle.h"
#include "app/sweep.h"
#include "controls/accessible.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "forms/design.h"

namespace forms {

using namespace design;
using controls::EntryBox;
using core::Activity;
using core::Sex;

namespace {

QString factorText(Sex sex, Activity activity) {
    const std::string_view text = core::activityFactorText(sex, activity);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

Form3::Form3()
    : Form(QStringLiteral("Zelba 1 - Calorie"))
    , manActivity_(new controls::OptionGroup(this))
    , womanActivity_(new controls::OptionGroup(this)) {
    QWidget* window = client();
    const QString agePrompt = QStringLiteral("Inserire l'età:");
    const QString weightPrompt = QStringLiteral("Inserire il peso:");
    const controls::Look ageLook{
        .font = font::prompt, .text = colour::maroon, .centred = true, .border = true, .transparent = true};
    const controls::Look weightLook{
        .font = font::prompt, .text = colour::maroon, .centred = true, .border = true};
    const controls::Look basalLook{
        .font = font::basal, .text = colour::blue, .background = colour::lightGrey, .centred = true};
    const controls::Look smallCaption{.centred = true, .transparent = true, .autoSize = true};
    const controls::Look activityHeading{.font = font::prompt, .transparent = true};
    const controls::Look level{.font = font::small, .autoSize = true};
    const auto filtered = EntryBox::Keys::Filtered;
    const auto asTyped = EntryBox::Keys::AsTyped;
    // clang-format off
    Frame1   = new controls::Frame(window, "Frame1", {120, 0, 3495, 6735}, QStringLiteral(" Uomo "), {.font = font::frameCaption, .text = colour::navy});
    Label1   = new controls::Label(Frame1, "Label1", {960, 360, 1485, 405}, agePrompt, ageLook);
    Text1    = new EntryBox(Frame1, "Text1", {960, 720, 1485, 495}, QStringLiteral("Età dell'uomo in anni"), QString(), filtered, {.font = font::entry});
    Text2    = new EntryBox(Frame1, "Text2", {120, 1080, 735, 285}, QStringLiteral("Coefficiente per l'uomo"), QString(), asTyped);
    Label15  = new controls::Label(Frame1, "Label15", {960, 1440, 1485, 615}, weightPrompt, weightLook);
    Text3    = new EntryBox(Frame1, "Text3", {2520, 1560, 855, 285}, QStringLiteral("Costante per l'uomo"), QString(), asTyped);
    Text9    = new EntryBox(Frame1, "Text9", {960, 2040, 1485, 495}, QStringLiteral("Peso dell'uomo in chilogrammi"), QString(), filtered, {.font = font::entry});
    Label2   = new controls::Label(Frame1, "Label2", {960, 2880, 1425, 195}, QStringLiteral("Metabolismo basale"), smallCaption);
    Text4    = new EntryBox(Frame1, "Text4", {960, 3120, 1455, 375}, QStringLiteral("Metabolismo basale dell'uomo"), QString(), asTyped, basalLook);
    Line1    = new controls::Line(Frame1, "Line1", {240, 3600}, {3240, 3600});
    Label3   = new controls::Label(Frame1, "Label3", {240, 3720, 1335, 375}, QStringLiteral("Attività:"), activityHeading);
    Text11   = new EntryBox(Frame1, "Text11", {2280, 3840, 975, 285}, QStringLiteral("Fattore di attività dell'uomo"), QStringLiteral("1,78"), asTyped);
    Option1  = new controls::OptionButton(Frame1, "Option1", {960, 4080, 255, 255}, QStringLiteral("Attività leggera, uomo"), QStringLiteral("Option1"), *manActivity_);
    Label4   = new controls::Label(Frame1, "Label4", {1320, 4080, 765, 240}, QStringLiteral("Leggera"), level);
    Option2  = new controls::OptionButton(Frame1, "Option2", {960, 4680, 255, 255}, QStringLiteral("Attività moderata, uomo"), QStringLiteral("Option2"), *manActivity_);
    Label5   = new controls::Label(Frame1, "Label5", {1320, 4680, 870, 240}, QStringLiteral("Moderata"), level);
    Option3  = new controls::OptionButton(Frame1, "Option3", {960, 5280, 255, 255}, QStringLiteral("Attività pesante, uomo"), QStringLiteral("Option3"), *manActivity_);
    Label6   = new controls::Label(Frame1, "Label6", {1320, 5280, 750, 240}, QStringLiteral("Pesante"), level);
    Command3 = new controls::Button(Frame1, "Command3", {840, 5760, 1695, 735}, QStringLiteral("&Calcola"), {.font = font::button});
    Frame3   = new controls::Frame(window, "Frame3", {3720, 240, 3495, 6495});
    Label7   = new controls::Label(Frame3, "Label7", {120, 360, 3240, 390}, QStringLiteral("Dispendio energetico"), {.font = font::expenditureHeading, .text = colour::darkRed, .centred = true, .autoSize = true});
    Label8   = new controls::Label(Frame3, "Label8", {840, 1200, 1575, 615}, QString(), {.font = font::largeEntry, .text = colour::navy, .centred = true, .border = true});
    Label17  = new controls::Label(Frame3, "Label17", {840, 1920, 1575, 255}, QStringLiteral("kcal / giorno"), {.font = font::smallBold, .text = colour::maroon, .centred = true, .transparent = true});
    Label18  = new controls::Label(Frame3, "Label18", {960, 2400, 1335, 495}, QStringLiteral("Uomo"), {.font = font::sex, .text = colour::navy, .centred = true, .transparent = true});
    Label19  = new controls::Label(Frame3, "Label19", {840, 2400, 1575, 495}, QStringLiteral("Donna"), {.font = font::sex, .text = colour::purple, .centred = true, .transparent = true});
    Frame2   = new controls::Frame(window, "Frame2", {7320, 0, 3495, 6735}, QStringLiteral(" Donna "), {.font = font::frameCaption, .text = colour::purple});
    Label14  = new controls::Label(Frame2, "Label14", {1080, 360, 1485, 405}, agePrompt, ageLook);
    Text8    = new EntryBox(Frame2, "Text8", {1080, 720, 1485, 495}, QStringLiteral("Età della donna in anni"), QString(), filtered, {.font = font::entry});
    Label16  = new controls::Label(Frame2, "Label16", {1080, 1440, 1485, 615}, weightPrompt, weightLook);
    Text6    = new EntryBox(Frame2, "Text6", {2640, 1440, 735, 285}, QStringLiteral("Costante per la donna"), QString(), asTyped);
    Text7    = new EntryBox(Frame2, "Text7", {120, 1560, 855, 285}, QStringLiteral("Coefficiente per la donna"), QString(), asTyped);
    Text10   = new EntryBox(Frame2, "Text10", {1080, 2040, 1485, 495}, QStringLiteral("Peso della donna in chilogrammi"), QString(), filtered, {.font = font::entry});
    Label13  = new controls::Label(Frame2, "Label13", {1080, 2880, 1425, 195}, QStringLiteral("Metabolismo basale"), smallCaption);
    Text5    = new EntryBox(Frame2, "Text5", {1080, 3120, 1455, 375}, QStringLiteral("Metabolismo basale della donna"), QString(), asTyped, basalLook);
    Line2    = new controls::Line(Frame2, "Line2", {240, 3600}, {3240, 3600});
    Label12  = new controls::Label(Frame2, "Label12", {360, 3720, 1335, 375}, QStringLiteral("Attività:"), activityHeading);
    Text12   = new EntryBox(Frame2, "Text12", {2640, 3840, 615, 285}, QStringLiteral("Fattore di attività della donna"), QStringLiteral("1,64"), asTyped);
    Option6  = new controls::OptionButton(Frame2, "Option6", {1080, 4080, 255, 255}, QStringLiteral("Attività leggera, donna"), QStringLiteral("Option1"), *womanActivity_);
    Label11  = new controls::Label(Frame2, "Label11", {1440, 4080, 765, 240}, QStringLiteral("Leggera"), level);
    Option5  = new controls::OptionButton(Frame2, "Option5", {1080, 4680, 255, 255}, QStringLiteral("Attività moderata, donna"), QStringLiteral("Option2"), *womanActivity_);
    Label10  = new controls::Label(Frame2, "Label10", {1440, 4680, 870, 240}, QStringLiteral("Moderata"), level);
    Option4  = new controls::OptionButton(Frame2, "Option4", {1080, 5280, 255, 255}, QStringLiteral("Attività pesante, donna"), QStringLiteral("Option3"), *womanActivity_);
    Label9   = new controls::Label(Frame2, "Label9", {1440, 5280, 750, 240}, QStringLiteral("Pesante"), level);
    Command2 = new controls::Button(Frame2, "Command2", {960, 5760, 1695, 735}, QStringLiteral("&Calcola"), {.font = font::button});
    Command1 = new controls::Button(window, "Command1", {9240, 6960, 1335, 375}, QStringLiteral("Chiudi"), {.font = font::prompt});
    CommonDialog1 = new controls::PrinterDialog(this);
    // clang-format on
    for (EntryBox* hidden : {Text2, Text3, Text11, Text6, Text7, Text12}) hidden->setVisible(false);
    for (EntryBox* basal : {Text4, Text5}) basal->setReadOnly(true);
    Label18->setVisible(false);
    Label19->setVisible(false);
    Option2->setChecked(true);
    Option5->setChecked(true);
    Command3->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setAccessibleName(QStringLiteral("Calcola per l'uomo"));
    Command2->setAccessibleName(QStringLiteral("Calcola per la donna"));
    controls::markAsResult(Label8, QStringLiteral("Dispendio energetico in kcal al giorno"));
    Frame3->setAccessibleName(QStringLiteral("Dispendio energetico"));
    finishLayout();

    mnuInd = addMenuCommand("mnuInd", QStringLiteral("<< Peso corporeo"));
    mnuFile = addMenu("mnuFile", QStringLiteral("File"));
    mnuStampa = addMenuItem(mnuFile, "mnuStampa", QStringLiteral("Stampa"));

    setTabOrder({Text1,   Text9,   Command1, Text2,   Text3,   Text4,   Command3,
                 Option1, Option2, Option3,  Option4, Option5, Option6, Command2,
                 Text5,   Text6,   Text7,    Text8,   Text10,  Text11,  Text12});
    Text1->setFocus();

    handle(Text1, &EntryBox::keyDown, &Form3::Text1_KeyDown);
    handle(Text8, &EntryBox::keyDown, &Form3::Text8_KeyDown);
    handle(Option1, &controls::OptionButton::clicked, &Form3::Option1_Click);
    handle(Option2, &controls::OptionButton::clicked, &Form3::Option2_Click);
    handle(Option3, &controls::OptionButton::clicked, &Form3::Option3_Click);
    handle(Option4, &controls::OptionButton::clicked, &Form3::Option4_Click);
    handle(Option5, &controls::OptionButton::clicked, &Form3::Option5_Click);
    handle(Option6, &controls::OptionButton::clicked, &Form3::Option6_Click);
    handle(Command3, &controls::Button::clicked, &Form3::Command3_Click);
    handle(Command2, &controls::Button::clicked, &Form3::Command2_Click);
    handle(Command1, &controls::Button::clicked, &Form3::Command1_Click);
    handle(mnuInd, &QAction::triggered, &Form3::mnuInd_Click);
    handle(mnuStampa, &QAction::triggered, &Form3::mnuStampa_Click);
}

void Form3::Text1_KeyDown() { Command3->setEnabled(true); }

void Form3::Text8_KeyDown() { Command2->setEnabled(true); }

void Form3::writeFactor(const controls::OptionButton* option, EntryBox* factor, Sex sex, Activity activity) {
    if (option->isChecked()) factor->setText(factorText(sex, activity));
}

void Form3::Option1_Click() { writeFactor(Option1, Text11, Sex::Man, Activity::Light); }
void Form3::Option2_Click() { writeFactor(Option2, Text11, Sex::Man, Activity::Moderate); }
void Form3::Option3_Click() { writeFactor(Option3, Text11, Sex::Man, Activity::Heavy); }
void Form3::Option6_Click() { writeFactor(Option6, Text12, Sex::Woman, Activity::Light); }
void Form3::Option5_Click() { writeFactor(Option5, Text12, Sex::Woman, Activity::Moderate); }
void Form3::Option4_Click() { writeFactor(Option4, Text12, Sex::Woman, Activity::Heavy); }

// The band's coefficient and constant, and then the basal metabolism, travel
// through their boxes as text: each is written as result text and read back
// from its box, as the user could see them.
void Form3::computeEnergy(const Column& column) {
    const auto band = core::ageBand(column.sex, app::readNumber(*column.age));
    // The bands start above 18: younger ages get no result, and nothing of
    // an earlier computation is reused for them.
    if (!band) app::refuse(core::messages::tooYoung);
    column.coefficient->setText(app::resultText(band->coefficient));
    column.constant->setText(QString::fromStdString(core::resultText(std::int64_t{band->constant})));
    const double basal =
        core::basalMetabolism(app::readWeight(*column.weight), app::readNumber(*column.coefficient),
                              core::parseLeadingNumber(column.constant->text().toStdString()));
    column.basal->setText(app::resultText(app::checkedResult(basal)));
    app::runProgressSweep(*column.sweep, *ProgressBar1, [&] {
        const double energy =
            core::energyExpenditure(app::readNumber(*column.factor), app::readNumber(*column.basal));
        Label8->showResult(app::resultText(app::checkedResult(energy)));
        column.sexHidden->setVisible(false);
        column.sexShown->setVisible(true);
    });
}

void Form3::Command3_Click() { computeEnergy(man()); }

void Form3::Command2_Click() { computeEnergy(woman()); }

void Form3::Command1_Click() { app::unload(*this); }

void Form3::mnuInd_Click() { app::unload(*this); }

void Form3::mnuStampa_Click() { print(*CommonDialog1); }

} // namespace forms
