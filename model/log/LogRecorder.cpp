#include "model/log/LogRecorder.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace bxl {

int intervalFromText(std::string_view text, int previous) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return previous;
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return previous;
    if (v < kLogIntervalMin || v > kLogIntervalMax) return previous;
    return v;
}

LogRecorder::LogRecorder(const ValueStore& values, LogStore& log, DateTimeClock clock)
    : values_(values), log_(log), clock_(clock ? std::move(clock) : DateTimeClock(localDateTimeNow)) {}

void LogRecorder::firstShow() {
    if (firstShown_ != 0) return;
    firstShown_ = 1;
    logActive_ = 0;
    buttons_.start = true;
    buttons_.save = true;
    buttons_.load = true;
    buttons_.clear = true;
    buttons_.stop = false;
}

void LogRecorder::clear() {
    buttons_.save = false;
    sampleCount_ = 0;
    log_.clear();
    unsaved_ = false;
    stoppedAtLimit_ = false;
    if (journal_ != nullptr) {
        journal_->discard();
        if (logActive_ != 0) journal_->begin();
    }
}

void LogRecorder::start() {
    clear();
    logActive_ = 1;
    sampleCount_ = 0;
    buttons_.start = false;
    buttons_.stop = true;
    buttons_.load = false;
    buttons_.save = true;
    if (journal_ != nullptr) journal_->begin();
}

void LogRecorder::stop() {
    logActive_ = 0;
    countdown_ = 0;
    buttons_.start = true;
    buttons_.stop = false;
    buttons_.load = true;
    if (journal_ != nullptr) journal_->end();
}

void LogRecorder::saved() {
    unsaved_ = false;
    if (journal_ != nullptr) journal_->markSaved();
}

void LogRecorder::loaded(const LogFileContents& contents) {
    clear();
    addLogFileContents(contents, log_);
}

void LogRecorder::restore(const LogFileContents& contents) {
    if (logActive_ != 0) return;
    log_.clear();
    addLogFileContents(contents, log_);
    sampleCount_ = 0;
    stoppedAtLimit_ = false;
    unsaved_ = contents.recordCount() > 0;
    buttons_.save = true;
    if (journal_ != nullptr) journal_->adoptFound(contents.recordCount());
}

void LogRecorder::discardJournal() {
    if (journal_ != nullptr && logActive_ == 0) journal_->discard();
    unsaved_ = false;
}

LogTick LogRecorder::tick(int interval) {
    LogTick r;
    // Wraps instead of overflowing; only the parity counts.
    blink_ = static_cast<int32_t>(static_cast<uint32_t>(blink_) + 1u);
    const bool odd = (blink_ & 1) != 0;
    if (!odd) {
        r.flash = LogFlash::Off;
    } else if (logActive_ == 1) {
        r.flash = LogFlash::On;
    }
    if (logActive_ == 0) return r;
    if (countdown_ != 0) {
        --countdown_;
        return r;
    }
    // The spinner keeps the interval in range; a stray value must not stall
    // the countdown.
    countdown_ = std::clamp(interval, kLogIntervalMin, kLogIntervalMax) - 1;
    const double t = clock_();
    std::array<double, kLogSeriesCount> v{};
    for (std::size_t s = 0; s < v.size(); ++s) {
        v[s] = static_cast<double>(values_.current(kLogSeries[s].valueIndex)) * kLogSeries[s].scale;
    }
    r.sampleAt = log_.addSample(t, v);
    r.sampled = true;
    unsaved_ = true;
    // Samples taken after a Clear during recording must be saveable too:
    // a recording the engineer cannot save would be lost.
    if (!buttons_.save) {
        buttons_.save = true;
        r.saveEnabled = true;
    }
    // A journal that cannot be written keeps its problem text and leaves
    // the recording as it is.
    if (journal_ != nullptr) journal_->append(t, v);
    ++sampleCount_;
    if (sampleCount_ > kLogSampleLimit) {
        stop();
        stoppedAtLimit_ = true;
        r.stopped = true;
    }
    return r;
}

}  // namespace bxl
