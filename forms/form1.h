#pragma once

#include "controls/button.h"
#include "controls/entrybox.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "forms/form.h"

namespace forms {

// The threshold table shown under "Tabella", exactly as it is drawn:
// a blank first line, then one threshold a line.
extern const QString thresholdTable;

// The body-weight window, the one the program starts with: height and
// weight in, the whole-number body-mass value out, a bar that grows with
// the weight, and the table of thresholds on hovering "Tabella".
class Form1 : public Form {
    Q_OBJECT
  public:
    Form1();

    controls::Frame* Frame1;
    controls::Label* Label1;
    controls::EntryBox* Text1;
    controls::Label* Label4;
    controls::Label* Label3;
    controls::EntryBox* Text2;
    controls::Shape* Shape1;
    controls::Button* Command1;
    controls::Frame* Frame3;
    controls::Label* Label5;
    controls::Label* Label6;
    controls::MultiLineBox* Text3;
    controls::Frame* Frame2;
    controls::Label* Label2;
    controls::Button* Command2;
    controls::PrinterDialog* CommonDialog1;

    QAction* mnuCrp;
    QMenu* mnuFile;
    QAction* mnuStamp;
    QAction* mnuId;
    QAction* mnuCal;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void beforePrintPage() override;

  private:
    void Text1_Click();
    void Text1_KeyDown();
    void Text2_Click();
    void Text2_Change();
    void Command1_Click();
    void Command2_Click();
    void Label2_MouseMove();
    void Form_MouseMove();
    void Frame3_MouseMove();
    void mnuStamp_Click();
    void mnuId_Click();
    void mnuCal_Click();

    qint16 command1Sweep_ = 0;
};

} // namespace forms
