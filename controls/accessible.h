#pragma once

#include <QString>

namespace controls {

class Label;

// What a screen reader finds: every line edit (the boxes and those of Qt's
// own dialogs) answers every text query at once and is read whole; a frame
// is a group with its caption, the progress bar a progress bar, a result
// label a notification. Installed once the application exists.
void installAccessibility();

// Marks a label as holding a result called `what` ("Valore peso corporeo").
void markAsResult(Label* label, const QString& what);

// Says the result label's value once, without moving the focus: "what:
// value", with `details` in brackets when given ("Uomo"). Called once the
// result is final, not at every pass of a sweep.
void announceResult(Label* label, const QString& details = {});

} // namespace controls
