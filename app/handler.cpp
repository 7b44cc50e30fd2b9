#include "app/handler.h"

#include "core/messages.h"
#include "core/numbers.h"

#include <QLineEdit>

namespace app {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

[[noreturn]] void conversionFailure(const QString& text) {
    throw HandlerStop{fromUtf8(core::messages::conversionFailure(text.toStdString())),
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
    throw HandlerStop{fromUtf8(core::messages::refusal(why)), tone};
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
