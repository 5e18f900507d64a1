#include "link/PortCatalog.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "link/PortResolver.h"

namespace fs = std::filesystem;

namespace bxl {

namespace {

std::string canonical(const std::string& path) {
    std::error_code ec;
    const fs::path p = fs::canonical(path, ec);
    return ec ? path : p.string();
}

}  // namespace

std::map<std::string, std::string> stableNames(const std::string& byIdDir) {
    std::map<std::string, std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(byIdDir, ec)) {
        const std::string link = entry.path().string();
        std::error_code ignored;
        const fs::path target = fs::canonical(entry.path(), ignored);
        if (!ignored) names.emplace(target.string(), link);
    }
    return names;
}

std::string deviceHolder(const std::string& device, const std::string& ownDevice, const std::string& procDir,
                         const std::vector<std::string>& lockDirs) {
    const std::string wanted = canonical(device);
    if (!ownDevice.empty() && canonical(ownDevice) == wanted) return "this tool";
    const std::string name = fs::path(wanted).filename().string();
    std::error_code ec;
    for (const std::string& dir : lockDirs)
        if (fs::exists(fs::path(dir) / ("LCK.." + name), ec)) return "another program";
    const std::string self = std::to_string(::getpid());
    for (const auto& process : fs::directory_iterator(procDir, ec)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
        std::error_code denied;  // other users' processes cannot be looked into
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", denied)) {
            std::error_code unreadable;
            if (fs::read_symlink(fd.path(), unreadable).string() == wanted && !unreadable)
                return "another program";
        }
    }
    return {};
}

std::string writePortAlias(const std::string& aliasDir, int number, const std::string& target) {
    const std::string alias = portAliasPath(aliasDir, number);
    if (alias.empty()) return "no folder for port aliases (HOME is not set)";
    std::error_code ec;
    fs::create_directories(aliasDir, ec);
    if (ec) return "cannot make " + aliasDir + ": " + ec.message();
    const auto status = fs::symlink_status(alias, ec);
    if (fs::exists(status) && !fs::is_symlink(status)) return alias + " is not a link; it is left as it is";
    // A new link under a temporary name, then renamed over the old one, so
    // the alias is never missing or half made.
    const std::string fresh = alias + ".new";
    fs::remove(fresh, ec);
    fs::create_symlink(target, fresh, ec);
    if (ec) return "cannot make " + alias + ": " + ec.message();
    fs::rename(fresh, alias, ec);
    if (ec) {
        fs::remove(fresh, ec);
        return "cannot make " + alias + ": " + ec.message();
    }
    return {};
}

}  // namespace bxl
