#include "model/FileIo.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace bxl {
namespace {

// A device or pipe that takes nothing for this long is given up on.
constexpr int kStalledWriteMs = 10000;

// Closes a descriptor on every way out of a scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting whether the last writes reached the file.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const uint8_t* p, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                // A device or pipe that is full for now: wait until it takes
                // more, but not for ever.
                pollfd pfd{fd, POLLOUT, 0};
                const int r = ::poll(&pfd, 1, kStalledWriteMs);
                if (r < 0 && errno == EINTR) continue;
                if (r <= 0 || (pfd.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
                continue;
            }
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

// The path a symbolic link at the end of `path` leads to, link after link; a
// link to a file that does not exist yet leads to that file's path. Nothing
// for a loop of links.
std::optional<std::string> followLinks(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4095) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return std::nullopt;
        target.resize(static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : folderOf(path).append("/").append(target);
    }
    return std::nullopt;
}

// Creates a new, empty file with a name of its own in `folder`; -1 with errno
// set when the folder does not take it.
int createTemporary(const std::string& folder, mode_t mode, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto stamp =
            static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, "/.bxl-%ld-%u-%llx.tmp", static_cast<long>(::getpid()),
                      counter.fetch_add(1), stamp & 0xFFFFFFull);
        name = folder + suffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Writing over the file itself: for devices and pipes, and for a file whose
// folder takes no new files.
bool writeInPlace(const std::string& path, bool regular, const uint8_t* data, std::size_t size) {
    // Never waits to open: a pipe without a reader is refused at once.
    const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (regular ? O_TRUNC : 0);
    Descriptor fd(::open(path.c_str(), flags));
    if (fd.get() < 0) return false;
    bool ok = writeAll(fd.get(), data, size);
    if (regular) ok = ok && ::fsync(fd.get()) == 0;
    return fd.close() && ok;
}

}  // namespace

bool makeFolders(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }
    const std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !makeFolders(path.substr(0, slash))) return false;
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

FileReader::FileReader(const std::string& path, Links links) {
    // Checked before opening, so that no device sees an open; checked again
    // on what was opened, in case the name was changed in between.
    const bool follow = links == Links::Follow;
    struct stat st {};
    if ((follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0 || !S_ISREG(st.st_mode))
        return;
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (follow ? 0 : O_NOFOLLOW));
    if (fd < 0) return;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

FileReader::~FileReader() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileReader::readUpTo(std::vector<uint8_t>& out, uint64_t limit) {
    if (fd_ < 0) return false;
    uint8_t buf[65536];
    while (limit > 0) {
        const std::size_t want = limit < sizeof buf ? static_cast<std::size_t>(limit) : sizeof buf;
        const ssize_t n = ::read(fd_, buf, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        out.insert(out.end(), buf, buf + n);
        limit -= static_cast<uint64_t>(n);
    }
    return true;
}

std::optional<std::vector<uint8_t>> readFilePrefix(const std::string& path, std::size_t maxBytes) {
    FileReader file(path);
    std::vector<uint8_t> out;
    if (!file.readUpTo(out, maxBytes)) return std::nullopt;
    return out;
}

bool writeFileSafely(const std::string& path, const void* data, std::size_t size) {
    return writeFileSafely(path, std::span(static_cast<const uint8_t*>(data), size));
}

bool writeFileSafely(const std::string& chosen, std::span<const uint8_t> bytes) {
    const std::optional<std::string> resolved = followLinks(chosen);
    if (!resolved) return false;
    const std::string& path = *resolved;

    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists) {
        if (S_ISDIR(st.st_mode) || ::access(path.c_str(), W_OK) != 0) return false;
        if (!S_ISREG(st.st_mode)) return writeInPlace(path, false, bytes.data(), bytes.size());
    }

    const std::string folder = folderOf(path);
    std::string temporary;
    // A replaced file's permissions are copied once the bytes are in; until
    // then nobody else may read them. A new file gets the user's defaults.
    Descriptor fd(createTemporary(folder, exists ? 0600 : 0666, temporary));
    if (fd.get() < 0) {
        if (exists && (errno == EACCES || errno == EPERM))
            return writeInPlace(path, true, bytes.data(), bytes.size());
        return false;
    }
    bool ok = writeAll(fd.get(), bytes.data(), bytes.size()) && ::fsync(fd.get()) == 0;
    if (exists) ok = ok && ::fchmod(fd.get(), st.st_mode & 07777) == 0;
    ok = fd.close() && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        // A folder that lets only a file's owner replace it (the sticky bit):
        // the file itself is writable, so it is written in place.
        if (exists && (renameError == EACCES || renameError == EPERM))
            return writeInPlace(path, true, bytes.data(), bytes.size());
        return false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

bool writeAllAt(int fd, const uint8_t* data, std::size_t size, int64_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

std::string toolFolder(XdgBase base, const std::string& xdgValue, const std::string& home,
                       const std::string& sub) {
    const std::string tail = "/brisaval-xl" + (sub.empty() ? std::string() : "/" + sub);
    if (!xdgValue.empty() && xdgValue.front() == '/') return xdgValue + tail;
    if (!home.empty()) return home + (base == XdgBase::Data ? "/.local/share" : "/.local/state") + tail;
    return {};
}

std::string toolFolder(XdgBase base, const std::string& sub) {
    const char* xdg = std::getenv(base == XdgBase::Data ? "XDG_DATA_HOME" : "XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    return toolFolder(base, xdg != nullptr ? xdg : "", home != nullptr ? home : "", sub);
}

}  // namespace bxl
