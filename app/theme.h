#pragma once

namespace app {

// The windows are designed on light backgrounds: navy, dark red and purple
// texts must never land on a dark desktop theme's grey. Qt's Fusion style
// with its standard light palette is set for every window, whatever the
// desktop's theme says; the menu title the keyboard is on shows highlighted.
void useLightLook();

} // namespace app
