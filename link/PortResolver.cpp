#include "link/PortResolver.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace bxl {

std::string portAliasDir(const std::string& xdgDataHome, const std::string& home) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG rules say.
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/') return xdgDataHome + "/brisaval-xl/ports";
    if (!home.empty()) return home + "/.local/share/brisaval-xl/ports";
    return {};
}

namespace {

bool isAdapter(const std::string& name) {
    return name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0;
}

// Natural order: digit runs compare by value, everything else bytewise.
bool naturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            std::size_t ie = i, je = j;
            while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) ++ie;
            while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) ++je;
            std::string na = a.substr(i, ie - i), nb = b.substr(j, je - j);
            na.erase(0, std::min(na.find_first_not_of('0'), na.size()));
            nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size()));
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (na != nb) return na < nb;
            i = ie;
            j = je;
        } else {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    if ((a.size() - i) != (b.size() - j)) return (a.size() - i) < (b.size() - j);
    return a < b;
}

}  // namespace

std::vector<ListedPort> orderPorts(std::vector<ListedPort> ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const ListedPort& x, const ListedPort& y) {
        const bool ax = isAdapter(x.name), ay = isAdapter(y.name);
        if (ax != ay) return ax;
        return naturalLess(x.name, y.name);
    });
    return ports;
}

ResolvedPort resolvePort(int number, const std::string& aliasDir, bool (*aliasExists)(const std::string&),
                         const std::vector<ListedPort>& listed) {
    if (!aliasDir.empty()) {
        const std::string alias = aliasDir + "/com" + std::to_string(number);
        if (aliasExists(alias)) return {alias, "alias " + alias};
    }
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
