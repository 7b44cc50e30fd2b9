#include "app/handler.h"

#include "controls/text.h"
#include "core/messages.h"
#include "core/numbers.h"

#include <QLineEdit>

namespace app {
namespace {

[[noreturn]] void conversionFailure(const QString& text) {
    throw HandlerStop{controls::qtText(core::messages::conversionFailure(text.toStdString())),
                      controls::MessageTone::Warning};
}

} // namespace

void runHandler(QWidget* window, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const HandlerStop& stop) {
        controls::showMessage(window, stop.message, stop.tone);
    }
}

void refuse(core::Refusal why) {
    // Too large a result is a warning; the other refusals only inform.
    const auto tone =
        why == core::Refusal::OutOfRange ? controls::MessageTone::Warning : controls::MessageTone::Plain;
    throw HandlerStop{controls::qtText(core::messages::refusal(why)), tone};
}

double readNumber(const QLineEdit& box) {
    const QString text = box.text();
    if (auto value = core::parseLocaleNumber(text.toStdString())) return *value;
    conversionFailure(text);
}

double readWeight(const QLineEdit& box) {
    const QString text = box.text();
    if (auto weight = core::parseWeight(text.toStdString())) return *weight;
    conversionFailure(text);
}

QString resultText(double value) { return QString::fromStdString(core::resultText(value)); }

} // namespace app
