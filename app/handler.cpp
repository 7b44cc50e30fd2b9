#include "app/handler.h"

#include "core/messages.h"
#include "core/numbers.h"

#include <QLineEdit>
#include <cmath>

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

void refuse(std::string_view message) { throw HandlerStop{fromUtf8(message), controls::MessageTone::Plain}; }

double readNumber(const QLineEdit& box) {
    const QString text = box.text();
    if (auto value = core::parseLocaleNumber(text.toStdString())) return *value;
    conversionFailure(text);
}

double readWeight(const QLineEdit& box) {
    const double weight = readNumber(box);
    if (weight < 0) conversionFailure(box.text());
    return weight;
}

double checkedResult(double value) {
    if (!std::isfinite(value))
        throw HandlerStop{fromUtf8(core::messages::outOfRange), controls::MessageTone::Warning};
    return value;
}

QString resultText(double value) { return QString::fromStdString(core::resultText(value)); }

} // namespace app
