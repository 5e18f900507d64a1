// The log recorder: samples the fifteen log quantities from the value store
// into the log store at the chosen interval. Driven by explicit calls: the
// window calls tick() once a second and the button handlers call start(),
// stop() and clear().
#pragma once

#include <cstdint>
#include <string_view>

#include "model/ValueStore.h"
#include "model/log/DateTime.h"
#include "model/log/LogFile.h"
#include "model/log/LogJournal.h"
#include "model/log/LogStore.h"

namespace bxl {

// Enabled state of the recorder's five buttons.
struct LogButtons {
    bool start = true;
    bool stop = true;
    bool clear = true;
    bool save = true;
    bool load = true;
    friend bool operator==(const LogButtons&, const LogButtons&) = default;
};

// What a tick asks of the flashing indicator ("Logging" label and the main
// window's "Log" caption).
enum class LogFlash { Unchanged, On, Off };

struct LogTick {
    LogFlash flash = LogFlash::Unchanged;
    bool sampled = false;      // a sample was added
    std::size_t sampleAt = 0;  // index it got in every series
    bool stopped = false;      // the size limit stopped the recording
    bool saveEnabled = false;  // the sample made "Save Log" available again
};

inline constexpr int kLogIntervalMin = 2;
inline constexpr int kLogIntervalMax = 60;
inline constexpr int kLogIntervalDefault = 10;
// Recording stops once the sample count exceeds this, so a recording holds
// at most kLogSampleLimit + 1 samples.
inline constexpr int kLogSampleLimit = 10000;

// The interval taken from typed text: a whole number from 2 to 60 (surrounding
// blanks allowed), otherwise the previous interval stays.
int intervalFromText(std::string_view text, int previous);

class LogRecorder {
public:
    LogRecorder(const ValueStore& values, LogStore& log, DateTimeClock clock);

    // Keeps every recording in this journal as well (none by default). Start
    // begins a new journal, each sample is appended, Clear discards the
    // journal (and begins a new one while recording), Stop ends it.
    void setJournal(LogJournal* journal) { journal_ = journal; }

    // Work of the window's first show; later shows do nothing here.
    void firstShow();
    // Start and Clear discard the samples in the log: the window asks first
    // while unsavedSamples() holds.
    void start();
    void stop();
    void clear();
    // One timer tick; interval is the spinner's position in seconds.
    LogTick tick(int interval);

    // The log holds samples that no saved file has: recorded (or restored
    // from a journal) since the last Start, Clear, save or load.
    bool unsavedSamples() const { return unsaved_; }
    // Every sample of the log was written to a file.
    void saved();
    // The log's samples came from a file.
    void loaded(const LogFileContents& contents);
    // The samples of a journal an earlier run left unsaved, put back into
    // the log; they stay unsaved, and "Save Log" is enabled to save them.
    void restore(const LogFileContents& contents);
    // The engineer gave up the unsaved samples (closing the program).
    void discardJournal();
    // The last recording was stopped by the size limit, and its samples are
    // still in the log.
    bool stoppedAtLimit() const { return stoppedAtLimit_; }
    // Why the recording's journal cannot be written; empty when it can or
    // there is no journal.
    std::string journalProblem() const { return journal_ != nullptr ? journal_->problem() : std::string(); }

    bool logActive() const { return logActive_ != 0; }
    int32_t countdown() const { return countdown_; }
    int32_t sampleCount() const { return sampleCount_; }
    int32_t blinkCounter() const { return blink_; }
    bool firstShown() const { return firstShown_ != 0; }
    const LogButtons& buttons() const { return buttons_; }

private:
    const ValueStore& values_;
    LogStore& log_;
    DateTimeClock clock_;
    LogJournal* journal_ = nullptr;
    bool unsaved_ = false;
    bool stoppedAtLimit_ = false;
    int32_t logActive_ = 0;
    int32_t countdown_ = 0;
    int32_t sampleCount_ = 0;
    int32_t blink_ = 0;
    int32_t firstShown_ = 0;
    LogButtons buttons_;
};

}  // namespace bxl
