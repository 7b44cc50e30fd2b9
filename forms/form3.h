#pragma once

#include "controls/button.h"
#include "controls/entrybox.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/optionbutton.h"
#include "core/measures.h"
#include "forms/form.h"

namespace forms {

// The energy window: from age and weight, by age band and sex, the basal
// metabolism and the daily energy expenditure for an activity level.
// Opened modally from the body-weight window; closing it unloads it.
class Form3 : public Form {
    Q_OBJECT
  public:
    Form3();

    controls::Frame* Frame1;
    controls::Label* Label1;
    controls::EntryBox* Text1;
    controls::EntryBox* Text2;
    controls::Label* Label15;
    controls::EntryBox* Text3;
    controls::EntryBox* Text9;
    controls::Label* Label2;
    controls::EntryBox* Text4;
    controls::Line* Line1;
    controls::Label* Label3;
    controls::EntryBox* Text11;
    controls::OptionButton* Option1;
    controls::Label* Label4;
    controls::OptionButton* Option2;
    controls::Label* Label5;
    controls::OptionButton* Option3;
    controls::Label* Label6;
    controls::Button* Command3;
    controls::Frame* Frame3;
    controls::Label* Label7;
    controls::Label* Label8;
    controls::Label* Label17;
    controls::Label* Label18;
    controls::Label* Label19;
    controls::Frame* Frame2;
    controls::Label* Label14;
    controls::EntryBox* Text8;
    controls::Label* Label16;
    controls::EntryBox* Text6;
    controls::EntryBox* Text7;
    controls::EntryBox* Text10;
    controls::Label* Label13;
    controls::EntryBox* Text5;
    controls::Line* Line2;
    controls::Label* Label12;
    controls::EntryBox* Text12;
    controls::OptionButton* Option6;
    controls::Label* Label11;
    controls::OptionButton* Option5;
    controls::Label* Label10;
    controls::OptionButton* Option4;
    controls::Label* Label9;
    controls::Button* Command2;
    controls::Button* Command1;
    controls::PrinterDialog* CommonDialog1;

    QAction* mnuInd;
    QMenu* mnuFile;
    QAction* mnuStampa;

  private:
    void Text1_KeyDown();
    void Text8_KeyDown();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Command3_Click();
    void Command2_Click();
    void Command1_Click();
    void mnuInd_Click();
    void mnuStampa_Click();

    // One sex's boxes and labels: both frames compute the same way.
    struct Column {
        core::Sex sex;
        controls::EntryBox* age;
        controls::EntryBox* weight;
        controls::EntryBox* coefficient;
        controls::EntryBox* constant;
        controls::EntryBox* basal;
        controls::EntryBox* factor;
        controls::Label* sexShown;
        controls::Label* sexHidden;
        qint16* sweep;
    };
    Column man() {
        return {core::Sex::Man, Text1, Text9, Text2, Text3, Text4, Text11, Label18, Label19, &command3Sweep_};
    }
    Column woman() {
        return {core::Sex::Woman, Text8,   Text10,  Text7,          Text6, Text5,
                Text12,           Label19, Label18, &command2Sweep_};
    }

    void computeEnergy(const Column& column);
    void writeFactor(const controls::OptionButton* option, controls::EntryBox* factor, core::Sex sex,
                     core::Activity activity);

    controls::OptionGroup* manActivity_;
    controls::OptionGroup* womanActivity_;
    qint16 command3Sweep_ = 0;
    qint16 command2Sweep_ = 0;
};

} // namespace forms
