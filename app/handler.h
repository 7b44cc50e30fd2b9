#pragma once

#include "controls/messagebox.h"
#include "core/measures.h"

#include <QString>
#include <functional>
#include <string>

class QWidget;

// The one place where the windows' events are dispatched. A handler asks
// the core for what to show and takes it through accepted(), which throws
// HandlerStop for a refusal; runHandler catches it, shows its message and
// leaves the window usable. What the handler wrote before that point stays.
namespace app {

struct HandlerStop {
    QString message;
    controls::MessageTone tone;
};

void runHandler(QWidget* window, const std::function<void()>& handler);

// Stops the handler with the message of a refusal.
[[noreturn]] void refuse(core::Refusal why, const std::string& unreadable);

// The value the core computed, or a stop with the message of its refusal.
template <class Value> Value accepted(const core::Checked<Value>& checked) {
    if (checked.refusal != core::Refusal::None) refuse(checked.refusal, checked.unreadable);
    return checked.value;
}

// As accepted(), for a text to show.
QString acceptedText(const core::Checked<std::string>& checked);

} // namespace app
