#include "cli/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/FileIo.h"
#include "model/log/LogFile.h"

namespace bxl::cli {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::string readProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? "no such file" : std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "is a folder";
    if (!S_ISREG(st.st_mode)) return "not a regular file";
    if (::access(path.c_str(), R_OK) != 0) return "permission denied";
    return "cannot be read";
}

std::string writeProblem(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return "is a folder";
        if (::access(path.c_str(), W_OK) != 0) return "permission denied";
        return {};
    }
    const std::string folder = folderOf(path);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return "no such folder: " + folder;
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return "permission denied in " + folder;
    return {};
}

bool readFile(const std::string& path, std::size_t maxBytes, std::vector<uint8_t>& out, std::string& error) {
    auto bytes = readFilePrefix(path, maxBytes);
    if (!bytes) {
        error = path + ": cannot read: " + readProblem(path);
        return false;
    }
    out = std::move(*bytes);
    return true;
}

bool writeFile(const std::string& path, const std::string& bytes, std::string& error) {
    if (writeFileSafely(path, bytes.data(), bytes.size())) return true;
    const std::string why = writeProblem(path);
    error = path + ": cannot write" + (why.empty() ? std::string(" (the disk may be full)") : ": " + why);
    return false;
}

LogFileAppender::~LogFileAppender() {
    close();
}

void LogFileAppender::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool LogFileAppender::create(const std::string& path, std::string& error) {
    close();
    records_ = 0;
    const auto header = encodeLogHeader(0);
    std::string why = writeProblem(path);
    struct stat existing {};
    if (why.empty() && ::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        why = "not a regular file";
    if (!why.empty() || !writeFileSafely(path, header)) {
        error = path + ": cannot write" + (why.empty() ? std::string() : ": " + why);
        return false;
    }
    // The file just written, now kept open for the records; only a regular
    // file is appended to.
    fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = path + ": cannot write: " + (fd_ < 0 ? std::strerror(errno) : "not a regular file");
        close();
        return false;
    }
    return true;
}

bool LogFileAppender::append(double time, const std::array<double, kLogSeriesCount>& values,
                             std::string& error) {
    if (fd_ < 0) {
        error = "the log file is not open";
        return false;
    }
    // The record reaches the disk before the count that takes it in.
    const auto record = encodeLogRecord(time, values);
    const auto at = static_cast<int64_t>(kLogHeaderSize + records_ * kLogRecordSize);
    const auto header = encodeLogHeader(static_cast<uint32_t>(records_ + 1));
    if (!writeAllAt(fd_, record.data(), record.size(), at) || ::fdatasync(fd_) != 0 ||
        !writeAllAt(fd_, header.data() + kLogCountOffset, 4, kLogCountOffset) || ::fdatasync(fd_) != 0) {
        error = std::strerror(errno);
        return false;
    }
    ++records_;
    return true;
}

}  // namespace bxl::cli
