// The line as it happens, for the link monitor window: one row per frame
// (local time with milliseconds, direction, length, command, checksum good or
// bad, the bytes), a gap marker where the line was silent, and counters
// (requests, good replies, bad frames, timeouts, last good reply, the poll
// cycle). It only listens to the sequencer.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "link/LinkObserver.h"

namespace bxl {

struct MonitorRow {
    enum class Kind { Sent, Received, Dropped, Unanswered };
    Kind kind = Kind::Sent;
    int64_t msSinceEpoch = 0;  // local wall-clock time of the row
    Frame bytes;
    bool checksumGood = false;
    // Milliseconds the line was silent before this row: 0 unless a second or
    // more passed since the row before (a reply and its quiet ticks take
    // about 0.6 s, so only a missing answer or a stopped line shows).
    int64_t silentMsBefore = 0;
};

struct MonitorCounters {
    long requests = 0;
    long goodReplies = 0;
    long badFrames = 0;
    long timeouts = 0;
    int64_t lastGoodReplyMs = -1;  // -1: none yet
    int64_t pollCycleMs = -1;      // between the last two requests; -1: unknown
};

class LinkMonitor : public LinkObserver {
public:
    // Milliseconds since the epoch; the wall clock unless a test sets one.
    using Clock = std::function<int64_t()>;
    // The oldest rows make room beyond this many.
    static constexpr std::size_t kMaxRows = 20000;

    explicit LinkMonitor(Clock clock = {});

    void frameSent(const Frame& frame) override;
    void frameReceived(const uint8_t* bytes, int count, bool valid) override;
    void pieceDropped(const uint8_t* bytes, int count) override;
    void requestUnanswered() override;

    // While paused no rows are added; the counters go on.
    void setPaused(bool paused) { paused_ = paused; }
    bool paused() const { return paused_; }
    // Empties the rows and the counters.
    void clear();

    const std::deque<MonitorRow>& rows() const { return rows_; }
    // Rows added since the start; the window follows with it.
    long rowsAdded() const { return added_; }
    const MonitorCounters& counters() const { return counters_; }

    // Called after each row is added.
    std::function<void()> changed;

private:
    void add(MonitorRow row);

    Clock clock_;
    bool paused_ = false;
    std::deque<MonitorRow> rows_;
    long added_ = 0;
    int64_t lastRowMs_ = -1;
    int64_t lastRequestMs_ = -1;
    MonitorCounters counters_;
};

// "12:03:04.123" in local time.
std::string localTimeText(int64_t msSinceEpoch);
// "0C 00 47".
std::string hexBytes(const Frame& bytes);
// One row as a line of text: time, direction, length, command, checksum and
// the bytes; a gap row before it when the line was silent.
std::string rowText(const MonitorRow& row);
// Every row and the counters, as the monitor saves them.
std::string monitorText(const LinkMonitor& monitor);

}  // namespace bxl
