#pragma once

class QString;
class QWidget;

namespace controls {

// What a screen reader says for the kit's own widgets: a result label says
// what it shows and its value ("Valore peso corporeo: 22"), a frame is a
// group with its caption, the progress bar a progress bar.
void installAccessibility();

// Marks a label as holding a result called `what`.
void markAsResult(QWidget* label, const QString& what);

} // namespace controls
