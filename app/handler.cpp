#include "app/handler.h"

#include "controls/text.h"
#include "core/messages.h"

namespace app {

void runHandler(QWidget* window, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const HandlerStop& stop) {
        controls::showMessage(window, stop.message, stop.tone);
    }
}

void refuse(core::Refusal why, const std::string& unreadable) {
    throw HandlerStop{controls::qtText(core::messages::refusal(why, unreadable)),
                      core::messages::warns(why) ? controls::MessageTone::Warning
                                                 : controls::MessageTone::Plain};
}

QString acceptedText(const core::Checked<std::string>& checked) {
    return controls::qtText(accepted(checked));
}

} // namespace app
