// Which device a port number (1..16) stands for. On Windows it is COMN. On
// other systems an alias file <data dir>/brisaval-xl/ports/comN (normally a
// symbolic link to a tty) wins; otherwise the N-th serial port the system
// lists: USB serial adapters (ttyUSB) first, then ACM devices (ttyACM), then
// the rest, each group in name order; a legacy port with no UART behind it is
// left out.
#pragma once

#include <string>
#include <vector>

namespace bxl {

struct ListedPort {
    std::string name;      // e.g. "ttyUSB0"
    std::string location;  // e.g. "/dev/ttyUSB0"
    // The system lists the port but says no device is behind it (a legacy
    // ttyS whose UART type is unknown): never a candidate for a number.
    bool noDevice = false;
};

// The folder of the port aliases, ${XDG_DATA_HOME:-$HOME/.local/share}/
// brisaval-xl/ports, from the given environment values (either may be
// empty; a relative XDG_DATA_HOME is ignored); empty when neither is usable.
std::string portAliasDir(const std::string& xdgDataHome, const std::string& home);
// The same from this process's environment.
std::string portAliasDir();
// The alias of port `number` in that folder, <folder>/comN; empty when the
// folder is empty. The tool, the simulated unit and the tests all name an
// alias through this one function.
std::string portAliasPath(const std::string& aliasDir, int number);

// Orders listed ports: names starting with ttyUSB first, then ttyACM, then
// the rest; within each group in natural order (strverscmp: runs of digits
// compare as numbers, ttyUSB2 before ttyUSB10). Ports with no device behind
// them are left out.
std::vector<ListedPort> orderPorts(std::vector<ListedPort> ports);

struct ResolvedPort {
    std::string device;  // path or name to open; empty when none
    std::string via;     // "alias <path>" or "port <k> of <n> listed"
    std::string alias;   // the alias path when an alias decided; else empty
};

// Resolves port `number` with an alias directory (may be empty) and the
// system's list. `aliasExists` tells whether an alias path exists (dangling
// links count: the alias is then used and its open fails visibly).
ResolvedPort resolvePort(int number, const std::string& aliasDir, bool (*aliasExists)(const std::string&),
                         const std::vector<ListedPort>& listed);

// True when the system says a legacy port has no UART behind it: a ttyS*
// name whose <sysTty>/<name>/type holds 0 (unknown). Other names, and ports
// whose type cannot be read, count as present.
bool legacyPortWithoutDevice(const std::string& name, const std::string& sysTty = "/sys/class/tty");

// Where a link points, as written in the link; empty when the path is no link.
std::string linkTarget(const std::string& path);

// True when the path exists as a file or a link, dangling links included.
bool pathOrLinkExists(const std::string& path);

}  // namespace bxl
