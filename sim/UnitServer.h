// The simulated unit at work on its line: it reads the tool's frames, takes
// each as a real line delivers it (a frame of n bytes is whole n byte times
// after its first byte), hears only noise while the tool's side of a
// pseudo-terminal is not at the unit's line settings, answers from the unit
// model with the pace of the line and the faults asked for, moves the model
// on in real time, and counts what it served.
#pragma once

#include <chrono>
#include <csignal>
#include <deque>
#include <string>
#include <utility>

#include "sim/FaultInjector.h"
#include "sim/FrameAssembler.h"
#include "sim/LinePacer.h"
#include "sim/Options.h"
#include "sim/Trace.h"
#include "sim/UnitModel.h"

namespace bxl::sim {

class UnitServer {
public:
    using Clock = std::chrono::steady_clock;

    // Serves on fd; `holdsLine` when the far end is held open, so that a
    // hang-up does not end the run.
    UnitServer(const Options& options, int fd, bool holdsLine, Trace& trace, Clock::time_point start);

    // Runs until `stop` is set, the --close-after time has come or a served
    // device goes away.
    void run(const volatile std::sig_atomic_t& stop);

    // "served N frames in S s (...)": the summary the program ends with.
    std::string summary() const;

private:
    // A frame put together: handled once the line would have carried it.
    void frameArrived(const Frame& frame);
    void handleDueFrames(Clock::time_point now);
    void handleFrame(const Frame& frame);
    // True when the tool's side of the line is at the unit's settings; says
    // so once on each change.
    bool lineSettingsRight();
    void queueReply(Frame reply);
    double seconds(Clock::time_point t) const { return std::chrono::duration<double>(t - start_).count(); }

    struct Counts {
        long process = 0, controls = 0, writes = 0, writes2 = 0, bad = 0, unknown = 0, wrongLine = 0;
    };

    const Options& options_;
    int fd_;
    bool holdsLine_;
    Trace& trace_;
    Clock::time_point start_;
    UnitModel unit_;
    FaultInjector faults_;
    FrameAssembler frames_;
    LinePacer line_;
    Counts counts_;
    bool closed_ = false;  // ended by --close-after
    Clock::duration byteTime_;
    std::deque<std::pair<Clock::time_point, Frame>> arriving_;
    std::string lineProblem_;
};

}  // namespace bxl::sim
