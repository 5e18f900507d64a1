#include "sim/LineCheck.h"

namespace bxl::sim {

namespace {

long baudOf(speed_t speed) {
    switch (speed) {
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return -1;
    }
}

}  // namespace

std::string lineSettingsProblem(const termios& t) {
    std::string problems;
    const auto add = [&problems](const std::string& p) { problems += (problems.empty() ? "" : ", ") + p; };
    const speed_t speed = cfgetospeed(&t);
    if (speed != B9600) {
        const long baud = baudOf(speed);
        add(baud > 0 ? std::to_string(baud) + " baud" : "not 9600 baud");
    }
    switch (t.c_cflag & CSIZE) {
        case CS8:
            break;
        case CS7:
            add("7 data bits");
            break;
        case CS6:
            add("6 data bits");
            break;
        default:
            add("5 data bits");
            break;
    }
    if ((t.c_cflag & PARENB) != 0) add("parity");
    if ((t.c_cflag & CSTOPB) != 0) add("2 stop bits");
    if ((t.c_cflag & CRTSCTS) != 0) add("hardware flow control");
    if ((t.c_iflag & (IXON | IXOFF)) != 0) add("software flow control");
    return problems;
}

}  // namespace bxl::sim
