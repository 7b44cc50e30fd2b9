#pragma once

#include "controls/button.h"
#include "controls/entrybox.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/multilinebox.h"
#include "controls/shape.h"
#include "forms/form.h"

namespace forms {

// The body-weight window, the one the program starts with: height and
// weight in, the whole-number body-mass value out, a bar that grows with
// the weight, and the table of thresholds on hovering "Tabella".
class Form1 : public Form {
    Q_OBJECT
  public:
    Form1();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void beforePrintPage() override;

  private:
    void onHeightClicked();
    void onHeightKeyDown();
    void onWeightClicked();
    void onWeightChanged();
    void onCompute();
    void onClose();
    void showTable();
    void hideTable();
    void onOpenIdealWeight();
    void onOpenCalories();

    controls::EntryBox* heightBox;
    controls::EntryBox* weightBox;
    controls::Shape* weightBar;
    controls::Button* computeButton;
    controls::Label* resultLabel;
    controls::MultiLineBox* tableBox;
};

} // namespace forms
