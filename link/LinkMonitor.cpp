#include "link/LinkMonitor.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace bxl {

namespace {

// A silence this long or longer before a row is marked.
constexpr int64_t kGapMs = 1000;

int64_t wallClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

const char* directionOf(MonitorRow::Kind kind) {
    switch (kind) {
        case MonitorRow::Kind::Sent:
            return "PC > unit";
        case MonitorRow::Kind::Received:
            return "unit > PC";
        case MonitorRow::Kind::Dropped:
            return "unit > PC (dropped)";
        case MonitorRow::Kind::Unanswered:
            break;
    }
    return "no answer";
}

}  // namespace

LinkMonitor::LinkMonitor(Clock clock) : clock_(clock ? std::move(clock) : Clock(&wallClockMs)) {}

void LinkMonitor::add(MonitorRow row) {
    row.msSinceEpoch = clock_();
    if (lastRowMs_ >= 0 && row.msSinceEpoch - lastRowMs_ >= kGapMs)
        row.silentMsBefore = row.msSinceEpoch - lastRowMs_;
    lastRowMs_ = row.msSinceEpoch;
    if (paused_) return;
    rows_.push_back(std::move(row));
    if (rows_.size() > kMaxRows) rows_.pop_front();
    ++added_;
    if (changed) changed();
}

void LinkMonitor::frameSent(const Frame& frame) {
    ++counters_.requests;
    const int64_t now = clock_();
    if (lastRequestMs_ >= 0) counters_.pollCycleMs = now - lastRequestMs_;
    lastRequestMs_ = now;
    add({MonitorRow::Kind::Sent, 0, frame, checksumValid(frame.data(), frame.size()), 0});
}

void LinkMonitor::frameReceived(const uint8_t* bytes, int count, bool valid) {
    if (valid) {
        ++counters_.goodReplies;
        counters_.lastGoodReplyMs = clock_();
    } else {
        ++counters_.badFrames;
    }
    add({MonitorRow::Kind::Received, 0, Frame(bytes, bytes + count), valid, 0});
}

void LinkMonitor::pieceDropped(const uint8_t* bytes, int count) {
    ++counters_.badFrames;
    add({MonitorRow::Kind::Dropped, 0, Frame(bytes, bytes + count), false, 0});
}

void LinkMonitor::requestUnanswered() {
    ++counters_.timeouts;
    add({MonitorRow::Kind::Unanswered, 0, {}, false, 0});
}

void LinkMonitor::clear() {
    rows_.clear();
    counters_ = {};
    lastRowMs_ = lastRequestMs_ = -1;
    if (changed) changed();
}

std::string localTimeText(int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm tm{};
    localtime_r(&seconds, &tm);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", tm.tm_hour, tm.tm_min, tm.tm_sec,
                  static_cast<int>(ms % 1000));
    return text;
}

std::string hexBytes(const Frame& bytes) {
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(byte, sizeof byte, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += byte;
    }
    return text;
}

std::string rowText(const MonitorRow& row) {
    std::string text;
    char line[96];
    if (row.silentMsBefore > 0) {
        std::snprintf(line, sizeof line, "             --- %.1f s silent ---\n",
                      static_cast<double>(row.silentMsBefore) / 1000.0);
        text += line;
    }
    if (row.kind == MonitorRow::Kind::Unanswered) {
        std::snprintf(line, sizeof line, "%s  no answer", localTimeText(row.msSinceEpoch).c_str());
        return text + line;
    }
    char command[8] = "--";
    if (!row.bytes.empty()) std::snprintf(command, sizeof command, "%02X", row.bytes[0]);
    std::snprintf(line, sizeof line, "%s  %-19s %4zu  %s  %-4s  ", localTimeText(row.msSinceEpoch).c_str(),
                  directionOf(row.kind), row.bytes.size(), command, row.checksumGood ? "good" : "bad");
    return text + line + hexBytes(row.bytes);
}

std::string monitorText(const LinkMonitor& monitor) {
    const MonitorCounters& c = monitor.counters();
    char head[256];
    std::snprintf(head, sizeof head,
                  "requests %ld, good replies %ld, bad frames %ld, timeouts %ld, last good reply %s, poll "
                  "cycle %s\n",
                  c.requests, c.goodReplies, c.badFrames, c.timeouts,
                  c.lastGoodReplyMs < 0 ? "none" : localTimeText(c.lastGoodReplyMs).c_str(),
                  c.pollCycleMs < 0 ? "-" : (std::to_string(c.pollCycleMs) + " ms").c_str());
    std::string text = head;
    for (const MonitorRow& row : monitor.rows()) text += rowText(row) + "\n";
    return text;
}

}  // namespace bxl
