#include "link/PortResolver.h"

#include <string.h>  // strverscmp

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace bxl {

std::string portAliasDir(const std::string& xdgDataHome, const std::string& home) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/') return xdgDataHome + "/brisaval-xl/ports";
    if (!home.empty()) return home + "/.local/share/brisaval-xl/ports";
    return {};
}

std::string portAliasDir() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    return portAliasDir(xdg != nullptr ? xdg : "", home != nullptr ? home : "");
}

std::string portAliasPath(const std::string& aliasDir, int number) {
    if (aliasDir.empty()) return {};
    return aliasDir + "/com" + std::to_string(number);
}

namespace {

bool isAdapter(const std::string& name) {
    return name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0;
}

}  // namespace

std::vector<ListedPort> orderPorts(std::vector<ListedPort> ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const ListedPort& x, const ListedPort& y) {
        const bool ax = isAdapter(x.name), ay = isAdapter(y.name);
        if (ax != ay) return ax;
        return ::strverscmp(x.name.c_str(), y.name.c_str()) < 0;
    });
    return ports;
}

ResolvedPort resolvePort(int number, const std::string& aliasDir, bool (*aliasExists)(const std::string&),
                         const std::vector<ListedPort>& listed) {
    const std::string alias = portAliasPath(aliasDir, number);
    if (!alias.empty() && aliasExists(alias)) return {alias, "alias " + alias};
    const auto ordered = orderPorts(listed);
    if (number >= 1 && static_cast<std::size_t>(number) <= ordered.size()) {
        const auto& p = ordered[static_cast<std::size_t>(number - 1)];
        return {p.location.empty() ? p.name : p.location,
                "port " + std::to_string(number) + " of " + std::to_string(ordered.size()) + " listed"};
    }
    return {};
}

bool pathOrLinkExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace bxl
