#pragma once

#include "controls/button.h"
#include "controls/entrybox.h"
#include "controls/label.h"
#include "forms/form.h"

namespace forms {

// The ideal-weight window: Broca's method, the height in centimetres less
// 100 for a man and 104 for a woman. Opened modally from the body-weight
// window; closing it unloads it.
class Form2 : public Form {
    Q_OBJECT
  public:
    Form2();

    controls::Frame* Frame1;
    controls::Label* Label1;
    controls::EntryBox* Text1;
    controls::Button* Command1;
    controls::EntryBox* Text2;
    controls::Frame* Frame3;
    controls::Label* Label3;
    controls::Label* Label4;
    controls::Label* Label5;
    controls::Label* Label6;
    controls::Label* Label7;
    controls::Frame* Frame2;
    controls::Label* Label2;
    controls::EntryBox* Text3;
    controls::Button* Command3;
    controls::EntryBox* Text4;
    controls::Button* Command2;
    controls::PrinterDialog* CommonDialog1;

    QAction* mnuIndietro;
    QMenu* mnuFile;
    QAction* mnuStam;

  private:
    void Text1_KeyDown();
    void Text3_KeyDown();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();
    void mnuIndietro_Click();
    void mnuStam_Click();

    // The ideal weight of the height in `height` less the constant in
    // `constant`, written as the result; refused when not above zero.
    void writeIdealWeight(const QLineEdit& height, const QLineEdit& constant);

    qint16 command1Sweep_ = 0;
    qint16 command3Sweep_ = 0;
};

} // namespace forms
