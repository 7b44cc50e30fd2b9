#pragma once

#include <memory>

class QApplication;

namespace forms {
class Form1;
}

// How Zelba starts, above every layer it uses: the only place that knows
// which window comes first. main() and the benchmarks start it alike.
namespace program {

// What the environment must say before the application object exists.
void prepareEnvironment();

// Everything Zelba sets up once the application exists (the desktop entry
// and icon, Qt's texts in Italian, the light look, what screen readers and
// compositors are told), then the start-up window, shown. The window lives
// as long as the program.
std::unique_ptr<forms::Form1> start(QApplication& application);

} // namespace program
