#include "model/SettingsHistory.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <utility>

#include "model/FileIo.h"

namespace bxl {

namespace {

constexpr const char* kReceivedWord = "received";
constexpr const char* kBeforeSendWord = "before-send";
constexpr std::size_t kStampLength = 15;  // YYYYMMDD-HHMMSS

const char* wordOf(HistoryKind kind) {
    return kind == HistoryKind::Received ? kReceivedWord : kBeforeSendWord;
}

bool allDigits(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size() || count == 0) return false;
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                       text.begin() + static_cast<std::ptrdiff_t>(from + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// A history file's name taken apart: its time stamp, kind and sequence
// number; nothing for any other name.
struct ParsedName {
    std::string stamp;
    HistoryKind kind;
    int sequence;
};

std::optional<ParsedName> parseName(const std::string& name) {
    if (name.size() < kStampLength + 5 || !allDigits(name, 0, 8) || name[8] != '-' ||
        !allDigits(name, 9, 6) || name[kStampLength] != '-' || !name.ends_with(".bxl"))
        return std::nullopt;
    std::string rest = name.substr(kStampLength + 1, name.size() - kStampLength - 5);
    for (const HistoryKind kind : {HistoryKind::Received, HistoryKind::BeforeSend}) {
        const std::string word = wordOf(kind);
        if (!rest.starts_with(word)) continue;
        const std::string tail = rest.substr(word.size());
        if (tail.empty()) return ParsedName{name.substr(0, kStampLength), kind, 1};
        if (tail[0] != '-' || tail.size() > 6 || !allDigits(tail, 1, tail.size() - 1)) return std::nullopt;
        const int sequence = std::atoi(tail.c_str() + 1);
        if (sequence < 2) return std::nullopt;
        return ParsedName{name.substr(0, kStampLength), kind, sequence};
    }
    return std::nullopt;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string historyFolder(const std::string& xdgDataHome, const std::string& home) {
    return toolFolder(XdgBase::Data, xdgDataHome, home, "history");
}

std::string defaultHistoryFolder() {
    return toolFolder(XdgBase::Data, "history");
}

std::string historyFileName(std::time_t when, HistoryKind kind, int sequence) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = std::string(stamp) + "-" + wordOf(kind);
    if (sequence > 1) name += "-" + std::to_string(sequence);
    return name + ".bxl";
}

SettingsHistory::SettingsHistory(std::string folder, std::size_t keepFiles)
    : folder_(std::move(folder)), keepFiles_(keepFiles) {}

std::vector<HistoryFile> SettingsHistory::files() const {
    std::vector<std::pair<ParsedName, HistoryFile>> found;
    if (DIR* dir = folder_.empty() ? nullptr : ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            const auto parsed = parseName(name);
            if (!parsed) continue;
            found.emplace_back(*parsed, HistoryFile{folder_ + "/" + name, name, parsed->kind});
        }
        ::closedir(dir);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first.stamp, a.first.sequence, a.second.name) <
               std::tie(b.first.stamp, b.first.sequence, b.second.name);
    });
    std::vector<HistoryFile> out;
    out.reserve(found.size());
    for (auto& [parsed, file] : found) out.push_back(std::move(file));
    return out;
}

std::optional<HistoryFile> SettingsHistory::newest(HistoryKind kind) const {
    const std::vector<HistoryFile> all = files();
    const auto last =
        std::find_if(all.rbegin(), all.rend(), [kind](const HistoryFile& file) { return file.kind == kind; });
    if (last == all.rend()) return std::nullopt;
    return *last;
}

bool SettingsHistory::fail(const std::string& problem) {
    problem_ = problem;
    if (!failedBefore_) {
        failedBefore_ = true;
        if (onFirstFailure_) onFirstFailure_(problem_);
    }
    return false;
}

bool SettingsHistory::keep(const ControlsBlock& controls, HistoryKind kind, std::time_t when) {
    if (kind == HistoryKind::Received) {
        if (!firstReceivedThisRun_) firstReceivedThisRun_ = controls;
        if (!lastReceivedLoaded_) {
            // Across runs too: the newest received file on the disk.
            lastReceivedLoaded_ = true;
            if (const auto last = newest(HistoryKind::Received))
                if (const auto bytes = readFilePrefix(last->path, kControlsFileSize))
                    lastReceived_ = decodeControlsFile(*bytes);
        }
        if (lastReceived_ && *lastReceived_ == controls) return true;
    }
    if (folder_.empty()) return fail("no folder for it: neither XDG_DATA_HOME nor HOME is set");
    if (!makeFolders(folder_)) return fail(folder_ + ": " + std::strerror(errno));

    std::string path;
    for (int sequence = 1; sequence < 100000; ++sequence) {
        path = folder_ + "/" + historyFileName(when, kind, sequence);
        if (!exists(path)) break;
    }
    const Bytes bytes = encodeControlsBlock(controls);
    errno = 0;
    if (!writeFileSafely(path, bytes)) {
        const int error = errno;
        return fail(path + ": " + (error != 0 ? std::strerror(error) : "not written"));
    }
    problem_.clear();
    if (kind == HistoryKind::Received) lastReceived_ = controls;
    dropOldest();
    return true;
}

void SettingsHistory::dropOldest() {
    const std::vector<HistoryFile> all = files();
    if (all.size() <= keepFiles_) return;
    const std::size_t surplus = all.size() - keepFiles_;
    for (std::size_t i = 0; i < surplus; ++i) ::unlink(all[i].path.c_str());
    syncFolder(folder_);
}

}  // namespace bxl
