// The line settings the unit's controller works with: 9600 baud, 8 data
// bits, no parity, 1 stop bit, no flow control. On a pseudo-terminal the
// simulated unit reads the settings the tool made on its side and, when they
// differ, hears only noise, as a real unit would. (A pseudo-terminal keeps 8
// data bits and no parity whatever is asked of it, so there the speed, the
// stop bits and the flow control are what can be wrong.)
#pragma once

#include <termios.h>

#include <string>

namespace bxl::sim {

// What differs from 9600 8N1 without flow control, in words ("19200 baud,
// parity"); empty when the settings are right.
std::string lineSettingsProblem(const termios& settings);

}  // namespace bxl::sim
