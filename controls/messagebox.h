#pragma once

#include <QString>

class QWidget;

namespace controls {

enum class MessageTone { Plain, Warning };

// A modal message with the program's title and a single OK button. The
// text is always shown as typed, never as markup.
void showMessage(QWidget* window, const QString& text, MessageTone tone);

} // namespace controls
