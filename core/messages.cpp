#include "core/messages.h"

#include "core/numbers.h"

namespace core::messages {
namespace {

constexpr std::size_t shownCharacters = 40;

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

std::string refusal(Refusal why, std::string_view unreadable) {
    switch (why) {
    case Refusal::Unreadable: return conversionFailure(unreadable);
    case Refusal::TooTall: return std::string(tooTall);
    case Refusal::InvalidStature: return std::string(invalidStature);
    case Refusal::InvalidHeight: return std::string(invalidHeight);
    case Refusal::TooYoung: return std::string(tooYoung);
    case Refusal::OutOfRange: return std::string(outOfRange);
    case Refusal::None: break;
    }
    return {};
}

bool warns(Refusal why) { return why == Refusal::Unreadable || why == Refusal::OutOfRange; }

std::string conversionFailure(std::string_view pasted) {
    // Zero-width characters are no part of the number: quoted, they would
    // only hide among what the user sees or count towards the cut.
    const std::string visible = withoutInvisibles(pasted);
    const std::string_view utf8Text = visible;
    if (utf8Text.empty()) return std::string(emptyValue);
    std::size_t characters = 0;
    std::size_t cut = 0;
    for (; cut < utf8Text.size(); ++cut) {
        if (!isContinuationByte(utf8Text[cut]) && characters++ == shownCharacters) break;
    }
    std::string shown(utf8Text.substr(0, cut));
    if (cut < utf8Text.size()) shown += "…";
    return "Il valore «" + shown + "» non è un numero valido.";
}

std::string printerRefused(std::string_view printerName) {
    return "La stampante «" + std::string(printerName) + "» non ha accettato il lavoro.";
}

std::string fileNotWritten(std::string_view fileName) {
    return "Impossibile scrivere il file «" + std::string(fileName) + "».";
}

} // namespace core::messages
