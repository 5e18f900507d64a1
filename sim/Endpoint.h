// Where the simulated unit serves: an existing tty, or a pseudo-terminal
// that the tool finds through the port alias comN. The line is raw at 9600
// baud. An alias already in the way is replaced only when it is a leftover
// of the simulator itself, a link to a pseudo-terminal that is gone; any
// other file or link (an engineer's own alias of an adapter unplugged just
// now) is left as it is and the simulator refuses to start.
#pragma once

#include <string>

namespace bxl::sim {

// What stands at the path where an alias is to go.
enum class AliasPlace {
    Free,         // nothing: the alias can be made
    OwnLeftover,  // a link to a pseudo-terminal that is gone: replaced
    Occupied,     // a file, or a link to something that exists
    ForeignLink,  // a dangling link the simulator did not make
};

// target receives where a link at the path leads.
AliasPlace aliasPlace(const std::string& alias, std::string& target);

// The names the system gives pseudo-terminals: /dev/pts/N, or /dev/ttysN.
bool isPseudoTerminalPath(const std::string& path);

// Raw bytes at 9600 baud, 8 data bits, no parity, one stop bit.
void setLineRaw(int fd);

class Endpoint {
public:
    Endpoint() = default;
    ~Endpoint() { close(); }
    Endpoint(const Endpoint&) = delete;
    Endpoint& operator=(const Endpoint&) = delete;

    // Serves an existing tty. False with error() set when it cannot be opened.
    bool openDevice(const std::string& path);
    // Serves a new pseudo-terminal under the alias of port `number` in the
    // alias folder of this process's environment. False with error() set.
    bool openPseudoTerminal(int number);

    int fd() const { return fd_; }
    // The far end of a pseudo-terminal is held open so the line stays up
    // between the tool's opens; only a served device can go away.
    bool holdsLine() const { return farEnd_ >= 0; }
    const std::string& served() const { return served_; }
    // The alias made, empty when serving a device.
    const std::string& alias() const { return alias_; }
    const std::string& error() const { return error_; }

    // Closes the line and takes away the alias if it still leads to it.
    void close();

private:
    bool fail(std::string message);

    int fd_ = -1;
    int farEnd_ = -1;
    std::string served_;
    std::string alias_;
    std::string error_;
};

}  // namespace bxl::sim
