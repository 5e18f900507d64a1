// Waiting in tests without sleeping: the Qt event loop runs (timers, port
// events, process output) until a condition holds or the time is up.
#pragma once

#include <functional>

namespace bxl::test {

// Runs the event loop until `done` holds or `ms` milliseconds pass; true
// when it holds.
bool waitUntil(const std::function<bool()>& done, int ms);

// Runs the event loop for `ms` milliseconds.
void runEventsFor(int ms);

}  // namespace bxl::test
