// The recording journal: while the recorder records, every sample is also
// appended to a log file in the user's state folder, so that a crash, a kill
// or a power cut loses at most the sample being written. The journal is a
// valid log file at every moment: each record is written and flushed to the
// disk before the header's record count takes it in, so "Load Log" reads it
// like any other log file.
//
// Files in the folder:
//   recording.LOG                    the journal, holding samples not saved
//   recording-saved.LOG              the last journal whose samples were saved
//   recording-discarded.LOG          the last journal the engineer discarded
//   recording-YYYY-MM-DD-HHMMSS.LOG  journals kept aside at start
//   journal.lock                     held by the Control Center using them
//
// A journal that cannot be written never stops the recording: the failure is
// kept as a problem text for the log window to show, and nothing more is
// written until the next recording begins.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "model/log/LogFile.h"
#include "model/log/LogSeries.h"

namespace bxl {

// ${XDG_STATE_HOME:-$HOME/.local/state}/brisaval-xl from the given
// environment values (either may be empty; a relative XDG_STATE_HOME is
// ignored); empty when neither is usable.
std::string journalFolder(const std::string& xdgStateHome, const std::string& home);
// The same from this process's environment.
std::string defaultJournalFolder();

class LogJournal {
public:
    static constexpr const char* kActiveName = "recording.LOG";
    static constexpr const char* kSavedName = "recording-saved.LOG";
    static constexpr const char* kDiscardedName = "recording-discarded.LOG";

    explicit LogJournal(std::string folder);
    ~LogJournal();
    LogJournal(const LogJournal&) = delete;
    LogJournal& operator=(const LogJournal&) = delete;

    // Starts an empty journal for a new recording, creating the folder when
    // needed. A journal still holding unsaved samples is settled by discard()
    // first; any other journal file found in the way is kept aside under a
    // dated name, never replaced. False when the journal cannot be written.
    bool begin();
    // Appends one sample and flushes it to the disk.
    bool append(double time, const std::array<double, kLogSeriesCount>& values);
    // Stops appending (the recording stopped); the file stays as it is.
    void end();
    // Every sample of the journal is in a file the engineer saved.
    void markSaved();
    // The engineer chose to discard the journal's samples: it becomes the
    // discarded journal, replacing the one discarded before.
    void discard();

    // At start: the samples of a journal that an earlier run left unsaved;
    // nothing when there is none or another Control Center is using it.
    std::optional<LogFileContents> findUnsaved();
    // The found journal's samples were restored: it is this run's journal.
    void adoptFound(std::size_t records);
    // The path the found journal is kept under when it is not restored,
    // dated by the start of its recording.
    std::string asidePath(double startTime) const;
    // Moves the found journal to asidePath(startTime).
    bool setFoundAside(double startTime);

    // Why the journal cannot be written; empty while it can.
    const std::string& problem() const { return problem_; }
    const std::string& folder() const { return folder_; }
    std::string path(const char* name) const { return folder_ + "/" + name; }
    // Samples in the journal of the current recording.
    std::size_t records() const { return records_; }
    // Whether the journal holds samples that are not in a saved file.
    bool unsaved() const { return place_ == Place::Active && records_ > 0; }

private:
    enum class Place { None, Active, Saved };
    enum class Lock { Held, Busy, Unavailable };

    Lock lock();
    void closeFile();
    bool fail(const std::string& what, int error);
    void keepAside(const std::string& from, double startTime);

    std::string folder_;
    int fd_ = -1;
    int lockFd_ = -1;
    Place place_ = Place::None;
    std::size_t records_ = 0;
    std::string problem_;
};

}  // namespace bxl
