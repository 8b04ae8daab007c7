// Running window tests in the test process: the toolkit started once on the display, and
// a way to let events happen until something is true.
#pragma once

#include <functional>
#include <string>

namespace zintor::test {

// Dispatches the toolkit's events until done() is true or timeoutMs have passed; done()'s
// last answer.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// Dispatches events for about ms milliseconds.
void Pump(int ms);

// The program file the windows under test belong to: build/zintor, with its templates.
std::string ProgramPath();

}  // namespace zintor::test
