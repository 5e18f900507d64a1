#include "link/PortResolver.h"

#include <string.h>  // strverscmp

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/FileIo.h"

namespace bxl {

std::string portAliasDir(const std::string& xdgDataHome, const std::string& home) {
    return toolFolder(XdgBase::Data, xdgDataHome, home, "ports");
}

std::string portAliasDir() {
    return toolFolder(XdgBase::Data, "ports");
}

std::string portAliasPath(const std::string& aliasDir, int number) {
    if (aliasDir.empty()) return {};
    return aliasDir + "/com" + std::to_string(number);
}

namespace {

int groupOf(const std::string& name) {
    if (name.rfind("ttyUSB", 0) == 0) return 0;
    if (name.rfind("ttyACM", 0) == 0) return 1;
    return 2;
}

}  // namespace

std::vector<ListedPort> orderPorts(std::vector<ListedPort> ports) {
    std::erase_if(ports, [](const ListedPort& p) { return p.noDevice; });
    std::stable_sort(ports.begin(), ports.end(), [](const ListedPort& x, const ListedPort& y) {
        const int gx = groupOf(x.name), gy = groupOf(y.name);
        if (gx != gy) return gx < gy;
        return ::strverscmp(x.name.c_str(), y.name.c_str()) < 0;
    });
    return ports;
}

ResolvedPort resolvePort(int number, const std::string& aliasDir, bool (*aliasExists)(const std::string&),
                         const std::vector<ListedPort>& listed) {
    const std::string alias = portAliasPath(aliasDir, number);
    if (!alias.empty() && aliasExists(alias)) return {alias, "alias " + alias, alias};
    const auto ordered = orderPorts(listed);
    if (number >= 1 && static_cast<std::size_t>(number) <= ordered.size()) {
        const auto& p = ordered[static_cast<std::size_t>(number - 1)];
        return {p.location.empty() ? p.name : p.location,
                "port " + std::to_string(number) + " of " + std::to_string(ordered.size()) + " listed",
                {}};
    }
    return {};
}

bool legacyPortWithoutDevice(const std::string& name, const std::string& sysTty) {
    if (name.rfind("ttyS", 0) != 0) return false;
    std::ifstream typeFile(sysTty + "/" + name + "/type");
    int type = -1;
    if (!(typeFile >> type)) return false;
    return type == 0;
}

std::string linkTarget(const std::string& path) {
    std::error_code ec;
    const auto target = std::filesystem::read_symlink(path, ec);
    return ec ? std::string() : target.string();
}

bool pathOrLinkExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace bxl
