#include "model/log/LogJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "model/FileIo.h"
#include "model/log/DateTime.h"

namespace bxl {

namespace {

std::string errorText(int error) {
    return std::strerror(error);
}

// The bytes of a journal file: a regular file only, never through a link
// (opened without waiting, so a pipe or device put in its place cannot hang
// the start), and no more than its header announces.
bool readJournal(const std::string& path, std::vector<uint8_t>& out) {
    out.clear();
    FileReader file(path, Links::Refuse);
    return file.readUpTo(out, kLogHeaderSize) && file.readUpTo(out, announcedRecordBytes(out));
}

// The samples a journal file holds; BadFormat when it is no log file.
LogDecodeStatus decodeJournal(const std::string& path, LogFileContents& out) {
    std::vector<uint8_t> bytes;
    out = {};
    if (!readJournal(path, bytes)) return LogDecodeStatus::BadFormat;
    return decodeLogFile(bytes, out);
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string journalFolder(const std::string& xdgStateHome, const std::string& home) {
    return toolFolder(XdgBase::State, xdgStateHome, home, "");
}

std::string defaultJournalFolder() {
    return toolFolder(XdgBase::State, "");
}

LogJournal::LogJournal(std::string folder) : folder_(std::move(folder)) {}

LogJournal::~LogJournal() {
    closeFile();
    if (lockFd_ >= 0) ::close(lockFd_);
}

LogJournal::Lock LogJournal::lock() {
    if (lockFd_ >= 0) return Lock::Held;
    const int fd = ::open(path("journal.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return Lock::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Lock::Busy : Lock::Unavailable;
    }
    lockFd_ = fd;
    return Lock::Held;
}

void LogJournal::closeFile() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool LogJournal::fail(const std::string& what, int error) {
    problem_ = what + ": " + errorText(error);
    closeFile();
    return false;
}

void LogJournal::keepAside(const std::string& from, double startTime) {
    if (::rename(from.c_str(), asidePath(startTime).c_str()) == 0) syncFolder(folder_);
}

bool LogJournal::begin() {
    closeFile();
    problem_.clear();
    if (folder_.empty()) {
        problem_ = "no folder for it: neither XDG_STATE_HOME nor HOME is set";
        return false;
    }
    if (!makeFolders(folder_)) return fail(folder_, errno);
    switch (lock()) {
        case Lock::Held:
            break;
        case Lock::Busy:
            problem_ = folder_ + " is in use by another Control Center";
            return false;
        case Lock::Unavailable:
            return fail(path("journal.lock"), errno);
    }
    const std::string active = path(kActiveName);
    if (place_ == Place::Active && records_ == 0) {
        ::unlink(active.c_str());
    } else if (exists(active)) {
        // Not this run's settled journal: whatever it holds is kept.
        LogFileContents contents;
        if (decodeJournal(active, contents) != LogDecodeStatus::Ok || contents.recordCount() > 0)
            keepAside(active, contents.recordCount() > 0 ? contents.times.front() : localDateTimeNow());
    }
    place_ = Place::None;
    records_ = 0;

    // The new journal appears under its name only with a whole header.
    const std::string fresh = path("recording.LOG.new");
    fd_ = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) return fail(fresh, errno);
    const auto header = encodeLogHeader(0);
    if (!writeAllAt(fd_, header.data(), header.size(), 0) || ::fdatasync(fd_) != 0) {
        const int error = errno;
        ::unlink(fresh.c_str());
        return fail(fresh, error);
    }
    if (::rename(fresh.c_str(), active.c_str()) != 0) {
        const int error = errno;
        ::unlink(fresh.c_str());
        return fail(active, error);
    }
    syncFolder(folder_);
    place_ = Place::Active;
    return true;
}

bool LogJournal::append(double time, const std::array<double, kLogSeriesCount>& values) {
    if (fd_ < 0) return false;
    const std::string active = path(kActiveName);
    if (place_ == Place::Saved) {
        // A sample after a save: the journal holds unsaved samples again.
        if (::rename(path(kSavedName).c_str(), active.c_str()) != 0) return fail(active, errno);
        place_ = Place::Active;
    }
    // The record first, on the disk, then the count that takes it in: a cut
    // at any moment leaves the count of whole records written.
    const auto record = encodeLogRecord(time, values);
    const auto at = static_cast<off_t>(kLogHeaderSize + records_ * kLogRecordSize);
    if (!writeAllAt(fd_, record.data(), record.size(), at) || ::fdatasync(fd_) != 0)
        return fail(active, errno);
    const auto header = encodeLogHeader(static_cast<uint32_t>(records_ + 1));
    if (!writeAllAt(fd_, header.data() + kLogCountOffset, 4, static_cast<off_t>(kLogCountOffset)) ||
        ::fdatasync(fd_) != 0)
        return fail(active, errno);
    ++records_;
    return true;
}

void LogJournal::end() {
    closeFile();
}

void LogJournal::markSaved() {
    if (place_ != Place::Active) return;
    if (::rename(path(kActiveName).c_str(), path(kSavedName).c_str()) != 0) return;
    syncFolder(folder_);
    place_ = Place::Saved;
}

void LogJournal::discard() {
    closeFile();
    if (place_ == Place::Active) {
        const std::string active = path(kActiveName);
        if (records_ == 0)
            ::unlink(active.c_str());
        else if (::rename(active.c_str(), path(kDiscardedName).c_str()) == 0)
            syncFolder(folder_);
    }
    place_ = Place::None;
    records_ = 0;
    problem_.clear();
}

std::optional<LogFileContents> LogJournal::findUnsaved() {
    const std::string active = path(kActiveName);
    if (folder_.empty() || !exists(active)) return std::nullopt;
    // A journal another Control Center holds is its running recording. A
    // folder that cannot take the lock file has nobody writing in it.
    if (lock() == Lock::Busy) return std::nullopt;
    LogFileContents contents;
    if (decodeJournal(active, contents) != LogDecodeStatus::Ok || contents.recordCount() == 0)
        return std::nullopt;
    return contents;
}

void LogJournal::adoptFound(std::size_t records) {
    closeFile();
    place_ = Place::Active;
    records_ = records;
}

std::string LogJournal::asidePath(double startTime) const {
    CalendarTime c;
    if (!calendarTime(startTime, c)) calendarTime(localDateTimeNow(), c);
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d-%02d%02d%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    std::string candidate = path(("recording-" + std::string(stamp) + ".LOG").c_str());
    for (int n = 2; exists(candidate); ++n)
        candidate = path(("recording-" + std::string(stamp) + "-" + std::to_string(n) + ".LOG").c_str());
    return candidate;
}

bool LogJournal::setFoundAside(double startTime) {
    const std::string active = path(kActiveName);
    const std::string aside = asidePath(startTime);
    if (::rename(active.c_str(), aside.c_str()) != 0) return false;
    syncFolder(folder_);
    return true;
}

}  // namespace bxl
