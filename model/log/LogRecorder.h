// The log recorder: samples the fifteen log quantities from the value store
// into the log store at the chosen interval. Driven by explicit calls: the
// window calls tick() once a second and the button handlers call start(),
// stop() and clear().
#pragma once

#include <cstdint>
#include <string_view>

#include "model/ValueStore.h"
#include "model/log/DateTime.h"
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

    // Work of the window's first show; later shows do nothing here.
    void firstShow();
    void start();
    void stop();
    void clear();
    // One timer tick; interval is the spinner's position in seconds.
    LogTick tick(int interval);

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
    int32_t logActive_ = 0;
    int32_t countdown_ = 0;
    int32_t sampleCount_ = 0;
    int32_t blink_ = 0;
    int32_t firstShown_ = 0;
    LogButtons buttons_;
};

}  // namespace bxl
