#include "sim/Endpoint.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "link/PortResolver.h"

namespace bxl::sim {

namespace fs = std::filesystem;

bool isPseudoTerminalPath(const std::string& path) {
    static constexpr const char* kPrefixes[] = {"/dev/pts/", "/dev/ttys"};
    for (const char* prefix : kPrefixes) {
        const std::size_t n = std::strlen(prefix);
        if (path.size() > n && path.compare(0, n, prefix) == 0 &&
            path.find_first_not_of("0123456789", n) == std::string::npos)
            return true;
    }
    return false;
}

AliasPlace aliasPlace(const std::string& alias, std::string& target) {
    target.clear();
    if (!pathOrLinkExists(alias)) return AliasPlace::Free;
    std::error_code ec;
    if (fs::exists(alias, ec) || !fs::is_symlink(alias, ec)) return AliasPlace::Occupied;
    target = fs::read_symlink(alias, ec).string();
    if (ec || !isPseudoTerminalPath(target)) return AliasPlace::ForeignLink;
    return AliasPlace::OwnLeftover;
}

void setLineRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    t.c_cflag |= CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &t);
}

bool Endpoint::fail(std::string message) {
    error_ = std::move(message);
    return false;
}

bool Endpoint::openDevice(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return fail("cannot open " + path + ": " + std::strerror(errno));
    setLineRaw(fd_);
    served_ = path;
    return true;
}

bool Endpoint::openPseudoTerminal(int number) {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0)
        return fail(std::string("cannot create a pseudo-terminal: ") + std::strerror(errno));
    served_ = ptsname(fd_);
    farEnd_ = ::open(served_.c_str(), O_RDWR | O_NOCTTY);
    if (farEnd_ >= 0) setLineRaw(farEnd_);

    const std::string dir = portAliasDir();
    if (dir.empty()) return fail("neither XDG_DATA_HOME nor HOME is set; use --device");
    std::error_code ec;
    fs::create_directories(dir, ec);
    const std::string alias = portAliasPath(dir, number);
    std::string target;
    switch (aliasPlace(alias, target)) {
        case AliasPlace::Free:
            break;
        case AliasPlace::OwnLeftover:
            fs::remove(alias, ec);
            break;
        case AliasPlace::Occupied:
            return fail(alias + " already exists; choose another --port or remove it");
        case AliasPlace::ForeignLink:
            return fail(alias + " is a link to " + target +
                        ", which the simulator did not make; it is left as it is. Choose another --port, or "
                        "remove the link if it is no longer needed");
    }
    fs::create_symlink(served_, alias, ec);
    if (ec) return fail("cannot create " + alias + ": " + ec.message());
    alias_ = alias;
    return true;
}

void Endpoint::close() {
    if (farEnd_ >= 0) ::close(farEnd_);
    if (fd_ >= 0) ::close(fd_);
    farEnd_ = fd_ = -1;
    if (!alias_.empty()) {
        std::error_code ec;
        if (fs::is_symlink(alias_, ec) && fs::read_symlink(alias_, ec) == served_) fs::remove(alias_, ec);
        alias_.clear();
    }
}

}  // namespace bxl::sim
