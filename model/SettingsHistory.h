// The settings history: every controls block read from the unit, and the
// unit's controls as last received just before each Send writes, kept as
// controls files in ${XDG_DATA_HOME:-$HOME/.local/share}/brisaval-xl/history.
// Files are named by local date and time, then what they hold:
// "20261210-101503-received.bxl", "20261210-101612-before-send.bxl" (a
// second file of the same kind in the same second gets "-2", "-3", ...
// before ".bxl"). The newest 500 are kept. Keeping is best effort: a full
// disk or an unwritable folder never stops a Get or a Send, it is reported
// once through the failure callback.
#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/ControlsFile.h"

namespace bxl {

// ${XDG_DATA_HOME:-$HOME/.local/share}/brisaval-xl/history from the given
// environment values (a relative XDG_DATA_HOME is ignored); empty when
// neither is usable.
std::string historyFolder(const std::string& xdgDataHome, const std::string& home);
// The same from this process's environment.
std::string defaultHistoryFolder();

enum class HistoryKind { Received, BeforeSend };

struct HistoryFile {
    std::string path;
    std::string name;  // "20261210-101503-received.bxl"
    HistoryKind kind = HistoryKind::Received;
};

// The name a history file gets for `when` (local time) and the sequence
// number within that second (1: none).
std::string historyFileName(std::time_t when, HistoryKind kind, int sequence = 1);

class SettingsHistory {
public:
    static constexpr std::size_t kKeepFiles = 500;

    explicit SettingsHistory(std::string folder, std::size_t keepFiles = kKeepFiles);

    const std::string& folder() const { return folder_; }

    // Keeps `controls` as a file named by `when`; a received block equal to
    // the last received block kept is not kept again. False when it could
    // not be written (problem() says why); the first such failure is passed
    // to the failure callback.
    bool keep(const ControlsBlock& controls, HistoryKind kind, std::time_t when);
    bool keep(const ControlsBlock& controls, HistoryKind kind) {
        return keep(controls, kind, std::time(nullptr));
    }

    // The history files in the folder, oldest first. Other files are not
    // listed and never touched.
    std::vector<HistoryFile> files() const;
    // The newest file of a kind.
    std::optional<HistoryFile> newest(HistoryKind kind) const;

    // The first controls block given to keep() as received in this run, kept
    // in memory whether or not a file was written for it: the unit's
    // controls as the engineer found them. Nothing before the first read.
    const std::optional<ControlsBlock>& firstReceivedThisRun() const { return firstReceivedThisRun_; }

    const std::string& problem() const { return problem_; }
    void setFailureCallback(std::function<void(const std::string& problem)> callback) {
        onFirstFailure_ = std::move(callback);
    }

private:
    bool fail(const std::string& problem);
    void dropOldest();

    std::string folder_;
    std::size_t keepFiles_;
    std::string problem_;
    bool failedBefore_ = false;
    bool lastReceivedLoaded_ = false;
    std::optional<ControlsBlock> lastReceived_;
    std::optional<ControlsBlock> firstReceivedThisRun_;
    std::function<void(const std::string&)> onFirstFailure_;
};

}  // namespace bxl
