#pragma once

#include "controls/button.h"
#include "controls/entrybox.h"
#include "controls/frame.h"
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

  private:
    void onManKeyDown();
    void onWomanKeyDown();
    void onComputeMan();
    void onComputeWoman();
    void onClose();

    // The ideal weight of the height in `height` less the constant in
    // `constant`, written as the result.
    void writeIdealWeight(const QLineEdit& height, const QLineEdit& constant);

    controls::EntryBox* manHeightBox;
    controls::EntryBox* manConstantBox;
    controls::Button* manComputeButton;
    controls::EntryBox* womanHeightBox;
    controls::EntryBox* womanConstantBox;
    controls::Button* womanComputeButton;
    controls::Label* resultLabel;
    controls::Label* manLabel;
    controls::Label* womanLabel;
};

} // namespace forms
