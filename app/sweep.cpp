#include "app/sweep.h"

#include "controls/progressbar.h"

namespace app {

void runProgressSweep(controls::ProgressBar& bar, const std::function<void()>& pass) {
    qint16 counter = 0;
    while (counter <= 999) {
        pass();
        bar.setPosition(static_cast<float>(counter));
        // The last step jumps to full so that the bar is seen complete.
        if (bar.position() == 999.0f) bar.setPosition(controls::ProgressBar::maximum);
        ++counter;
    }
    bar.setPosition(0.0f);
}

} // namespace app
