#pragma once

#include <string>
#include <string_view>

// Every message the windows show, in one place.
namespace core::messages {

inline constexpr std::string_view tooTall = "Statura esagerata!";
inline constexpr std::string_view invalidStature = "Statura non valida!";
inline constexpr std::string_view invalidHeight = "Altezza non valida!";
inline constexpr std::string_view tooYoung = "Il calcolo vale solo per età superiori a 18 anni.";
inline constexpr std::string_view outOfRange = "Risultato fuori scala: controllare i valori inseriti.";
inline constexpr std::string_view emptyValue = "Inserire un valore numerico.";
inline constexpr std::string_view printFailed = "Stampa non riuscita.";

// What the user reads when a box's text is not a number: the text itself,
// cut to 40 characters so that a pasted page cannot fill the screen.
std::string conversionFailure(std::string_view utf8Text);

} // namespace core::messages
