#pragma once

class QCoreApplication;

namespace app {

// Zelba's windows and message boxes have a fixed size, and no maximise
// button. Where a platform offers to maximise one anyway (Qt's own title
// bar under Wayland draws the button whatever the window asks), the window
// stays as it is: the request is let through so that nothing breaks, and
// the window returns at once to its own size, with everything typed.
void keepFixedSizes(QCoreApplication& application);

} // namespace app
