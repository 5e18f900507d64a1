#include "sim/UnitServer.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "sim/LineCheck.h"

namespace bxl::sim {

namespace {

// The PC clock as the unit's real-time clock sees it.
LocalTime localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    LocalTime lt;
    lt.minuteOfDay = tm.tm_hour * 60 + tm.tm_min;
    lt.weekday = (tm.tm_wday + 6) % 7;
    // Days since 1 January 2012, from the civil date.
    std::tm base{};
    base.tm_year = 112;
    base.tm_mon = 0;
    base.tm_mday = 1;
    base.tm_hour = 12;
    std::tm today{};
    today.tm_year = tm.tm_year;
    today.tm_mon = tm.tm_mon;
    today.tm_mday = tm.tm_mday;
    today.tm_hour = 12;
    lt.daysSince2012 = static_cast<int>(std::lround(std::difftime(timegm(&today), timegm(&base)) / 86400));
    return lt;
}

}  // namespace

UnitServer::UnitServer(const Options& options, int fd, bool holdsLine, Trace& trace, Clock::time_point start)
    : options_(options),
      fd_(fd),
      holdsLine_(holdsLine),
      trace_(trace),
      start_(start),
      unit_(options.seed),
      faults_({.drop = options.drop,
               .corrupt = options.corrupt,
               .split = options.split,
               .garbage = options.garbage,
               .silentAfter = options.silentAfter,
               .silentFor = options.silentFor,
               .overrun = options.overrun,
               .stray = options.stray,
               .unexpected = options.unexpected},
              options.seed),
      frames_([this](const Frame& f) { frameArrived(f); },
              [this](const Frame& bytes, const char* why) {
                  trace_.frame("bad", bytes, why);
                  ++counts_.bad;
              }),
      line_(options.byteMs, options.replyDelayMs, options.splitPauseMs),
      byteTime_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double, std::milli>(options.byteMs))) {
    unit_.setEchoDifference(options.echoDiff);
    unit_.advance(0, localNow());
}

void UnitServer::queueReply(Frame reply) {
    const auto now = Clock::now();
    const ReplyFate fate = faults_.apply(reply, seconds(now));
    if (fate.dropped) {
        trace_.frame("drop", reply, fate.note);
        return;
    }
    line_.queue(reply, fate.splitAt, now);
    trace_.frame("out", reply, fate.note);
}

void UnitServer::frameArrived(const Frame& f) {
    const auto due = frames_.frameStart() + byteTime_ * static_cast<long>(f.size());
    arriving_.emplace_back(due, f);
}

void UnitServer::handleDueFrames(Clock::time_point now) {
    while (!arriving_.empty() && arriving_.front().first <= now) {
        const Frame f = std::move(arriving_.front().second);
        arriving_.pop_front();
        handleFrame(f);
    }
}

bool UnitServer::lineSettingsRight() {
    // Only a pseudo-terminal shows the far side's settings; a served device
    // has its own, set by the simulator.
    if (!holdsLine_) return true;
    termios settings{};
    if (tcgetattr(fd_, &settings) != 0) return true;
    const std::string problem = lineSettingsProblem(settings);
    if (problem != lineProblem_ && !options_.quiet) {
        if (problem.empty())
            std::printf("bxl-unit-sim: the line settings are right again\n");
        else
            std::printf("bxl-unit-sim: wrong line settings on the tool's side (%s): %s\n", problem.c_str(),
                        options_.garbageOnWrongLine ? "answering garbage" : "not answering");
        std::fflush(stdout);
    }
    lineProblem_ = problem;
    return problem.empty();
}

void UnitServer::handleFrame(const Frame& f) {
    if (!lineSettingsRight()) {
        // What a unit hears from a line at other settings is noise.
        trace_.frame("bad", f, "line");
        ++counts_.wrongLine;
        if (options_.garbageOnWrongLine) {
            Frame noise(f.size() > 3 ? 16 : 4);
            for (std::size_t i = 0; i < noise.size(); ++i)
                noise[i] = static_cast<uint8_t>(0xA5 ^ (i * 37) ^ f[0]);
            if (checksumValid(noise.data(), noise.size())) noise.back() ^= 0x01;
            line_.queue(noise, noise.size(), Clock::now());
            trace_.frame("out", noise, "line");
        }
        return;
    }
    if (!checksumValid(f.data(), f.size())) {
        trace_.frame("bad", f, "checksum");
        ++counts_.bad;
        return;
    }
    trace_.frame("in", f);
    auto reply = unit_.handle(f);
    if (!reply) {
        ++counts_.unknown;
        return;
    }
    switch (f[0]) {
        case kCmdReadProcess:
            ++counts_.process;
            break;
        case kCmdReadControls:
            ++counts_.controls;
            break;
        case kCmdWriteControls:
            ++counts_.writes;
            break;
        default:
            ++counts_.writes2;
            break;
    }
    queueReply(std::move(*reply));
}

void UnitServer::run(const volatile std::sig_atomic_t& stop) {
    Clock::time_point lastStep = start_;
    while (!stop) {
        auto now = Clock::now();
        if (options_.closeAfter >= 0 && seconds(now) >= options_.closeAfter) {
            closed_ = true;
            break;
        }
        // The unit model runs in steps of at most a tenth of a second.
        if (now - lastStep >= std::chrono::milliseconds(100)) {
            unit_.advance(std::chrono::duration<double>(now - lastStep).count(), localNow());
            lastStep = now;
        }
        handleDueFrames(now);
        // Send every byte that is due; a full line is waited for with POLLOUT.
        const bool lineFull = !line_.sendDue(fd_, now);
        int timeoutMs = 100;
        const auto waitFor = [&timeoutMs](Clock::time_point due) {
            const auto wait =
                std::chrono::duration_cast<std::chrono::microseconds>(due - Clock::now()).count();
            timeoutMs =
                std::min(timeoutMs, static_cast<int>(std::clamp<long long>((wait + 999) / 1000, 0, 100)));
        };
        if (!line_.empty() && !lineFull) waitFor(line_.nextDue());
        if (!arriving_.empty()) waitFor(arriving_.front().first);
        pollfd pfd{fd_, static_cast<short>(POLLIN | (lineFull ? POLLOUT : 0)), 0};
        const int r = ::poll(&pfd, 1, timeoutMs);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (r > 0 && (pfd.revents & POLLIN)) {
            uint8_t buf[512];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n > 0) frames_.take(buf, static_cast<std::size_t>(n), Clock::now());
        } else if (r > 0 && (pfd.revents & (POLLHUP | POLLERR)) && !holdsLine_) {
            break;  // a served device went away
        }
    }
}

std::string UnitServer::summary() const {
    const FaultCounts& f = faults_.counts();
    char text[512];
    std::snprintf(
        text, sizeof text,
        "served %ld frames in %.1f s (process %ld, controls %ld, writes %ld, second writes %ld); "
        "ignored %ld bad, %ld unknown; faults: %ld dropped, %ld corrupted, %ld split, %ld garbage%s",
        counts_.process + counts_.controls + counts_.writes + counts_.writes2, seconds(Clock::now()),
        counts_.process, counts_.controls, counts_.writes, counts_.writes2, counts_.bad, counts_.unknown,
        f.dropped, f.corrupted, f.split, f.garbage, closed_ ? "; line closed" : "");
    std::string summary = text;
    // The newer faults and checks are named only when they happened.
    const std::pair<const char*, long> more[] = {{"overrun", f.overrun},
                                                 {"stray", f.stray},
                                                 {"unexpected", f.unexpected},
                                                 {"on wrong line settings", counts_.wrongLine}};
    for (const auto& [what, count] : more)
        if (count > 0) summary += "; " + std::to_string(count) + " " + what;
    return summary;
}

}  // namespace bxl::sim
