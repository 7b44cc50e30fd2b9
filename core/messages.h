#pragma once

#include "core/measures.h"

#include <string>
#include <string_view>

// Every message the program shows, in one place.
namespace core::messages {

// The title of every message box.
inline constexpr std::string_view title = "Zelba 1";

inline constexpr std::string_view tooTall = "Statura esagerata!";
inline constexpr std::string_view invalidStature = "Statura non valida!";
inline constexpr std::string_view invalidHeight = "Altezza non valida!";
inline constexpr std::string_view tooYoung = "Il calcolo vale solo per età superiori a 18 anni.";
inline constexpr std::string_view outOfRange = "Risultato fuori scala: controllare i valori inseriti.";
inline constexpr std::string_view emptyValue = "Inserire un valore numerico.";
inline constexpr std::string_view printFailed = "Stampa non riuscita.";

// The message a window shows for a refused value; an unreadable box's
// message quotes its text.
std::string refusal(Refusal why, std::string_view unreadable = {});

// Whether that message warns (a value the program cannot use) rather than
// informs (a rule of the measures).
bool warns(Refusal why);

// What the user reads when a box's text is not a number: the text as it
// shows, cut to 40 characters so that a pasted page cannot fill the screen.
std::string conversionFailure(std::string_view utf8Text);

// Why a print failed, shown under printFailed.
std::string printerRefused(std::string_view printerName);
std::string fileNotWritten(std::string_view fileName);

} // namespace core::messages
