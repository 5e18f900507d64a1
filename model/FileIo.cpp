#include "model/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace bxl {
namespace {

bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::optional<std::vector<uint8_t>> readFilePrefix(const std::string& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> out(maxBytes);
    std::size_t got = 0;
    while (got < maxBytes) {
        const ssize_t n = ::read(fd, out.data() + got, maxBytes - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // end of file, or nothing more to read right now
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(got);
    return out;
}

bool writeFileSafely(const std::string& path, const void* data, std::size_t size) {
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        // Devices and pipes are written in place; they cannot be replaced.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_TRUNC);
        if (fd < 0) return false;
        bool ok = writeAll(fd, data, size);
        ok = (::close(fd) == 0) && ok;
        return ok;
    }
    std::string tmp = folderOf(path) + "/.bxl-XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return false;
    bool ok = writeAll(fd, data, size) && ::fsync(fd) == 0;
    const mode_t mode = exists ? (st.st_mode & 07777) : static_cast<mode_t>(0666 & ~[] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }());
    ok = ok && ::fchmod(fd, mode) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

}  // namespace bxl
