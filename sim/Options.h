// The simulated unit's command line: where it serves, the pace of its line,
// the faults it injects and its trace.
#pragma once

#include <string>

namespace bxl::sim {

struct Options {
    int port = 1;                    // alias comN of a pseudo-terminal
    std::string device;              // an existing tty instead
    double byteMs = 1000.0 / 960.0;  // 9600 baud
    double replyDelayMs = 5;
    double drop = 0, corrupt = 0, split = 0, garbage = 0;  // shares of replies
    double splitPauseMs = 300;
    double silentAfter = -1, closeAfter = -1;  // seconds after start; -1 never
    double silentFor = -1;                     // length of the silence; -1 for good
    double overrun = 0, stray = 0, unexpected = 0;
    // What the unit sends back when the tool's side of the line is not at
    // 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control.
    bool garbageOnWrongLine = false;
    int echoDiff = -1;  // controls value echoed off by one
    unsigned seed = 1;
    std::string trace;
    bool quiet = false;
};

// Reads the arguments. --help prints the usage and ends the program; a bad
// option prints what is wrong and the usage and ends it with status 2.
Options parseOptions(int argc, char** argv);

}  // namespace bxl::sim
