#pragma once

#include "controls/messagebox.h"

#include <QString>
#include <functional>
#include <string_view>

class QWidget;
class QLineEdit;

// Handlers read their boxes through the helpers below. A helper that cannot
// give a value throws HandlerStop; runHandler, the one place where the
// windows' events are dispatched, catches it, shows its message and leaves
// the window usable. What the handler wrote before that point stays.
namespace app {

struct HandlerStop {
    QString message;
    controls::MessageTone tone;
};

void runHandler(QWidget* window, const std::function<void()>& handler);

// Stops the handler with a message of its own.
[[noreturn]] void refuse(std::string_view message);

// The box's text as a locale number, or a stop with the conversion message.
double readNumber(const QLineEdit& box);

// As readNumber; a negative weight can only have been pasted and is refused
// like any other text that is not a weight.
double readWeight(const QLineEdit& box);

// The value itself, or a stop when it is too large for a double.
double checkedResult(double value);

// The value's result text, ready for a label or a box.
QString resultText(double value);

} // namespace app
