#pragma once

class QCoreApplication;

namespace app {

// The interface is Italian by design, so Qt's own texts (dialog buttons, the
// boxes' context menu, the printer dialog) are Italian whatever the user's
// locale: Qt's Italian catalogue is loaded at start-up.
void installItalianTexts(QCoreApplication& application);

} // namespace app
