#pragma once

#include <functional>

namespace controls {
class ProgressBar;
}

namespace app {

// The sweep every "Calcola" runs: 1000 passes of the handler's own work,
// the bar drawn at each pass from 0 up to full, then emptied. Nothing else
// runs meanwhile. A pass that stops the handler leaves the bar where it was.
void runProgressSweep(controls::ProgressBar& bar, const std::function<void()>& pass);

} // namespace app
