#pragma once

#include "controls/messagebox.h"
#include "core/measures.h"

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

// Stops the handler with the message of a refusal.
[[noreturn]] void refuse(core::Refusal why);

// The value the core computed, or a stop with the message of its refusal.
template <class Value> Value accepted(const core::Checked<Value>& checked) {
    if (checked.refusal != core::Refusal::None) refuse(checked.refusal);
    return checked.value;
}

// The box's text as a locale number, or a stop with the conversion message.
double readNumber(const QLineEdit& box);

// As readNumber, for a weight: a negative one is refused like any other text
// that is not a weight.
double readWeight(const QLineEdit& box);

// The value's result text, ready for a label or a box.
QString resultText(double value);

} // namespace app
