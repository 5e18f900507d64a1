#include "tests/support/WaitUntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

namespace bxl::test {

bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

void runEventsFor(int ms) {
    waitUntil([] { return false; }, ms);
}

}  // namespace bxl::test
