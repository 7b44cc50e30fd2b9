#pragma once

#include "controls/button.h"
#include "controls/entrybox.h"
#include "controls/frame.h"
#include "controls/label.h"
#include "controls/optionbutton.h"
#include "core/measures.h"
#include "forms/form.h"

#include <array>

namespace forms {

struct SexFrameDesign;

// The energy window: from age and weight, by age band and sex, the basal
// metabolism and the daily energy expenditure for an activity level.
// Opened modally from the body-weight window; closing it unloads it.
class Form3 : public Form {
    Q_OBJECT
  public:
    Form3();

  private:
    // One sex's frame: both compute the same way with their own boxes.
    struct SexFrame {
        core::Sex sex = core::Sex::Man;
        controls::EntryBox* ageBox = nullptr;
        controls::EntryBox* coefficientBox = nullptr;
        controls::EntryBox* constantBox = nullptr;
        controls::EntryBox* weightBox = nullptr;
        controls::EntryBox* basalBox = nullptr;
        controls::EntryBox* factorBox = nullptr;
        std::array<controls::OptionButton*, 3> activityOptions{}; // light, moderate, heavy
        controls::Button* computeButton = nullptr;
        controls::Label* sexLabel = nullptr; // "Uomo" or "Donna" beside the result
    };

    SexFrame buildFrame(const SexFrameDesign& design);
    void onActivityChosen(const SexFrame& frame, core::Activity level);
    void compute(const SexFrame& frame);
    void onClose();

    SexFrame man;
    SexFrame woman;
    controls::Label* resultLabel = nullptr;
};

} // namespace forms
